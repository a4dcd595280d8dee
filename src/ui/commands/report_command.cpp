// The visit report from the window: what the device held when the technician arrived and what
// it holds now (ui/report/report_state.h), in a print preview with print and save as PDF.

#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/report/report_request.h"
#include "version/program_version.h"

#include <QDate>
#include <QDir>
#include <QStandardPaths>

namespace {

// The user's documents folder, or the home folder when the desktop names none.
QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

// The technician named for the run (VELOR580_TECHNICIAN), else the login name.
QString Technician() {
    const QString named = qEnvironmentVariable("VELOR580_TECHNICIAN");
    return named.isEmpty() ? qEnvironmentVariable("USER") : named;
}

} // namespace

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
        input.technician = Technician();
        input.when = QDateTime::currentDateTime();
        input.program = QStringLiteral("velor580 %1").arg(QLatin1String(velor::kProgramVersion));
        ReportPreviewRequest request;
        request.report = velor::report::BuildVisitReport(input);
        request.suggestedPdf =
            SuggestedReportPath(DocumentsFolder(), {}, input.device,
                                input.when.date().toString(QStringLiteral("yyyy-MM-dd")));
        Dialogs().PreviewReport(request);
    });
}
