// The safeguards around a settings write from the window: the device's settings are read
// first, the technician reviews what will change, the device's settings are kept as a
// snapshot in the settings history, and after the write (and the window's reconnection) the
// settings are read back and compared with what was sent. The firmware write is confirmed
// with the file's and the device's identity first.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "operations/firmware_check.h"
#include "operations/status_codes.h"
#include "operations/status_dispatch.h"
#include "settings/settings_diff.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_history.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/shell_services.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace st = velor::status;
using velor::settings::ChangeLines;
using velor::settings::DiffSettings;
using velor::settings::FieldChange;
using velor::settings::ShortFingerprint;

namespace {} // namespace

QString TMainForm::DeviceText(int type, const QString& version) {
    return tr("%1, версия ПО %2").arg(type).arg(version);
}

QString TMainForm::ConnectedDeviceText() const {
    return DeviceText(device_.Descriptor.Type, VersionText(device_.Descriptor));
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

// A normal settings read (the same frames and progress as "Считать из") whose image is kept
// apart instead of being decoded into the window; its success box is left out, the status bar
// says it. Returns the image, or nothing when the read failed (its failure was reported).
std::optional<SettingsImage> TMainForm::ReadDeviceSettings() {
    deviceSettings_.reset();
    readKeepsImage_ = true;
    SetButtonState(ButtonState::OperationRunning);
    SetStatusText(velor::MessageText(velor::msg::kReadingSettings));
    device_.Gauge = &gaugeSink_;
    StartOperation(Operation::ReadSettings, {});
    WaitForOperation();
    readKeepsImage_ = false;
    return deviceSettings_;
}

// Before the first block: the device's settings read, the change list shown (unless the
// technician turned it off) and the device's settings saved to the history. False when the
// write must not go ahead: the read failed, the technician cancelled, or the snapshot could not
// be saved. The window's settings and buttons are then as they were before the command.
bool TMainForm::PrepareSettingsWrite(const SettingsImage& image) {
    const std::optional<SettingsImage> current = ReadDeviceSettings();
    if (closeAccepted_) {
        return false;
    }
    if (!current) {
        SetStatusText(tr("Запись отменена: настройки прибора не прочитаны"));
        return false;
    }
    if (ReviewsWrites()) {
        WriteReviewRequest request;
        request.device = ConnectedDeviceText();
        request.deviceFingerprint = ShortFingerprint(*current);
        request.windowFingerprint = ShortFingerprint(image);
        request.changes = DiffSettings(*current, image);
        const WriteReviewAnswer answer = Dialogs().ReviewWrite(request);
        SetReviewsWrites(answer.reviewNextTime);
        if (!answer.write) {
            SetStatusText(tr("Запись отменена: в прибор ничего не записано"));
            return false;
        }
    }
    return SaveSnapshot(*current, image);
}

// After the write and the reconnection: the settings read back must be what was sent, byte for
// byte. The write's success box waits for this result.
void TMainForm::VerifySettingsWrite(const SettingsImage& sent) {
    WaitForOperation(); // the reconnection the write ends with
    if (closeAccepted_) {
        return;
    }
    if (!connected_ || !SettingsMode) {
        SetStatusText(tr("Настройки записаны, но не проверены: нет связи с прибором"));
        return;
    }
    const std::optional<SettingsImage> kept = ReadDeviceSettings();
    if (closeAccepted_) {
        return;
    }
    if (!kept) {
        SetStatusText(
            tr("Настройки записаны, но не проверены: не удалось прочитать их из прибора"));
        return;
    }
    if (*kept == sent) {
        ShowStatus({st::kSettingsWritten, st::kDeviceType580, device_.Descriptor});
        SetStatusText(tr("Запись настроек проверена: прибор хранит записанное (отпечаток %1)")
                          .arg(ShortFingerprint(sent)));
        return;
    }
    const QString failure = tr("Прибор сохранил не то, что было записано");
    SetStatusText(failure);
    QString text = failure + QStringLiteral(":\n") +
                   ChangeLines(DiffSettings(sent, *kept)).join(QLatin1Char('\n'));
    if (!lastSnapshot_.isEmpty()) {
        text += QStringLiteral("\n\n") + tr("Прежние настройки прибора сохранены: %1")
                                             .arg(QDir::toNativeSeparators(lastSnapshot_));
    }
    ShowErrorBox(Dialogs(), text);
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
                   .arg(device_.Descriptor.Type)
                   .arg(VersionText(device_.Descriptor));
    if (Dialogs().MessageBox(box) == BoxResult::Ok) {
        return true;
    }
    SetStatusText(tr("Смена ПО отменена: в прибор ничего не записано"));
    return false;
}

// The device's settings as they were, kept before the first block: without them the write
// could not be undone, so a snapshot that cannot be saved stops the write.
bool TMainForm::SaveSnapshot(const SettingsImage& previous, const SettingsImage& next) {
    SettingsHistory history(HistoryFolder());
    const HistorySave saved =
        history.Save(previous, device_.Descriptor, next, QDateTime::currentDateTime());
    if (!saved.Saved()) {
        ShowErrorBox(Dialogs(), tr("Прежние настройки прибора не сохранены в историю: %1\n"
                                   "Запись не начата: без снимка ее нельзя было бы отменить.")
                                    .arg(saved.error));
        SetStatusText(tr("Запись отменена: снимок настроек прибора не сохранен"));
        return false;
    }
    lastSnapshot_ = saved.path;
    return true;
}
