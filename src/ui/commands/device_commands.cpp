// The device commands of the window: writing to and reading from the device, and the steps the
// session's operations ask of the window (status display, decoded settings, key identifier,
// progress reset, end states of the command buttons).

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "operations/key_identifier.h"
#include "operations/status_codes.h"
#include "operations/status_dispatch.h"
#include "ui/commands/window_write_job.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/key_page.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/page_control.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <stdexcept>

using velor::window::kKeys;
using velor::window::Name;
namespace st = velor::status;

namespace {

// The pages whose tabs a device of the Velor-Vorsan system hides: main, loops, outputs and the
// identifier page, which is shown with them in the settings work mode.
constexpr std::array<int, 4> kSettingsPages = {velor::window::kMainPage, velor::window::kLoopPage,
                                               velor::window::kOutputPage, velor::window::kKeyPage};

// Each operation end: the window state it leaves, and whether the firmware-page labels empty.
struct ButtonEnd {
    ButtonOutcome outcome;
    ButtonState state;
    bool clearFirmwareLabels;
};

constexpr std::array<ButtonEnd, 10> kButtonEnds = {{
    {ButtonOutcome::ConnectedSettings, ButtonState::ConnectedSettings, false},
    {ButtonOutcome::ConnectedFirmware, ButtonState::ConnectedFirmware, false},
    {ButtonOutcome::ConnectedSettingsWithLoadId, ButtonState::KeyRead, false},
    {ButtonOutcome::FirmwareWritten, ButtonState::FirmwareWritten, false},
    {ButtonOutcome::FailureConnectSettings, ButtonState::SettingsConnectFailed, false},
    {ButtonOutcome::FailureConnectFirmware, ButtonState::FirmwareConnectFailed, false},
    {ButtonOutcome::FailureWriteSettings, ButtonState::SettingsConnectFailed, true},
    {ButtonOutcome::FailureReadSettings, ButtonState::ReadFailed, true},
    {ButtonOutcome::FailureReadKey, ButtonState::SettingsConnectFailed, true},
    {ButtonOutcome::FailureWriteFirmware, ButtonState::FirmwareConnectFailed, true},
}};

const ButtonEnd& EndOf(ButtonOutcome outcome) {
    const auto* end = std::find_if(kButtonEnds.begin(), kButtonEnds.end(),
                                   [outcome](const ButtonEnd& e) { return e.outcome == outcome; });
    if (end == kButtonEnds.end()) {
        throw std::logic_error("no button end state for an operation outcome");
    }
    return *end;
}

BoxIcon IconOf(StatusIcon icon) {
    switch (icon) {
    case StatusIcon::Information:
        return BoxIcon::Information;
    case StatusIcon::Warning:
        return BoxIcon::Warning;
    default:
        return BoxIcon::Error;
    }
}

BoxOwner OwnerOf(StatusOwner owner) {
    return owner == StatusOwner::Main ? BoxOwner::Main : BoxOwner::Active;
}

} // namespace

// The image is encoded before anything changes: an identifier that cannot be encoded abandons
// the command with the window still connected and its buttons as they were. A settings write
// and a firmware write each run as a job of the session (safe_write.cpp); the window returns to
// its events while it runs.
void TMainForm::WriteButtonClick() {
    if (!DeviceCommandCanRun()) {
        return;
    }
    if (!SettingsMode) {
        StartWriteJob(MakeFirmwareWriteJob(*this));
        return;
    }
    // The trace of the encoding replaces the previous write's: a trace that grew with every
    // write would make the window grow without end.
    Control<QListWidget>(QStringLiteral("ListBox2"))->clear();
    std::optional<SettingsImage> image;
    RunGuarded(Dialogs(), [&] { image = EncodeSettings(); });
    if (!image) {
        Control<QPushButton>(QStringLiteral("BtnAbout"))->setEnabled(true);
        return;
    }
    StartWriteJob(MakeSettingsWriteJob(*this, *image));
}

void TMainForm::ReadButtonClick() {
    if (!DeviceCommandCanRun()) {
        return;
    }
    keyPage_->UncheckOneKeyModes();
    SetButtonState(ButtonState::OperationRunning);
    SetStatusText(velor::MessageText(velor::msg::kReadingSettings));
    Device().Gauge = &gaugeSink_;
    session_.Start(Operation::ReadSettings, {}, [this](const OperationResult&) {
        Control<QPushButton>(QStringLiteral("BtnAbout"))->setEnabled(true);
    });
}

// For every code with a message: the status-bar text first, then the box; further changes
// come after the box has been closed. A failure's box is left out where it would repeat the
// device-lost box or come after a confirmed close (FailureBoxWithheld); its text stays.
void TMainForm::ShowStatus(const StatusReport& report) {
    const std::optional<StatusEntry> entry = StatusFor(report.StatusCode);
    if (!entry) {
        return;
    }
    if (entry->Effect == StatusEffect::DeviceLabels &&
        report.DeviceTypeCode != st::kDeviceType580) {
        return; // only a model 580 is shown
    }
    const QString text = StatusBarText(report.StatusCode);
    SetStatusText(report.StatusCode == st::kConnectFailed ? NoAnswerText(text) : text,
                  entry->Icon == StatusIcon::Error ? StatusTone::Error : StatusTone::Information);
    // A read for a review or a verification, and a settings write whose box waits for the
    // verification, say their success only in the status bar (report.Quiet).
    if (entry->HasBox() && !report.Quiet && !FailureBoxWithheld(report.StatusCode)) {
        Dialogs().MessageBox(BoxRequest(velor::MessageText(entry->MessageId),
                                        velor::MessageText(*entry->BoxCaptionId),
                                        IconOf(entry->Icon), OwnerOf(entry->Owner)));
    }
    if (entry->Effect == StatusEffect::DeviceLabels) {
        const DeviceLabelTexts labels = DeviceLabelsFor(report.Descriptor);
        Control<QLabel>(QStringLiteral("SettingsTypeLabel"))->setText(labels.SettingsType);
        Control<QLabel>(QStringLiteral("TypeLabel"))->setText(labels.Type);
        Control<QLabel>(QStringLiteral("DevSWLabel"))->setText(labels.Version);
        Control<QLabel>(QStringLiteral("SettingsVersionLabel"))->setText(labels.Version);
    } else if (entry->Effect == StatusEffect::DisconnectAndHideTabs) {
        CancelButtonClick();
        for (const int page : kSettingsPages) {
            PageControl1->SetTabVisible(page, false);
        }
    }
}

void TMainForm::ResetProgress() {
    Control<QProgressBar>(QStringLiteral("pb1"))->setValue(0);
    Gauge1->setValue(0);
}

void TMainForm::ShowSettings(const std::vector<uint8_t>& image) {
    if (image.size() != kSettingsImageSize) {
        throw std::runtime_error("a settings image read from the device is not 257 bytes long");
    }
    SettingsImage decoded;
    std::copy(image.begin(), image.end(), decoded.bytes().begin());
    DecodeSettings(decoded);
    KeepWindowSettings(); // the settings last read
}

// An identifier with no text (all 48 bits set) is no key and is never placed; the operation
// reports it as an empty reader. The comparison includes CodeTM<keyNumber> itself.
void TMainForm::PlaceKeyIdentifier(uint64_t identifier, int keyNumber) {
    const QString text = KeyIdentifierText(identifier);
    if (text.isEmpty()) {
        return;
    }
    for (int key = 1; key <= kKeys; ++key) {
        if (keyPage_->Identifier(key)->text() == text) {
            ShowStatus({st::kDuplicateKey, 0, Device().Descriptor});
            return;
        }
    }
    keyPage_->Identifier(keyNumber)->setText(text);
}

// A command the window cannot run now tells the technician why instead of doing nothing.
bool TMainForm::DeviceCommandCanRun() {
    if (IsOperationRunning()) {
        SetStatusText(tr("Дождитесь окончания операции с прибором"));
        return false;
    }
    if (!(SettingsMode || FirmwareMode)) {
        SetStatusText(tr("Связи с прибором нет в этом режиме: выберите «Смена настроек» или "
                         "«Смена ПО»"));
        return false;
    }
    return true;
}

// A successful connection moves the focus to the help button. A failure leaves the buttons of
// the chosen work mode: in the demo mode that is the demo state, never a half-connected one.
void TMainForm::SetButtons(ButtonOutcome outcome) {
    const ButtonEnd& end = EndOf(outcome);
    connected_ = outcome == ButtonOutcome::ConnectedSettings ||
                 outcome == ButtonOutcome::ConnectedFirmware ||
                 outcome == ButtonOutcome::ConnectedSettingsWithLoadId ||
                 outcome == ButtonOutcome::FirmwareWritten;
    SetButtonState(connected_ || !DemoMode ? end.state : ButtonState::DemoMode);
    if (end.clearFirmwareLabels) {
        ClearFirmwareLabels();
    }
    const bool connected =
        outcome == ButtonOutcome::ConnectedSettings || outcome == ButtonOutcome::ConnectedFirmware;
    const std::optional<Operation> operation = session_.CurrentOperation();
    if (connected &&
        (operation == Operation::ConnectSettings || operation == Operation::ConnectFirmware)) {
        Control<QPushButton>(QStringLiteral("HelpBitBtn"))->setFocus();
    }
    // A firmware file opened before the connection is checked against the device now.
    if (outcome == ButtonOutcome::ConnectedFirmware && operation == Operation::ConnectFirmware) {
        QMetaObject::invokeMethod(
            this, [this] { CheckFirmwareAwaitingDevice(); }, Qt::QueuedConnection);
    }
}
