// The port choice of the window: the list under "USB - порт" (pages/port_list.h) names the device
// the next "Установить" opens; the choice is kept in the INI file's [Port] Device for the next
// start (empty: the first FTDI bridge), where ./run.sh also writes the simulator's terminal.

#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/command_column.h"
#include "ui/pages/port_list.h"
#include "ui/shell_services.h"

#include <QDir>

void TMainForm::WirePortList() {
    PortList* ports = column_->Ports();
    ports->SetChosenDevice(UsbPort().ChosenDevice()); // what the INI file named at start
    connect(ports, &PortList::deviceChosen, this, &TMainForm::ChoosePort);
    connect(ports, &PortList::otherPortRequested, this, &TMainForm::AskOtherPort);
}

void TMainForm::ChoosePort(const QString& path) {
    UsbPort().ChooseDevice(path);
    column_->Ports()->SetChosenDevice(path);
    SetStatusText(path.isEmpty() ? tr("Порт связи: автоматически, первый мост FTDI")
                                 : tr("Порт связи: %1").arg(QDir::toNativeSeparators(path)));
    if (deps_.shell != nullptr) {
        if (const QString unwritten = deps_.shell->SetPortDevice(path); !unwritten.isEmpty()) {
            ReportIniWriteFailure(unwritten);
        }
    }
}

void TMainForm::AskOtherPort() {
    PortPathRequest request;
    request.caption = tr("Другой порт");
    request.label = tr("Путь к порту (например, терминал имитатора прибора /dev/pts/5):");
    request.current = UsbPort().ChosenDevice();
    request.candidates = column_->Ports()->OtherPortCandidates();
    const QString path = Dialogs().AskPortPath(request);
    if (!path.isEmpty()) {
        ChoosePort(path);
    }
}
