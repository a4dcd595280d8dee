#pragma once

#include "book/site_book.h"
#include "operations/device_session.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// Records the visits of one device session in the site book, from the session's events, for
// both front ends:
// - a device connected: its record is added or updated (by the bridge's USB serial number) and
//   its site recognised; the visit recorded last for it is looked up first (PreviousVisit);
// - a settings read of its own (not one of a write's): a "read" visit with the settings found;
// - a settings write that sent its blocks: a "write" visit with the settings before, the
//   settings written, whether they were verified and why not, the snapshot and the result;
// - a firmware write: a "firmware" visit with the file's SHA-256 and the versions.
// A device without a serial number is recorded only under a site chosen by hand (ChooseSite),
// which also stands for the site of a device not attached to one.
// The book never stops device work: a visit that could not be recorded is reported (one line
// naming why) and the operation's result stands.
class VisitRecorder : public QObject {
    Q_OBJECT
public:
    using Report = std::function<void(const QString& text)>;

    // book: not owned, may be null (no book); report: where the "not recorded" lines go.
    VisitRecorder(DeviceSession& session, SiteBook* book, QString technician, Report report,
                  QObject* parent = nullptr);

    void SetBook(SiteBook* book) { book_ = book; }
    void SetTechnician(const QString& technician) { technician_ = technician; }
    // The site chosen by hand for a device the book knows no site of: one without a serial number
    // (whose visits are recorded only under such a site) or one not attached. Empty: none.
    void ChooseSite(const QString& siteUuid) { chosenSite_ = siteUuid; }
    // The connected device was attached to a site since it connected (the window's attach): the
    // visits from now on are that site's.
    void DeviceAttached(const QString& siteUuid) {
        if (device_) {
            device_->siteUuid = siteUuid;
        }
    }

    // What the last connect recognised: the device's record (none without a serial or a book),
    // its site, and the last visit recorded for it before this connect.
    const std::optional<DeviceRecord>& Device() const { return device_; }
    const std::optional<SiteRecord>& Site() const { return site_; }
    const std::optional<VisitRecord>& PreviousVisit() const { return previousVisit_; }

signals:
    // After a connect, once Device(), Site() and PreviousVisit() hold what it found.
    void deviceRecognised();
    void visitRecorded(const VisitRecord& visit);

private:
    void Connected(const DeviceIdentity& identity);
    void Read(const SettingsImage& image);
    void Written(const SettingsWriteRecord& record);
    void FirmwareWritten(const FirmwareWriteRecord& record);
    void Record(VisitRecord visit);
    bool BookUsable();

    DeviceSession& session_;
    SiteBook* book_;
    QString technician_;
    Report report_;
    QString chosenSite_;
    std::optional<DeviceRecord> device_;
    std::optional<SiteRecord> site_;
    std::optional<VisitRecord> previousVisit_;
};

// The settings a visit left in the device as far as the book knows: those written by a verified
// write, otherwise those found; none for a visit without settings.
std::optional<SettingsImage> SettingsLeftBy(const VisitRecord& visit);
