#pragma once

#include <QCoreApplication>

// The site book's texts: Russian in the code; other languages come from the language library
// under the context "SiteBook".
class BookTexts {
    Q_DECLARE_TR_FUNCTIONS(SiteBook)
};
