#include "shell/configurator_app.h"
#include "shell/startup.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"

#include <QWidget>

int main(int argc, char** argv) {
    TConfiguratorApp app(argc, argv);
    QtDialogs dialogs;
    QtDesktop desktop;
    app.setExceptionDialogs(&dialogs);

    TStartupContext context;
    context.dialogs = &dialogs;
    context.desktop = &desktop;
    context.setMainWindow = [&dialogs](QWidget* window) { dialogs.setMainWindow(window); };
    const int exitCode = RunConfigurator(context);
    app.setExceptionDialogs(nullptr);
    return exitCode;
}
