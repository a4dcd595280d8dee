#pragma once

#include "recording_dialogs.h"

#include "catalogue/message_catalogue.h"
#include "ui/main_form_deps.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <utility>

// Set-up shared by the tests that build the main window.

// The factory settings file as shipped in the source tree.
inline QString FactoryDefaultsFile() {
    return qEnvironmentVariable("VELOR_SOURCE_DIR") + QStringLiteral("/data/580default.cfg");
}

// Every catalogue text set to its built-in one, as the program has it before a language is
// loaded.
using velor::LoadBuiltInCatalogue;

// Makes folder the current folder with the factory settings "580default.cfg" in it: the window
// reads that file from the current folder when it is built and creates its firmware folder
// "Base" there. False (with a warning naming the step) when any step fails.
inline bool PrepareFactoryFolder(const QTemporaryDir& folder) {
    if (!folder.isValid()) {
        qWarning("no temporary folder: %s", qPrintable(folder.errorString()));
        return false;
    }
    const QString target = folder.filePath(QStringLiteral("580default.cfg"));
    if (!QFile::copy(FactoryDefaultsFile(), target)) {
        qWarning("cannot copy %s to %s", qPrintable(FactoryDefaultsFile()), qPrintable(target));
        return false;
    }
    if (!QDir::setCurrent(folder.path())) {
        qWarning("cannot make %s the current folder", qPrintable(folder.path()));
        return false;
    }
    return true;
}

// The window's seams for a test: every box recorded in dialogs, the given bridge driver (none
// when empty), protocol waits that return at once.
inline MainFormDeps TestWindowDeps(RecordingDialogs& dialogs,
                                   decltype(MainFormDeps::makeDriver) makeDriver = {}) {
    MainFormDeps deps;
    deps.dialogs = &dialogs;
    deps.makeDriver = std::move(makeDriver);
    deps.sleeper = [](int) {};
    return deps;
}
