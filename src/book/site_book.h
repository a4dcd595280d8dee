#pragma once

#include "book/book_records.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The site book as both front ends use it, whatever keeps it: today a SQLite file
// (SqliteSiteBook), later also a shared database server behind the same calls.
//
// Rules every backend keeps:
// - A book that could not be opened answers every call with an error and changes nothing; one
//   message (Problem()) names the book and the reason. A book written by a newer program is
//   readable and refuses every change (ReadOnly).
// - Every call is one short transaction of its own: nothing is held between calls, so a call may
//   come from a dialog's answer without blocking another program.
// - Visits are immutable: there is no call that changes or deletes one.
// - Names and texts are stored exactly as given (any script, quotes, newlines).
// - A book object is used from the thread that opened it.
//
// Errors: each call returns a BookStatus (or a BookResult with a value) whose error is empty
// when the call succeeded and otherwise one line saying why.

struct BookStatus {
    QString error;
    bool Ok() const { return error.isEmpty(); }
};

template <class T> struct BookResult : BookStatus { T value{}; };

class SiteBook {
public:
    enum class Availability {
        Writable,
        ReadOnly,    // written by a newer program: read, never changed
        Unavailable, // damaged, unreadable or not reachable: nothing works
    };

    virtual ~SiteBook() = default;
    SiteBook() = default;
    SiteBook(const SiteBook&) = delete;
    SiteBook& operator=(const SiteBook&) = delete;

    // Where the book is: its file (a server's address for a shared book).
    virtual QString Location() const = 0;
    virtual Availability State() const = 0;
    // Why the book is not Writable, one line naming it; empty when it is.
    virtual QString Problem() const = 0;

    // Sites, by name. With search: the sites whose name starts with it, then those with a device
    // whose serial number starts with it or (a search of three letters or more) whose name,
    // address, contact or phone contains it; letter case ignored in any script. limit 0: all.
    virtual BookResult<std::vector<SiteRecord>> Sites(const QString& search = {},
                                                      int limit = 0) = 0;
    virtual BookResult<std::optional<SiteRecord>> SiteByName(const QString& name) = 0;
    virtual BookResult<std::optional<SiteRecord>> SiteByUuid(const QString& uuid) = 0;
    // Adds a site under a name no other site has; fills in its uuid and times (the value).
    virtual BookResult<SiteRecord> AddSite(const SiteRecord& site, const QString& technician) = 0;
    // Changes the given fields of the site (a new name must be free); returns the site as now.
    virtual BookResult<SiteRecord> EditSite(const QString& uuid, const SiteChanges& changes,
                                            const QString& technician) = 0;

    // Devices.
    virtual BookResult<std::optional<DeviceRecord>> DeviceBySerial(const QString& serial) = 0;
    virtual BookResult<std::vector<DeviceRecord>> DevicesOfSite(const QString& siteUuid) = 0;
    // A device connected: added when new, otherwise its details and last seen are updated.
    // Returns the record as now (with its site).
    virtual BookResult<DeviceRecord> NoteDevice(const DeviceSighting& sighting) = 0;
    // Attaches the device (added when unknown) to the site and records an "attach" visit, in one
    // transaction; returns the visit.
    virtual BookResult<VisitRecord> AttachDevice(const QString& serial, const QString& siteUuid,
                                                 const QString& technician) = 0;

    // Visits. Record fills in an empty uuid (a new UUID) and an invalid time (now); a visit
    // whose uuid the book already holds is kept as it is (recording twice records once).
    virtual BookResult<VisitRecord> RecordVisit(const VisitRecord& visit) = 0;
    // Newest first.
    virtual BookResult<std::vector<VisitRecord>> Visits(const VisitFilter& filter) = 0;

    // The whole book (export) and a merge of another one (import: sites by uuid, devices by
    // serial, visits by uuid; importing the same contents again changes nothing).
    virtual BookResult<BookContents> Contents() = 0;
    virtual BookResult<ImportCounts> Merge(const BookContents& contents) = 0;
    // Schema version, integrity and counts.
    virtual BookResult<BookCheck> Check() = 0;

    // One-off marks the book keeps for the program (e.g. that the history folder was entered).
    virtual BookResult<QString> Mark(const QString& key) = 0;
    virtual BookStatus SetMark(const QString& key, const QString& value) = 0;
};

// Opens the book at location (a file path; an empty location opens nothing and answers as
// Unavailable). Never fails: a book that cannot be opened says so through State() and Problem().
std::unique_ptr<SiteBook> OpenSiteBook(const QString& location);
