// The site book through the real programs: velor580-sim programs presented as FTDI bridges with
// USB serial numbers (a sysfs tree and device folder of the test's own, VELOR580_SYSFS_ROOT and
// VELOR580_DEV_ROOT), velor580-cli run as a process over them and one book file. A device is
// recognised by its serial, every read, write and firmware write is one visit with the right
// settings and fingerprints, parallel writes all keep their visits, export then import gives the
// same visits, and a book that cannot be used leaves the device work as it is.

#include "fake_sysfs.h"
#include "settings/cfg_format.h"
#include "settings/settings_fingerprint.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

constexpr int kStartMs = 10000;
constexpr int kExitMs = 5000;
constexpr int kProgramWaitMs = 60000;
const QString kTechnician = QStringLiteral("Иванов И. И.");

SettingsImage Patterned(unsigned seed) {
    SettingsImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * seed + 3);
    }
    return image;
}

SettingsImage OldSettings() {
    return Patterned(7);
}

SettingsImage NewSettings() {
    SettingsImage image = OldSettings();
    image[3] = 0x11;
    image[254] ^= 0x01;
    return image;
}

// Type 580, platform 5, version 3.1.7, the header's further bytes, three blocks, two more bytes.
QByteArray FirmwareFile() {
    QByteArray file = QByteArray::fromHex("44020500030107a1a2a3a4");
    for (int i = 0; i < 3 * 64; ++i) {
        file += char(i * 11);
    }
    return file + QByteArray::fromHex("eeff");
}

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ImageHex(const SettingsImage& image) {
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size())).toHex());
}

// One simulated device on a terminal of its own, saving what it stores.
class SimProgram {
public:
    SimProgram(const QString& settings, const QString& saved) {
        process_.start(QStringLiteral(VELOR_SIM_PROGRAM),
                       {"--no-pacing", "--settings", settings, "--save", saved});
        if (process_.waitForStarted(kStartMs) && process_.waitForReadyRead(kStartMs)) {
            path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
        }
    }
    ~SimProgram() {
        process_.terminate();
        process_.waitForFinished(kExitMs);
    }
    const QString& Path() const { return path_; }

private:
    QProcess process_;
    QString path_;
};

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Simulators as bridges, the command-line tool copied into the rig's folder (its history and its
// book, sites.sqlite, beside it), the technician named by VELOR580_TECHNICIAN.
class Rig {
public:
    Rig() {
        QDir().mkpath(Dev());
        QFile::copy(QStringLiteral(VELOR_CLI_PROGRAM), Program());
        SaveCfgFile(File("old.cfg"), OldSettings());
        SaveCfgFile(File("new.cfg"), NewSettings());
        QFile firmware(File("fw.tsk"));
        firmware.open(QIODevice::WriteOnly);
        firmware.write(FirmwareFile());
    }

    QString File(const QString& name) const { return dir_.filePath(name); }
    QString Dev() const { return File("dev"); }
    QString Program() const { return File("velor580-cli"); }
    QString Book() const { return File("sites.sqlite"); }
    QString Saved(const QString& serial) const { return File("saved-" + serial + ".cfg"); }

    // A device on the next ttyUSB with the serial number.
    bool AddDevice(const QString& serial) {
        const QString tty = QStringLiteral("ttyUSB%1").arg(sims_.size());
        sims_.push_back(std::make_unique<SimProgram>(File("old.cfg"), Saved(serial)));
        sysfs_.AddTty(tty, "0403", true, true, serial, QStringLiteral("1-1.%1").arg(sims_.size()));
        return sims_.back()->Path().startsWith("/dev/") &&
               QFile::link(sims_.back()->Path(), Dev() + "/" + tty);
    }

    // The device's own terminal: a port without a serial number.
    QString Pty(std::size_t index) const { return sims_.at(index)->Path(); }

    void Start(QProcess& process, const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG", "VELOR580_LANGUAGE"}) {
            environment.remove(variable);
        }
        environment.insert("VELOR580_SYSFS_ROOT", sysfs_.root());
        environment.insert("VELOR580_DEV_ROOT", Dev());
        environment.insert("VELOR580_TECHNICIAN", kTechnician);
        process.setProcessEnvironment(environment);
        process.start(Program(), arguments);
    }

    static Run Finish(QProcess& process) {
        Run run;
        if (process.waitForFinished(kProgramWaitMs)) {
            run.exitCode = process.exitCode();
        }
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    Run Cli(const QStringList& arguments) const {
        QProcess process;
        Start(process, arguments);
        return Finish(process);
    }

    // visits --json of the rig's book (or another), newest first.
    QJsonArray Visits(const QStringList& filter = {}, const QString& book = {}) const {
        const Run run =
            Cli(QStringList{"--book", book.isEmpty() ? Book() : book, "visits", "--json"} + filter);
        return QJsonDocument::fromJson(run.out.toUtf8()).object().value("visits").toArray();
    }

private:
    QTemporaryDir dir_;
    FakeSysfs sysfs_;
    std::vector<std::unique_ptr<SimProgram>> sims_;
};

} // namespace

class TestE2eSiteBook : public QObject {
    Q_OBJECT
private slots:
    void recognitionAndAVisitPerOperation();
    void parallelWritesKeepEveryVisit();
    void exportImportGivesTheSameVisits();
    void siteChosenByHand();
    void unusableBookLeavesDeviceWorkUntouched_data();
    void unusableBookLeavesDeviceWorkUntouched();
};

void TestE2eSiteBook::recognitionAndAVisitPerOperation() {
    Rig rig;
    QVERIFY(rig.AddDevice("A10K1234"));
    const QString site = "Аптека \"Ёлка\"\nкорпус 2";
    QCOMPARE(rig.Cli({"site", "add", site, "--address", "ул. Мира, 1"}).exitCode, 0);

    // Unknown: identify prints the device only.
    const Run before = rig.Cli({"--port", "A10K1234", "identify"});
    QCOMPARE(before.exitCode, 0);
    QCOMPARE(before.out, QString("type=580 platform=5 version=3_1_7\n"));

    const Run attach = rig.Cli({"--port", "A10K1234", "site", "attach", site});
    QVERIFY2(attach.exitCode == 0, qPrintable(attach.err));
    const Run identify = rig.Cli({"--port", "A10K1234", "identify"});
    QCOMPARE(identify.out,
             QString("type=580 platform=5 version=3_1_7\nsite=$'Аптека \"Ёлка\"\\nкорпус 2'\n"));

    QCOMPARE(rig.Cli({"--port", "A10K1234", "read-settings", rig.File("read.cfg")}).exitCode, 0);
    const Run write = rig.Cli({"--port", "A10K1234", "write-settings", rig.File("new.cfg")});
    QVERIFY2(write.exitCode == 0, qPrintable(write.err));
    QCOMPARE(rig.Cli({"--port", "A10K1234", "write-firmware", rig.File("fw.tsk")}).exitCode, 0);

    const QJsonArray visits = rig.Visits({"--device", "A10K1234"});
    QCOMPARE(visits.size(), 4);
    const QJsonObject firmware = visits[0].toObject();
    const QJsonObject written = visits[1].toObject();
    const QJsonObject read = visits[2].toObject();
    QCOMPARE(visits[3].toObject()["action"].toString(), QString("attach"));
    for (const QJsonValue& visit : visits) {
        QCOMPARE(visit.toObject()["site_name"].toString(), site);
        QCOMPARE(visit.toObject()["technician"].toString(), kTechnician);
    }

    QCOMPARE(read["action"].toString(), QString("read"));
    QCOMPARE(read["before_image"].toString(), ImageHex(OldSettings()));
    QCOMPARE(read["before_fingerprint"].toString(), velor::settings::Fingerprint(OldSettings()));
    QCOMPARE(read["written_image"], QJsonValue(QJsonValue::Null));

    QCOMPARE(written["action"].toString(), QString("write"));
    QCOMPARE(written["before_image"].toString(), ImageHex(OldSettings()));
    QCOMPARE(written["written_image"].toString(), ImageHex(NewSettings()));
    QCOMPARE(written["written_fingerprint"].toString(),
             velor::settings::Fingerprint(NewSettings()));
    QCOMPARE(written["verified"], QJsonValue(true));
    QCOMPARE(written["result"].toString(), QString("succeeded"));
    QCOMPARE(LoadCfgFile(written["snapshot"].toString()), OldSettings());

    QCOMPARE(firmware["action"].toString(), QString("firmware"));
    QCOMPARE(firmware["written_fingerprint"].toString(),
             QString::fromLatin1(
                 QCryptographicHash::hash(FirmwareFile(), QCryptographicHash::Sha256).toHex()));
    QCOMPARE(firmware["result"].toString(), QString("succeeded"));
}

void TestE2eSiteBook::parallelWritesKeepEveryVisit() {
    Rig rig;
    const QStringList serials{"FT000001", "FT000002", "FT000003"};
    for (const QString& serial : serials) {
        QVERIFY(rig.AddDevice(serial));
    }
    constexpr int kRounds = 2;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::unique_ptr<QProcess>> writes;
        for (const QString& serial : serials) {
            writes.push_back(std::make_unique<QProcess>());
            rig.Start(*writes.back(), {"--port", serial, "write-settings", rig.File("new.cfg")});
        }
        for (auto& write : writes) {
            const Run run = Rig::Finish(*write);
            QVERIFY2(run.exitCode == 0, qPrintable(run.err));
            QVERIFY2(!run.err.contains("Визит не записан"), qPrintable(run.err));
        }
    }
    QCOMPARE(rig.Visits().size(), kRounds * serials.size());
    for (const QString& serial : serials) {
        QCOMPARE(rig.Visits({"--device", serial}).size(), kRounds);
        QCOMPARE(LoadCfgFile(rig.Saved(serial)), NewSettings());
    }
}

void TestE2eSiteBook::exportImportGivesTheSameVisits() {
    Rig rig;
    QVERIFY(rig.AddDevice("S1"));
    QCOMPARE(rig.Cli({"site", "add", "Склад 'Север'", "--notes", "ключ\nу охраны"}).exitCode, 0);
    QCOMPARE(rig.Cli({"site", "attach", "Склад 'Север'", "--serial", "S1"}).exitCode, 0);
    QCOMPARE(rig.Cli({"--port", "S1", "read-settings", rig.File("r.cfg")}).exitCode, 0);
    QCOMPARE(rig.Cli({"--port", "S1", "write-settings", rig.File("new.cfg")}).exitCode, 0);

    QCOMPARE(rig.Cli({"book", "export", rig.File("book.json")}).exitCode, 0);
    const QString other = rig.File("other/sites.sqlite");
    const Run first = rig.Cli({"--book", other, "book", "import", rig.File("book.json")});
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(first.out, QString("sites_added=1 sites_updated=0 devices_added=1 "
                                "devices_updated=0 visits_added=3\n"));
    const Run again = rig.Cli({"--book", other, "book", "import", rig.File("book.json")});
    QCOMPARE(again.out, QString("sites_added=0 sites_updated=0 devices_added=0 "
                                "devices_updated=0 visits_added=0\n"));
    QCOMPARE(rig.Visits({}, other), rig.Visits());
    QCOMPARE(rig.Cli({"--book", other, "site", "show", "Склад 'Север'", "--json"}).out,
             rig.Cli({"site", "show", "Склад 'Север'", "--json"}).out);
    const Run check = rig.Cli({"--book", other, "book", "check"});
    QCOMPARE(check.exitCode, 0);
    QVERIFY2(check.out.contains("integrity=ok\nsites=1 devices=1 visits=3\n"),
             qPrintable(check.out));
}

// A port without a serial number records its visits only under a site named with --site; a
// device not attached takes that site for its visit too.
void TestE2eSiteBook::siteChosenByHand() {
    Rig rig;
    QVERIFY(rig.AddDevice("N1"));
    QCOMPARE(rig.Cli({"site", "add", "Склад"}).exitCode, 0);
    const QString read = rig.File("r.cfg");
    QCOMPARE(rig.Cli({"--port", rig.Pty(0), "read-settings", read}).exitCode, 0);
    QCOMPARE(rig.Visits().size(), 0);

    const Run unknown = rig.Cli({"--port", rig.Pty(0), "read-settings", read, "--site", "Нет"});
    QCOMPARE(unknown.exitCode, 0);
    QVERIFY2(unknown.err.contains("Объекта Нет нет в книге (--site)"), qPrintable(unknown.err));
    QCOMPARE(rig.Visits().size(), 0);

    QCOMPARE(rig.Cli({"--port", rig.Pty(0), "read-settings", read, "--site", "Склад"}).exitCode, 0);
    QCOMPARE(rig.Cli({"--port", "N1", "read-settings", read, "--site", "Склад"}).exitCode, 0);
    const QJsonArray visits = rig.Visits({"--site", "Склад"});
    QCOMPARE(visits.size(), 2);
    QCOMPARE(visits[0].toObject()["device"].toString(), QString("N1"));
    QCOMPARE(visits[1].toObject()["device"].toString(), QString());
    QCOMPARE(visits[1].toObject()["before_image"].toString(), ImageHex(OldSettings()));
}

void TestE2eSiteBook::unusableBookLeavesDeviceWorkUntouched_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("damaged") << "damaged"
                             << "не открывается";
    QTest::newRow("written by a newer program") << "newer"
                                                << "только для чтения";
}

void TestE2eSiteBook::unusableBookLeavesDeviceWorkUntouched() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    Rig rig;
    QVERIFY(rig.AddDevice("B1"));
    if (kind == "damaged") {
        QFile book(rig.Book());
        QVERIFY(book.open(QIODevice::WriteOnly));
        book.write(QByteArray("SQLite format 3\0", 16) + QByteArray(2048, '\x5a'));
    } else {
        QCOMPARE(rig.Cli({"site", "add", "Объект"}).exitCode, 0);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
            db.setDatabaseName(rig.Book());
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("UPDATE schema_version SET version = 99"));
        }
        QSqlDatabase::removeDatabase("newer");
    }
    const QByteArray before = Content(rig.Book());

    const Run write = rig.Cli({"--port", "B1", "write-settings", rig.File("new.cfg")});
    QCOMPARE(write.exitCode, 0);
    QVERIFY2(write.err.contains("Проверка пройдена"), qPrintable(write.err));
    QCOMPARE(LoadCfgFile(rig.Saved("B1")), NewSettings());
    const QString notRecorded = "Визит не записан в книгу объектов: Книга объектов " + rig.Book();
    QVERIFY2(write.err.contains(notRecorded) && write.err.contains(reason), qPrintable(write.err));
    QCOMPARE(write.err.count("Визит не записан"), 1);

    const Run read = rig.Cli({"--port", "B1", "read-settings", rig.File("r.cfg")});
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(LoadCfgFile(rig.File("r.cfg")), NewSettings());
    QCOMPARE(Content(rig.Book()), before);
}

QTEST_GUILESS_MAIN(TestE2eSiteBook)
#include "tst_e2e_site_book.moc"
