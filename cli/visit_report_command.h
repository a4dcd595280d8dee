#pragma once

#include "cli/cli_options.h"
#include "cli/report_commands.h"

#include <QString>
#include <QTextStream>

// velor580-cli report: the visit report of a settings source ("as left") beside another one
// ("as found", --before), written as PDF (--pdf) and/or self-contained HTML (--html).
int RunVisitReport(const CliOptions& options, const ReportContext& context, QTextStream& err);

// The part of --help about report.
QString VisitReportHelpText();
