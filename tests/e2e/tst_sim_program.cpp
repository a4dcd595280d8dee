// The velor580-sim program as run.sh starts it: the path on its first line, a device behind it,
// --save writing what the program writes, a clean exit on SIGTERM.

#include "link/ftdi_usb_port.h"
#include "link/protocol.h"
#include "link/tty_ftdi_driver.h"
#include "link/velor_device.h"
#include "link/velor_table.h"
#include "settings/cfg_format.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace protocol = velor::protocol;

namespace {

constexpr int kStartMs = 10000;
constexpr int kExitMs = 5000;

QString SimProgram() {
    return QStringLiteral(VELOR_SIM_PROGRAM);
}

} // namespace

class TestSimProgram : public QObject {
    Q_OBJECT

private slots:
    void servesOnItsTerminal();
    void helpAndBadOptions_data();
    void helpAndBadOptions();
};

void TestSimProgram::servesOnItsTerminal() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString saved = dir.filePath(QStringLiteral("saved.cfg"));
    QProcess sim;
    sim.start(SimProgram(),
              {QStringLiteral("--type"), QStringLiteral("570"), QStringLiteral("--save"), saved});
    QVERIFY2(sim.waitForStarted(kStartMs), qPrintable(sim.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), kStartMs);
    const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QVERIFY2(path.startsWith(QLatin1String("/dev/pts/")), qPrintable(path));

    {
        TFTDIUsbPort port(std::make_unique<TtyFtdiDriver>(path));
        TVelorDevice device;
        QCOMPARE(port.Open(), 1);
        QVERIFY(device.Connect(&port));
        QCOMPARE(int(device.Descriptor.Type), 570);

        SettingsImage image;
        image[0] = 1;
        image[256] = 0x21;
        TVelorTable table;
        QVERIFY(device.SelectScenario(protocol::kScenarioSettingsWrite, table.Code, table.Param));
        table.Assign(std::vector<uint8_t>(image.bytes().begin(), image.bytes().end()));
        QVERIFY(device.WriteTable(table));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(saved), kExitMs);
        QVERIFY(LoadCfgFile(saved) == image);
    }

    sim.terminate();
    QVERIFY(sim.waitForFinished(kExitMs));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
}

void TestSimProgram::helpAndBadOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("printed");

    QTest::newRow("help") << QStringList{"--help"} << 0 << "--hang-up-after";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "frobnicate";
    QTest::newRow("bad fault") << QStringList{"--fault", "bogus:read"} << 2 << "bogus:read";
    QTest::newRow("missing settings file")
        << QStringList{"--settings", "/nonexistent/x.cfg"} << 1 << "x.cfg";
}

void TestSimProgram::helpAndBadOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, printed);

    QProcess sim;
    sim.start(SimProgram(), arguments);
    QVERIFY(sim.waitForFinished(kExitMs));
    QCOMPARE(sim.exitCode(), exitCode);
    const QString output =
        QString::fromLocal8Bit(sim.readAllStandardOutput() + sim.readAllStandardError());
    QVERIFY2(output.contains(printed), qPrintable(output));
}

QTEST_GUILESS_MAIN(TestSimProgram)
#include "tst_sim_program.moc"
