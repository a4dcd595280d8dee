#pragma once

#include "ui/report/report_request.h"

class DialogService;
class QWidget;

// The window's print preview of a visit report: Qt's preview (zoom, pages, print through the
// system's printers) with one more tool button, "Сохранить PDF…".
void ShowReportPreview(QWidget* owner, DialogService& dialogs, const ReportPreviewRequest& request);

// Asks for a file name through the dialog seam (the suggested one first) and writes the report
// there as PDF, replacing an old file only once the new one is complete. A failure is shown in
// an error box with the system's reason. Returns whether a file was written.
bool SaveReportPdf(DialogService& dialogs, const ReportPreviewRequest& request);
