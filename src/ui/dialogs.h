#pragma once

#include "ui/book/site_book_requests.h"
#include "ui/report/report_request.h"
#include "ui/safety/safe_write_requests.h"

#include <QString>
#include <QStringList>

#include <exception>
#include <optional>

class DeviceSession;
class QWidget;

// The one way the program shows a modal box or a file dialog. The window owns an implementation;
// tests install a recorder that notes each request and answers it without blocking.

enum class BoxIcon { None, Error, Information, Warning, Question };
// SaveDiscardCancel: "Сохранить", "Не сохранять", "Отмена" before settings are replaced.
enum class BoxButtons { Ok, YesNo, OkCancel, SaveDiscardCancel };
enum class BoxResult { Ok, Yes, No, Cancel, Save, Discard };
// Who owns the box: the main window, or whatever window is active when it is shown.
enum class BoxOwner { Main, Active };

struct MessageBoxRequest {
    QString text;
    QString caption;
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
    BoxResult defaultButton = BoxResult::Ok;
    BoxOwner owner = BoxOwner::Main;
    // Captions of the two buttons of BoxButtons::OkCancel instead of the standard ones (e.g.
    // "Прошить" and "Отмена"); empty keeps the standard caption.
    QString okText;
    QString cancelText;
    // The caption of the "Discard" button of BoxButtons::SaveDiscardCancel ("Не сохранять");
    // empty keeps the standard one.
    QString discardText;
};

// The one way a box request is composed: text, caption, icon and owner, then the buttons with the
// default one where they are not the single OK.
MessageBoxRequest BoxRequest(const QString& text, const QString& caption,
                             BoxIcon icon = BoxIcon::None, BoxOwner owner = BoxOwner::Main,
                             BoxButtons buttons = BoxButtons::Ok,
                             BoxResult defaultButton = BoxResult::Ok);

struct FileDialogRequest {
    QString caption;
    QString directory;      // initial folder; empty keeps the dialog's own choice
    QStringList filters;    // Qt filter entries, e.g. "Файлы конфигурации (*.cfg)"
    int selectedFilter = 0; // 0-based index into filters
    QString defaultSuffix;  // added to a name typed without extension, e.g. "cfg"
};

// "Другой порт…": the path of a serial port, typed or picked from the ports offered.
struct PortPathRequest {
    QString caption;
    QString label;
    QString current;        // the path chosen now; empty for none
    QStringList candidates; // the serial ports of the device folder
};

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual BoxResult MessageBox(const MessageBoxRequest& request) = 0;
    // Both return the chosen path, or an empty string when the user cancels.
    virtual QString OpenFileName(const FileDialogRequest& request) = 0;
    virtual QString SaveFileName(const FileDialogRequest& request) = 0;
    // The change list before a settings write. The default writes nothing: a dialog service
    // that cannot ask never lets a write through unseen.
    virtual WriteReviewAnswer ReviewWrite(const WriteReviewRequest& request);
    // The settings history; the default makes no choice.
    virtual HistoryChoice ShowHistory(const HistoryRequest& request);
    // The port's path, or an empty string when the user cancels; the default names none.
    virtual QString AskPortPath(const PortPathRequest& request);
    // The print preview of a visit report (print, save as PDF); the default shows nothing.
    virtual void PreviewReport(const ReportPreviewRequest& request);
    // One line of text; std::nullopt when the user cancels. The default takes the offered text.
    virtual std::optional<QString> AskText(const TextRequest& request);
    // A list of changed fields, shown until closed; the default shows nothing.
    virtual void ShowChanges(const ChangeListRequest& request);
    // The site book window ("Объекты"); the default makes no choice.
    virtual SiteBookChoice ShowSiteBook(const SiteBookRequest& request);
    // A closing window's modal wait for the session's running operation, which it cannot cut
    // short: the window's events keep running (the operation's steps, boxes and progress) until
    // the session is free. Returns at once when it is.
    virtual void WaitForSession(DeviceSession& session);
};

// The real boxes and dialogs. mainWindow is the owner for BoxOwner::Main and the fallback for
// BoxOwner::Active when no window is active.
class QtDialogs : public DialogService {
public:
    explicit QtDialogs(QWidget* mainWindow = nullptr) : mainWindow_(mainWindow) {}
    void SetMainWindow(QWidget* w) { mainWindow_ = w; }

    BoxResult MessageBox(const MessageBoxRequest& request) override;
    QString OpenFileName(const FileDialogRequest& request) override;
    QString SaveFileName(const FileDialogRequest& request) override;
    WriteReviewAnswer ReviewWrite(const WriteReviewRequest& request) override;
    HistoryChoice ShowHistory(const HistoryRequest& request) override;
    QString AskPortPath(const PortPathRequest& request) override;
    void PreviewReport(const ReportPreviewRequest& request) override;
    std::optional<QString> AskText(const TextRequest& request) override;
    void ShowChanges(const ChangeListRequest& request) override;
    SiteBookChoice ShowSiteBook(const SiteBookRequest& request) override;

private:
    QWidget* Owner(BoxOwner which) const;
    QWidget* mainWindow_;
};

// The window's error box: the text, caption "Ошибка!", error icon, OK, owned by the main window.
void ShowErrorBox(DialogService& dialogs, const QString& text);

// The program's name as the desktop shows it: the application's display name ("Велор 580").
QString ProgramTitle();

// The application's general exception box: the error's text, the program's name as caption,
// error icon, OK, owned by the active window. Used where a command fails with an error it does
// not handle itself.
void ShowExceptionBox(DialogService& dialogs, const QString& text);

// Runs a command handler; an error the command does not handle itself ends it and is shown in
// the application's exception box. Qt's event delivery is not exception-safe, so no error may
// unwind through it.
template <class Command> void RunGuarded(DialogService& dialogs, Command&& command) {
    try {
        command();
    } catch (const std::exception& error) {
        ShowExceptionBox(dialogs, QString::fromUtf8(error.what()));
    }
}
