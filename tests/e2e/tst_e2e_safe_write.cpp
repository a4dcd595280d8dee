// A settings write as a technician runs it: velor580-sim started as a program (its --settings,
// --save and --store-corrupt options), velor580-cli run in-process against its terminal. The
// device's previous settings become the snapshot, byte for byte; a read-back that differs fails
// the write and names the field; --dry-run writes nothing; --no-verify skips the read-back; the
// snapshot writes the old settings back.

#include "cli/cli_session.h"
#include "settings/cfg_format.h"
#include "settings/settings_diff.h"
#include "settings/settings_fingerprint.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int kStartMs = 10000;
constexpr int kExitMs = 5000;

SettingsImage Patterned(unsigned seed) {
    SettingsImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * seed + 3);
    }
    return image;
}

// What the device holds at first, and the file written over it: they differ in a few fields.
SettingsImage OldSettings() {
    return Patterned(7);
}
SettingsImage NewSettings() {
    SettingsImage image = OldSettings();
    image[3] = 0x11;
    image[248] = 30;
    image[254] ^= 0x01;
    return image;
}

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The simulator program on a terminal of its own, over the old settings, saving every table it
// stores into saved.cfg.
class SimProgram {
public:
    SimProgram(const QTemporaryDir& dir, const QStringList& options) {
        SaveCfgFile(dir.filePath("old.cfg"), OldSettings());
        process_.start(QStringLiteral(VELOR_SIM_PROGRAM),
                       QStringList{"--no-pacing", "--settings", dir.filePath("old.cfg"), "--save",
                                   dir.filePath("saved.cfg")} +
                           options);
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

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun RunTool(const QStringList& arguments, const QString& historyFolder) {
    CliEnvironment environment;
    environment.historyFolder = historyFolder;
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.exitCode = RunCli(QStringList{"velor580-cli"} + arguments, out, err, environment);
    return run;
}

} // namespace

class TestE2eSafeWrite : public QObject {
    Q_OBJECT

private slots:
    void writeSettings_data();
    void writeSettings();
    void snapshotWritesTheOldSettingsBack();
};

void TestE2eSafeWrite::writeSettings_data() {
    QTest::addColumn<QStringList>("simOptions");
    QTest::addColumn<QStringList>("cliOptions");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("written");    // the device stored a table
    QTest::addColumn<int>("keptWrongAt"); // -1: the device keeps what it was sent
    QTest::addColumn<QString>("errLine");

    QTest::newRow("written and verified")
        << QStringList{} << QStringList{} << 0 << true << -1
        << "Проверка пройдена: прибор хранит записанные настройки (" +
               velor::settings::ShortFingerprint(NewSettings()) + ").";
    QTest::newRow("--dry-run: the list, nothing written")
        << QStringList{} << QStringList{"--dry-run"} << 0 << false << -1
        << "Пробный запуск (--dry-run): в прибор ничего не записано.";
    QTest::newRow("the device keeps byte 3 wrong: the read-back fails the write")
        << QStringList{"--store-corrupt", "3:99"} << QStringList{} << 1 << true << 3
        << "Ошибка проверки: прибор хранит не те настройки, что записаны.";
    QTest::newRow("the device keeps the last byte wrong")
        << QStringList{"--store-corrupt", "256:0"} << QStringList{} << 1 << true << 256
        << "Ошибка проверки: прибор хранит не те настройки, что записаны.";
    QTest::newRow("--no-verify: written, not read back")
        << QStringList{"--store-corrupt", "3:99"} << QStringList{"--no-verify"} << 0 << true << 3
        << "Проверка записи пропущена (--no-verify).";
}

void TestE2eSafeWrite::writeSettings() {
    QFETCH(QStringList, simOptions);
    QFETCH(QStringList, cliOptions);
    QFETCH(int, exitCode);
    QFETCH(bool, written);
    QFETCH(int, keptWrongAt);
    QFETCH(QString, errLine);

    QTemporaryDir dir;
    const SimProgram sim(dir, simOptions);
    QVERIFY(sim.Path().startsWith("/dev/pts/"));
    SaveCfgFile(dir.filePath("new.cfg"), NewSettings());
    const QString history = dir.filePath("history");

    const CliRun run = RunTool(QStringList{"--port", sim.Path()} + cliOptions +
                                   QStringList{"write-settings", dir.filePath("new.cfg")},
                               history);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(errLine), qPrintable(run.err));

    // The review: both fingerprints and a line per changed field, before anything was written.
    QVERIFY2(run.out.startsWith(
                 "Настройки прибора: " + velor::settings::ShortFingerprint(OldSettings()) + "\n" +
                 "Настройки файла " + dir.filePath("new.cfg") + ": " +
                 velor::settings::ShortFingerprint(NewSettings()) + "\n"),
             qPrintable(run.out));
    const auto changes = velor::settings::DiffSettings(OldSettings(), NewSettings());
    QVERIFY(!changes.empty());
    for (const auto& change : changes) {
        QVERIFY2(run.out.contains(velor::settings::ChangeLine(change) + "\n"), qPrintable(run.out));
    }

    SettingsImage kept = NewSettings();
    if (keptWrongAt >= 0) {
        kept[std::size_t(keptWrongAt)] = keptWrongAt == 3 ? 99 : 0;
    }
    // The device's previous settings are the snapshot, byte for byte as a saved settings file.
    const QStringList snapshots = QDir(history).entryList({"*.cfg"}, QDir::Files);
    QCOMPARE(snapshots.size(), written ? 1 : 0);
    if (written) {
        QCOMPARE(Content(QDir(history).filePath(snapshots[0])), CfgText(OldSettings()));
        QTRY_COMPARE_WITH_TIMEOUT(Content(dir.filePath("saved.cfg")), CfgText(kept), kExitMs);
        QVERIFY2(run.err.contains("Прежние настройки прибора сохранены: " +
                                  QDir(history).filePath(snapshots[0])),
                 qPrintable(run.err));
    } else {
        QVERIFY(!QFile::exists(dir.filePath("saved.cfg")));
    }

    // A mismatch names each differing field, what was sent and what the device kept.
    const bool verified = !cliOptions.contains("--no-verify") && written;
    const auto mismatches = velor::settings::DiffSettings(NewSettings(), kept);
    QCOMPARE(mismatches.empty(), keptWrongAt < 0);
    for (const auto& mismatch : mismatches) {
        QCOMPARE(run.out.contains("\n" + velor::settings::ChangeLine(mismatch) + "\n"), verified);
    }
    if (exitCode != 0) {
        QVERIFY2(run.err.contains("Прежние настройки возвращает команда: velor580-cli --port " +
                                  sim.Path() + " write-settings " +
                                  QDir(history).filePath(snapshots.value(0))),
                 qPrintable(run.err));
    }

    // A later read shows what the device holds.
    const CliRun read =
        RunTool({"--port", sim.Path(), "read-settings", dir.filePath("read.cfg")}, history);
    QCOMPARE(read.exitCode, 0);
    QVERIFY(LoadCfgFile(dir.filePath("read.cfg")) == (written ? kept : OldSettings()));
}

// The history lists the snapshot, and writing it back restores the old settings, as a snapshot
// of its own.
void TestE2eSafeWrite::snapshotWritesTheOldSettingsBack() {
    QTemporaryDir dir;
    const SimProgram sim(dir, {});
    QVERIFY(sim.Path().startsWith("/dev/pts/"));
    SaveCfgFile(dir.filePath("new.cfg"), NewSettings());
    const QString history = dir.filePath("history");
    QCOMPARE(RunTool({"--port", sim.Path(), "write-settings", dir.filePath("new.cfg")}, history)
                 .exitCode,
             0);

    const CliRun listed = RunTool({"history"}, history);
    QCOMPARE(listed.exitCode, 0);
    const QStringList lines = listed.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    const QString snapshot = lines[0].section("  ", 3, 3);
    QVERIFY2(lines[0].contains("  580 3_1_7  " + velor::settings::ShortFingerprint(OldSettings()) +
                               "  "),
             qPrintable(lines[0]));

    const CliRun back = RunTool({"--port", sim.Path(), "write-settings", snapshot}, history);
    QCOMPARE(back.exitCode, 0);
    QTRY_COMPARE_WITH_TIMEOUT(Content(dir.filePath("saved.cfg")), CfgText(OldSettings()), kExitMs);
    QCOMPARE(RunTool({"history"}, history).out.split('\n', Qt::SkipEmptyParts).size(), 2);
}

QTEST_GUILESS_MAIN(TestE2eSafeWrite)
#include "tst_e2e_safe_write.moc"
