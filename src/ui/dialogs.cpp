#include "ui/dialogs.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "operations/device_session.h"
#include "ui/book/change_list_dialog.h"
#include "ui/book/site_book_window.h"
#include "ui/report/report_preview.h"
#include "ui/safety/history_dialog.h"
#include "ui/safety/write_review_dialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

namespace {

QMessageBox::Icon toQtIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Error:
        return QMessageBox::Critical;
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Warning:
        return QMessageBox::Warning;
    case BoxIcon::Question:
        return QMessageBox::Question;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQtButton(BoxResult r) {
    switch (r) {
    case BoxResult::Yes:
        return QMessageBox::Yes;
    case BoxResult::No:
        return QMessageBox::No;
    case BoxResult::Cancel:
        return QMessageBox::Cancel;
    case BoxResult::Save:
        return QMessageBox::Save;
    case BoxResult::Discard:
        return QMessageBox::Discard;
    case BoxResult::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons toQtButtons(BoxButtons b) {
    switch (b) {
    case BoxButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case BoxButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case BoxButtons::SaveDiscardCancel:
        return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    case BoxButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

BoxResult fromQtButton(int b) {
    switch (b) {
    case QMessageBox::Yes:
        return BoxResult::Yes;
    case QMessageBox::No:
        return BoxResult::No;
    case QMessageBox::Cancel:
        return BoxResult::Cancel;
    case QMessageBox::Save:
        return BoxResult::Save;
    case QMessageBox::Discard:
        return BoxResult::Discard;
    default:
        return BoxResult::Ok;
    }
}

QFileDialog* makeFileDialog(QWidget* parent, const FileDialogRequest& r) {
    auto* dialog = new QFileDialog(parent, r.caption, r.directory);
    dialog->setNameFilters(r.filters);
    if (r.selectedFilter >= 0 && r.selectedFilter < r.filters.size()) {
        dialog->selectNameFilter(r.filters.at(r.selectedFilter));
    }
    dialog->setDefaultSuffix(r.defaultSuffix);
    return dialog;
}

} // namespace

QWidget* QtDialogs::Owner(BoxOwner which) const {
    if (which == BoxOwner::Active) {
        if (QWidget* active = QApplication::activeWindow()) {
            return active;
        }
    }
    return mainWindow_;
}

BoxResult QtDialogs::MessageBox(const MessageBoxRequest& r) {
    QMessageBox box(toQtIcon(r.icon), r.caption, r.text, toQtButtons(r.buttons), Owner(r.owner));
    box.setDefaultButton(toQtButton(r.defaultButton));
    if (r.buttons == BoxButtons::OkCancel) {
        if (!r.okText.isEmpty()) {
            box.button(QMessageBox::Ok)->setText(r.okText);
        }
        if (!r.cancelText.isEmpty()) {
            box.button(QMessageBox::Cancel)->setText(r.cancelText);
        }
    }
    if (r.buttons == BoxButtons::SaveDiscardCancel && !r.discardText.isEmpty()) {
        box.button(QMessageBox::Discard)->setText(r.discardText);
    }
    return fromQtButton(box.exec());
}

WriteReviewAnswer DialogService::ReviewWrite(const WriteReviewRequest&) {
    return {};
}

// An operation's end reaches the session through this event loop, so none can pass between the
// check and the loop's start.
void DialogService::WaitForSession(DeviceSession& session) {
    if (!session.IsBusy()) {
        return;
    }
    QEventLoop loop;
    QObject::connect(&session, &DeviceSession::operationEnded, &loop, [&session, &loop] {
        if (!session.IsBusy()) {
            loop.quit();
        }
    });
    loop.exec();
}

HistoryChoice DialogService::ShowHistory(const HistoryRequest& request) {
    HistoryChoice none;
    none.reviewBeforeWrite = request.reviewBeforeWrite;
    return none;
}

QString DialogService::AskPortPath(const PortPathRequest&) {
    return {};
}

// An editable list: a port offered is picked, any other path typed.
QString QtDialogs::AskPortPath(const PortPathRequest& request) {
    QStringList items = request.candidates;
    if (!request.current.isEmpty() && !items.contains(request.current)) {
        items.prepend(request.current);
    }
    const int current = request.current.isEmpty() ? 0 : items.indexOf(request.current);
    bool accepted = false;
    const QString path = QInputDialog::getItem(mainWindow_, request.caption, request.label, items,
                                               current, true, &accepted);
    return accepted ? path.trimmed() : QString();
}

std::optional<QString> DialogService::AskText(const TextRequest& request) {
    return request.value;
}

void DialogService::ShowChanges(const ChangeListRequest&) {}

SiteBookChoice DialogService::ShowSiteBook(const SiteBookRequest&) {
    return {};
}

std::optional<QString> QtDialogs::AskText(const TextRequest& request) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(Owner(BoxOwner::Active), request.caption, request.label,
                              QLineEdit::Normal, request.value, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

void QtDialogs::ShowChanges(const ChangeListRequest& request) {
    ChangeListDialog dialog(request, Owner(BoxOwner::Active));
    dialog.exec();
}

SiteBookChoice QtDialogs::ShowSiteBook(const SiteBookRequest& request) {
    SiteBookWindow window(request, mainWindow_);
    window.exec();
    return window.Choice();
}

WriteReviewAnswer QtDialogs::ReviewWrite(const WriteReviewRequest& request) {
    WriteReviewDialog dialog(request, mainWindow_);
    WriteReviewAnswer answer;
    answer.write = dialog.exec() == QDialog::Accepted;
    answer.reviewNextTime = dialog.ReviewNextTime();
    return answer;
}

void DialogService::PreviewReport(const ReportPreviewRequest&) {}

void QtDialogs::PreviewReport(const ReportPreviewRequest& request) {
    ShowReportPreview(mainWindow_, *this, request);
}

HistoryChoice QtDialogs::ShowHistory(const HistoryRequest& request) {
    HistoryDialog dialog(request, mainWindow_);
    dialog.exec();
    return dialog.Choice();
}

QString QtDialogs::OpenFileName(const FileDialogRequest& r) {
    std::unique_ptr<QFileDialog> dialog(makeFileDialog(mainWindow_, r));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    // The chosen file need not exist: opening it reports the error in the program's own terms.
    dialog->setFileMode(QFileDialog::AnyFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return {};
    }
    return dialog->selectedFiles().constFirst();
}

QString QtDialogs::SaveFileName(const FileDialogRequest& r) {
    std::unique_ptr<QFileDialog> dialog(makeFileDialog(mainWindow_, r));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    // Replacing an existing configuration file is not confirmed.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return {};
    }
    return dialog->selectedFiles().constFirst();
}

MessageBoxRequest BoxRequest(const QString& text, const QString& caption, BoxIcon icon,
                             BoxOwner owner, BoxButtons buttons, BoxResult defaultButton) {
    MessageBoxRequest box;
    box.text = text;
    box.caption = caption;
    box.icon = icon;
    box.owner = owner;
    box.buttons = buttons;
    box.defaultButton = defaultButton;
    return box;
}

void ShowErrorBox(DialogService& dialogs, const QString& text) {
    dialogs.MessageBox(
        BoxRequest(text, velor::MessageText(velor::msg::kError), BoxIcon::Error, BoxOwner::Main));
}

QString ProgramTitle() {
    return QGuiApplication::applicationDisplayName();
}

void ShowExceptionBox(DialogService& dialogs, const QString& text) {
    dialogs.MessageBox(BoxRequest(text, ProgramTitle(), BoxIcon::Error, BoxOwner::Active));
}
