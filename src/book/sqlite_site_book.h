#pragma once

#include "book/site_book.h"

#include <QSqlDatabase>
#include <QString>

// The site book in one SQLite file (Qt's QSQLITE driver): created with mode 0600 (it holds
// customers' addresses and phone numbers), WAL journal and a busy time-out so that the window
// and the command-line tool use it at once, the schema brought forward at open. A file that is
// no site book, or cannot be read, is never written to; a book of a newer schema is opened
// read-only. Each object has a database connection of its own, used from the thread that made
// it.
class SqliteSiteBook : public SiteBook {
public:
    // How long a call waits for another program's transaction before it fails.
    static constexpr int kBusyTimeoutMs = 5000;

    explicit SqliteSiteBook(const QString& path);
    ~SqliteSiteBook() override;

    QString Location() const override { return path_; }
    Availability State() const override { return state_; }
    QString Problem() const override { return problem_; }

    BookResult<std::vector<SiteRecord>> Sites(const QString& search = {}, int limit = 0) override;
    BookResult<std::optional<SiteRecord>> SiteByName(const QString& name) override;
    BookResult<std::optional<SiteRecord>> SiteByUuid(const QString& uuid) override;
    BookResult<SiteRecord> AddSite(const SiteRecord& site, const QString& technician) override;
    BookResult<SiteRecord> EditSite(const QString& uuid, const SiteChanges& changes,
                                    const QString& technician) override;
    BookResult<std::optional<DeviceRecord>> DeviceBySerial(const QString& serial) override;
    BookResult<std::vector<DeviceRecord>> DevicesOfSite(const QString& siteUuid) override;
    BookResult<DeviceRecord> NoteDevice(const DeviceSighting& sighting) override;
    BookResult<VisitRecord> AttachDevice(const QString& serial, const QString& siteUuid,
                                         const QString& technician) override;
    BookResult<VisitRecord> RecordVisit(const VisitRecord& visit) override;
    BookResult<std::vector<VisitRecord>> Visits(const VisitFilter& filter) override;
    BookResult<BookContents> Contents() override;
    BookResult<ImportCounts> Merge(const BookContents& contents) override;
    BookResult<BookCheck> Check() override;
    BookResult<QString> Mark(const QString& key) override;
    BookStatus SetMark(const QString& key, const QString& value) override;

private:
    void Open();
    QString CheckFile();
    bool OpenConnection(bool readOnly);
    QString Refusal(bool changes) const;

    QString path_;
    QString connectionName_;
    QSqlDatabase db_;
    Availability state_ = Availability::Unavailable;
    QString problem_;
};
