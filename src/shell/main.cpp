#include "shell/configurator_app.h"
#include "shell/startup.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "version/program_version.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QWidget>

#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage =
    "Usage: velor580 [QT-OPTION]... [FILE]\n"
    "\n"
    "The configurator window of the model-580 stand-alone alarm control device: reads,\n"
    "edits and writes the device's settings, keeps them in .cfg files, reads a Touch\n"
    "Memory key and replaces the firmware, over the device's FTDI USB-serial bridge.\n"
    "\n"
    "FILE, a settings file (.cfg) or a firmware file (.tsk), is opened at the start: a\n"
    "settings file in the demo mode, a firmware file in the firmware mode (checked\n"
    "against the device once it is connected).\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit (needs no display)\n"
    "  --version      print the program's version and exit (needs no display)\n"
    "\n"
    "Qt's own options apply, e.g. -platform offscreen.\n"
    "\n"
    "Files:\n"
    "  Beside the program (a build's runtime folder) or in ../share/velor580 relative to\n"
    "  it (installed): 580default.cfg, the INI template velor580.INI, the language\n"
    "  libraries and help/. Installed, or when the program's folder is not writable, the\n"
    "  settings are kept in ~/.config/velor580/velor580.INI and firmware files in\n"
    "  ~/.local/share/velor580/Base; otherwise velor580.INI and Base/ lie beside the program.\n";

// --help and --version are answered before the application object exists, so that they work
// without a display (Qt's platform plugin aborts when it finds none).
bool Answered(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("velor580 %s\n", velor::kProgramVersion);
            return true;
        }
    }
    return false;
}

// The file named on the command line (Qt's own options are gone from the arguments by now), made
// absolute before start-up changes the current folder; empty for none.
QString FileArgument() {
    const QStringList arguments = QCoreApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (!arguments.at(i).startsWith(QLatin1Char('-'))) {
            return QFileInfo(arguments.at(i)).absoluteFilePath();
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    if (Answered(argc, argv)) {
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    ConfiguratorApp app(argc, argv);
    QtDialogs dialogs;
    QtDesktop desktop;
    app.SetExceptionDialogs(&dialogs);

    StartupContext context;
    context.dialogs = &dialogs;
    context.desktop = &desktop;
    context.openFile = FileArgument();
    context.setMainWindow = [&dialogs](QWidget* window) { dialogs.SetMainWindow(window); };
    const int exitCode = RunConfigurator(context);
    app.SetExceptionDialogs(nullptr);
    return exitCode;
}
