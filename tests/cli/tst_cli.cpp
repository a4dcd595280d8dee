// velor580-cli against the simulated device on a pseudo-terminal: each command's output and
// exit status, what reached the device, refusals that leave the device untouched, and the
// program itself.

#include "sim_device_items.h"

#include "cli/cli_session.h"
#include "settings/cfg_format.h"
#include "sim/pty_server.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using velor::sim::PtyServer;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr int kProgramWaitMs = 30000; // upper bound only

Bytes SettingsPattern() {
    Bytes image(257);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 5 + 1);
    }
    return image;
}

// Type 580, platform given, version 3.1.7, 4 further header bytes, payload, 2 trailing bytes.
QByteArray FirmwareFile(uint16_t platform = 5, int payloadBytes = 3 * 64) {
    QByteArray file = QByteArray::fromHex("4402") + char(platform) + char(platform >> 8) +
                      QByteArray::fromHex("030107a1a2a3a4");
    for (int i = 0; i < payloadBytes; ++i) {
        file += char(i * 11);
    }
    return file + QByteArray::fromHex("eeff");
}

QByteArray CfgFile(const Bytes& bytes) {
    SettingsImage image;
    std::copy(bytes.begin(), bytes.end(), image.bytes().begin());
    return CfgText(image);
}

// One simulated device served on its own thread, and a folder for the command's files.
struct Bench {
    explicit Bench(const QStringList& device = {})
        : server(
              std::make_unique<PtyServer>(SimDeviceFromItems(device, SettingsPattern()), false)) {
        server->Start();
    }
    ~Bench() { server->Stop(); }

    QString Port() const { return QString::fromStdString(server->SlavePath()); }
    QString File(const QString& name) const { return dir.filePath(name); }
    void Write(const QString& name, const QByteArray& content) const {
        QFile file(File(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // Runs the tool in-process: "%port" and "%dir" in the arguments are filled in.
    int Run(QStringList arguments) {
        for (QString& argument : arguments) {
            argument.replace("%port", Port()).replace("%dir", dir.path());
        }
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunCli(QStringList{"velor580-cli"} + arguments, outStream, errStream);
    }

    template <typename F> decltype(auto) Device(F&& f) { return server->WithDevice(f); }

    QTemporaryDir dir;
    std::unique_ptr<PtyServer> server;
    QString out;
    QString err;
};

QString CliProgram() {
    return QDir(qEnvironmentVariable("VELOR_RUNTIME_DIR")).filePath("velor580-cli");
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void commandOutcome_data();
    void commandOutcome();
    void readSettingsSavesTheDeviceTable();
    void writeSettingsStoresTheFile();
    void writeFirmwareReachesTheDevice();
    void refusedFilesLeaveTheDeviceUntouched_data();
    void refusedFilesLeaveTheDeviceUntouched();
    void commandLineErrors_data();
    void commandLineErrors();
    void programRunsAsAProcess();
};

void TestCli::commandOutcome_data() {
    QTest::addColumn<QStringList>("device");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("errLines"); // each must appear on standard error

    const QString connected = "Связь установлена. Обнаружен прибор 580";

    QTest::newRow("identify") << QStringList{} << QStringList{"--port", "%port", "identify"} << 0
                              << "type=580 platform=5 version=3_1_7\n"
                              << QStringList{connected};
    QTest::newRow("identify: Velor-Vorsan device is identified")
        << QStringList{"version=2.0.9"} << QStringList{"--port=%port", "identify"} << 0
        << "type=580 platform=5 version=2_0_9\n"
        << QStringList{connected};
    QTest::newRow("identify: device of another type")
        << QStringList{"type=570"} << QStringList{"--port", "%port", "identify"} << 1
        << "type=570 platform=5 version=3_1_7\n"
        << QStringList{"Подключен прибор несовместимого типа"};
    QTest::newRow("read-settings")
        << QStringList{} << QStringList{"--port", "%port", "read-settings", "%dir/out.cfg"} << 0
        << "" << QStringList{connected, "progress: 5/5", "Чтение настроек завершено"};
    QTest::newRow("read-settings: Velor-Vorsan device refused")
        << QStringList{"version=2.1.0"}
        << QStringList{"--port", "%port", "read-settings", "%dir/out.cfg"} << 1 << ""
        << QStringList{connected,
                       "Обнаружен прибор системы Велор-Ворсан. Режим настройки не доступен."};
    QTest::newRow("write-settings")
        << QStringList{} << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 0
        << "" << QStringList{connected, "progress: 5/5", "Запись настроек завершена"};
    QTest::newRow("write-settings: block refused")
        << QStringList{"refuse=3"}
        << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 1 << ""
        << QStringList{"Ошибка при записи настроек"};
    QTest::newRow("write-settings: device of another type")
        << QStringList{"type=570"}
        << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 1 << ""
        << QStringList{"Подключен прибор несовместимого типа"};
    QTest::newRow("read-key") << QStringList{"key=0123456789AB"}
                              << QStringList{"--port", "%port", "read-key"} << 0 << "0123456789AB\n"
                              << QStringList{connected, "Чтение идентификатора завершено"};
    QTest::newRow("read-key: no key on the reader")
        << QStringList{} << QStringList{"--port", "%port", "read-key"} << 1 << ""
        << QStringList{"Вещественный идентификатор не подключен к разъему"};
    QTest::newRow("write-firmware")
        << QStringList{} << QStringList{"--port", "%port", "write-firmware", "%dir/fw.tsk"} << 0
        << "" << QStringList{connected, "progress: 4/4", "Смена ПО завершена успешно"};
    QTest::newRow("write-firmware: block refused")
        << QStringList{"refuse=2"}
        << QStringList{"--port", "%port", "write-firmware", "%dir/fw.tsk"} << 1 << ""
        << QStringList{"Ошибка при записи ПО"};
    QTest::newRow("write-firmware: file for another platform")
        << QStringList{} << QStringList{"--port", "%port", "write-firmware", "%dir/fw6.tsk"} << 1
        << "" << QStringList{"Ошибка! Несовпадение платформы устройства - запись не доступна"};
    QTest::newRow("line dropped during a read")
        << QStringList{"hang-up=2"}
        << QStringList{"--port", "%port", "read-settings", "%dir/out.cfg"} << 1 << ""
        << QStringList{"FT_IO_ERROR", "Ошибка отправки сценария"};
    QTest::newRow("no device at the port")
        << QStringList{} << QStringList{"--port", "/nonexistent/tty", "identify"} << 3 << ""
        << QStringList{"Приборы марки Велор отключены от линии USB!",
                       "/nonexistent/tty: No such file or directory"};
}

void TestCli::commandOutcome() {
    QFETCH(QStringList, device);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QStringList, errLines);

    Bench bench(device);
    bench.Write("in.cfg", CfgFile(SettingsPattern()));
    bench.Write("fw.tsk", FirmwareFile());
    bench.Write("fw6.tsk", FirmwareFile(6));

    QCOMPARE(bench.Run(arguments), exitCode);
    QCOMPARE(bench.out, out);
    for (const QString& line : errLines) {
        QVERIFY2(bench.err.contains(line), qPrintable(bench.err));
    }
}

void TestCli::readSettingsSavesTheDeviceTable() {
    Bench bench;
    QCOMPARE(bench.Run({"--port", "%port", "read-settings", "%dir/out.cfg"}), 0);
    const SettingsImage saved = LoadCfgFile(bench.File("out.cfg"));
    QCOMPARE(Bytes(saved.bytes().begin(), saved.bytes().end()), SettingsPattern());
}

void TestCli::writeSettingsStoresTheFile() {
    Bench bench;
    Bytes written = SettingsPattern();
    std::reverse(written.begin(), written.end());
    bench.Write("in.cfg", CfgFile(written));
    QCOMPARE(bench.Run({"--port", "%port", "write-settings", "%dir/in.cfg"}), 0);
    QCOMPARE(bench.Device([](velor::sim::SimDevice& d) { return d.State().settings; }), written);
}

void TestCli::writeFirmwareReachesTheDevice() {
    Bench bench;
    const QByteArray file = FirmwareFile();
    bench.Write("fw.tsk", file);
    QCOMPARE(bench.Run({"--port", "%port", "write-firmware", "%dir/fw.tsk"}), 0);
    const auto firmware = bench.Device([](velor::sim::SimDevice& d) { return d.State().firmware; });
    QVERIFY(firmware.has_value());
    QCOMPARE(firmware->header, Bytes(file.begin(), file.begin() + 11));
    QCOMPARE(firmware->payload, Bytes(file.begin() + 11, file.end() - 2));
}

// A file that cannot be used is refused before a single frame reaches the device.
void TestCli::refusedFilesLeaveTheDeviceUntouched_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("content"); // null: the file does not exist
    QTest::addColumn<QString>("errLine");

    const QString notLoaded = "Ошибка: ПО не загружено";
    QTest::newRow("firmware file missing") << "write-firmware" << QByteArray() << notLoaded;
    QTest::newRow("firmware file of 12 bytes")
        << "write-firmware" << FirmwareFile().left(12) << notLoaded;
    QTest::newRow("firmware payload with a partial block")
        << "write-firmware" << FirmwareFile(5, 64 + 10) << notLoaded;
    QTest::newRow("settings file missing") << "write-settings" << QByteArray() << "Cannot open";
    QTest::newRow("settings file with a line that is no number")
        << "write-settings" << QByteArray("12\r\nabc\r\n") << "abc";
}

void TestCli::refusedFilesLeaveTheDeviceUntouched() {
    QFETCH(QString, command);
    QFETCH(QByteArray, content);
    QFETCH(QString, errLine);

    Bench bench;
    if (!content.isNull()) {
        bench.Write("file", content);
    }
    QCOMPARE(bench.Run({"--port", "%port", command, "%dir/file"}), 1);
    QVERIFY2(bench.err.contains(errLine), qPrintable(bench.err));
    QCOMPARE(bench.Device([](velor::sim::SimDevice& d) { return d.FramesServed(); }), 0);
}

void TestCli::commandLineErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("errLine");
    QTest::newRow("no command") << QStringList{} << "no command given";
    QTest::newRow("unknown command") << QStringList{"erase"} << "unknown command \"erase\"";
    QTest::newRow("file missing") << QStringList{"read-settings"} << "read-settings needs a file";
    QTest::newRow("extra argument") << QStringList{"identify", "x"} << "unexpected argument";
    QTest::newRow("port without path") << QStringList{"identify", "--port"} << "--port needs";
    QTest::newRow("unknown option") << QStringList{"--baud", "identify"} << "unknown option";
}

void TestCli::commandLineErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, errLine);
    Bench bench;
    QCOMPARE(bench.Run(arguments), 2);
    QVERIFY2(bench.err.contains(errLine), qPrintable(bench.err));
    QVERIFY(bench.out.isEmpty());
}

// The built program: help, a command over the simulator and its exit status.
void TestCli::programRunsAsAProcess() {
    QProcess help;
    help.start(CliProgram(), {"--help"});
    QVERIFY(help.waitForFinished(kProgramWaitMs));
    QCOMPARE(help.exitCode(), 0);
    const QString helpText = QString::fromUtf8(help.readAllStandardOutput());
    for (const char* command :
         {"identify", "read-settings", "write-settings", "read-key", "write-firmware", "--port"}) {
        QVERIFY2(helpText.contains(QLatin1String(command)), command);
    }

    Bench bench;
    QProcess identify;
    identify.start(CliProgram(), {"--port", bench.Port(), "identify"});
    QVERIFY(identify.waitForFinished(kProgramWaitMs));
    QCOMPARE(identify.exitCode(), 0);
    QCOMPARE(identify.readAllStandardOutput(), QByteArray("type=580 platform=5 version=3_1_7\n"));
    QVERIFY(QString::fromUtf8(identify.readAllStandardError())
                .contains("Связь установлена. Обнаружен прибор 580"));

    QProcess absent;
    absent.start(CliProgram(), {"--port", "/nonexistent/tty", "read-key"});
    QVERIFY(absent.waitForFinished(kProgramWaitMs));
    QCOMPARE(absent.exitCode(), 3);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
