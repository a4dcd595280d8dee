#pragma once

#include "catalogue/program_ini.h"

#include <QString>

class QWidget;

// What the window's help, about and language commands need from the program's shell, which sits
// above the window: the help file, the about box, the language libraries and dialog, and the
// record of the chosen language. Start-up gives the window the real services; tests give it
// services over a program in a temporary folder.
class ShellServices {
public:
    virtual ~ShellServices() = default;

    // The help file of the current language: its name as the program's INI file gives it, and
    // its full path in the "help" folder of the program's data (without an entry, the shipped
    // file of the language, "velor580_<locale>.html").
    struct HelpLocation {
        QString name;
        QString path;
    };
    virtual HelpLocation HelpFile() const = 0;

    // Shows the about box modally and returns once the user has closed it.
    virtual void ShowAboutBox() = 0;

    // Fails (std::runtime_error) when no language library lies beside the program.
    virtual void CheckLanguageLibraries() const = 0;

    // What a language choice came to: whether the user confirmed a language, and the INI file
    // that could not record it for the next start (empty when it was recorded).
    struct LanguageChoice {
        bool chosen = false;
        QString unwrittenIni;
    };

    // Shows the language dialog centred on owner. When the user confirms a language, switches
    // the program to it (its library, or the built-in texts for the base language; every open
    // window is retranslated), records it as the language of the next start and reloads the
    // message catalogue in it; when the user cancels, nothing changes.
    virtual LanguageChoice SelectResourceLocale(QWidget* owner) = 0;

    // Whether the change list is shown before every settings write ([Write] Review of the INI
    // file, on when missing), and its new value recorded: the INI file that could not record it
    // (empty when it was recorded). Services that keep no choice always show the list.
    virtual bool ReviewBeforeWrite() const { return true; }
    virtual QString SetReviewBeforeWrite(bool /*review*/) { return {}; }

    // Records the port chosen in the window ([Port] Device of the INI file; empty: the first
    // FTDI bridge) for the next start: the INI file that could not record it, or empty.
    virtual QString SetPortDevice(const QString& /*path*/) { return {}; }
    // The folders the file dialogs last chose in and the settings files last opened or saved
    // (the INI file's [Files]), and their new values recorded: the INI file that could not
    // record them (empty when recorded). Services that keep nothing remember nothing.
    virtual velor::FilePlaces FilePlaces() const { return {}; }
    virtual QString SetFilePlaces(const velor::FilePlaces& /*places*/) { return {}; }
    // The technician's name the site book records visits under ([SiteBook] Technician of the
    // INI file; empty when missing), and its new value recorded: the INI file that could not
    // record it (empty when it was recorded). Services that keep no choice keep no name.
    virtual QString TechnicianName() const { return {}; }
    virtual QString SetTechnicianName(const QString& /*name*/) { return {}; }
};
