// The window's side of its write jobs: the safe settings write (SafeWriteJob: the device's
// settings read first, the changes reviewed, the device's settings kept as a snapshot in the
// settings history, the write, the reconnection, the settings read back and compared with what
// was sent) and the firmware write (FirmwareWriteJob: confirmed with the file's and the device's
// identity first). Each state's boxes, status texts, progress and button states are the
// window's; the order of the states is the job's.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "operations/firmware_check.h"
#include "operations/firmware_write_job.h"
#include "operations/safe_write_job.h"
#include "operations/status_codes.h"
#include "operations/status_dispatch.h"
#include "settings/settings_check.h"
#include "settings/settings_diff.h"
#include "settings/settings_fingerprint.h"
#include "ui/commands/window_write_job.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/shell_services.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace st = velor::status;
using velor::settings::ChangeLines;
using velor::settings::DiffSettings;
using velor::settings::FieldChange;
using velor::settings::ShortFingerprint;

QString TMainForm::DeviceText(int type, const QString& version) {
    return tr("%1, версия ПО %2").arg(type).arg(version);
}

QString TMainForm::ConnectedDeviceText() {
    return DeviceText(Device().Descriptor.Type, VersionText(Device().Descriptor));
}

bool TMainForm::ReviewsWrites() const {
    return deps_.shell == nullptr || deps_.shell->ReviewBeforeWrite();
}

void TMainForm::SetReviewsWrites(bool review) {
    if (deps_.shell == nullptr || review == deps_.shell->ReviewBeforeWrite()) {
        return;
    }
    if (const QString unwritten = deps_.shell->SetReviewBeforeWrite(review); !unwritten.isEmpty()) {
        ReportIniWriteFailure(unwritten);
    }
}

// Before the first firmware block: what is about to be flashed into which device.
bool TMainForm::ConfirmFirmwareWrite() {
    const std::optional<TVelorDevDesc> file = FirmwareDescriptor(firmwareImage_);
    MessageBoxRequest box;
    box.caption = tr("Смена ПО");
    box.icon = BoxIcon::Question;
    box.buttons = BoxButtons::OkCancel;
    box.defaultButton = BoxResult::Cancel;
    box.okText = tr("&Прошить");
    box.cancelText = tr("&Отмена");
    box.text = tr("Файл: %1\nРазмер: %2 байт\nТип устройства: %3, платформа: %4\n"
                  "Отпечаток файла: %5\n\nПодключенный прибор: тип %6, версия ПО %7\n\n"
                  "Записать это ПО в прибор?")
                   .arg(QDir::toNativeSeparators(firmwarePath_))
                   .arg(firmwareImage_.size())
                   .arg(file ? file->Type : 0)
                   .arg(file ? file->Platform : 0)
                   .arg(ShortFingerprint(firmwareImage_))
                   .arg(Device().Descriptor.Type)
                   .arg(VersionText(Device().Descriptor));
    if (Dialogs().MessageBox(box) == BoxResult::Ok) {
        return true;
    }
    SetStatusText(tr("Смена ПО отменена: в прибор ничего не записано"));
    return false;
}

namespace {

// What the check finds in the settings about to be written, a line each.
QStringList CheckWarnings(const SettingsImage& image) {
    QStringList lines;
    for (const velor::settings::CheckFinding& finding :
         velor::settings::CheckSettings(image).findings) {
        lines << velor::settings::FindingLine(finding);
    }
    return lines;
}

void EnableAboutButton(TMainForm& form) {
    form.Control<QPushButton>(QStringLiteral("BtnAbout"))->setEnabled(true);
}

} // namespace

// The window's side of a settings write.
class WindowSettingsWrite : public WindowWriteJob, public SafeWriteFront {
public:
    WindowSettingsWrite(TMainForm& form, const SettingsImage& image)
        : form_(form), job_(form.session_, *this, Plan(form, image)) {}

    void Start() override { job_.Start(); }
    void Cancel() override { job_.Cancel(); }
    bool IsActive() const override { return job_.IsActive(); }

    bool OpenPort() override;
    // The reads of the job have the frames and progress of "Считать из"; their image is kept
    // apart instead of being decoded into the window, and their success is said only in the
    // status bar.
    void ReadStarting(bool) override { Running(velor::msg::kReadingSettings); }
    ReviewAnswer Review(const SettingsImage& device, const SettingsImage& next) override;
    void WriteStarting(const QString&) override { Running(velor::msg::kWritingSettings); }
    void Disconnected(bool reconnects) override;
    void Finished(const SafeWriteOutcome& outcome) override;

private:
    static SafeWritePlan Plan(const TMainForm& form, const SettingsImage& image) {
        SafeWritePlan plan;
        plan.image = image;
        plan.reconnectAfterFailedWrite = true;
        plan.historyFolder = form.HistoryFolder();
        return plan;
    }
    void Running(int messageId);
    void ShowMismatch(const SafeWriteOutcome& outcome);

    TMainForm& form_;
    SafeWriteJob job_;
};

// The window's side of a firmware write.
class WindowFirmwareWrite : public WindowWriteJob, public FirmwareWriteFront {
public:
    explicit WindowFirmwareWrite(TMainForm& form)
        : form_(form), job_(form.session_, *this, {&form.firmwareImage_, false, true}) {}

    void Start() override { job_.Start(); }
    void Cancel() override { job_.Cancel(); }
    bool IsActive() const override { return job_.IsActive(); }

    bool OpenPort() override;
    bool Confirm(const TVelorDevDesc&) override { return form_.ConfirmFirmwareWrite(); }
    void UploadStarting() override;
    void Disconnected(bool reconnects) override;
    // The about button comes back as the connection starts, as after any write.
    void Reconnecting() override { EnableAboutButton(form_); }
    void Finished(const FirmwareWriteOutcome&) override {}

private:
    TMainForm& form_;
    FirmwareWriteJob job_;
};

namespace {

// The connection after a write, as "Установить" makes it.
bool OpenForConnection(TMainForm& form) {
    if (!form.OpenPortForConnect()) {
        return false;
    }
    form.Control<QPushButton>(QStringLiteral("HelpBitBtn"))->setFocus();
    return true;
}

// Every write ends with a fresh connection in the current work mode, unless the device was lost
// during the write: then it only disconnects, since the port has already told the technician and
// a connect could only fail with a second box; the status bar keeps the write's failure.
void DisconnectAfterWrite(TMainForm& form, bool reconnects) {
    if (reconnects) {
        form.CancelButtonClick();
        return;
    }
    const QString failure = form.StatusText();
    const TMainForm::StatusTone tone = form.CurrentStatusTone();
    form.CancelButtonClick();
    form.SetStatusText(failure, tone);
}

} // namespace

bool WindowSettingsWrite::OpenPort() {
    return OpenForConnection(form_);
}

void WindowSettingsWrite::Running(int messageId) {
    form_.SetButtonState(ButtonState::OperationRunning);
    form_.SetStatusText(velor::MessageText(messageId));
    form_.Device().Gauge = &form_.gaugeSink_;
}

// The change list, unless the technician turned it off; the choice is kept either way.
ReviewAnswer WindowSettingsWrite::Review(const SettingsImage& device, const SettingsImage& next) {
    if (!form_.ReviewsWrites()) {
        return ReviewAnswer::Write;
    }
    WriteReviewRequest request;
    request.device = form_.ConnectedDeviceText();
    request.deviceFingerprint = ShortFingerprint(device);
    request.windowFingerprint = ShortFingerprint(next);
    request.changes = DiffSettings(device, next);
    request.warnings = CheckWarnings(next);
    const WriteReviewAnswer answer = form_.Dialogs().ReviewWrite(request);
    form_.SetReviewsWrites(answer.reviewNextTime);
    return answer.write ? ReviewAnswer::Write : ReviewAnswer::Declined;
}

void WindowSettingsWrite::Disconnected(bool reconnects) {
    DisconnectAfterWrite(form_, reconnects);
}

// What the technician is told of each end; the write's success box comes only once the read
// back has matched. A job stopped by the closing window says nothing more.
void WindowSettingsWrite::Finished(const SafeWriteOutcome& outcome) {
    switch (outcome.reason) {
    case SafeWriteReason::Cancelled:
        if (outcome.stoppedIn != SafeWriteState::Writing) {
            EnableAboutButton(form_);
        }
        return;
    case SafeWriteReason::SettingsNotRead:
        form_.SetStatusText(TMainForm::tr("Запись отменена: настройки прибора не прочитаны"),
                            TMainForm::StatusTone::Error);
        break;
    case SafeWriteReason::ReviewDeclined:
        form_.SetStatusText(TMainForm::tr("Запись отменена: в прибор ничего не записано"));
        break;
    case SafeWriteReason::SnapshotNotSaved:
        ShowErrorBox(form_.Dialogs(),
                     TMainForm::tr("Прежние настройки прибора не сохранены в историю: %1\n"
                                   "Запись не начата: без снимка ее нельзя было бы отменить.")
                         .arg(outcome.snapshotError));
        form_.SetStatusText(TMainForm::tr("Запись отменена: снимок настроек прибора не сохранен"),
                            TMainForm::StatusTone::Error);
        break;
    case SafeWriteReason::NoLink:
        form_.SetStatusText(
            TMainForm::tr("Настройки записаны, но не проверены: нет связи с прибором"),
            TMainForm::StatusTone::Error);
        break;
    case SafeWriteReason::ReadBackFailed:
        form_.SetStatusText(
            TMainForm::tr(
                "Настройки записаны, но не проверены: не удалось прочитать их из прибора"),
            TMainForm::StatusTone::Error);
        break;
    default:
        break;
    }
    // The device holds the window's settings (or was sent them, where the read back could not
    // tell): they are the settings last written.
    if (outcome.end == SafeWriteEnd::Verified || outcome.reason == SafeWriteReason::NoLink ||
        outcome.reason == SafeWriteReason::ReadBackFailed) {
        form_.KeepWrittenSettings(outcome.written);
    }
    if (outcome.end == SafeWriteEnd::Verified) {
        form_.ShowStatus({st::kSettingsWritten, st::kDeviceType580, form_.Device().Descriptor});
        form_.SetStatusText(
            TMainForm::tr("Запись настроек проверена: прибор хранит записанное (отпечаток %1)")
                .arg(ShortFingerprint(outcome.written)));
    } else if (outcome.end == SafeWriteEnd::Mismatch) {
        ShowMismatch(outcome);
    }
    EnableAboutButton(form_);
}

void WindowSettingsWrite::ShowMismatch(const SafeWriteOutcome& outcome) {
    const QString failure = TMainForm::tr("Прибор сохранил не то, что было записано");
    form_.SetStatusText(failure, TMainForm::StatusTone::Error);
    QString text =
        failure + QStringLiteral(":\n") + ChangeLines(outcome.differences).join(QLatin1Char('\n'));
    if (!outcome.snapshotPath.isEmpty()) {
        text += QStringLiteral("\n\n") + TMainForm::tr("Прежние настройки прибора сохранены: %1")
                                             .arg(QDir::toNativeSeparators(outcome.snapshotPath));
    }
    ShowErrorBox(form_.Dialogs(), text);
}

bool WindowFirmwareWrite::OpenPort() {
    return OpenForConnection(form_);
}

void WindowFirmwareWrite::UploadStarting() {
    form_.SetButtonState(ButtonState::OperationRunning);
    form_.Device().Gauge = &form_.gaugeSink_;
    form_.SetStatusText(velor::MessageText(velor::msg::kWritingFirmware));
}

void WindowFirmwareWrite::Disconnected(bool reconnects) {
    DisconnectAfterWrite(form_, reconnects);
}

std::unique_ptr<WindowWriteJob> MakeSettingsWriteJob(TMainForm& form, const SettingsImage& image) {
    return std::make_unique<WindowSettingsWrite>(form, image);
}

std::unique_ptr<WindowWriteJob> MakeFirmwareWriteJob(TMainForm& form) {
    return std::make_unique<WindowFirmwareWrite>(form);
}
