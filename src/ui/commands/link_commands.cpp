// The link commands of the window: connect and disconnect over the window's session, the report
// of a port that could not be opened, and the port's reports during an operation (the driver's
// I/O error, the device that has gone).

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "link/bridge_texts.h"
#include "link/port_lock.h"
#include "operations/device_lost_text.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"

#include <QDir>
#include <QPushButton>

using namespace velor::window;

void TMainForm::ConnectButtonClick() {
    // The running operation owns the port: closing and reopening it under the worker would cut
    // its exchange short. The demo mode has no device.
    if (!DeviceCommandCanRun() || !OpenPortForConnect()) {
        return;
    }
    const int windowMode = Control<ComboList>(QStringLiteral("WorkMode"))->ItemIndex();
    if (windowMode >= 0) {
        StartOperation(windowMode == kFirmwareWindowMode ? Operation::ConnectFirmware
                                                         : Operation::ConnectSettings,
                       {});
    }
    Control<QPushButton>(QStringLiteral("HelpBitBtn"))->setFocus();
}

// A port that cannot be opened leaves the buttons as they were before the attempt, so the
// technician can plug the device in, or choose another port, and press "Установить" again.
bool TMainForm::OpenPortForConnect() {
    const ButtonState before = buttonState_;
    SetButtonState(ButtonState::Connecting);
    UsbPort().Close();
    if (UsbPort().Open() == 0) {
        SetButtonState(before);
        ReportOpenFailure();
        return false;
    }
    return true;
}

// Why the port could not be opened, in the status bar: no bridge attached, or the device and the
// system's reason (a chosen port that does not exist: "No such file or directory" in the window's
// language), with the advice to join the device's group only when the system refused for lack of
// permission. The box says the devices are off the USB line. A port
// that another program holds is only named in the status bar.
void TMainForm::ReportOpenFailure() {
    const TFTDIUsbPort& port = UsbPort();
    if (port.LastOpenBusy()) { // the device is there, another program works with it
        SetStatusText(velor::link::PortBusyText(port.LastOpenDevice()), StatusTone::Error);
        return;
    }
    SetStatusText(OpenFailureText(), StatusTone::Error);
    Dialogs().MessageBox(BoxRequest(velor::MessageText(velor::msg::kNoDevice),
                                    velor::MessageText(velor::msg::kAttention), BoxIcon::Error,
                                    BoxOwner::Main));
}

QString TMainForm::OpenFailureText() {
    const TFTDIUsbPort& port = UsbPort();
    const QString device = QDir::toNativeSeparators(port.LastOpenDevice());
    const QString reason = port.LastOpenError();
    if (device.isEmpty() && reason.isEmpty()) {
        return tr("%1 Подключите прибор и нажмите «Установить».").arg(velor::link::NoBridgeText());
    }
    QString text = device.isEmpty() ? reason : tr("%1: %2").arg(device, reason);
    if (port.LastOpenLackedPermission()) {
        const QString group = port.LastOpenDeviceGroup();
        text += group.isEmpty()
                    ? tr(" — добавьте своего пользователя в группу, которой принадлежит "
                         "устройство (например, dialout), и войдите в систему заново")
                    : tr(" — добавьте своего пользователя в группу %1 и войдите в систему "
                         "заново")
                          .arg(group);
    }
    return text;
}

// A connection the device did not answer: the catalogue's failure and the port it was tried on.
QString TMainForm::NoAnswerText(const QString& failure) {
    const QString device = UsbPort().OpenedDevice();
    if (device.isEmpty() || UsbPort().DeviceLost()) {
        return failure;
    }
    return tr("%1: прибор на %2 не отвечает").arg(failure, QDir::toNativeSeparators(device));
}

void TMainForm::CancelButtonClick() {
    connected_ = false;
    session_.Close();
    SetStatusText(velor::MessageText(velor::msg::kLinkInterrupted));
    SetButtonState(ButtonState::Disconnected);
    ClearDeviceLabels();
}

// The port's report of a failed driver read or write; the session runs it on the window's thread.
void TMainForm::ShowPortIoError() {
    Dialogs().MessageBox(BoxRequest(QStringLiteral("FT_IO_ERROR"), QStringLiteral("Error"),
                                    BoxIcon::Error, BoxOwner::Active));
}

// The port's one report of a device that has gone during an operation, in the window's language.
// After a confirmed close only a write still reports it: the device may hold part of the write.
void TMainForm::ShowDeviceLost(const QString& device, const QString& reason) {
    deviceLostShown_ = true;
    if (closeAccepted_ && !OperationWritesDevice()) {
        return;
    }
    Dialogs().MessageBox(BoxRequest(DeviceLostText(device, reason),
                                    velor::MessageText(velor::msg::kError), BoxIcon::Error,
                                    BoxOwner::Active));
}
