#include "shell/configurator_app.h"

#include "shell/program_icon.h"
#include "ui/dialogs.h"
#include "version/program_version.h"

#include <QThread>
#include <QtDebug>

#include <exception>

ConfiguratorApp::ConfiguratorApp(int& argc, char** argv) : QApplication(argc, argv) {
    setWindowIcon(LoadProgramIcon());
    // The installed desktop entry (velor580.desktop): lets the desktop match windows and icon.
    setDesktopFileName(QStringLiteral("velor580"));
    setApplicationVersion(QLatin1String(velor::kProgramVersion));
    setApplicationDisplayName(tr("Велор 580"));
}

// Installing or removing a language library sends LanguageChange to the application first.
bool ConfiguratorApp::event(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        setApplicationDisplayName(tr("Велор 580"));
    }
    return QApplication::event(event);
}

bool ConfiguratorApp::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    } catch (...) {
        // An error of unknown kind carries no text; the box is shown with an empty one.
        ReportError(QString());
    }
    return false;
}

void ConfiguratorApp::ReportError(const QString& text) {
    // A box may only be shown from the window's thread; elsewhere the error is logged.
    if (exceptionDialogs_ == nullptr || QThread::currentThread() != thread()) {
        qCritical("Unhandled error in an event handler: %s", qUtf8Printable(text));
        return;
    }
    ShowExceptionBox(*exceptionDialogs_, text);
}
