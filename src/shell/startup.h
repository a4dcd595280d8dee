#pragma once

#include "catalogue/program_files.h"
#include "shell/language_selection.h"

#include <QString>

#include <functional>
#include <memory>

class ProgramShellServices;
class TAboutBox;
class Desktop;
class DialogService;
class TMainForm;
class QWidget;
struct MainFormDeps;

// What start-up needs from outside; tests replace the program path, the dialogs and the window.
struct StartupContext {
    QString programPath = velor::RunningProgramPath();
    DialogService* dialogs = nullptr; // every box, the exception box included; must outlive the run
    Desktop* desktop = nullptr; // opens help, web and e-mail; null opens nothing; must outlive
    // Runs the about box and the language dialog modally; velor::RunModal when empty.
    velor::ModalRunner runModal;
    // Creates the main window; the real TMainForm when empty.
    std::function<std::unique_ptr<TMainForm>(MainFormDeps)> makeMainForm;
    // Told the main window once it exists (the owner of the dialogs' boxes), and null before the
    // window is destroyed at exit. May be empty.
    std::function<void(QWidget*)> setMainWindow;
    // A settings or firmware file to open at the start (an absolute path); empty for none.
    QString openFile;
};

// The windows that live from start-up to exit.
struct StartedProgram {
    StartedProgram();
    StartedProgram(StartedProgram&&) noexcept;
    StartedProgram& operator=(StartedProgram&&) noexcept;
    ~StartedProgram();

    // Declared first so that it outlives the window that uses it.
    std::unique_ptr<ProgramShellServices> shell;
    std::unique_ptr<TMainForm> mainForm;
    std::unique_ptr<TAboutBox> aboutBox; // hidden until asked for
};

// Start-up up to the message loop, on an existing application object: makes the program's folder
// the current folder, reads the interface language from the INI file, records it and switches
// the locale runtime to it, loads the message catalogue, creates the main window (not shown yet)
// and the hidden about box. Throws what the main window's construction throws.
StartedProgram StartConfigurator(const StartupContext& context);

// StartConfigurator, then shows the main window and runs the message loop until it has closed.
// Returns 0 then; when start-up fails, shows the error in the exception box and returns
// kStartupFailedExitCode.
constexpr int kStartupFailedExitCode = 1;
int RunConfigurator(const StartupContext& context);
