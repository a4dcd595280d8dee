#include "ui/book/device_recognition.h"

#include "book/site_book.h"
#include "operations/device_session.h"
#include "recording/visit_recorder.h"
#include "ui/book/last_visit.h"
#include "ui/book/site_panel.h"
#include "ui/book/window_book.h"

using velor::book_window::LastVisitWithImage;
using velor::book_window::VisitTimeText;

DeviceRecognition::DeviceRecognition(DeviceSession& session, WindowBook& book, SitePanel& panel,
                                     QObject* parent)
    : QObject(parent), book_(book), panel_(panel) {
    connect(&session, &DeviceSession::deviceConnected, this, &DeviceRecognition::Connected);
    connect(&session, &DeviceSession::operationStarted, this, &DeviceRecognition::OperationStarted);
    connect(&session, &DeviceSession::settingsRead, this, &DeviceRecognition::SettingsRead);
}

QString DeviceRecognition::ChosenSiteFor(const DeviceIdentity& identity) const {
    return identity.usbSerial.isEmpty() && identity.portPath == identity_.portPath ? chosenSite_
                                                                                   : QString();
}

void DeviceRecognition::Connected(const DeviceIdentity& identity) {
    chosenSite_ = ChosenSiteFor(identity);
    identity_ = identity;
    connected_ = true;
    changes_.clear();
    lastVisit_.reset();
    panel_.ShowSinceLastVisit({});
    Recognise();
}

void DeviceRecognition::Clear() {
    connected_ = false;
    changes_.clear();
    lastVisit_.reset();
    panel_.Clear();
}

void DeviceRecognition::ChooseSite(const QString& siteUuid) {
    chosenSite_ = siteUuid;
    Recognise();
}

void DeviceRecognition::Recognise() {
    SiteBook* book = connected_ ? book_.Get() : nullptr;
    if (book == nullptr) {
        panel_.Clear();
        return;
    }
    if (Serial().isEmpty()) {
        panel_.ShowWithoutSerial(SiteName(chosenSite_));
        return;
    }
    const BookResult<std::optional<DeviceRecord>> device = book->DeviceBySerial(Serial());
    const QString siteUuid = device.Ok() && device.value ? device.value->siteUuid : QString();
    const BookResult<std::optional<SiteRecord>> site =
        siteUuid.isEmpty() ? BookResult<std::optional<SiteRecord>>{} : book->SiteByUuid(siteUuid);
    if (site.Ok() && site.value) {
        panel_.ShowSite(site.value->name, site.value->address);
    } else {
        panel_.ShowUnattached(Serial());
    }
}

QString DeviceRecognition::SiteName(const QString& siteUuid) const {
    SiteBook* book = siteUuid.isEmpty() ? nullptr : book_.Get();
    if (book == nullptr) {
        return {};
    }
    const BookResult<std::optional<SiteRecord>> site = book->SiteByUuid(siteUuid);
    return site.Ok() && site.value ? site.value->name : QString();
}

// The visits recorded from now on are this read's own (or its write's): the comparison takes
// the last one before it.
void DeviceRecognition::OperationStarted(Operation operation) {
    if (operation == Operation::ReadSettings) {
        readStarted_ = QDateTime::currentDateTimeUtc();
    }
}

void DeviceRecognition::SettingsRead(const SettingsImage& image) {
    using Kind = SitePanel::SinceLastVisit::Kind;
    changes_.clear();
    SiteBook* book = connected_ && !Serial().isEmpty() ? book_.Get() : nullptr;
    lastVisit_ = book != nullptr ? LastVisitWithImage(*book, Serial(), readStarted_) : std::nullopt;
    SitePanel::SinceLastVisit since;
    if (lastVisit_) {
        changes_ = velor::settings::DiffSettings(*SettingsLeftBy(*lastVisit_), image);
        since.kind = changes_.empty() ? Kind::Unchanged : Kind::Changed;
        since.when = VisitTimeText(*lastVisit_);
        since.technician = lastVisit_->technician;
        since.changed = ChangeCount();
    } else if (book != nullptr) {
        since.kind = Kind::NoVisits;
    }
    panel_.ShowSinceLastVisit(since);
}

ChangeListRequest DeviceRecognition::SinceLastVisit() const {
    ChangeListRequest request;
    request.caption = tr("Изменения с последнего визита");
    if (lastVisit_) {
        request.heading = tr("Последний визит: %1, %2. Изменено полей: %3")
                              .arg(VisitTimeText(*lastVisit_), lastVisit_->technician)
                              .arg(ChangeCount());
    }
    request.beforeTitle = tr("При последнем визите");
    request.afterTitle = tr("Сейчас в приборе");
    request.changes = changes_;
    return request;
}
