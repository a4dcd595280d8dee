// The link commands of the window: connect and disconnect over the window's session, the report
// of a port that could not be opened, and the port's reports during an operation (the driver's
// I/O error, the device that has gone).

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "link/port_lock.h"
#include "operations/device_lost_text.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"

#include <QPushButton>

using namespace velor::window;

namespace {
constexpr int kMsgErrorCaption = 10001; // "Ошибка!"
} // namespace

void TMainForm::ConnectButtonClick() {
    // The running operation owns the port: closing and reopening it under the worker would cut
    // its exchange short. The demo mode has no device.
    if (!DeviceCommandCanRun() || !OpenPortForConnect()) {
        return;
    }
    const int workMode = Control<ComboList>(QStringLiteral("WorkMode"))->ItemIndex();
    if (workMode >= 0) {
        StartOperation(workMode == kFirmwareWorkMode ? Operation::ConnectFirmware
                                                     : Operation::ConnectSettings,
                       {});
    }
    Control<QPushButton>(QStringLiteral("HelpBitBtn"))->setFocus();
}

bool TMainForm::OpenPortForConnect() {
    SetButtonState(ButtonState::Connecting);
    UsbPort().Close();
    if (UsbPort().Open() == 0) {
        ReportOpenFailure();
        return false;
    }
    return true;
}

// No bridge could be opened: the box says the devices are off the USB line; when the system
// named a reason (a device node it would not open), the status bar carries it as well. A port
// that another program holds is only named in the status bar, and "Установить" stays usable.
void TMainForm::ReportOpenFailure() {
    const TFTDIUsbPort& port = UsbPort();
    if (port.LastOpenBusy()) { // the device is there, another program works with it
        SetStatusText(velor::link::PortBusyText(port.LastOpenDevice()));
        SetButtonState(ButtonState::Disconnected);
        return;
    }
    const QString reason = port.LastOpenError();
    if (!reason.isEmpty()) {
        const QString device = port.LastOpenDevice();
        const QString group = port.LastOpenDeviceGroup();
        QString text = device.isEmpty() ? reason : tr("%1: %2").arg(device, reason);
        if (port.LastOpenLackedPermission()) {
            text += group.isEmpty()
                        ? tr(" — добавьте своего пользователя в группу, которой принадлежит "
                             "устройство (например, dialout), и войдите в систему заново")
                        : tr(" — добавьте своего пользователя в группу %1 и войдите в систему "
                             "заново")
                              .arg(group);
        }
        SetStatusText(text);
    }
    MessageBoxRequest box;
    box.text = velor::MessageText(velor::msg::kNoDevice);
    box.caption = velor::MessageText(velor::msg::kAttention);
    box.icon = BoxIcon::Error;
    box.owner = BoxOwner::Main;
    Dialogs().MessageBox(box);
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
    MessageBoxRequest box;
    box.text = QStringLiteral("FT_IO_ERROR");
    box.caption = QStringLiteral("Error");
    box.icon = BoxIcon::Error;
    box.owner = BoxOwner::Active;
    Dialogs().MessageBox(box);
}

// The port's one report of a device that has gone during an operation, in the window's language.
// After a confirmed close only a write still reports it: the device may hold part of the write.
void TMainForm::ShowDeviceLost(const QString& device, const QString& reason) {
    deviceLostShown_ = true;
    if (closeAccepted_ && !OperationWritesDevice()) {
        return;
    }
    MessageBoxRequest box;
    box.text = DeviceLostText(device, reason);
    box.caption = velor::MessageText(kMsgErrorCaption);
    box.icon = BoxIcon::Error;
    box.owner = BoxOwner::Active;
    Dialogs().MessageBox(box);
}
