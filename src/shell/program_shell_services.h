#pragma once

#include "shell/language_selection.h"
#include "ui/shell_services.h"

#include <QString>

class TAboutBox;

// The shell services the running program gives its main window: the program's path, the about
// box created at start-up and the locale runtime's language dialog.
class ProgramShellServices : public TShellServices {
public:
    // runModal shows the about box and the language dialog; the real one is velor::RunModal.
    ProgramShellServices(QString programPath, velor::ModalRunner runModal);

    // The about box to show; null until start-up has created it (nothing is shown until then).
    void setAboutBox(TAboutBox* aboutBox) { aboutBox_ = aboutBox; }

    QString programPath() const override { return programPath_; }
    void showAboutBox() override;
    bool selectResourceLocale(QWidget* owner) override;

private:
    QString programPath_;
    velor::ModalRunner runModal_;
    TAboutBox* aboutBox_ = nullptr;
};
