#pragma once

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
};

struct CliOptions {
    CliCommand command = CliCommand::Identify;
    QString file;        // the .cfg or .tsk file of the commands that take one
    QString port;        // a serial device to use instead of the first FTDI bridge
    QStringList sources; // show, diff, check: settings sources (a .cfg file, device, factory)
    bool json = false;   // show, diff, check: the report as a JSON document
    bool help = false;
    bool version = false; // print the program's version and stop
};

// Parses the arguments (the program name first). Throws std::runtime_error naming what is wrong.
CliOptions ParseCliOptions(const QStringList& arguments);
QString CliHelpText();
