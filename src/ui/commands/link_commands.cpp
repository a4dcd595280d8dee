// The link commands of the window: connect and disconnect, the report of a port that could not
// be opened, and the port's reports during an operation (the driver's I/O error, the device that
// has gone).

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "link/port_lock.h"
#include "operations/device_lost_text.h"
#include "operations/step_relay.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"

#include <QMetaObject>
#include <QPushButton>
#include <QThread>

using namespace velor::window;

void TMainForm::ConnectButtonClick() {
    // The running operation owns the port: closing and reopening it under the worker would cut
    // its exchange short. The demo mode has no device.
    if (!DeviceCommandCanRun()) {
        return;
    }
    SetButtonState(ButtonState::Connecting);
    port_.Close();
    if (port_.Open() == 0) {
        ReportOpenFailure();
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

// No bridge could be opened: the box says the devices are off the USB line; when the system
// named a reason (a device node it would not open), the status bar carries it as well. A port
// that another program holds is only named in the status bar, and "Установить" stays usable.
void TMainForm::ReportOpenFailure() {
    if (port_.LastOpenBusy()) { // the device is there, another program works with it
        SetStatusText(velor::link::PortBusyText(port_.LastOpenDevice()));
        SetButtonState(ButtonState::Disconnected);
        return;
    }
    const QString reason = port_.LastOpenError();
    if (!reason.isEmpty()) {
        const QString device = port_.LastOpenDevice();
        const QString group = port_.LastOpenDeviceGroup();
        QString text = device.isEmpty() ? reason : tr("%1: %2").arg(device, reason);
        if (port_.LastOpenLackedPermission()) {
            text += group.isEmpty()
                        ? tr(" — добавьте своего пользователя в группу, которой принадлежит "
                             "устройство (например, dialout), и войдите в систему заново")
                        : tr(" — добавьте своего пользователя в группу %1 и войдите в систему "
                             "заново")
                              .arg(group);
        }
        SetStatusText(text);
    }
    Dialogs().MessageBox(BoxRequest(velor::MessageText(velor::msg::kNoDevice),
                                    velor::MessageText(velor::msg::kAttention), BoxIcon::Error,
                                    BoxOwner::Main));
}

void TMainForm::CancelButtonClick() {
    connected_ = false;
    port_.Close();
    SetStatusText(velor::MessageText(velor::msg::kLinkInterrupted));
    SetButtonState(ButtonState::Disconnected);
    ClearDeviceLabels();
}

// The port's report of a failed driver read or write.
void TMainForm::ShowPortIoError() {
    RunPortReport([this] {
        Dialogs().MessageBox(BoxRequest(QStringLiteral("FT_IO_ERROR"), QStringLiteral("Error"),
                                        BoxIcon::Error, BoxOwner::Active));
    });
}

// The port's one report of a device that has gone during an operation, in the window's language.
// After a confirmed close only a write still reports it: the device may hold part of the write.
void TMainForm::ShowDeviceLost(const QString& device, const QString& reason) {
    RunPortReport([this, &device, &reason] {
        deviceLostShown_ = true;
        if (closeAccepted_ && !OperationWritesDevice()) {
            return;
        }
        Dialogs().MessageBox(BoxRequest(DeviceLostText(device, reason),
                                        velor::MessageText(velor::msg::kError), BoxIcon::Error,
                                        BoxOwner::Active));
    });
}

// A report the port asks for runs on the window's thread; on another thread, that thread waits
// until it has run (and its box has been closed). The operation thread's report goes through the
// operation's step relay like its other steps, so that a window being destroyed still takes it.
// (operationSteps_ is set before that thread starts and changes only once it has finished.)
void TMainForm::RunPortReport(const std::function<void()>& report) {
    if (QThread::currentThread() == thread()) {
        report();
    } else if (IsOperationRunning()) {
        operationSteps_->Run(report); // refused only late in the window's destruction
    } else {
        QMetaObject::invokeMethod(this, report, Qt::BlockingQueuedConnection);
    }
}
