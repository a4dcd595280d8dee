#pragma once

#include "report/visit_report.h"

#include <QByteArray>
#include <QString>

class QPagedPaintDevice;

// The visit report on pages: A4, margins of 15 mm, the text laid out by QTextDocument so that no
// line is cut between pages, and on every page a footer with the settings' fingerprint (loose
// pages can be matched) and "стр. N из M". The same painting serves the print preview, the
// printer and the PDF file.
namespace velor::report {

// Lays the report out for the device's page and paints every page; the device's page size and
// margins are set here. Returns the number of pages, 0 when the device could not be painted on.
int PaintReport(const VisitReport& report, QPagedPaintDevice& device);

// The report as the bytes of a PDF file (A4, 300 dpi); empty when it could not be painted.
QByteArray ReportPdf(const VisitReport& report);

} // namespace velor::report
