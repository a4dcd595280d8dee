#pragma once

#include <QStringList>
#include <QTextStream>

// Exit status of velor580-cli.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;  // the operation failed or was refused
constexpr int kExitUsage = 2;    // bad command line
constexpr int kExitNoDevice = 3; // the port could not be opened

// Runs velor580-cli with its arguments (the program name first): loads the built-in message
// texts, parses the command line and runs the command. Never throws.
int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err);
