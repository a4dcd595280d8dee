#pragma once

#include "link/bridge_roots.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

// Exit status of velor580-cli.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;  // the operation failed or was refused, or its result was lost
constexpr int kExitUsage = 2;    // bad command line
constexpr int kExitNoDevice = 3; // the port could not be opened, or no bridge has that serial

// What velor580-cli takes from its surroundings besides its arguments; the program fills it from
// the system, tests give their own.
struct CliEnvironment {
    // The configurator's program file: the language is read from its INI file and its language
    // library loaded from beside it. Empty: the built-in texts.
    QString configuratorPath;
    // The system locale for messages ("en_GB.UTF-8"), used when the INI names no language.
    QString systemLocale;
    // A language for this run only (VELOR580_LANGUAGE, e.g. "EN"), before the INI's and the
    // system's: scripts and the build's manual pages use it. Empty: none.
    QString runLocale;
    // Standard error is a terminal: progress redraws one line instead of one line per step.
    bool errIsTerminal = false;
    // The settings history, where each settings write first keeps the device's settings. Empty:
    // there is nowhere to keep them, so settings writes are refused.
    QString historyFolder;
    // The site book's file, where device commands record their visits and the book commands
    // work (--book names another). Empty: no book, nothing is recorded.
    QString bookPath;
    // Where the FTDI bridges are looked up: the sysfs tree and the device nodes' folder.
    QString sysfsRoot = velor::link::SystemSysfsRoot();
    QString devRoot = velor::link::SystemDevRoot();
    // The present, for the snapshots' names and the history's pruning; the system's clock when
    // empty.
    std::function<QDateTime()> clock;
};

// The environment of the running program: the configurator "velor580" beside it, the system's
// messages locale, whether standard error is a terminal, and the configurator's history folder.
CliEnvironment SystemCliEnvironment();

// Runs velor580-cli with its arguments (the program name first): puts the language in place,
// parses the command line and runs the command. A result that could not be written to standard
// output fails the run. Never throws.
int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err,
           const CliEnvironment& environment = {});
