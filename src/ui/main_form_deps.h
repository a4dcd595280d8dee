#pragma once

#include <QString>

#include <functional>
#include <memory>

class DialogService;
class Desktop;
class ShellServices;
class FtdiDriver;

// What the main window is given from outside: the seams that tests replace.
struct MainFormDeps {
    DialogService* dialogs = nullptr; // every box and file dialog; not owned, outlives the window
    Desktop* desktop = nullptr; // help, web and e-mail opening; not owned, may be null in tests
    // The program's path, the about box and the language dialog; not owned, outlives the window.
    // Null (in tests of other parts) leaves the help, about and language commands doing nothing.
    ShellServices* shell = nullptr;
    // Creates the driver behind the window's USB port (the tty driver in the program).
    std::function<std::unique_ptr<FtdiDriver>()> makeDriver;
    // Every protocol wait of the device object goes through this (milliseconds).
    std::function<void(int)> sleeper;
    // The firmware folder; empty: TMainForm::kFirmwareFolder in the current folder. Start-up
    // names the user's one when the program keeps its state with the user.
    QString firmwareFolder;
    // The settings history's folder; empty: "history" in the current folder. Start-up names the
    // one of the program's layout (velor::HistoryFolder).
    QString historyFolder;
    // Where the settings and firmware file dialogs start until the technician has chosen a
    // folder: empty for the dialogs' own choice (the program's folder, "Base" for firmware);
    // start-up names the user's documents folder when the program's folder is not writable.
    QString startFolder;
    // The site book's file; empty: the window keeps no book (its panel and "Объекты" say so).
    // Start-up names the one of the program's layout, beside the settings history.
    QString siteBookPath;
};
