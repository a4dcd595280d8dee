// The file commands of the window: saving and loading a configuration file, the factory settings
// read from "580default.cfg" at construction, and the firmware file that the firmware work mode
// writes to the device; with the settings codec run on the window's controls.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "catalogue/program_layout.h"
#include "link/firmware_image.h"
#include "operations/firmware_check.h"
#include "operations/status_dispatch.h"
#include "settings/cfg_format.h"
#include "settings/regular_file.h"
#include "settings/settings_codec.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/key_page.h"
#include "ui/settings_controls_adapter.h"
#include "ui/window_locale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

#include <exception>

using velor::MessageText;

namespace {
using velor::kFactoryDefaultsFile; // in the current folder, the program's data folder
constexpr char kCfgSuffix[] = "cfg";
constexpr char kFirmwareSuffix[] = "tsk";
constexpr int kCfgFilter = 0;      // OpenDialog1's and SaveDialog1's first entry
constexpr int kFirmwareFilter = 1; // OpenDialog1's second entry

// The labels a refused firmware file empties; FileLabel keeps the file's name.
constexpr const char* kFirmwareFileDetails[] = {"FileTypeLabel", "SizeLabel", "DateLabel",
                                                "VersionLabel"};

QStringList ListLines(const QListWidget& list) {
    QStringList lines;
    for (int row = 0; row < list.count(); ++row) {
        lines.append(list.item(row)->text());
    }
    return lines;
}

void ReplaceLines(QListWidget& list, const QStringList& lines) {
    list.clear();
    list.addItems(lines);
}

// A name typed without extension gets ".cfg".
QString WithCfgSuffix(const QString& path) {
    return QFileInfo(path).suffix().isEmpty() ? path + QLatin1Char('.') + QLatin1String(kCfgSuffix)
                                              : path;
}

FileDialogRequest OpenDialogRequest(const QString& folder, const char* suffix, int filter) {
    FileDialogRequest request;
    request.directory = folder;
    request.filters = QStringList{TMainForm::tr("Файлы конфигурации (*.cfg)"),
                                  TMainForm::tr("Файлы прошивок (*.tsk)")};
    request.selectedFilter = filter;
    request.defaultSuffix = QLatin1String(suffix);
    return request;
}

FileDialogRequest SaveDialogRequest(const QString& folder) {
    FileDialogRequest request;
    request.directory = folder;
    request.filters =
        QStringList{TMainForm::tr("Файлы конфигурации (*.cfg)"), TMainForm::tr("Все файлы (*)")};
    request.selectedFilter = kCfgFilter;
    request.defaultSuffix = QLatin1String(kCfgSuffix);
    return request;
}

// A firmware file no upload could send is refused for its reason: it cannot be read, it is not a
// regular file, or its size breaks the image rules (one that is too large is never read).
struct FirmwareFile {
    std::vector<uint8_t> image;
    QString refusal;
};

FirmwareFile ReadFirmwareFile(const QString& path) {
    const FileRead read = ReadRegularFile(path, velor::protocol::kLargestCountableFirmware);
    if (read.refusal == FileRefusal::TooLarge) {
        return {{}, FirmwareSizeRefusal(static_cast<std::size_t>(read.size))};
    }
    if (read.refusal != FileRefusal::None) {
        return {{}, read.reason};
    }
    return {std::vector<uint8_t>(read.content.begin(), read.content.end()),
            FirmwareSizeRefusal(static_cast<std::size_t>(read.content.size()))};
}

void SetLabel(const TMainForm& form, const char* name, const QString& text) {
    form.Control<QLabel>(QLatin1String(name))->setText(text);
}

// The whole path, also as the tooltip of the label that may show it shortened.
void ShowFirmwareFile(const TMainForm& form, const QString& path, std::size_t size) {
    const QString fullPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    auto* file = form.Control<QLabel>(QStringLiteral("FileLabel"));
    file->setText(fullPath);
    file->setToolTip(fullPath);
    SetLabel(form, "SizeLabel", QString::number(size));
}

// A file for another device type or platform: the box, the status text, its details emptied.
void ReportMismatch(TMainForm& form, FirmwareMatch match) {
    ShowErrorBox(form.Dialogs(),
                 MessageText(match == FirmwareMatch::TypeMismatch ? velor::msg::kTypeMismatch
                                                                  : velor::msg::kPlatformMismatch));
    form.SetStatusText(FirmwareRefusalText(match), TMainForm::StatusTone::Error);
    for (const char* name : kFirmwareFileDetails) {
        SetLabel(form, name, QString());
    }
}

// A file that cannot be read, or that no upload could send: the firmware refusal, then the file
// and why.
void RefuseFirmwareFile(TMainForm& form, const QString& path, const QString& reason) {
    ShowErrorBox(form.Dialogs(), MessageText(velor::msg::kFirmwareNotLoaded) + QLatin1Char('\n') +
                                     path + QStringLiteral(": ") + reason);
    form.SetStatusText(MessageText(velor::msg::kFirmwareNotLoaded), TMainForm::StatusTone::Error);
}
} // namespace

SettingsImage TMainForm::EncodeSettings() {
    WindowSettingsControls controls(*this);
    return ::EncodeSettings(controls);
}

void TMainForm::DecodeSettings(const SettingsImage& image) {
    WindowSettingsControls controls(*this);
    ::DecodeSettings(controls, image);
}

// At construction: a missing or bad file makes the construction fail with the reader's error,
// which names the file by its full path, so that the technician sees where it was looked for.
void TMainForm::LoadFactoryDefaults() {
    const QString file =
        QDir::toNativeSeparators(QFileInfo(QLatin1String(kFactoryDefaultsFile)).absoluteFilePath());
    const QStringList lines = ReadCfgLines(file);
    ImageFromCfgLines(lines, file); // converted once here so that a bad file's error names it
    ReplaceLines(*Control<QListWidget>(QStringLiteral("ListBox1")), lines);
    ApplyFactoryDefaults();
}

// The factory settings file's settings, loaded: there is nothing to save of them, and they are
// the settings the next question compares with.
void TMainForm::ApplyFactoryDefaults() {
    DecodeSettings(ImageFromCfgLines(ListLines(*Control<QListWidget>(QStringLiteral("ListBox1")))));
    KeepWindowSettings();
    SetStatusText(MessageText(velor::msg::kFactorySettingsSet));
}

void TMainForm::DefaultButtonClick() {
    RunGuarded(Dialogs(), [this] {
        if (AskToSaveChanges()) {
            RememberForUndo();
            ApplyFactoryDefaults();
        }
    });
}

void TMainForm::SaveButtonClick() {
    RunGuarded(Dialogs(), [this] { SaveConfiguration(); });
}

bool TMainForm::SaveConfiguration() {
    const QString chosen = Dialogs().SaveFileName(SaveDialogRequest(SettingsDialogFolder()));
    if (chosen.isEmpty()) {
        return false;
    }
    auto* buffer = Control<QListWidget>(QStringLiteral("ListBox2"));
    buffer->clear();
    const SettingsImage image = EncodeSettings();
    ReplaceLines(*buffer, CfgLines(image));
    const QString path = WithCfgSuffix(chosen);
    SaveCfgFile(path, image);
    KeepWrittenSettings(image);
    RememberSettingsFile(path);
    SetStatusText(MessageText(velor::msg::kSavedToFile));
    return true;
}

// A settings image other than the window's (a history snapshot) saved where the technician says.
void TMainForm::SaveImageAs(const SettingsImage& image) {
    const QString chosen = Dialogs().SaveFileName(SaveDialogRequest(SettingsDialogFolder()));
    if (chosen.isEmpty()) {
        return;
    }
    SaveCfgFile(WithCfgSuffix(chosen), image);
    SetStatusText(MessageText(velor::msg::kSavedToFile));
}

void TMainForm::LoadButtonClick() {
    RunGuarded(Dialogs(), [this] {
        if (SettingsMode || DemoMode) {
            if (AskToSaveChanges()) {
                LoadConfiguration();
            }
        } else if (FirmwareMode) {
            LoadFirmware();
        }
    });
}

// A file that cannot be read or converted changes nothing, not even the one-key modes. The
// one-key modes end unticked in every other case; they are unticked before the file's keys are
// set, since a key in one-key mode gets its arm boxes copied over its disarm boxes whenever an arm
// box changes, which would replace the file's disarm rights.
void TMainForm::LoadConfiguration() {
    const QString chosen =
        Dialogs().OpenFileName(OpenDialogRequest(SettingsDialogFolder(), kCfgSuffix, kCfgFilter));
    if (chosen.isEmpty()) {
        keyPage_->UncheckOneKeyModes();
        return;
    }
    LoadConfigurationFile(chosen);
}

// The file's settings replace the window's (one step back with Ctrl+Z); they are the settings
// last loaded from then on.
void TMainForm::LoadConfigurationFile(const QString& path) {
    auto* buffer = Control<QListWidget>(QStringLiteral("ListBox2"));
    buffer->clear();
    const QStringList lines = ReadCfgLines(path);
    buffer->addItems(lines);
    const SettingsImage image = ImageFromCfgLines(lines, path);
    RememberForUndo();
    keyPage_->UncheckOneKeyModes();
    DecodeSettings(image);
    KeepWindowSettings();
    RememberSettingsFile(path);
    // In place of the loop-type warning the decoding raised: the settings came from a file.
    SetStatusText(tr("Настройки загружены из файла %1").arg(QDir::toNativeSeparators(path)));
}

// Only a file that fits the identified device becomes the image to write; every other outcome
// keeps an image accepted earlier and the write button as they were.
void TMainForm::LoadFirmware() {
    openDialogFolder_ = FirmwareFolder();
    const QString chosen = Dialogs().OpenFileName(
        OpenDialogRequest(FirmwareDialogFolder(), kFirmwareSuffix, kFirmwareFilter));
    if (chosen.isEmpty()) {
        return;
    }
    LoadFirmwareFile(chosen);
}

void TMainForm::LoadFirmwareFile(const QString& chosen) {
    firmwareAwaitingDevice_.clear();
    RememberFirmwareFolder(chosen);
    FirmwareFile file = ReadFirmwareFile(chosen);
    if (!file.refusal.isEmpty()) {
        RefuseFirmwareFile(*this, chosen, file.refusal);
        firmwareRefusalShown_ = true;
        return;
    }
    const TVelorDevDesc descriptor = FirmwareDescriptor(file.image).value();
    ShowFirmwareFile(*this, chosen, file.image.size());
    firmwareFileTime_ = QFileInfo(chosen).lastModified();
    Control<QLabel>(QStringLiteral("DateLabel"))
        ->setText(WindowLocale().toString(firmwareFileTime_, QLocale::ShortFormat));
    const FirmwareMatch match = MatchFirmware(descriptor, Device().Descriptor);
    if (match == FirmwareMatch::TypeMismatch || match == FirmwareMatch::PlatformMismatch) {
        ReportMismatch(*this, match);
        firmwareRefusalShown_ = true;
        return;
    }
    if (match == FirmwareMatch::UnknownType) {
        SetLabel(*this, "FileTypeLabel", QString::number(descriptor.Type));
        SetStatusText(FirmwareRefusalText(match), StatusTone::Error);
        firmwareRefusalShown_ = true;
        return;
    }
    SetLabel(*this, "FileTypeLabel", MessageText(velor::msg::kFirmwareFor580));
    SetLabel(*this, "VersionLabel", VersionText(descriptor));
    firmwareImage_ = std::move(file.image);
    firmwarePath_ = QFileInfo(chosen).absoluteFilePath();
    // The refusal of an earlier file no longer holds: the status bar says this one was accepted.
    if (firmwareRefusalShown_) {
        SetStatusText(tr("Файл ПО принят: %1").arg(QDir::toNativeSeparators(chosen)));
        firmwareRefusalShown_ = false;
    }
    Control<QProgressBar>(QStringLiteral("pb1"))->setValue(0);
    Control<QPushButton>(QStringLiteral("WriteButton"))->setEnabled(true);
}

// After a language change: the date shown again in the new language's format, unless the file's
// details have been emptied since.
void TMainForm::ShowFirmwareFileTime() {
    auto* date = Control<QLabel>(QStringLiteral("DateLabel"));
    if (firmwareFileTime_.isValid() && !date->text().isEmpty()) {
        date->setText(WindowLocale().toString(firmwareFileTime_, QLocale::ShortFormat));
    }
}
