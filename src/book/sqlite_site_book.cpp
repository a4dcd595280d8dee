#include "book/sqlite_site_book.h"

#include "book/book_texts.h"
#include "book/sqlite_rows.h"
#include "book/sqlite_schema.h"
#include "book/sqlite_transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUuid>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <set>
#include <utility>

namespace rows = velor::book::rows;

namespace {

// The first bytes of every SQLite database file.
const QByteArray kSqliteHeader("SQLite format 3\0", 16);
// The shortest search text the index of three-letter pieces finds.
constexpr int kIndexedSearchLength = 3;
constexpr mode_t kBookFileMode = 0600;

std::atomic<quint64> connectionCount{0};

QString Failure(const QSqlQuery& query) {
    const QSqlError error = query.lastError();
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

QString NewUuid() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QDateTime Now() {
    return QDateTime::currentDateTimeUtc();
}

// One statement with its values, run; empty or why it failed.
template <class... Values>
QString Run(QSqlQuery& query, const QString& statement, const Values&... values) {
    if (!query.prepare(statement)) {
        return Failure(query);
    }
    (query.addBindValue(values), ...);
    return query.exec() ? QString() : Failure(query);
}

// Keeps error in the result; true when there is one.
bool Failed(BookStatus& result, const QString& error) {
    result.error = error;
    return !result.Ok();
}

// An upper bound for the keys that start with prefix (they compare as UTF-8 bytes).
QString PrefixEnd(const QString& prefix) {
    return prefix + QString::fromUcs4(U"\U0010FFFF");
}

} // namespace

SqliteSiteBook::SqliteSiteBook(const QString& path)
    : path_(path), connectionName_(QStringLiteral("velor_site_book_%1_%2")
                                       .arg(connectionCount.fetch_add(1))
                                       .arg(reinterpret_cast<quintptr>(QThread::currentThread()))) {
    Open();
}

SqliteSiteBook::~SqliteSiteBook() {
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName_);
    }
}

void SqliteSiteBook::Open() {
    if (path_.isEmpty()) {
        problem_ = BookTexts::tr("Книга объектов не задана");
        return;
    }
    if (const QString problem = CheckFile(); !problem.isEmpty()) {
        problem_ = BookTexts::tr("Книга объектов %1 не открывается: %2")
                       .arg(QDir::toNativeSeparators(path_), problem);
        return;
    }
    if (!OpenConnection(false)) {
        return;
    }
    QString error;
    const int version = velor::book::ReadSchemaVersion(db_, &error);
    if (version < 0) {
        problem_ = BookTexts::tr("Книга объектов %1 не открывается: %2")
                       .arg(QDir::toNativeSeparators(path_), error);
        return;
    }
    if (version > velor::book::KnownSchemaVersion()) {
        db_.close();
        if (OpenConnection(true)) {
            state_ = Availability::ReadOnly;
            problem_ = BookTexts::tr("Книга объектов %1 записана более новой версией программы "
                                     "(схема %2, эта версия знает %3): она открыта только для "
                                     "чтения, изменения и визиты в нее не записываются")
                           .arg(QDir::toNativeSeparators(path_))
                           .arg(version)
                           .arg(velor::book::KnownSchemaVersion());
        }
        return;
    }
    QSqlQuery wal(db_);
    wal.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    wal.finish();
    if (const QString migration = velor::book::MigrateToKnownVersion(db_); !migration.isEmpty()) {
        problem_ = BookTexts::tr("Книга объектов %1 не открывается: %2")
                       .arg(QDir::toNativeSeparators(path_), migration);
        return;
    }
    state_ = Availability::Writable;
}

// A book that exists must be a readable file that is a SQLite database (or empty); a missing
// one is created empty with mode 0600, its folder too, before the database opens it.
QString SqliteSiteBook::CheckFile() {
    const QFileInfo info(path_);
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile()) {
            return BookTexts::tr("это не файл");
        }
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly)) {
            return file.errorString();
        }
        const QByteArray header = file.read(kSqliteHeader.size());
        if (!header.isEmpty() && header != kSqliteHeader) {
            return BookTexts::tr("файл поврежден или это не книга объектов (не база данных "
                                 "SQLite)");
        }
        return {};
    }
    if (!QDir().mkpath(info.absolutePath())) {
        return BookTexts::tr("папку %1 нельзя создать")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    }
    const int fd =
        ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_CREAT | O_EXCL, kBookFileMode);
    if (fd < 0 && errno != EEXIST) {
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return {};
}

bool SqliteSiteBook::OpenConnection(bool readOnly) {
    if (!db_.isValid()) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    }
    if (!db_.isValid()) {
        problem_ = BookTexts::tr("Книга объектов %1 не открывается: нет драйвера SQLite (%2)")
                       .arg(QDir::toNativeSeparators(path_), db_.lastError().text());
        return false;
    }
    db_.setDatabaseName(path_);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (readOnly) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    }
    db_.setConnectOptions(options);
    if (!db_.open()) {
        problem_ = BookTexts::tr("Книга объектов %1 не открывается: %2")
                       .arg(QDir::toNativeSeparators(path_), db_.lastError().databaseText());
        return false;
    }
    return true;
}

// Why a call cannot run: the book is unavailable, or (for a change) read-only.
QString SqliteSiteBook::Refusal(bool changes) const {
    if (state_ == Availability::Unavailable || (changes && state_ == Availability::ReadOnly)) {
        return problem_;
    }
    return {};
}

BookResult<std::vector<SiteRecord>> SqliteSiteBook::Sites(const QString& search, int limit) {
    BookResult<std::vector<SiteRecord>> result;
    if (Failed(result, Refusal(false))) {
        return result;
    }
    const QString key = rows::SearchKey(search);
    const QString limitText = limit > 0 ? QStringLiteral(" LIMIT %1").arg(limit) : QString();
    QSqlQuery query(db_);
    const QString byName = QStringLiteral("SELECT %1 FROM sites WHERE name_key >= ? AND "
                                          "name_key < ? ORDER BY name_key, name%2")
                               .arg(QLatin1String(rows::kSiteColumns), limitText);
    if (Failed(result, Run(query, byName, key, PrefixEnd(key)))) {
        return result;
    }
    std::set<QString> found;
    while (query.next()) {
        result.value.push_back(rows::SiteAt(query));
        found.insert(result.value.back().uuid);
    }
    if (key.isEmpty() || (limit > 0 && static_cast<int>(result.value.size()) >= limit)) {
        return result;
    }
    // Inside the texts through the index of their three-letter pieces: a text of one or two
    // letters (the first keys typed) finds by name and serial prefix only.
    const QString bySerial = QStringLiteral(
        "uuid IN (SELECT site_uuid FROM devices WHERE serial_key >= ? AND serial_key < ?)");
    const QString inside =
        QStringLiteral("id IN (SELECT rowid FROM sites_search WHERE sites_search MATCH ?) OR ");
    const bool indexed = key.size() >= kIndexedSearchLength;
    const QString elsewhere =
        QStringLiteral("SELECT %1 FROM sites WHERE %2%3 ORDER BY +name_key, name")
            .arg(QLatin1String(rows::kSiteColumns), indexed ? inside : QString(), bySerial);
    const QString phrase = QLatin1Char('"') +
                           QString(key).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                           QLatin1Char('"');
    const QString error = indexed ? Run(query, elsewhere, phrase, key, PrefixEnd(key))
                                  : Run(query, elsewhere, key, PrefixEnd(key));
    if (Failed(result, error)) {
        return result;
    }
    while (query.next() && (limit <= 0 || static_cast<int>(result.value.size()) < limit)) {
        SiteRecord site = rows::SiteAt(query);
        if (found.count(site.uuid) == 0) {
            result.value.push_back(std::move(site));
        }
    }
    return result;
}

namespace {

template <class Record, class Read>
BookResult<std::optional<Record>> One(QSqlQuery& query, const QString& statement,
                                      const QString& value, Read read) {
    BookResult<std::optional<Record>> result;
    if (!Failed(result, Run(query, statement, value)) && query.next()) {
        result.value = read(query);
    }
    query.finish(); // a statement left running would keep the transaction from its commit
    return result;
}

template <class Record, class Read>
BookResult<std::vector<Record>> All(QSqlQuery& query, const QString& statement,
                                    const QStringList& values, Read read) {
    BookResult<std::vector<Record>> result;
    if (!query.prepare(statement)) {
        result.error = Failure(query);
        return result;
    }
    for (const QString& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        result.error = Failure(query);
        return result;
    }
    while (query.next()) {
        result.value.push_back(read(query));
    }
    return result;
}

QString SiteSelect(const char* condition) {
    return QStringLiteral("SELECT %1 FROM sites WHERE %2")
        .arg(QLatin1String(rows::kSiteColumns), QLatin1String(condition));
}

QString DeviceSelect(const char* condition) {
    return QStringLiteral("SELECT %1 FROM devices WHERE %2")
        .arg(QLatin1String(rows::kDeviceColumns), QLatin1String(condition));
}

QString InsertSite() {
    return QStringLiteral("INSERT INTO sites (%1, name_key, search_text) VALUES "
                          "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
        .arg(QLatin1String(rows::kSiteColumns));
}

QString UpdateSite() {
    return QStringLiteral("UPDATE sites SET name = ?, address = ?, contact = ?, phone = ?, "
                          "notes = ?, changed = ?, changed_by = ?, name_key = ?, search_text = ? "
                          "WHERE uuid = ?");
}

QString ReplaceDevice() {
    return QStringLiteral("INSERT OR REPLACE INTO devices (%1, serial_key) VALUES "
                          "(?, ?, ?, ?, ?, ?, ?, ?)")
        .arg(QLatin1String(rows::kDeviceColumns));
}

QString InsertVisit() {
    return QStringLiteral("INSERT OR IGNORE INTO visits (%1) VALUES "
                          "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
        .arg(QLatin1String(rows::kVisitColumns));
}

QString WriteSite(QSqlQuery& query, const SiteRecord& site) {
    if (!query.prepare(InsertSite())) {
        return Failure(query);
    }
    rows::BindSite(query, site);
    query.addBindValue(rows::SearchKey(site.name));
    query.addBindValue(rows::SiteSearchText(site));
    return query.exec() ? QString() : Failure(query);
}

QString RewriteSite(QSqlQuery& query, const SiteRecord& site) {
    if (!query.prepare(UpdateSite())) {
        return Failure(query);
    }
    for (const QString& value :
         {site.name, site.address, site.contact, site.phone, site.notes,
          rows::TimeText(site.changed), site.changedBy, rows::SearchKey(site.name),
          rows::SiteSearchText(site), site.uuid}) {
        query.addBindValue(value.isNull() ? QLatin1String("") : value);
    }
    return query.exec() ? QString() : Failure(query);
}

QString WriteDevice(QSqlQuery& query, const DeviceRecord& device) {
    if (!query.prepare(ReplaceDevice())) {
        return Failure(query);
    }
    rows::BindDevice(query, device);
    query.addBindValue(rows::SearchKey(device.serial));
    return query.exec() ? QString() : Failure(query);
}

// Inserts the visit unless its uuid is there; *added says which.
QString WriteVisit(QSqlQuery& query, const VisitRecord& visit, bool* added = nullptr) {
    if (!query.prepare(InsertVisit())) {
        return Failure(query);
    }
    rows::BindVisit(query, visit);
    if (!query.exec()) {
        return Failure(query);
    }
    if (added != nullptr) {
        *added = query.numRowsAffected() > 0;
    }
    return {};
}

QString NameTaken(const QString& name) {
    return BookTexts::tr("объект \"%1\" уже есть в книге").arg(name);
}

QString NoSuchSite() {
    return BookTexts::tr("такого объекта нет в книге");
}

void Apply(SiteRecord& site, const SiteChanges& changes) {
    site.name = changes.name.value_or(site.name);
    site.address = changes.address.value_or(site.address);
    site.contact = changes.contact.value_or(site.contact);
    site.phone = changes.phone.value_or(site.phone);
    site.notes = changes.notes.value_or(site.notes);
}

} // namespace

BookResult<std::optional<SiteRecord>> SqliteSiteBook::SiteByName(const QString& name) {
    BookResult<std::optional<SiteRecord>> result;
    if (Failed(result, Refusal(false))) {
        return result;
    }
    QSqlQuery query(db_);
    return One<SiteRecord>(query, SiteSelect("name = ?"), name, rows::SiteAt);
}

BookResult<std::optional<SiteRecord>> SqliteSiteBook::SiteByUuid(const QString& uuid) {
    BookResult<std::optional<SiteRecord>> result;
    if (Failed(result, Refusal(false))) {
        return result;
    }
    QSqlQuery query(db_);
    return One<SiteRecord>(query, SiteSelect("uuid = ?"), uuid, rows::SiteAt);
}

BookResult<SiteRecord> SqliteSiteBook::AddSite(const SiteRecord& site, const QString& technician) {
    BookResult<SiteRecord> result;
    if (Failed(result, Refusal(true))) {
        return result;
    }
    if (site.name.trimmed().isEmpty()) {
        result.error = BookTexts::tr("у объекта должно быть название");
        return result;
    }
    SqliteTransaction transaction(db_);
    if (Failed(result, transaction.Error())) {
        return result;
    }
    QSqlQuery query(db_);
    const auto existing = One<SiteRecord>(query, SiteSelect("name = ?"), site.name, rows::SiteAt);
    if (Failed(result, existing.error) ||
        Failed(result, existing.value ? NameTaken(site.name) : QString())) {
        return result;
    }
    result.value = site;
    result.value.uuid = site.uuid.isEmpty() ? NewUuid() : site.uuid;
    result.value.created = result.value.changed = Now();
    result.value.createdBy = result.value.changedBy = technician;
    if (Failed(result, WriteSite(query, result.value))) {
        return result;
    }
    result.error = transaction.Commit();
    return result;
}

BookResult<SiteRecord> SqliteSiteBook::EditSite(const QString& uuid, const SiteChanges& changes,
                                                const QString& technician) {
    BookResult<SiteRecord> result;
    if (Failed(result, Refusal(true))) {
        return result;
    }
    if (changes.name && changes.name->trimmed().isEmpty()) {
        result.error = BookTexts::tr("у объекта должно быть название");
        return result;
    }
    SqliteTransaction transaction(db_);
    if (Failed(result, transaction.Error())) {
        return result;
    }
    QSqlQuery query(db_);
    const auto current = One<SiteRecord>(query, SiteSelect("uuid = ?"), uuid, rows::SiteAt);
    if (Failed(result, current.error) || Failed(result, current.value ? QString() : NoSuchSite())) {
        return result;
    }
    if (changes.name && *changes.name != current.value->name) {
        const auto other =
            One<SiteRecord>(query, SiteSelect("name = ?"), *changes.name, rows::SiteAt);
        if (Failed(result, other.error) ||
            Failed(result, other.value ? NameTaken(*changes.name) : QString())) {
            return result;
        }
    }
    result.value = *current.value;
    Apply(result.value, changes);
    result.value.changed = Now();
    result.value.changedBy = technician;
    if (Failed(result, RewriteSite(query, result.value))) {
        return result;
    }
    result.error = transaction.Commit();
    return result;
}

BookResult<std::optional<DeviceRecord>> SqliteSiteBook::DeviceBySerial(const QString& serial) {
    BookResult<std::optional<DeviceRecord>> result;
    if (Failed(result, Refusal(false))) {
        return result;
    }
    QSqlQuery query(db_);
    return One<DeviceRecord>(query, DeviceSelect("serial = ?"), serial, rows::DeviceAt);
}

BookResult<std::vector<DeviceRecord>> SqliteSiteBook::DevicesOfSite(const QString& siteUuid) {
    BookResult<std::vector<DeviceRecord>> result;
    if (Failed(result, Refusal(false))) {
        return result;
    }
    QSqlQuery query(db_);
    return All<DeviceRecord>(query, DeviceSelect("site_uuid = ? ORDER BY serial"), {siteUuid},
                             rows::DeviceAt);
}

BookResult<DeviceRecord> SqliteSiteBook::NoteDevice(const DeviceSighting& sighting) {
    BookResult<DeviceRecord> result;
    if (Failed(result, Refusal(true))) {
        return result;
    }
    SqliteTransaction transaction(db_);
    if (Failed(result, transaction.Error())) {
        return result;
    }
    QSqlQuery query(db_);
    const auto known =
        One<DeviceRecord>(query, DeviceSelect("serial = ?"), sighting.serial, rows::DeviceAt);
    if (Failed(result, known.error)) {
        return result;
    }
    const QDateTime when = sighting.time.isValid() ? sighting.time.toUTC() : Now();
    result.value = known.value.value_or(DeviceRecord{});
    result.value.serial = sighting.serial;
    result.value.type = sighting.type;
    result.value.platform = sighting.platform;
    result.value.version = sighting.version;
    if (!known.value) {
        result.value.firstSeen = when;
    }
    result.value.lastSeen = when;
    if (Failed(result, WriteDevice(query, result.value))) {
        return result;
    }
    result.error = transaction.Commit();
    return result;
}

BookResult<VisitRecord> SqliteSiteBook::AttachDevice(const QString& serial, const QString& siteUuid,
                                                     const QString& technician) {
    BookResult<VisitRecord> result;
    if (Failed(result, Refusal(true))) {
        return result;
    }
    SqliteTransaction transaction(db_);
    if (Failed(result, transaction.Error())) {
        return result;
    }
    QSqlQuery query(db_);
    const auto site = One<SiteRecord>(query, SiteSelect("uuid = ?"), siteUuid, rows::SiteAt);
    const auto known = One<DeviceRecord>(query, DeviceSelect("serial = ?"), serial, rows::DeviceAt);
    if (Failed(result, site.error) || Failed(result, site.value ? QString() : NoSuchSite()) ||
        Failed(result, known.error)) {
        return result;
    }
    const QDateTime now = Now();
    DeviceRecord device = known.value.value_or(DeviceRecord{serial, 0, 0, {}, now, now, {}});
    device.siteUuid = siteUuid;
    VisitRecord& visit = result.value;
    visit.uuid = NewUuid();
    visit.time = now;
    visit.technician = technician;
    visit.siteUuid = siteUuid;
    visit.deviceSerial = serial;
    visit.action = VisitAction::Attach;
    visit.result = QLatin1String(velor::book::kResultSucceeded);
    if (Failed(result, WriteDevice(query, device)) || Failed(result, WriteVisit(query, visit))) {
        return result;
    }
    result.error = transaction.Commit();
    return result;
}

BookResult<VisitRecord> SqliteSiteBook::RecordVisit(const VisitRecord& visit) {
    BookResult<VisitRecord> result;
    if (Failed(result, Refusal(true))) {
        return result;
    }
    result.value = visit;
    if (result.value.uuid.isEmpty()) {
        result.value.uuid = NewUuid();
    }
    result.value.time = visit.time.isValid() ? visit.time.toUTC() : Now();
    SqliteTransaction transaction(db_);
    QSqlQuery query(db_);
    if (Failed(result, transaction.Error()) || Failed(result, WriteVisit(query, result.value))) {
        return result;
    }
    result.error = transaction.Commit();
    return result;
}

BookResult<std::vector<VisitRecord>> SqliteSiteBook::Visits(const VisitFilter& filter) {
    BookResult<std::vector<VisitRecord>> result;
    if (Failed(result, Refusal(false))) {
        return result;
    }
    QStringList conditions{QStringLiteral("1")};
    QStringList values;
    if (!filter.siteUuid.isEmpty()) {
        conditions << QStringLiteral("site_uuid = ?");
        values << filter.siteUuid;
    }
    if (!filter.deviceSerial.isEmpty()) {
        conditions << QStringLiteral("device_serial = ?");
        values << filter.deviceSerial;
    }
    const QString statement =
        QStringLiteral("SELECT %1 FROM visits WHERE %2 ORDER BY time DESC, uuid%3")
            .arg(QLatin1String(rows::kVisitColumns), conditions.join(QLatin1String(" AND ")),
                 filter.limit > 0 ? QStringLiteral(" LIMIT %1").arg(filter.limit) : QString());
    QSqlQuery query(db_);
    return All<VisitRecord>(query, statement, values, rows::VisitAt);
}

BookResult<BookContents> SqliteSiteBook::Contents() {
    BookResult<BookContents> result;
    if (Failed(result, Refusal(false))) {
        return result;
    }
    QSqlQuery query(db_);
    auto sites = All<SiteRecord>(query, SiteSelect("1 ORDER BY name_key, name"), {}, rows::SiteAt);
    auto devices = All<DeviceRecord>(query, DeviceSelect("1 ORDER BY serial"), {}, rows::DeviceAt);
    auto visits = All<VisitRecord>(query,
                                   QStringLiteral("SELECT %1 FROM visits ORDER BY time, uuid")
                                       .arg(QLatin1String(rows::kVisitColumns)),
                                   {}, rows::VisitAt);
    if (Failed(result, sites.error) || Failed(result, devices.error) ||
        Failed(result, visits.error)) {
        return result;
    }
    result.value = {std::move(sites.value), std::move(devices.value), std::move(visits.value)};
    return result;
}

namespace {

// The merge of another book's contents, inside the caller's transaction. A site of the same uuid
// takes the other's fields when they changed later; a site of another uuid but the same name is
// the same site (its devices and visits are entered under the one here).
class Merger {
public:
    explicit Merger(QSqlDatabase& db) : query_(db) {}

    QString Sites(const std::vector<SiteRecord>& sites) {
        for (const SiteRecord& site : sites) {
            if (const QString error = Site(site); !error.isEmpty()) {
                return error;
            }
        }
        return {};
    }

    QString Devices(const std::vector<DeviceRecord>& devices) {
        for (const DeviceRecord& device : devices) {
            if (const QString error = Device(device); !error.isEmpty()) {
                return error;
            }
        }
        return {};
    }

    QString Visits(const std::vector<VisitRecord>& visits) {
        for (VisitRecord visit : visits) {
            visit.siteUuid = Mapped(visit.siteUuid);
            bool added = false;
            if (const QString error = WriteVisit(query_, visit, &added); !error.isEmpty()) {
                return error;
            }
            counts_.visitsAdded += added ? 1 : 0;
        }
        return {};
    }

    const ImportCounts& Counts() const { return counts_; }

private:
    QString Site(const SiteRecord& site) {
        const auto same = One<SiteRecord>(query_, SiteSelect("uuid = ?"), site.uuid, rows::SiteAt);
        if (!same.Ok()) {
            return same.error;
        }
        if (same.value) {
            return RewriteIfLater(*same.value, site);
        }
        const auto named = One<SiteRecord>(query_, SiteSelect("name = ?"), site.name, rows::SiteAt);
        if (!named.Ok()) {
            return named.error;
        }
        if (named.value) {
            siteMap_[site.uuid] = named.value->uuid;
            return {};
        }
        ++counts_.sitesAdded;
        return WriteSite(query_, site);
    }

    // The later change wins; a new name another site here has is not taken.
    QString RewriteIfLater(const SiteRecord& here, const SiteRecord& other) {
        if (other.changed <= here.changed) {
            return {};
        }
        SiteRecord merged = other;
        if (merged.name != here.name) {
            const auto named =
                One<SiteRecord>(query_, SiteSelect("name = ?"), merged.name, rows::SiteAt);
            if (!named.Ok()) {
                return named.error;
            }
            if (named.value) {
                merged.name = here.name;
            }
        }
        ++counts_.sitesUpdated;
        return RewriteSite(query_, merged);
    }

    QString Device(DeviceRecord device) {
        device.siteUuid = Mapped(device.siteUuid);
        const auto known =
            One<DeviceRecord>(query_, DeviceSelect("serial = ?"), device.serial, rows::DeviceAt);
        if (!known.Ok()) {
            return known.error;
        }
        if (!known.value) {
            ++counts_.devicesAdded;
            return WriteDevice(query_, device);
        }
        DeviceRecord merged = device.lastSeen > known.value->lastSeen ? device : *known.value;
        merged.firstSeen = std::min(device.firstSeen, known.value->firstSeen);
        merged.lastSeen = std::max(device.lastSeen, known.value->lastSeen);
        if (merged.siteUuid.isEmpty()) {
            merged.siteUuid =
                known.value->siteUuid.isEmpty() ? device.siteUuid : known.value->siteUuid;
        }
        if (Same(merged, *known.value)) {
            return {};
        }
        ++counts_.devicesUpdated;
        return WriteDevice(query_, merged);
    }

    static bool Same(const DeviceRecord& a, const DeviceRecord& b) {
        return a.type == b.type && a.platform == b.platform && a.version == b.version &&
               a.firstSeen == b.firstSeen && a.lastSeen == b.lastSeen && a.siteUuid == b.siteUuid;
    }

    QString Mapped(const QString& siteUuid) const {
        const auto found = siteMap_.find(siteUuid);
        return found == siteMap_.end() ? siteUuid : found->second;
    }

    QSqlQuery query_;
    ImportCounts counts_;
    std::map<QString, QString> siteMap_;
};

} // namespace

BookResult<ImportCounts> SqliteSiteBook::Merge(const BookContents& contents) {
    BookResult<ImportCounts> result;
    if (Failed(result, Refusal(true))) {
        return result;
    }
    SqliteTransaction transaction(db_);
    if (Failed(result, transaction.Error())) {
        return result;
    }
    Merger merger(db_);
    if (Failed(result, merger.Sites(contents.sites)) ||
        Failed(result, merger.Devices(contents.devices)) ||
        Failed(result, merger.Visits(contents.visits))) {
        return result;
    }
    result.value = merger.Counts();
    result.error = transaction.Commit();
    return result;
}

BookResult<BookCheck> SqliteSiteBook::Check() {
    BookResult<BookCheck> result;
    if (Failed(result, Refusal(false))) {
        return result;
    }
    BookCheck& check = result.value;
    check.knownVersion = velor::book::KnownSchemaVersion();
    if ((check.schemaVersion = velor::book::ReadSchemaVersion(db_, &result.error)) < 0) {
        return result;
    }
    QSqlQuery query(db_);
    if (Failed(result, Run(query, QStringLiteral("PRAGMA integrity_check")))) {
        return result;
    }
    QStringList findings;
    while (query.next()) {
        findings << query.value(0).toString();
    }
    check.integrity = findings.join(QLatin1String("; "));
    for (auto [table, count] :
         {std::pair{"sites", &check.sites}, std::pair{"devices", &check.devices},
          std::pair{"visits", &check.visits}}) {
        if (Failed(
                result,
                Run(query, QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))))) {
            return result;
        }
        *count = query.next() ? query.value(0).toLongLong() : 0;
    }
    return result;
}

BookResult<QString> SqliteSiteBook::Mark(const QString& key) {
    BookResult<QString> result;
    if (Failed(result, Refusal(false))) {
        return result;
    }
    QSqlQuery query(db_);
    if (!Failed(result, Run(query, QStringLiteral("SELECT value FROM marks WHERE key = ?"), key)) &&
        query.next()) {
        result.value = query.value(0).toString();
    }
    query.finish();
    return result;
}

BookStatus SqliteSiteBook::SetMark(const QString& key, const QString& value) {
    BookStatus result;
    if (Failed(result, Refusal(true))) {
        return result;
    }
    SqliteTransaction transaction(db_);
    QSqlQuery query(db_);
    if (Failed(result, transaction.Error()) ||
        Failed(result, Run(query, QStringLiteral("INSERT OR REPLACE INTO marks VALUES (?, ?)"), key,
                           value))) {
        return result;
    }
    result.error = transaction.Commit();
    return result;
}
