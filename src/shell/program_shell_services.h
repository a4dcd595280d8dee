#pragma once

#include "shell/language_selection.h"
#include "ui/shell_services.h"

#include <QString>

class TAboutBox;

// The shell services the running program gives its main window: the help file named in the
// program's INI file, the about box created at start-up, and the locale runtime's language
// libraries and dialog with the INI record of the chosen language.
class ProgramShellServices : public ShellServices {
public:
    // runModal shows the about box and the language dialog; the real one is velor::RunModal.
    ProgramShellServices(QString programPath, velor::ModalRunner runModal);

    // The about box to show; null until start-up has created it (nothing is shown until then).
    void SetAboutBox(TAboutBox* aboutBox) { aboutBox_ = aboutBox; }

    HelpLocation HelpFile() const override;
    void ShowAboutBox() override;
    void CheckLanguageLibraries() const override;
    LanguageChoice SelectResourceLocale(QWidget* owner) override;
    bool ReviewBeforeWrite() const override;
    QString SetReviewBeforeWrite(bool review) override;
    QString SetPortDevice(const QString& path) override;
    velor::FilePlaces FilePlaces() const override;
    QString SetFilePlaces(const velor::FilePlaces& places) override;
    // VELOR580_TECHNICIAN when set, otherwise [SiteBook] Technician of the INI file.
    QString TechnicianName() const override;
    QString SetTechnicianName(const QString& name) override;

private:
    QString RecordLocale();

    QString programPath_;
    velor::ModalRunner runModal_;
    TAboutBox* aboutBox_ = nullptr;
};
