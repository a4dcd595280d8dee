#pragma once

#include <QCoreApplication>

// The command-line tool's own texts: Russian in the code, like the window's; other languages come
// from the language library under the context "Cli".
class Cli {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};
