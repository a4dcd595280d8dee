#include "book/sqlite_schema.h"

#include "book/book_records.h"
#include "book/book_texts.h"
#include "book/sqlite_transaction.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <array>
#include <vector>

namespace velor::book {

namespace {

// kMigrations[i] brings a book of version i to version i + 1.
const std::vector<std::vector<const char*>> kMigrations{
    {
        "CREATE TABLE sites (id INTEGER PRIMARY KEY, uuid TEXT NOT NULL UNIQUE, "
        "name TEXT NOT NULL UNIQUE, "
        "name_key TEXT NOT NULL, search_text TEXT NOT NULL, address TEXT NOT NULL, "
        "contact TEXT NOT NULL, phone TEXT NOT NULL, notes TEXT NOT NULL, created TEXT NOT NULL, "
        "created_by TEXT NOT NULL, changed TEXT NOT NULL, changed_by TEXT NOT NULL)",
        "CREATE INDEX sites_by_name_key ON sites (name_key)",
        // Words inside names, addresses, contacts and phones found through an index of their
        // three-letter pieces; kept by triggers, its rows are the sites' ids.
        "CREATE VIRTUAL TABLE sites_search USING fts5 (text, tokenize = 'trigram')",
        "CREATE TRIGGER sites_search_insert AFTER INSERT ON sites BEGIN "
        "INSERT INTO sites_search (rowid, text) VALUES (new.id, new.search_text); END",
        "CREATE TRIGGER sites_search_update AFTER UPDATE OF search_text ON sites BEGIN "
        "UPDATE sites_search SET text = new.search_text WHERE rowid = new.id; END",
        "CREATE TABLE devices (serial TEXT PRIMARY KEY, serial_key TEXT NOT NULL, "
        "type INTEGER NOT NULL, platform INTEGER NOT NULL, version TEXT NOT NULL, "
        "first_seen TEXT NOT NULL, last_seen TEXT NOT NULL, site_uuid TEXT NOT NULL)",
        "CREATE INDEX devices_by_site ON devices (site_uuid)",
        "CREATE INDEX devices_by_serial_key ON devices (serial_key)",
        "CREATE TABLE visits (uuid TEXT PRIMARY KEY, time TEXT NOT NULL, "
        "technician TEXT NOT NULL, site_uuid TEXT NOT NULL, device_serial TEXT NOT NULL, "
        "action TEXT NOT NULL, before_image BLOB, before_fingerprint TEXT NOT NULL, "
        "written_image BLOB, written_fingerprint TEXT NOT NULL, verified INTEGER, "
        "verify_note TEXT NOT NULL, snapshot_path TEXT NOT NULL, result TEXT NOT NULL, "
        "note TEXT NOT NULL)",
        "CREATE INDEX visits_by_site ON visits (site_uuid, time)",
        "CREATE INDEX visits_by_device ON visits (device_serial, time)",
        "CREATE TABLE marks (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
    },
};

const char kVersionTable[] = "schema_version";

QString Failure(const QSqlQuery& query) {
    return query.lastError().databaseText().isEmpty() ? query.lastError().text()
                                                      : query.lastError().databaseText();
}

// A new book notes when it was made: the history's snapshots older than that are entered as
// visits, the later ones were recorded as visits when they were made.
bool MarkCreated(QSqlQuery& query) {
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO marks VALUES (?, ?)"));
    query.addBindValue(QLatin1String(kCreatedMark));
    query.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    return query.exec();
}

} // namespace

int KnownSchemaVersion() {
    return static_cast<int>(kMigrations.size());
}

int ReadSchemaVersion(QSqlDatabase& db, QString* error) {
    QSqlQuery tables(db);
    if (!tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        *error = Failure(tables);
        return -1;
    }
    bool anyTable = false;
    bool versioned = false;
    while (tables.next()) {
        anyTable = true;
        versioned = versioned || tables.value(0).toString() == QLatin1String(kVersionTable);
    }
    if (!anyTable) {
        return 0;
    }
    if (!versioned) {
        *error = BookTexts::tr("это база данных другой программы, а не книга объектов");
        return -1;
    }
    QSqlQuery version(db);
    if (!version.exec(QStringLiteral("SELECT max(version) FROM schema_version"))) {
        *error = Failure(version);
        return -1;
    }
    const int found = version.next() ? version.value(0).toInt() : 0;
    version.finish();
    return found;
}

QString MigrateToKnownVersion(QSqlDatabase& db) {
    SqliteTransaction transaction(db);
    if (!transaction.Began()) {
        return transaction.Error();
    }
    QString error;
    const int version = ReadSchemaVersion(db, &error);
    if (version < 0) {
        return error;
    }
    if (version >= KnownSchemaVersion()) {
        return {};
    }
    QSqlQuery query(db);
    if (version == 0 &&
        !query.exec(QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"))) {
        return Failure(query);
    }
    for (int step = version; step < KnownSchemaVersion(); ++step) {
        for (const char* statement : kMigrations[static_cast<std::size_t>(step)]) {
            if (!query.exec(QLatin1String(statement))) {
                return Failure(query);
            }
        }
    }
    if (version == 0 && !MarkCreated(query)) {
        return Failure(query);
    }
    if (!query.exec(QStringLiteral("DELETE FROM schema_version")) ||
        !query.exec(
            QStringLiteral("INSERT INTO schema_version VALUES (%1)").arg(KnownSchemaVersion()))) {
        return Failure(query);
    }
    return transaction.Commit();
}

} // namespace velor::book
