#include "book/book_file.h"
#include "book/book_json.h"
#include "book/history_entry.h"
#include "book/site_book.h"
#include "book/sqlite_site_book.h"
#include "file_faults.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_history.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kTechnician[] = "Сидоров С. С.";

SettingsImage Pattern(uint8_t seed) {
    SettingsImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(seed + i * 7);
    }
    return image;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

VisitRecord WriteVisit(const QString& serial, const QString& site, const QDateTime& time,
                       uint8_t seed) {
    VisitRecord visit;
    visit.time = time;
    visit.technician = QString::fromUtf8(kTechnician);
    visit.siteUuid = site;
    visit.deviceSerial = serial;
    visit.action = VisitAction::Write;
    visit.before = Pattern(seed);
    visit.beforeFingerprint = velor::settings::Fingerprint(*visit.before);
    visit.written = Pattern(static_cast<uint8_t>(seed + 1));
    visit.writtenFingerprint = velor::settings::Fingerprint(*visit.written);
    visit.verified = true;
    visit.snapshotPath = "/history/20261211-101500_580_3_1_7.cfg";
    visit.result = QLatin1String(velor::book::kResultSucceeded);
    return visit;
}

bool SameVisit(const VisitRecord& a, const VisitRecord& b) {
    return a.uuid == b.uuid && a.time == b.time && a.technician == b.technician &&
           a.siteUuid == b.siteUuid && a.deviceSerial == b.deviceSerial && a.action == b.action &&
           a.before == b.before && a.beforeFingerprint == b.beforeFingerprint &&
           a.written == b.written && a.writtenFingerprint == b.writtenFingerprint &&
           a.verified == b.verified && a.verifyNote == b.verifyNote &&
           a.snapshotPath == b.snapshotPath && a.result == b.result && a.note == b.note;
}

int SchemaVersionOf(const QString& path) {
    int version = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "probe");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        query.exec("SELECT version FROM schema_version");
        version = query.next() ? query.value(0).toInt() : -1;
    }
    QSqlDatabase::removeDatabase("probe");
    return version;
}

void RunOn(const QString& path, const QString& statement) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "raw");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY2(query.exec(statement), qPrintable(statement));
    }
    QSqlDatabase::removeDatabase("raw");
}

} // namespace

class TestSiteBook : public QObject {
    Q_OBJECT
private slots:
    void newBookIsPrivateAndVersioned();
    void textsRoundTrip_data();
    void textsRoundTrip();
    void search_data();
    void search();
    void editKeepsNamesUnique();
    void attachRecordsAVisit();
    void visitsAreImmutableAndListedNewestFirst();
    void exportImportIsIdempotent();
    void importMapsASiteOfTheSameName();
    void badDocumentsAreRefused_data();
    void badDocumentsAreRefused();
    void unusableFilesAreNeverWritten_data();
    void unusableFilesAreNeverWritten();
    void newerSchemaIsReadOnly();
    void fullDiskLosesOnlyTheVisit();
    void twoBooksOnOneFileKeepBothVisits();
    void historyBeforeTheBookIsEnteredOnce();
    void damagedBookIsKeptAside();

private:
    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
};

void TestSiteBook::newBookIsPrivateAndVersioned() {
    const QString path = Path("new/folder/sites.sqlite");
    {
        SqliteSiteBook book(path);
        QCOMPARE(book.State(), SiteBook::Availability::Writable);
        QVERIFY(book.Problem().isEmpty());
        const auto check = book.Check();
        QVERIFY2(check.Ok(), qPrintable(check.error));
        QCOMPARE(check.value.integrity, QString("ok"));
        QCOMPARE(check.value.schemaVersion, check.value.knownVersion);
        QCOMPARE(check.value.visits, 0);
    }
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, 0600u);
    QVERIFY(FileBytes(path).startsWith("SQLite format 3"));
    QCOMPARE(FileBytes(path).at(18), char(2)); // the WAL journal is the file's own setting
    QVERIFY(SchemaVersionOf(path) >= 1);
}

void TestSiteBook::textsRoundTrip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("notes");
    QTest::newRow("Cyrillic") << "Магазин «Ёлка», ул. Щорса"
                              << "Ключ у охранника";
    QTest::newRow("quotes") << "O'Brien \"Bar\" `x` ;--"
                            << "'; DROP TABLE sites; --";
    QTest::newRow("newlines and tabs") << "Склад\nкорпус 2"
                                       << "строка 1\r\nстрока 2\tтаб";
    QTest::newRow("beyond the basic plane") << "Кафе 😀 𝔸"
                                            << "";
    QTest::newRow("blanks kept") << "  Дом  "
                                 << "   ";
}

// Exactly as given, through the file, a second connection and export/import.
void TestSiteBook::textsRoundTrip() {
    QFETCH(QString, name);
    QFETCH(QString, notes);
    const QString path = Path(QString("texts-%1.sqlite").arg(QTest::currentDataTag()));
    SiteRecord site;
    site.name = name;
    site.notes = notes;
    site.address = name + "\n" + notes;
    site.phone = "+7 (900) 000-00-00";
    {
        SqliteSiteBook book(path);
        const auto added = book.AddSite(site, kTechnician);
        QVERIFY2(added.Ok(), qPrintable(added.error));
        QVERIFY(!added.value.uuid.isEmpty());
    }
    SqliteSiteBook book(path);
    const auto found = book.SiteByName(name);
    QVERIFY2(found.Ok() && found.value, qPrintable(found.error));
    QCOMPARE(found.value->name, name);
    QCOMPARE(found.value->notes, notes);
    QCOMPARE(found.value->address, site.address);
    QCOMPARE(found.value->createdBy, QString(kTechnician));

    const auto contents = book.Contents();
    QVERIFY(contents.Ok());
    const auto read = velor::book::ReadBookDocument(velor::book::BookDocument(contents.value));
    QVERIFY2(read.Ok(), qPrintable(read.error));
    SqliteSiteBook other(path + ".copy");
    QVERIFY(other.Merge(read.value).Ok());
    const auto copied = other.SiteByName(name);
    QVERIFY(copied.value);
    QCOMPARE(copied.value->name, name);
    QCOMPARE(copied.value->notes, notes);
    QCOMPARE(copied.value->uuid, found.value->uuid);
    QCOMPARE(copied.value->created, found.value->created);
}

void TestSiteBook::search_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("everything") << ""
                                << QStringList{"Аптека", "аптечный склад", "Банк", "Школа №5"};
    QTest::newRow("name prefix, any letter case, prefix first")
        << "АПТ" << QStringList{"Аптека", "аптечный склад"};
    QTest::newRow("inside an address") << "ленина" << QStringList{"Банк"};
    QTest::newRow("name prefix before an address match")
        << "шко" << QStringList{"Школа №5", "аптечный склад"};
    QTest::newRow("two letters: name prefix only") << "шк" << QStringList{"Школа №5"};
    QTest::newRow("quotes inside") << "\"а" << QStringList{};
    QTest::newRow("phone") << "555-12" << QStringList{"Аптека"};
    QTest::newRow("serial prefix") << "a10k" << QStringList{"Банк"};
    QTest::newRow("nothing") << "zzz" << QStringList{};
}

void TestSiteBook::search() {
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    SqliteSiteBook book(Path("search.sqlite"));
    if (book.Sites().value.empty()) {
        const QList<QStringList> sites{{"Аптека", "пр. Мира, 1", "555-12-12"},
                                       {"аптечный склад", "у школы", ""},
                                       {"Банк", "ул. Ленина, 3", ""},
                                       {"Школа №5", "", ""}};
        for (const QStringList& fields : sites) {
            SiteRecord site;
            site.name = fields[0];
            site.address = fields[1];
            site.phone = fields[2];
            QVERIFY(book.AddSite(site, kTechnician).Ok());
        }
        const auto bank = book.SiteByName("Банк");
        QVERIFY(book.AttachDevice("A10K1234", bank.value->uuid, kTechnician).Ok());
    }
    const auto found = book.Sites(text);
    QVERIFY2(found.Ok(), qPrintable(found.error));
    QStringList got;
    for (const SiteRecord& site : found.value) {
        got << site.name;
    }
    QCOMPARE(got, names);
    QCOMPARE(static_cast<int>(book.Sites(text, 1).value.size()), std::min(1, int(names.size())));
}

void TestSiteBook::editKeepsNamesUnique() {
    SqliteSiteBook book(Path("edit.sqlite"));
    SiteRecord site;
    site.name = "Первый";
    const auto first = book.AddSite(site, "А");
    site.name = "Второй";
    const auto second = book.AddSite(site, "А");
    QVERIFY(first.Ok() && second.Ok());
    QVERIFY(!book.AddSite(site, "А").Ok()); // the name is taken

    SiteChanges rename;
    rename.name = "Первый";
    const auto refused = book.EditSite(second.value.uuid, rename, "Б");
    QVERIFY(refused.error.contains("Первый"));

    SiteChanges changes;
    changes.phone = "123";
    changes.notes = "новые\nзаметки";
    const auto edited = book.EditSite(second.value.uuid, changes, "Б");
    QVERIFY2(edited.Ok(), qPrintable(edited.error));
    const auto now = book.SiteByUuid(second.value.uuid).value;
    QCOMPARE(now->name, QString("Второй"));
    QCOMPARE(now->phone, QString("123"));
    QCOMPARE(now->notes, QString("новые\nзаметки"));
    QCOMPARE(now->createdBy, QString("А"));
    QCOMPARE(now->changedBy, QString("Б"));
    QVERIFY(now->changed >= now->created);
    QVERIFY(!book.EditSite("no-such-uuid", changes, "Б").Ok());
}

void TestSiteBook::attachRecordsAVisit() {
    SqliteSiteBook book(Path("attach.sqlite"));
    SiteRecord site;
    site.name = "Объект";
    const auto added = book.AddSite(site, kTechnician);
    QVERIFY(book.NoteDevice({"FT123", 580, 5, "3_1_7", {}}).Ok());
    const auto attached = book.AttachDevice("FT123", added.value.uuid, kTechnician);
    QVERIFY2(attached.Ok(), qPrintable(attached.error));
    QCOMPARE(attached.value.action, VisitAction::Attach);
    const auto device = book.DeviceBySerial("FT123").value;
    QCOMPARE(device->siteUuid, added.value.uuid);
    QCOMPARE(device->type, 580);
    QCOMPARE(device->version, QString("3_1_7"));
    // Seen again: its details follow, its site stays.
    QVERIFY(book.NoteDevice({"FT123", 580, 5, "3_2_0", {}}).Ok());
    QCOMPARE(book.DeviceBySerial("FT123").value->siteUuid, added.value.uuid);
    QCOMPARE(book.DeviceBySerial("FT123").value->version, QString("3_2_0"));
    QCOMPARE(book.DevicesOfSite(added.value.uuid).value.size(), std::size_t(1));
    QVERIFY(!book.AttachDevice("FT123", "no-such-site", kTechnician).Ok());
}

void TestSiteBook::visitsAreImmutableAndListedNewestFirst() {
    SqliteSiteBook book(Path("visits.sqlite"));
    const QDateTime base = QDateTime::fromString("2026-01-02T03:04:05.006Z", Qt::ISODateWithMs);
    const auto first = book.RecordVisit(WriteVisit("S1", "site-a", base, 1));
    const auto second = book.RecordVisit(WriteVisit("S2", "site-a", base.addSecs(60), 2));
    const auto third = book.RecordVisit(WriteVisit("S1", "site-b", base.addSecs(120), 3));
    QVERIFY(first.Ok() && second.Ok() && third.Ok());

    VisitRecord again = WriteVisit("S9", "site-z", base, 9);
    again.uuid = first.value.uuid;
    QVERIFY(book.RecordVisit(again).Ok()); // recorded once: the first stays as it was

    const auto all = book.Visits({});
    QCOMPARE(all.value.size(), std::size_t(3));
    QVERIFY(SameVisit(all.value[0], third.value));
    QVERIFY(SameVisit(all.value[2], first.value));
    QCOMPARE(all.value[2].time, base);
    QCOMPARE(*all.value[2].before, Pattern(1));
    QCOMPARE(*all.value[2].written, Pattern(2));

    const auto ofDevice = book.Visits({{}, "S1", 0});
    QCOMPARE(ofDevice.value.size(), std::size_t(2));
    QCOMPARE(ofDevice.value[0].uuid, third.value.uuid);
    QCOMPARE(book.Visits({"site-a", {}, 1}).value.at(0).uuid, second.value.uuid);
}

void TestSiteBook::exportImportIsIdempotent() {
    SqliteSiteBook source(Path("export.sqlite"));
    SiteRecord site;
    site.name = "Ёжик";
    const auto added = source.AddSite(site, kTechnician);
    QVERIFY(source.NoteDevice({"S1", 580, 5, "3_1_7", {}}).Ok());
    QVERIFY(source.AttachDevice("S1", added.value.uuid, kTechnician).Ok());
    VisitRecord read;
    read.action = VisitAction::Read;
    read.deviceSerial = "S1";
    read.siteUuid = added.value.uuid;
    read.before = Pattern(5);
    QVERIFY(source.RecordVisit(read).Ok());
    QVERIFY(source.RecordVisit(WriteVisit("S1", added.value.uuid, {}, 7)).Ok());

    const QByteArray document = velor::book::BookDocument(source.Contents().value);
    SqliteSiteBook target(Path("import.sqlite"));
    const auto contents = velor::book::ReadBookDocument(document);
    QVERIFY2(contents.Ok(), qPrintable(contents.error));
    const auto first = target.Merge(contents.value);
    QVERIFY2(first.Ok(), qPrintable(first.error));
    QCOMPARE(first.value.sitesAdded, 1);
    QCOMPARE(first.value.devicesAdded, 1);
    QCOMPARE(first.value.visitsAdded, 3);
    const auto second = target.Merge(contents.value);
    QCOMPARE(second.value.sitesAdded + second.value.sitesUpdated + second.value.devicesAdded +
                 second.value.devicesUpdated + second.value.visitsAdded,
             0);

    const auto a = source.Visits({}).value;
    const auto b = target.Visits({}).value;
    QCOMPARE(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        QVERIFY(SameVisit(a[i], b[i]));
    }
    QCOMPARE(target.DeviceBySerial("S1").value->siteUuid, added.value.uuid);
}

void TestSiteBook::importMapsASiteOfTheSameName() {
    SqliteSiteBook here(Path("here.sqlite"));
    SqliteSiteBook there(Path("there.sqlite"));
    SiteRecord site;
    site.name = "Общий";
    const auto local = here.AddSite(site, "А");
    const auto remote = there.AddSite(site, "Б");
    QVERIFY(there.AttachDevice("S7", remote.value.uuid, "Б").Ok());
    const auto counts = here.Merge(there.Contents().value);
    QVERIFY2(counts.Ok(), qPrintable(counts.error));
    QCOMPARE(counts.value.sitesAdded, 0);
    QCOMPARE(here.DeviceBySerial("S7").value->siteUuid, local.value.uuid);
    QCOMPARE(here.Visits({local.value.uuid, {}, 0}).value.size(), std::size_t(1));
}

void TestSiteBook::badDocumentsAreRefused_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("error");
    const QByteArray head = R"({"format": "velor580-site-book", "format_version": 1, )";
    QTest::newRow("not JSON") << QByteArray("{") << "JSON";
    QTest::newRow("another format") << QByteArray(R"({"format": "x"})") << "format";
    QTest::newRow("newer format") << QByteArray(
                                         R"({"format": "velor580-site-book", "format_version": 9})")
                                  << "9";
    QTest::newRow("site without a name") << head + R"("sites": [{"uuid": "u"}]})"
                                         << "объект 1: поле name";
    QTest::newRow("short image")
        << head + R"("visits": [{"uuid": "v", "time": "2026-01-01T00:00:00.000Z", )"
                  R"("action": "read", "before_image": "00ff"}]})"
        << "визит 1: поле before_image";
    QTest::newRow("unknown action")
        << head + R"("visits": [{"uuid": "v", "time": "2026-01-01T00:00:00.000Z", )"
                  R"("action": "dance"}]})"
        << "визит 1: неизвестное действие";
    QTest::newRow("bad time")
        << head + R"("visits": [{"uuid": "v", "time": "yesterday", "action": "read"}]})"
        << "визит 1: поле time";
}

void TestSiteBook::badDocumentsAreRefused() {
    QFETCH(QByteArray, document);
    QFETCH(QString, error);
    const auto read = velor::book::ReadBookDocument(document);
    QVERIFY2(read.error.contains(error), qPrintable(read.error));
}

void TestSiteBook::unusableFilesAreNeverWritten_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("text") << QByteArray("Это не база данных\n") << "не книга объектов";
    QTest::newRow("damaged pages")
        << QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\xAB') << "";
    QTest::newRow("another program's database") << QByteArray("other") << "другой программы";
    QTest::newRow("unreadable") << QByteArray("unreadable") << "";
}

// One message names the file and the reason; the file's bytes stay as they were.
void TestSiteBook::unusableFilesAreNeverWritten() {
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString path = Path(QString("bad-%1.sqlite").arg(QTest::currentDataTag()));
    if (content == "other") {
        RunOn(path, "CREATE TABLE customers (id INTEGER)");
    } else {
        WriteFile(path, content);
    }
    if (content == "unreadable") {
        if (::geteuid() == 0) {
            QSKIP("root reads any file");
        }
        QFile::setPermissions(path, QFileDevice::WriteOwner);
    }
    const QByteArray before = FileBytes(path);
    {
        SqliteSiteBook book(path);
        QCOMPARE(book.State(), SiteBook::Availability::Unavailable);
        QVERIFY2(book.Problem().contains(path) && book.Problem().contains(reason),
                 qPrintable(book.Problem()));
        SiteRecord site;
        site.name = "x";
        QCOMPARE(book.AddSite(site, kTechnician).error, book.Problem());
        QVERIFY(!book.RecordVisit(WriteVisit("S", "", {}, 1)).Ok());
        QVERIFY(!book.Sites().Ok());
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QCOMPARE(FileBytes(path), before);
    QVERIFY(!QFile::exists(path + "-wal"));
}

void TestSiteBook::newerSchemaIsReadOnly() {
    const QString path = Path("newer.sqlite");
    {
        SqliteSiteBook book(path);
        SiteRecord site;
        site.name = "Старый";
        QVERIFY(book.AddSite(site, kTechnician).Ok());
    }
    RunOn(path, "UPDATE schema_version SET version = 99");
    const QByteArray before = FileBytes(path);
    {
        SqliteSiteBook book(path);
        QCOMPARE(book.State(), SiteBook::Availability::ReadOnly);
        QVERIFY2(book.Problem().contains("99") && book.Problem().contains(path),
                 qPrintable(book.Problem()));
        QCOMPARE(book.Sites().value.size(), std::size_t(1));
        SiteRecord site;
        site.name = "Новый";
        QCOMPARE(book.AddSite(site, kTechnician).error, book.Problem());
        QVERIFY(!book.RecordVisit(WriteVisit("S", "", {}, 1)).Ok());
    }
    QCOMPARE(SchemaVersionOf(path), 99);
    QCOMPARE(FileBytes(path), before);
}

// A write that the disk refuses part-way fails with the reason; what the book held before stays.
void TestSiteBook::fullDiskLosesOnlyTheVisit() {
    const QString path = Path("full.sqlite");
    SqliteSiteBook book(path);
    QVERIFY(book.RecordVisit(WriteVisit("S1", "", {}, 1)).Ok());
    QString error;
    {
        const FileSizeLimit limit(QFileInfo(path).size() + QFileInfo(path + "-wal").size());
        for (int i = 0; i < 50 && error.isEmpty(); ++i) {
            error = book.RecordVisit(WriteVisit("S1", "", {}, static_cast<uint8_t>(i))).error;
        }
    }
    QVERIFY(!error.isEmpty());
    const std::size_t kept = book.Visits({}).value.size();
    QVERIFY(kept >= 1);
    SqliteSiteBook again(path);
    QCOMPARE(again.State(), SiteBook::Availability::Writable);
    QCOMPARE(again.Visits({}).value.size(), kept);
    QCOMPARE(again.Check().value.integrity, QString("ok"));
}

void TestSiteBook::twoBooksOnOneFileKeepBothVisits() {
    const QString path = Path("shared.sqlite");
    SqliteSiteBook window(path);
    SqliteSiteBook tool(path);
    for (int i = 0; i < 10; ++i) {
        QVERIFY(window.RecordVisit(WriteVisit("W", "", {}, 1)).Ok());
        QVERIFY(tool.RecordVisit(WriteVisit("T", "", {}, 2)).Ok());
    }
    QCOMPARE(window.Visits({}).value.size(), std::size_t(20));
    QCOMPARE(tool.Visits({{}, "W", 0}).value.size(), std::size_t(10));
}

// The snapshots saved before the book was made become visits without a site, once; a snapshot
// saved after it was recorded as its write's visit then.
void TestSiteBook::historyBeforeTheBookIsEnteredOnce() {
    const QString folder = Path("history");
    SettingsHistory history(folder);
    TVelorDevDesc device;
    device.Type = 580;
    device.Platform = 5;
    const QDateTime earlier =
        QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch() - 3 * 86400);
    QVERIFY(history.Save(Pattern(1), device, Pattern(2), earlier).Saved());
    QVERIFY(history.Save(Pattern(3), device, Pattern(4), earlier.addSecs(60)).Saved());
    SqliteSiteBook book(Path("history.sqlite"));
    QVERIFY(history.Save(Pattern(5), device, Pattern(6), QDateTime::currentDateTime().addSecs(5))
                .Saved());

    QCOMPARE(velor::book::EnterHistoryOnce(book, folder), 2);
    QCOMPARE(velor::book::EnterHistoryOnce(book, folder), 0);
    const auto visits = book.Visits({}).value;
    QCOMPARE(visits.size(), std::size_t(2));
    QCOMPARE(*visits[1].before, Pattern(1));
    QCOMPARE(visits[1].beforeFingerprint, velor::settings::Fingerprint(Pattern(1)));
    QCOMPARE(visits[1].writtenFingerprint, velor::settings::Fingerprint(Pattern(2)));
    QCOMPARE(visits[1].time, earlier.toUTC());
    QVERIFY(visits[1].siteUuid.isEmpty());
    QCOMPARE(visits[1].result, QString(velor::book::kResultUnknown));

    // Another book entering the same snapshots gives them the same uuids: merged, they are once.
    SqliteSiteBook other(Path("history-other.sqlite"));
    RunOn(Path("history-other.sqlite"), "UPDATE marks SET value = '2999-01-01T00:00:00.000Z' "
                                        "WHERE key = 'created'");
    QCOMPARE(velor::book::EnterHistoryOnce(other, folder), 3);
    QCOMPARE(book.Merge(other.Contents().value).value.visitsAdded, 1);
}

// A new book starts only beside the old one: the file and its journal keep their bytes under the
// new name, a second one of the same second gets a name of its own.
void TestSiteBook::damagedBookIsKeptAside() {
    const QString path = Path("aside.sqlite");
    const QDateTime when = QDateTime::fromString("2026-12-11T10:15:00", Qt::ISODate);
    QVERIFY(!velor::book::KeepBookFileAside(path, when).Ok());
    for (const QString& kept : {QString("aside.sqlite.old-20261211-101500"),
                                QString("aside.sqlite.old-20261211-101500-2")}) {
        WriteFile(path, "damaged");
        WriteFile(path + "-wal", "journal");
        const auto aside = velor::book::KeepBookFileAside(path, when);
        QVERIFY2(aside.Ok(), qPrintable(aside.error));
        QCOMPARE(aside.value, Path(kept));
        QCOMPARE(FileBytes(aside.value), QByteArray("damaged"));
        QCOMPARE(FileBytes(aside.value + "-wal"), QByteArray("journal"));
        QVERIFY(!QFile::exists(path) && !QFile::exists(path + "-wal"));
    }
    QCOMPARE(SqliteSiteBook(path).State(), SiteBook::Availability::Writable);
}

QTEST_GUILESS_MAIN(TestSiteBook)
#include "tst_site_book.moc"
