#pragma once

#include "cli/cli_options.h"
#include "cli/cli_session.h"

#include <QTextStream>

// velor580-cli history: the snapshots kept before settings writes, newest first, a line each
// (time, device type and version, short fingerprint, file; a mark when the file no longer
// matches its record) or, with --json, one JSON array. The folder goes to standard error, and
// so does the word that it is empty. Always kExitSuccess once listed.
int RunHistoryCommand(const CliOptions& options, const CliEnvironment& environment,
                      QTextStream& out, QTextStream& err);
