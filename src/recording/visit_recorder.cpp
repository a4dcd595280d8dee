#include "recording/visit_recorder.h"

#include "book/book_texts.h"
#include "link/device_version_text.h"
#include "settings/settings_fingerprint.h"

namespace {

// How many of a device's latest visits are looked through for one that left settings.
constexpr int kVisitsLookedBack = 20;

QString NotRecorded(const QString& why) {
    return BookTexts::tr("Визит не записан в книгу объектов: %1").arg(why);
}

} // namespace

std::optional<SettingsImage> SettingsLeftBy(const VisitRecord& visit) {
    if (visit.written && visit.verified.value_or(false)) {
        return visit.written;
    }
    return visit.before;
}

VisitRecorder::VisitRecorder(DeviceSession& session, SiteBook* book, QString technician,
                             Report report, QObject* parent)
    : QObject(parent), session_(session), book_(book), technician_(std::move(technician)),
      report_(std::move(report)) {
    connect(&session, &DeviceSession::deviceConnected, this, &VisitRecorder::Connected);
    connect(&session, &DeviceSession::settingsRead, this, &VisitRecorder::Read);
    connect(&session, &DeviceSession::settingsWritten, this, &VisitRecorder::Written);
    connect(&session, &DeviceSession::firmwareWritten, this, &VisitRecorder::FirmwareWritten);
}

bool VisitRecorder::BookUsable() {
    return book_ != nullptr && book_->State() == SiteBook::Availability::Writable;
}

void VisitRecorder::Connected(const DeviceIdentity& identity) {
    device_.reset();
    site_.reset();
    previousVisit_.reset();
    if (identity.usbSerial.isEmpty() || book_ == nullptr ||
        book_->State() == SiteBook::Availability::Unavailable) {
        emit deviceRecognised();
        return;
    }
    const auto visits = book_->Visits({{}, identity.usbSerial, kVisitsLookedBack});
    for (const VisitRecord& visit : visits.value) {
        if (SettingsLeftBy(visit)) {
            previousVisit_ = visit;
            break;
        }
    }
    if (BookUsable()) {
        const TVelorDevDesc& id = identity.descriptor;
        const auto noted =
            book_->NoteDevice({identity.usbSerial, id.Type, id.Platform, VersionText(id), {}});
        if (noted.Ok()) {
            device_ = noted.value;
        }
    }
    if (!device_) {
        device_ = book_->DeviceBySerial(identity.usbSerial).value;
    }
    if (device_ && !device_->siteUuid.isEmpty()) {
        site_ = book_->SiteByUuid(device_->siteUuid).value;
    }
    emit deviceRecognised();
}

// A job's reads are kept apart (not shown): the job's outcome is the visit.
void VisitRecorder::Read(const SettingsImage& image) {
    if (session_.CurrentOptions().keepSettings) {
        return;
    }
    VisitRecord visit;
    visit.action = VisitAction::Read;
    visit.before = image;
    visit.beforeFingerprint = velor::settings::Fingerprint(image);
    visit.result = QLatin1String(velor::book::kResultSucceeded);
    Record(std::move(visit));
}

void VisitRecorder::Written(const SettingsWriteRecord& record) {
    VisitRecord visit;
    visit.action = VisitAction::Write;
    visit.before = record.before;
    visit.beforeFingerprint = velor::settings::Fingerprint(record.before);
    visit.written = record.written;
    visit.writtenFingerprint = velor::settings::Fingerprint(record.written);
    visit.verified = record.verified;
    visit.snapshotPath = record.snapshotPath;
    if (!record.succeeded) {
        visit.result = QLatin1String(velor::book::kResultFailed);
        visit.verifyNote = BookTexts::tr("запись не завершена");
    } else if (record.verified) {
        visit.result = QLatin1String(velor::book::kResultSucceeded);
    } else if (record.readBack) {
        visit.result = QLatin1String(velor::book::kResultMismatch);
        visit.verifyNote = BookTexts::tr("прочитаны обратно другие настройки (%1)")
                               .arg(velor::settings::ShortFingerprint(*record.readBack));
    } else {
        visit.result = QLatin1String(velor::book::kResultUnverified);
        visit.verifyNote = BookTexts::tr("настройки не прочитаны обратно");
    }
    Record(std::move(visit));
}

void VisitRecorder::FirmwareWritten(const FirmwareWriteRecord& record) {
    VisitRecord visit;
    visit.action = VisitAction::Firmware;
    visit.writtenFingerprint = record.fileFingerprint;
    visit.result = QLatin1String(record.succeeded ? velor::book::kResultSucceeded
                                                  : velor::book::kResultFailed);
    visit.note = record.after ? BookTexts::tr("ПО %1 → %2")
                                    .arg(VersionText(record.before), VersionText(*record.after))
                              : BookTexts::tr("ПО было %1").arg(VersionText(record.before));
    Record(std::move(visit));
}

void VisitRecorder::Record(VisitRecord visit) {
    visit.deviceSerial = session_.Identity().usbSerial;
    visit.technician = technician_;
    visit.siteUuid = device_ && !device_->siteUuid.isEmpty() ? device_->siteUuid : chosenSite_;
    if (visit.deviceSerial.isEmpty() && chosenSite_.isEmpty()) {
        return; // a port without a serial: recorded only under a site chosen by hand
    }
    if (book_ == nullptr) {
        return;
    }
    if (!BookUsable()) {
        report_(NotRecorded(book_->Problem()));
        return;
    }
    const auto recorded = book_->RecordVisit(visit);
    if (!recorded.Ok()) {
        report_(NotRecorded(recorded.error));
        return;
    }
    emit visitRecorded(recorded.value);
}
