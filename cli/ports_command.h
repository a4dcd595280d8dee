#pragma once

#include "cli/cli_session.h"
#include "link/bridge_discovery.h"

#include <QString>
#include <QTextStream>

#include <optional>

// velor580-cli ports, and --port given as a bridge's USB serial number.

// A line per attached FTDI bridge, in the order the tool opens them (the first without --port):
// device path, USB serial number ("-" when it has none), USB location, and whether the current
// user can open it, or why not. No bridge at all is said on standard error. Always kExitSuccess.
int RunPortsCommand(const CliEnvironment& environment, QTextStream& out, QTextStream& err);

// The device --port names: empty (the first bridge) and a path (anything with a "/") as given; a
// value without "/" is a serial number, and gives the path of the one bridge that carries it.
// None when no bridge, or more than one, carries it: then the reason is on standard error.
std::optional<QString> ResolvePort(const QString& port, const CliEnvironment& environment,
                                   QTextStream& err);
