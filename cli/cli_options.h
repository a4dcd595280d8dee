#pragma once

#include "cli/book_options.h"

#include <QString>
#include <QStringList>

// The velor580-cli command line.
enum class CliCommand {
    Identify,
    ReadSettings,
    WriteSettings,
    ReadKey,
    WriteFirmware,
    Show,
    Diff,
    Check,
    History,
    Ports,
    Site,
    Visits,
    Book,
};

struct CliOptions {
    CliCommand command = CliCommand::Identify;
    QString file; // the .cfg or .tsk file of the commands that take one
    QString port; // a serial device, or a bridge's USB serial number, instead of the first bridge
    QStringList sources; // show, diff, check: settings sources (a .cfg file, device, factory)
    bool dryRun = false; // write-settings: show what would change, write nothing
    bool verify = true;  // write-settings: read the settings back and compare (--no-verify)
    bool json = false;   // show, diff, check, history: one JSON document instead of text
    BookOptions book;    // --book and --technician for every command; site, visits and book
    bool help = false;
    bool version = false; // print the program's version and stop
};

// Parses the arguments (the program name first). Throws std::runtime_error naming what is wrong.
CliOptions ParseCliOptions(const QStringList& arguments);
QString CliHelpText();
