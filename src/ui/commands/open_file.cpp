// A file handed to the window from outside: named on the command line ("velor580 FILE.cfg",
// the desktop entry's %f) or dropped onto the window. A settings file is loaded into the window
// as "Загрузить" loads it, in the demo window mode unless a device is connected; a firmware file
// is taken in the firmware window mode and checked against the device once one is connected.

#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/command_column.h"
#include "ui/widgets/combo_list.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

namespace {

constexpr char kFirmwareSuffix[] = "tsk";
constexpr char kSettingsSuffix[] = "cfg";

bool IsFirmwareFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String(kFirmwareSuffix), Qt::CaseInsensitive) ==
           0;
}

bool IsSettingsFile(const QString& path) {
    return QFileInfo(path).suffix().compare(QLatin1String(kSettingsSuffix), Qt::CaseInsensitive) ==
           0;
}

// The one local .cfg or .tsk file a drop carries; empty for anything else.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().constFirst();
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    return IsFirmwareFile(path) || IsSettingsFile(path) ? path : QString();
}

} // namespace

void TMainForm::OpenFileAtStart(const QString& path) {
    fileAtStart_ = QFileInfo(path).absoluteFilePath();
}

void TMainForm::SwitchWindowMode(int windowMode) {
    column_->WindowModes()->SetItemIndex(windowMode);
    WorkModeClick();
}

void TMainForm::OpenFile(const QString& path) {
    if (IsOperationRunning()) {
        SetStatusText(tr("Дождитесь окончания операции с прибором"));
        return;
    }
    RunGuarded(Dialogs(), [this, &path] {
        if (IsFirmwareFile(path)) {
            OpenFirmwareFile(path);
        } else {
            OpenSettingsFile(path);
        }
    });
}

void TMainForm::OpenSettingsFile(const QString& path) {
    if (IsConnected() && !SettingsMode) {
        SetStatusText(tr("Файл настроек загружается в режимах «Смена настроек» и «Демо-режим»"));
        return;
    }
    if (!IsConnected() && !DemoMode) {
        SwitchWindowMode(velor::window::kDemoWindowMode);
    }
    if (AskToSaveChanges()) {
        LoadConfigurationFile(path);
    }
}

// Not connected, the file waits for the device: the connection in the firmware window mode checks
// it as a file chosen then would be.
void TMainForm::OpenFirmwareFile(const QString& path) {
    if (IsConnected() && !FirmwareMode) {
        SetStatusText(tr("Файл ПО загружается в режиме «Смена ПО»"));
        return;
    }
    if (IsConnected()) {
        LoadFirmwareFile(path);
        return;
    }
    if (!FirmwareMode) {
        SwitchWindowMode(velor::window::kFirmwareWindowMode);
    }
    firmwareAwaitingDevice_ = QFileInfo(path).absoluteFilePath();
    const QString shown = QDir::toNativeSeparators(firmwareAwaitingDevice_);
    auto* file = Control<QLabel>(QStringLiteral("FileLabel"));
    file->setText(shown);
    file->setToolTip(shown);
    SetStatusText(
        tr("Файл ПО %1 будет проверен после подключения прибора: нажмите «Установить»").arg(shown));
}

// After a connection in the firmware window mode (queued, once the connection's steps are done).
void TMainForm::CheckFirmwareAwaitingDevice() {
    if (firmwareAwaitingDevice_.isEmpty() || !FirmwareMode || !IsConnected()) {
        return;
    }
    const QString path = firmwareAwaitingDevice_;
    firmwareAwaitingDevice_.clear();
    RunGuarded(Dialogs(), [this, &path] { LoadFirmwareFile(path); });
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    OpenFile(path);
}
