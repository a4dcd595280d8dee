// The site book's side of the window: the book opened after the first frame (start-up never
// waits for it), the visits of the window's session recorded (VisitRecorder), the connected
// device's site in the panel beside its type and version, what changed since the last visit,
// attaching a device to a site, and "Объекты". Device work never waits for the book: a book that
// cannot be opened is named once in the status bar and the window goes on without it.

#include "book/site_book.h"
#include "recording/technician_name.h"
#include "recording/visit_recorder.h"
#include "ui/book/device_recognition.h"
#include "ui/book/site_panel.h"
#include "ui/book/window_book.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/shell_services.h"

#include <QTimer>

#include <memory>

void TMainForm::WireSiteBook() {
    book_ = std::make_unique<WindowBook>(
        deps_.siteBookPath, [this](const QString& problem) { SetStatusText(problem); });
    recognition_ = new DeviceRecognition(session_, *book_, *sitePanel_, this);
    // Before the recorder's own: each connection finds the book open and the site chosen by hand
    // for a port without a serial number as it still holds (the recognition has just said).
    connect(&session_, &DeviceSession::deviceConnected, this, [this] {
        recorder_->SetBook(book_->Get());
        recorder_->ChooseSite(recognition_->ChosenSiteUuid());
    });
    // The name known without asking; the login name until the technician gives one.
    technician_ = deps_.shell != nullptr ? deps_.shell->TechnicianName() : QString();
    recorder_ = new VisitRecorder(
        session_, nullptr, technician_.isEmpty() ? velor::LoginName() : technician_,
        [this](const QString& text) { SetStatusText(text); }, this);
    connect(sitePanel_, &SitePanel::attachRequested, this,
            [this] { RunGuarded(Dialogs(), [this] { ShowSiteBook(SiteBookPurpose::Attach); }); });
    connect(sitePanel_, &SitePanel::chooseRequested, this,
            [this] { RunGuarded(Dialogs(), [this] { ShowSiteBook(SiteBookPurpose::Choose); }); });
    connect(sitePanel_, &SitePanel::changesRequested, this, &TMainForm::ShowChangesSinceLastVisit);
    // After the first frame: the window is on the screen before the book's file is touched.
    QTimer::singleShot(0, this, [this] { recorder_->SetBook(book_->Get()); });
}

QString TMainForm::TechnicianName() {
    if (!technician_.isEmpty()) {
        return technician_;
    }
    technician_ = deps_.shell != nullptr ? deps_.shell->TechnicianName() : QString();
    if (!technician_.isEmpty()) {
        return technician_;
    }
    TextRequest ask;
    ask.caption = tr("Техник");
    ask.label = tr("Ваше имя для визитов в книге объектов:");
    ask.value = velor::LoginName();
    const std::optional<QString> answer = Dialogs().AskText(ask);
    const QString name = answer ? answer->trimmed() : QString();
    technician_ = name.isEmpty() ? velor::LoginName() : name;
    recorder_->SetTechnician(technician_);
    if (!name.isEmpty() && deps_.shell != nullptr) {
        if (const QString unwritten = deps_.shell->SetTechnicianName(name); !unwritten.isEmpty()) {
            ReportIniWriteFailure(unwritten);
        }
    }
    return technician_;
}

void TMainForm::SiteBookButtonClick() {
    RunGuarded(Dialogs(), [this] { ShowSiteBook(SiteBookPurpose::Browse); });
}

void TMainForm::ShowSiteBook(SiteBookPurpose purpose) {
    // A visit loaded into the window must not cross an operation's steps.
    if (IsOperationRunning()) {
        SetStatusText(tr("Дождитесь окончания операции с прибором"));
        return;
    }
    SiteBook* book = book_->Get();
    if (book == nullptr) {
        SetStatusText(book_->Configured() ? book_->Problem() : tr("Книга объектов не задана"));
        return;
    }
    SiteBookRequest request;
    request.book = book;
    request.dialogs = &Dialogs();
    request.technician = TechnicianName();
    request.purpose = purpose;
    request.serial = recognition_->Serial();
    request.compare = [this](const SettingsImage& image) { return CompareWithWindow(image); };
    ApplySiteBookChoice(Dialogs().ShowSiteBook(request));
    recognition_->Recognise(); // the site's name or address may have changed
}

void TMainForm::ApplySiteBookChoice(const SiteBookChoice& choice) {
    switch (choice.action) {
    case SiteBookAction::None:
        return;
    case SiteBookAction::Attach:
        AttachConnectedDevice(choice.siteUuid);
        return;
    case SiteBookAction::Choose:
        recognition_->ChooseSite(choice.siteUuid);
        recorder_->ChooseSite(choice.siteUuid);
        return;
    case SiteBookAction::LoadVisit:
        if (choice.image &&
            LoadImageIntoWindow(*choice.image, tr("Настройки визита загружаются в окно в "
                                                  "режимах «Смена настроек» и «Демо-режим»"))) {
            SetStatusText(tr("В окно загружены настройки: %1").arg(choice.visit));
        }
        return;
    case SiteBookAction::SaveVisit:
        if (choice.image) {
            SaveImageAs(*choice.image);
        }
        return;
    }
}

void TMainForm::AttachConnectedDevice(const QString& siteUuid) {
    SiteBook* book = book_->Get();
    if (book == nullptr || recognition_->Serial().isEmpty()) {
        return;
    }
    const BookResult<VisitRecord> attached =
        book->AttachDevice(recognition_->Serial(), siteUuid, TechnicianName());
    if (!attached.Ok()) {
        SetStatusText(attached.error);
        return;
    }
    recorder_->DeviceAttached(siteUuid);
}

void TMainForm::ShowChangesSinceLastVisit() {
    Dialogs().ShowChanges(recognition_->SinceLastVisit());
}
