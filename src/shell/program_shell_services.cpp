#include "shell/program_shell_services.h"

#include "catalogue/catalogue_loader.h"
#include "catalogue/locale_runtime.h"
#include "catalogue/program_files.h"
#include "catalogue/program_ini.h"
#include "catalogue/program_layout.h"
#include "recording/technician_name.h"
#include "shell/about_box.h"

#include <QDir>

namespace {
constexpr char kHelpFolder[] = "help";
} // namespace

ProgramShellServices::ProgramShellServices(QString programPath, velor::ModalRunner runModal)
    : programPath_(std::move(programPath)),
      runModal_(runModal ? std::move(runModal) : velor::ModalRunner(&velor::RunModal)) {}

ShellServices::HelpLocation ProgramShellServices::HelpFile() const {
    HelpLocation file;
    file.name = velor::ReadHelpFileName(programPath_);
    // Without an entry, the shipped file of the language: "velor580_ru.html".
    if (file.name.isEmpty()) {
        QString locale = velor::GetCurrentDefaultLocaleReg(programPath_);
        if (locale.isEmpty()) {
            locale = velor::kBaseLocale;
        }
        file.name = QStringLiteral("velor580_%1.html").arg(locale.toLower());
    }
    file.path = velor::DataFolder(programPath_) + QLatin1Char('/') + QLatin1String(kHelpFolder) +
                QLatin1Char('/') + file.name;
    return file;
}

void ProgramShellServices::ShowAboutBox() {
    if (aboutBox_ != nullptr) {
        runModal_(*aboutBox_);
    }
}

void ProgramShellServices::CheckLanguageLibraries() const {
    velor::CheckResourceCount(programPath_);
}

// The base language "RU", the library's own number and date formats, centred on the window.
ShellServices::LanguageChoice ProgramShellServices::SelectResourceLocale(QWidget* owner) {
    LanguageChoice choice;
    choice.chosen =
        velor::SelectResourceLocale(velor::kBaseLocale, {}, owner, runModal_, programPath_);
    if (choice.chosen) {
        choice.unwrittenIni = RecordLocale();
    }
    return choice;
}

// The runtime's per-user default locale and the INI key [Language] Default are kept equal, so
// that the next start uses the chosen language; the catalogue is reloaded so that later
// messages appear in it too. Returns the INI file when it could not be written.
QString ProgramShellServices::RecordLocale() {
    velor::SetCurrentDefaultLocaleReg(programPath_);
    QString locale = velor::GetCurrentDefaultLocaleReg(programPath_);
    if (locale.isEmpty()) {
        locale = velor::kBaseLocale;
    }
    QDir::setCurrent(velor::DataFolder(programPath_));
    const bool written = velor::WriteStartupLocale(locale, programPath_);
    velor::LoadMessageCatalogue(programPath_);
    return written ? QString() : velor::IniFilePath(programPath_);
}

bool ProgramShellServices::ReviewBeforeWrite() const {
    return velor::ReadReviewBeforeWrite(programPath_);
}

QString ProgramShellServices::SetReviewBeforeWrite(bool review) {
    return velor::WriteReviewBeforeWrite(review, programPath_) ? QString()
                                                               : velor::IniFilePath(programPath_);
}

QString ProgramShellServices::SetPortDevice(const QString& path) {
    return velor::WritePortDevice(path, programPath_) ? QString()
                                                      : velor::IniFilePath(programPath_);
}

velor::FilePlaces ProgramShellServices::FilePlaces() const {
    return velor::ReadFilePlaces(programPath_);
}

QString ProgramShellServices::SetFilePlaces(const velor::FilePlaces& places) {
    return velor::WriteFilePlaces(places, programPath_) ? QString()
                                                        : velor::IniFilePath(programPath_);
}

QString ProgramShellServices::TechnicianName() const {
    const QString variable = qEnvironmentVariable(velor::kTechnicianVariable).trimmed();
    return variable.isEmpty() ? velor::ReadTechnicianName(programPath_) : variable;
}

QString ProgramShellServices::SetTechnicianName(const QString& name) {
    return velor::WriteTechnicianName(name, programPath_) ? QString()
                                                          : velor::IniFilePath(programPath_);
}
