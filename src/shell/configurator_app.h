#pragma once

#include <QApplication>

class DialogService;

// The application object. An error that escapes an event handler on the window's thread is shown
// in the application's exception box and the message loop goes on, so a failing command is
// abandoned without ending the program. Its display name, the program's name in the language in
// use ("Велор 580"), titles the exception box and ends every window title the desktop shows.
class ConfiguratorApp : public QApplication {
    Q_OBJECT
public:
    ConfiguratorApp(int& argc, char** argv);

    // The dialogs that show the exception box; null shows nothing (the error is only logged).
    void SetExceptionDialogs(DialogService* dialogs) { exceptionDialogs_ = dialogs; }

    bool notify(QObject* receiver, QEvent* event) override;

protected:
    bool event(QEvent* event) override;

private:
    void ReportError(const QString& text);

    DialogService* exceptionDialogs_ = nullptr;
};
