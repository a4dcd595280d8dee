#pragma once

#include <QString>

class QWidget;

// What the window's help, about and language commands need from the program's shell, which sits
// above the window: the program's path, the about box and the language dialog. Start-up gives
// the window the real services; tests give it services over a program in a temporary folder.
class TShellServices {
public:
    virtual ~TShellServices() = default;

    // The running program's full path: its folder holds "help/", and its INI file and language
    // libraries are named after it.
    virtual QString programPath() const = 0;

    // Shows the about box modally and returns once the user has closed it.
    virtual void showAboutBox() = 0;

    // Shows the language dialog centred on owner. When the user confirms a language, switches
    // the program to it (its library, or the built-in texts for the base language; every open
    // window is retranslated) and returns true; returns false when the user cancels.
    virtual bool selectResourceLocale(QWidget* owner) = 0;
};
