// The settings history: what a snapshot holds and how it is named, the order and the state of the
// listed snapshots, which ones pruning keeps, and that a failed save leaves nothing behind.

#include "file_faults.h"

#include "settings/cfg_format.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_history.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const QDateTime kNow(QDate(2024, 6, 1), QTime(12, 0, 0));
const TVelorDevDesc kDevice{580, 5, 3, 1, 7};

SettingsImage Patterned(unsigned seed) {
    SettingsImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * seed + 1);
    }
    return image;
}

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

// A snapshot as a save made it `age` seconds before kNow, written directly (pruning cases need
// hundreds, and a save syncs every file it writes).
QString PlantSnapshot(const QString& folder, qint64 age, const SettingsImage& image) {
    const QString base =
        folder + '/' + kNow.addSecs(-age).toString("yyyyMMdd-HHmmss") + "_580_3_1_7";
    WriteFile(base + ".cfg", CfgText(image));
    const QJsonObject record{{"deviceType", 580},
                             {"platform", 5},
                             {"version", "3_1_7"},
                             {"fingerprint", velor::settings::Fingerprint(image)},
                             {"replacedBy", QString()}};
    WriteFile(base + ".json", QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n');
    return base + ".cfg";
}

SettingsHistory HistoryAt(const QString& folder) {
    return SettingsHistory(folder, [] { return kNow; });
}

} // namespace

class TestSettingsHistory : public QObject {
    Q_OBJECT

private slots:
    void snapshotIsThePreviousSettingsWithARecord();
    void snapshotsOfOneSecondGetNamesOfTheirOwn();
    void writersAtOnceGetSnapshotsOfTheirOwn();
    void listedTimeIsTheRecordedInstant_data();
    void listedTimeIsTheRecordedInstant();
    void listedNewestFirstWithTheirState_data();
    void listedNewestFirstWithTheirState();
    void pruningKeepsTheNewestAndTheYoung_data();
    void pruningKeepsTheNewestAndTheYoung();
    void failedSaveLeavesNothing_data();
    void failedSaveLeavesNothing();
};

void TestSettingsHistory::snapshotIsThePreviousSettingsWithARecord() {
    QTemporaryDir dir;
    const QString folder = dir.filePath("user/velor580/history"); // created by the save
    const SettingsImage previous = Patterned(7);
    const SettingsImage replacement = Patterned(11);
    const HistorySave saved = HistoryAt(folder).Save(previous, {580, 5, 2, 10, 0}, replacement,
                                                     QDateTime(QDate(2024, 5, 1), QTime(9, 5, 7)));
    QVERIFY2(saved.Saved(), qPrintable(saved.error));
    QCOMPARE(saved.path, folder + "/20240501-090507_580_2_10_0.cfg");
    QCOMPARE(Content(saved.path), CfgText(previous));

    const QByteArray line = Content(folder + "/20240501-090507_580_2_10_0.json");
    QVERIFY(line.endsWith('\n'));
    QCOMPARE(line.count('\n'), 1);
    const QJsonObject record = QJsonDocument::fromJson(line).object();
    QCOMPARE(record.value("deviceType").toInt(), 580);
    QCOMPARE(record.value("platform").toInt(), 5);
    QCOMPARE(record.value("version").toString(), QStringLiteral("2_10_0"));
    QCOMPARE(record.value("fingerprint").toString(), velor::settings::Fingerprint(previous));
    QCOMPARE(record.value("replacedBy").toString(), velor::settings::Fingerprint(replacement));
    QCOMPARE(QDateTime::fromString(record.value("time").toString(), Qt::ISODate),
             QDateTime(QDate(2024, 5, 1), QTime(9, 5, 7)));
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);
}

void TestSettingsHistory::snapshotsOfOneSecondGetNamesOfTheirOwn() {
    QTemporaryDir dir;
    SettingsHistory history = HistoryAt(dir.path());
    QStringList paths;
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const HistorySave saved = history.Save(Patterned(seed), kDevice, Patterned(9), kNow);
        QVERIFY2(saved.Saved(), qPrintable(saved.error));
        paths.prepend(saved.path);
    }
    QCOMPARE(paths, (QStringList{dir.filePath("20240601-120000-3_580_3_1_7.cfg"),
                                 dir.filePath("20240601-120000-2_580_3_1_7.cfg"),
                                 dir.filePath("20240601-120000_580_3_1_7.cfg")}));
    const std::vector<HistoryEntry> entries = history.List();
    QCOMPARE(int(entries.size()), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(entries[std::size_t(i)].path, paths[i]);
        QCOMPARE(entries[std::size_t(i)].fingerprint,
                 velor::settings::Fingerprint(Patterned(unsigned(3 - i))));
    }
}

// Writers saving in the same second into one folder (two programs writing two devices) never
// share a name: each gets a whole snapshot of its own device's settings with its own record.
void TestSettingsHistory::writersAtOnceGetSnapshotsOfTheirOwn() {
    constexpr int kWriters = 12;
    QTemporaryDir dir;
    std::vector<HistorySave> saves(kWriters);
    std::atomic<int> waiting{kWriters};
    std::vector<std::thread> writers;
    for (int i = 0; i < kWriters; ++i) {
        writers.emplace_back([&, i] {
            SettingsHistory history = HistoryAt(dir.path());
            --waiting;
            while (waiting > 0) {
                std::this_thread::yield(); // all start together
            }
            saves[std::size_t(i)] =
                history.Save(Patterned(unsigned(i + 1)), kDevice, Patterned(99), kNow);
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    QSet<QString> paths;
    for (int i = 0; i < kWriters; ++i) {
        const HistorySave& saved = saves[std::size_t(i)];
        QVERIFY2(saved.Saved(), qPrintable(saved.error));
        paths.insert(saved.path);
        QCOMPARE(Content(saved.path), CfgText(Patterned(unsigned(i + 1))));
        const QJsonObject record =
            QJsonDocument::fromJson(Content(QString(saved.path).replace(".cfg", ".json"))).object();
        QCOMPARE(record.value("fingerprint").toString(),
                 velor::settings::Fingerprint(Patterned(unsigned(i + 1))));
    }
    QCOMPARE(paths.size(), kWriters);
    const std::vector<HistoryEntry> entries = HistoryAt(dir.path()).List();
    QCOMPARE(int(entries.size()), kWriters);
    for (const HistoryEntry& entry : entries) {
        QCOMPARE(int(entry.state), int(SnapshotState::Intact));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2 * kWriters);
}

// The list shows when a snapshot was saved as the instant its record holds, in local time
// whatever the time zone of the save; the file name's local time only when the record has none.
void TestSettingsHistory::listedTimeIsTheRecordedInstant_data() {
    QTest::addColumn<QString>("recorded"); // the record's "time"; "-" for no such key
    QTest::addColumn<QDateTime>("listed");
    const QDateTime named = kNow.addSecs(-60); // the file name's local time
    QTest::newRow("instant with an offset")
        << "2024-06-01T12:00:00+13:45"
        << QDateTime(QDate(2024, 5, 31), QTime(22, 15), Qt::UTC).toLocalTime();
    QTest::newRow("instant in UTC")
        << "2024-06-01T01:02:03Z"
        << QDateTime(QDate(2024, 6, 1), QTime(1, 2, 3), Qt::UTC).toLocalTime();
    QTest::newRow("no time recorded") << "-" << named;
    QTest::newRow("a time that is none") << "soon" << named;
}

void TestSettingsHistory::listedTimeIsTheRecordedInstant() {
    QFETCH(QString, recorded);
    QFETCH(QDateTime, listed);
    QTemporaryDir dir;
    const QString path = PlantSnapshot(dir.path(), 60, Patterned(4));
    QJsonObject record =
        QJsonDocument::fromJson(Content(QString(path).replace(".cfg", ".json"))).object();
    if (recorded != "-") {
        record.insert("time", recorded);
    }
    WriteFile(QString(path).replace(".cfg", ".json"),
              QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n');
    const std::vector<HistoryEntry> entries = HistoryAt(dir.path()).List();
    QCOMPARE(int(entries.size()), 1);
    QCOMPARE(entries[0].time, listed);
    QCOMPARE(entries[0].time.timeSpec(), Qt::LocalTime);
    QCOMPARE(int(entries[0].state), int(SnapshotState::Intact));
}

// Snapshots planted at the given ages (seconds), then one damaged; the list as
// "age state", newest first.
void TestSettingsHistory::listedNewestFirstWithTheirState_data() {
    QTest::addColumn<QList<qint64>>("ages");
    QTest::addColumn<QString>("damage"); // done to the snapshot of the first age
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("empty folder") << QList<qint64>{} << "" << QStringList{};
    QTest::newRow("newest first") << QList<qint64>{60, 5, 3600} << ""
                                  << QStringList{"5 intact", "60 intact", "3600 intact"};
    QTest::newRow("changed after it was saved")
        << QList<qint64>{60, 5} << "altered" << QStringList{"5 intact", "60 altered"};
    QTest::newRow("record missing")
        << QList<qint64>{60, 5} << "unrecorded" << QStringList{"5 intact", "60 unrecorded"};
    QTest::newRow("record that is no JSON")
        << QList<qint64>{60} << "bad record" << QStringList{"60 unrecorded"};
    QTest::newRow("record without a fingerprint")
        << QList<qint64>{60, 5} << "no fingerprint" << QStringList{"5 intact", "60 unrecorded"};
    QTest::newRow("no settings file any more")
        << QList<qint64>{60, 5} << "unreadable" << QStringList{"5 intact", "60 unreadable"};
    QTest::newRow("files of other names are no snapshots")
        << QList<qint64>{60} << "strangers" << QStringList{"60 intact"};
}

void TestSettingsHistory::listedNewestFirstWithTheirState() {
    QFETCH(QList<qint64>, ages);
    QFETCH(QString, damage);
    QFETCH(QStringList, listed);
    QTemporaryDir dir;
    QStringList paths;
    for (const qint64 age : ages) {
        paths << PlantSnapshot(dir.path(), age, Patterned(unsigned(age)));
    }
    const QString record = paths.value(0).replace(".cfg", ".json");
    if (damage == "altered") {
        WriteFile(paths[0], CfgText(Patterned(99)));
    } else if (damage == "unrecorded") {
        QVERIFY(QFile::remove(record));
    } else if (damage == "bad record") {
        WriteFile(record, "{\"deviceType\":");
    } else if (damage == "no fingerprint") {
        WriteFile(record, "{\"deviceType\":580,\"platform\":5,\"version\":\"3_1_7\"}\n");
    } else if (damage == "unreadable") {
        WriteFile(paths[0], "12\r\n");
    } else if (damage == "strangers") {
        WriteFile(dir.filePath("notes.cfg"), CfgText(Patterned(1)));
        WriteFile(dir.filePath("20240601-120000_580.cfg"), CfgText(Patterned(1)));
        QVERIFY(QDir(dir.path()).mkdir("20240601-110000_580_3_1_7.cfg"));
    }
    QStringList found;
    for (const HistoryEntry& entry : HistoryAt(dir.path()).List()) {
        const char* states[] = {"intact", "unrecorded", "altered", "unreadable"};
        found << QStringLiteral("%1 %2")
                     .arg(entry.time.secsTo(kNow))
                     .arg(QLatin1String(states[int(entry.state)]));
        QCOMPARE(entry.deviceType, uint16_t(580));
        QCOMPARE(entry.version, QStringLiteral("3_1_7"));
    }
    QCOMPARE(found, listed);
}

// Snapshots planted at ages in days (each a second apart in a run), then one save at kNow;
// how many stay, and the age in days of the oldest that stays.
void TestSettingsHistory::pruningKeepsTheNewestAndTheYoung_data() {
    QTest::addColumn<int>("oldCount");   // planted from 40 days back
    QTest::addColumn<int>("youngCount"); // planted from 1 day back
    QTest::addColumn<int>("kept");       // the new one included
    QTest::newRow("199 old and the new one: nothing goes") << 199 << 0 << 200;
    QTest::newRow("200 old and the new one: the oldest goes") << 200 << 0 << 200;
    QTest::newRow("210 old: the 11 oldest go") << 210 << 0 << 200;
    QTest::newRow("250 young: none goes, however many") << 0 << 250 << 251;
    QTest::newRow("60 young and 190 old: the newest 200, then only young ones") << 190 << 60 << 200;
    QTest::newRow("230 young and 20 old: every young one, no old one") << 20 << 230 << 231;
}

void TestSettingsHistory::pruningKeepsTheNewestAndTheYoung() {
    QFETCH(int, oldCount);
    QFETCH(int, youngCount);
    QFETCH(int, kept);
    constexpr qint64 kDay = 24 * 3600;
    QTemporaryDir dir;
    const SettingsImage image = Patterned(3);
    QStringList oldest;
    for (int i = 0; i < youngCount; ++i) {
        PlantSnapshot(dir.path(), kDay + i, image);
    }
    for (int i = 0; i < oldCount; ++i) {
        oldest.prepend(PlantSnapshot(dir.path(), 40 * kDay + i, image));
    }
    WriteFile(dir.filePath("notes.txt"), "kept");

    SettingsHistory history = HistoryAt(dir.path());
    QVERIFY(history.Save(image, kDevice, Patterned(5), kNow).Saved());
    QCOMPARE(int(history.List().size()), kept);
    QCOMPARE(QDir(dir.path()).entryList({"*.json"}, QDir::Files).size(), kept);
    const int gone = oldCount + youngCount + 1 - kept;
    for (int i = 0; i < oldest.size(); ++i) {
        QCOMPARE(QFile::exists(oldest[i]), i >= gone);
    }
    QVERIFY(QFile::exists(dir.filePath("notes.txt")));
}

void TestSettingsHistory::failedSaveLeavesNothing_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("said");
    QTest::newRow("the folder's place is taken by a file") << "file"
                                                           << "history";
    QTest::newRow("a folder on the way is a file") << "parent"
                                                   << "Это не папка";
    QTest::newRow("the disk fills up") << "full"
                                       << "Не удалось создать файл";
}

void TestSettingsHistory::failedSaveLeavesNothing() {
    QFETCH(QString, fault);
    QFETCH(QString, said);
    QTemporaryDir dir;
    QString folder = dir.filePath("history");
    if (fault == "file") {
        WriteFile(folder, "not a folder");
    } else if (fault == "parent") {
        WriteFile(dir.filePath("user"), "not a folder");
        folder = dir.filePath("user/history");
    } else {
        QVERIFY(QDir(dir.path()).mkdir("history"));
    }
    HistorySave saved;
    {
        const FileSizeLimit limit(fault == "full" ? 300 : RLIM_INFINITY);
        saved = HistoryAt(folder).Save(Patterned(1), kDevice, Patterned(2), kNow);
    }
    QVERIFY(!saved.Saved());
    QVERIFY(saved.path.isEmpty());
    QVERIFY2(saved.error.contains(said), qPrintable(saved.error));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

QTEST_GUILESS_MAIN(TestSettingsHistory)
#include "tst_settings_history.moc"
