#pragma once

#include "settings/settings_image.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// What the site book holds: sites, the devices seen (by their bridge's USB serial number) and the
// visits. Plain values, the same for every backend. Times are UTC; a record read from the book
// carries what the book holds, a record being added may leave uuid and time empty for the book
// to fill in.

// A customer's site. The name is unique in a book (the command line names sites by it).
struct SiteRecord {
    QString uuid; // identity across books (export, import)
    QString name;
    QString address;
    QString contact; // the contact person
    QString phone;
    QString notes;
    QDateTime created;
    QString createdBy; // technician
    QDateTime changed;
    QString changedBy;
};

// The fields an edit changes; a field left empty (std::nullopt) keeps its value.
struct SiteChanges {
    std::optional<QString> name;
    std::optional<QString> address;
    std::optional<QString> contact;
    std::optional<QString> phone;
    std::optional<QString> notes;
    bool Empty() const { return !name && !address && !contact && !phone && !notes; }
};

// A device, known by its bridge's USB serial number.
struct DeviceRecord {
    QString serial;
    int type = 0; // 0 while only attached by its serial, never connected
    int platform = 0;
    QString version; // "a_b_c"; empty while never connected
    QDateTime firstSeen;
    QDateTime lastSeen;
    QString siteUuid; // empty: attached to no site
};

// What was done on a visit.
enum class VisitAction { Read, Write, Firmware, Attach };

// The stable word of an action in the book, the command line's output and JSON: "read",
// "write", "firmware", "attach"; and back (std::nullopt for another word).
QString VisitActionWord(VisitAction action);
std::optional<VisitAction> VisitActionOfWord(const QString& word);

// The stable words of a visit's result.
namespace velor::book {
inline constexpr char kResultSucceeded[] = "succeeded"; // the operation did what it should
inline constexpr char kResultFailed[] = "failed";       // it did not (the device may be unchanged)
inline constexpr char kResultMismatch[] = "mismatch";   // written, read back different
inline constexpr char kResultUnverified[] = "unverified"; // written, not read back
inline constexpr char kResultUnknown[] = "unknown";       // entered from the settings history

// The mark (SiteBook::Mark) every book gets when it is made: the time, ISO 8601 UTC.
inline constexpr char kCreatedMark[] = "created";
} // namespace velor::book

// One visit: never changed or deleted once recorded.
struct VisitRecord {
    QString uuid;
    QDateTime time;
    QString technician;
    QString siteUuid;     // the device's site at the time; empty: none
    QString deviceSerial; // empty: a device without a serial (or a snapshot entered from history)
    VisitAction action = VisitAction::Read;
    // The device's settings as found (read, or read before a write) and their fingerprint.
    std::optional<SettingsImage> before;
    QString beforeFingerprint;
    // The settings written (write) and their fingerprint; for a firmware write, the file's
    // SHA-256 in writtenFingerprint and no image.
    std::optional<SettingsImage> written;
    QString writtenFingerprint;
    std::optional<bool> verified; // of a write: read back equal or not; none: not applicable
    QString verifyNote;           // why not verified
    QString snapshotPath;         // the snapshot kept before a write
    QString result;               // velor::book::kResult...
    QString note;                 // free text: the firmware's versions, where a visit came from
};

// Which visits to list, newest first.
struct VisitFilter {
    QString siteUuid;     // empty: any
    QString deviceSerial; // empty: any
    int limit = 0;        // 0: all
};

// A device seen at connect: added when new, its type, platform, version and last seen updated.
struct DeviceSighting {
    QString serial;
    int type = 0;
    int platform = 0;
    QString version;
    QDateTime time; // UTC; the present when invalid
};

// The whole book, as export writes it and import reads it.
struct BookContents {
    std::vector<SiteRecord> sites;
    std::vector<DeviceRecord> devices;
    std::vector<VisitRecord> visits;
};

// What an import changed: a second import of the same document changes nothing.
struct ImportCounts {
    int sitesAdded = 0;
    int sitesUpdated = 0;
    int devicesAdded = 0;
    int devicesUpdated = 0;
    int visitsAdded = 0;
};

// book check.
struct BookCheck {
    int schemaVersion = 0; // as the book holds it
    int knownVersion = 0;  // the newest this program knows
    QString integrity;     // "ok", or what the database's own check found
    qint64 sites = 0;
    qint64 devices = 0;
    qint64 visits = 0;
};
