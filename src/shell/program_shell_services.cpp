#include "shell/program_shell_services.h"

#include "shell/about_box.h"

ProgramShellServices::ProgramShellServices(QString programPath, velor::ModalRunner runModal)
    : programPath_(std::move(programPath)),
      runModal_(runModal ? std::move(runModal) : velor::ModalRunner(&velor::RunModal)) {}

void ProgramShellServices::showAboutBox() {
    if (aboutBox_ != nullptr) {
        runModal_(*aboutBox_);
    }
}

// The base language "RU", the library's own number and date formats, centred on the window.
bool ProgramShellServices::selectResourceLocale(QWidget* owner) {
    return velor::SelectResourceLocale(velor::kBaseLocale, {}, owner, runModal_, programPath_);
}
