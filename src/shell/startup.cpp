#include "shell/startup.h"

#include "catalogue/catalogue_loader.h"
#include "catalogue/locale_runtime.h"
#include "catalogue/program_ini.h"
#include "catalogue/program_layout.h"
#include "link/tty_ftdi_driver.h"
#include "shell/about_box.h"
#include "shell/program_shell_services.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/main_form_deps.h"

#include <QApplication>
#include <QDir>
#include <QtDebug>

#include <chrono>
#include <exception>
#include <stdexcept>
#include <thread>

StartedProgram::StartedProgram() = default;
StartedProgram::StartedProgram(StartedProgram&&) noexcept = default;
StartedProgram& StartedProgram::operator=(StartedProgram&&) noexcept = default;
StartedProgram::~StartedProgram() = default;

namespace {

void SleepMilliseconds(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

MainFormDeps MakeMainFormDeps(const StartupContext& context, ShellServices* shell) {
    MainFormDeps deps;
    deps.dialogs = context.dialogs;
    deps.desktop = context.desktop;
    deps.shell = shell;
    deps.sleeper = &SleepMilliseconds;
    deps.firmwareFolder = velor::FirmwareFolder(context.programPath);
    deps.historyFolder = velor::HistoryFolder(context.programPath);
    // A program folder the user cannot write (installed under /usr) is no place for the user's
    // files: the file dialogs start in the documents folder.
    if (velor::KeepsStateWithUser(context.programPath)) {
        deps.startFolder = velor::DocumentsFolder();
    }
    deps.siteBookPath = velor::SiteBookPath(context.programPath);
    // An INI key [Port] Device names a serial device to use instead of the first FTDI bridge.
    deps.makeDriver = [programPath = context.programPath]() -> std::unique_ptr<FtdiDriver> {
        return std::make_unique<TtyFtdiDriver>(velor::ReadPortDevice(programPath));
    };
    return deps;
}

std::unique_ptr<TMainForm> CreateMainForm(const StartupContext& context, ShellServices* shell) {
    MainFormDeps deps = MakeMainFormDeps(context, shell);
    if (context.makeMainForm) {
        return context.makeMainForm(std::move(deps));
    }
    return std::make_unique<TMainForm>(std::move(deps));
}

// The language the INI file names becomes the recorded and the running one.
void StartLanguage(const QString& programPath) {
    const QString locale = velor::ReadStartupLocale(programPath);
    velor::SetDefaultLocaleReg(programPath, locale);
    velor::SetNewResourceFile(locale, {}, velor::kBaseLocale, programPath);
    velor::LoadMessageCatalogue(programPath);
}

void ShowStartupError(DialogService* dialogs, const QString& text) {
    if (dialogs == nullptr) {
        qCritical("Start-up failed: %s", qUtf8Printable(text));
        return;
    }
    ShowExceptionBox(*dialogs, text);
}

// The text of the error being handled; an error of unknown kind carries none.
QString CurrentErrorText() {
    try {
        throw;
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return {};
    }
}

void TellMainWindow(const StartupContext& context, QWidget* window) {
    if (context.setMainWindow) {
        context.setMainWindow(window);
    }
}

} // namespace

StartedProgram StartConfigurator(const StartupContext& context) {
    if (context.dialogs == nullptr) {
        throw std::logic_error("start-up needs the dialogs");
    }
    // Relative paths ("580default.cfg", and "Base" in a runtime folder) resolve against the
    // folder of the shipped data: the program's own one, or share/velor580 when installed.
    QDir::setCurrent(velor::DataFolder(context.programPath));
    QString damagedIni;
    const bool iniWritable = velor::PrepareUserIni(context.programPath, &damagedIni);
    StartLanguage(context.programPath);

    StartedProgram program;
    program.shell = std::make_unique<ProgramShellServices>(context.programPath, context.runModal);
    program.mainForm = CreateMainForm(context, program.shell.get());
    TellMainWindow(context, program.mainForm.get());
    program.mainForm->FormCreate();
    if (!context.openFile.isEmpty()) {
        program.mainForm->OpenFileAtStart(context.openFile);
    }
    if (!damagedIni.isEmpty()) {
        program.mainForm->SetStatusText(
            QCoreApplication::translate("Startup",
                                        "Файл настроек программы был поврежден: он сохранен как "
                                        "%1, настройки программы начаты заново")
                .arg(QDir::toNativeSeparators(damagedIni)),
            TMainForm::StatusTone::Error);
    }
    if (!iniWritable) {
        program.mainForm->ReportIniWriteFailure(velor::IniFilePath(context.programPath));
    }
    program.aboutBox = std::make_unique<TAboutBox>();
    program.shell->SetAboutBox(program.aboutBox.get());
    return program;
}

int RunConfigurator(const StartupContext& context) {
    StartedProgram program;
    try {
        program = StartConfigurator(context);
    } catch (...) {
        // A failed start must be visible to scripts and package checks, not only on screen.
        TellMainWindow(context, nullptr);
        ShowStartupError(context.dialogs, CurrentErrorText());
        return kStartupFailedExitCode;
    }
    program.mainForm->show();
    QApplication::exec();
    TellMainWindow(context, nullptr);
    return 0;
}
