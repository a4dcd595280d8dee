// Where the file dialogs start and which settings files the window offers again. Until the
// technician has chosen a folder, the dialogs start where the program's layout says (the user's
// documents folder when the program's folder is not writable, else the program's folder and
// "Base" for firmware); then the last folder chosen, kept apart for settings files and firmware
// files in the INI file. The last eight settings files opened or saved are offered in the menu of
// "Загрузить" (right click, the menu key, or Ctrl+Shift+O).

#include "catalogue/program_ini.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/shell_services.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

namespace {

QString FolderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// A remembered folder that has gone is no place to start.
QString Existing(const QString& folder) {
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

// The file first, each file once, at most kRecentFileCount.
QStringList WithRecentFile(QStringList recent, const QString& path) {
    recent.removeAll(path);
    recent.prepend(path);
    return recent.mid(0, velor::kRecentFileCount);
}

} // namespace

QString TMainForm::SettingsDialogFolder() const {
    if (const QString last = Existing(places_.settingsFolder); !last.isEmpty()) {
        return last;
    }
    return deps_.startFolder.isEmpty() ? openDialogFolder_ : deps_.startFolder;
}

QString TMainForm::FirmwareDialogFolder() const {
    if (const QString last = Existing(places_.firmwareFolder); !last.isEmpty()) {
        return last;
    }
    return deps_.startFolder.isEmpty() ? FirmwareFolder() : deps_.startFolder;
}

void TMainForm::RememberSettingsFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    places_.settingsFolder = FolderOf(absolute);
    places_.recentFiles = WithRecentFile(places_.recentFiles, absolute);
    RecordFilePlaces();
}

void TMainForm::RememberFirmwareFolder(const QString& path) {
    places_.firmwareFolder = FolderOf(path);
    RecordFilePlaces();
}

void TMainForm::RecordFilePlaces() {
    if (deps_.shell == nullptr) {
        return;
    }
    if (const QString unwritten = deps_.shell->SetFilePlaces(places_); !unwritten.isEmpty()) {
        ReportIniWriteFailure(unwritten);
    }
}

void TMainForm::WireRecentFiles() {
    if (deps_.shell != nullptr) {
        places_ = deps_.shell->FilePlaces();
    }
    auto* load = Control<QPushButton>(QStringLiteral("LoadButton"));
    load->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(load, &QWidget::customContextMenuRequested, this, [this] { ShowRecentFiles(); });
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), this);
    key->setObjectName(QStringLiteral("RecentFilesKey"));
    connect(key, &QShortcut::activated, this, [this] { ShowRecentFiles(); });
}

// The menu pops up under "Загрузить" and returns at once; a file picked in it loads as a file
// chosen in the load dialog does, after the same question about unsaved changes.
void TMainForm::ShowRecentFiles() {
    auto* load = Control<QPushButton>(QStringLiteral("LoadButton"));
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("RecentFilesMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool loads = load->isEnabled() && (SettingsMode || DemoMode);
    int number = 0;
    for (const QString& file : places_.recentFiles) {
        QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(
            QDir::toNativeSeparators(file).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        action->setData(file);
        action->setEnabled(loads);
        connect(action, &QAction::triggered, this, [this, file] {
            RunGuarded(Dialogs(), [this, &file] {
                if (AskToSaveChanges()) {
                    LoadConfigurationFile(file);
                }
            });
        });
    }
    if (places_.recentFiles.isEmpty()) {
        menu->addAction(tr("Нет недавних файлов"))->setEnabled(false);
    }
    menu->addSeparator();
    menu->addAction(undoAction_);
    menu->popup(load->mapToGlobal(QPoint(0, load->height())));
}
