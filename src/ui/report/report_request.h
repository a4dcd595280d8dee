#pragma once

#include "report/visit_report.h"

#include <QString>

// A visit report to preview, print or save: the report itself and the PDF file name suggested
// when it is saved ("<site or device>_<date>.pdf" in the user's documents folder).
struct ReportPreviewRequest {
    velor::report::VisitReport report;
    QString suggestedPdf;
};

// The suggested PDF path for a report of the device made on day (yyyy-MM-dd): the site's name,
// or the device's type and USB serial number, and the date, in folder.
QString SuggestedReportPath(const QString& folder, const QString& site,
                            const velor::report::ReportDevice& device, const QString& day);
