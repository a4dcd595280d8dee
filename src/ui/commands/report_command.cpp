// The visit report from the window: what the device held when the technician arrived and what
// it holds now (ui/report/report_state.h), in a print preview with print and save as PDF.

#include "catalogue/program_layout.h"
#include "recording/visit_recorder.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/report/report_request.h"
#include "version/program_version.h"

#include <QDate>

void TMainForm::WireVisitReport() {
    connect(&session_, &DeviceSession::deviceConnected, this,
            [this](const DeviceIdentity& device) { reportState_.Connected(device); });
    connect(&session_, &DeviceSession::settingsRead, this,
            [this](const SettingsImage& image) { reportState_.SettingsRead(image); });
    connect(&session_, &DeviceSession::settingsWritten, this,
            [this](const SettingsWriteRecord& record) { reportState_.SettingsWritten(record); });
}

void TMainForm::ReportButtonClick() {
    if (IsOperationRunning()) {
        SetStatusText(tr("Дождитесь окончания операции с прибором"));
        return;
    }
    RunGuarded(Dialogs(), [this] {
        velor::report::VisitReportInput input = reportState_.Input(EncodeSettings());
        input.technician = TechnicianName();
        // The site of the connected device, when the site book knows it.
        if (recorder_ != nullptr && recorder_->Site()) {
            const SiteRecord& site = *recorder_->Site();
            input.site = velor::report::ReportSite{site.name, site.address, site.contact};
        }
        input.when = QDateTime::currentDateTime();
        input.program = QStringLiteral("velor580 %1").arg(QLatin1String(velor::kProgramVersion));
        ReportPreviewRequest request;
        request.report = velor::report::BuildVisitReport(input);
        request.suggestedPdf = SuggestedReportPath(
            velor::DocumentsFolder(), input.site ? input.site->name : QString(), input.device,
            input.when.date().toString(QStringLiteral("yyyy-MM-dd")));
        Dialogs().PreviewReport(request);
    });
}
