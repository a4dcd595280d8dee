// velor580-cli against the simulated device on a pseudo-terminal: each command's output and
// exit status, what reached the device, refusals that leave the device untouched, and the
// program itself.

#include "sim_device_items.h"

#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "settings/cfg_format.h"
#include "sim/pty_server.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <memory>

#include <unistd.h>

using velor::sim::PtyServer;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr int kProgramWaitMs = 30000; // upper bound only
// How the one line about a lost device begins.
const QString kLost = QStringLiteral("Связь с прибором ");

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

    // Runs the tool in-process: "%port" and "%dir" in the arguments are filled in. The default
    // environment has no configurator beside the tool: the built-in Russian texts.
    int Run(QStringList arguments, const CliEnvironment& environment = {}) {
        for (QString& argument : arguments) {
            argument.replace("%port", Port()).replace("%dir", dir.path());
        }
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunCli(QStringList{"velor580-cli"} + arguments, outStream, errStream, environment);
    }

    template <typename F> decltype(auto) Device(F&& f) { return server->WithDevice(f); }

    QTemporaryDir dir;
    std::unique_ptr<PtyServer> server;
    QString out;
    QString err;
};

QString RuntimeFile(const QString& name) {
    return QDir(qEnvironmentVariable("VELOR_RUNTIME_DIR")).filePath(name);
}

QString CliProgram() {
    return RuntimeFile("velor580-cli");
}

// A configurator's folder for the language tests: "velor580" with, as a row asks, its INI file
// and its English language library beside it.
struct ConfiguratorFolder {
    ConfiguratorFolder(const QByteArray& ini, bool library) {
        if (!ini.isNull()) {
            QFile file(dir.filePath("velor580.INI"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(ini);
        }
        if (library) {
            QVERIFY(QFile::copy(RuntimeFile("velor580.EN"), dir.filePath("velor580.EN")));
        }
    }
    QString ProgramPath() const { return dir.filePath("velor580"); }

    QTemporaryDir dir;
};

// velor580-cli copied into a folder of its own, away from the runtime folder's INI file (which
// the technician's language choice changes), run with the given environment variables.
struct IsolatedProgram {
    IsolatedProgram() {
        QVERIFY(QFile::copy(CliProgram(), Path()));
        for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            environment.remove(variable);
        }
    }
    QString Path() const { return dir.filePath("velor580-cli"); }

    // Starts the program with standard output to outFile (when given) and waits for its end.
    bool Run(QProcess& process, const QStringList& arguments, const QString& outFile = {}) {
        process.setProcessEnvironment(environment);
        if (!outFile.isEmpty()) {
            process.setStandardOutputFile(outFile);
        }
        process.start(Path(), arguments);
        return process.waitForFinished(kProgramWaitMs);
    }

    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

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
    void optionsEndAndHelpSpellings_data();
    void optionsEndAndHelpSpellings();
    void groupAdviceOnlyForAMissingPermission_data();
    void groupAdviceOnlyForAMissingPermission();
    void readSettingsChecksTheFileBeforeTheDevice_data();
    void readSettingsChecksTheFileBeforeTheDevice();
    void progressFollowsTheTerminal_data();
    void progressFollowsTheTerminal();
    void languageFollowsTheTechniciansChoice_data();
    void languageFollowsTheTechniciansChoice();
    void programRunsAsAProcess();
    void lostResultIsAFailure_data();
    void lostResultIsAFailure();
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
        << "" << QStringList{connected, "выполнено: 5/5", "Чтение настроек завершено"};
    QTest::newRow("read-settings: Velor-Vorsan device refused")
        << QStringList{"version=2.1.0"}
        << QStringList{"--port", "%port", "read-settings", "%dir/out.cfg"} << 1 << ""
        << QStringList{connected,
                       "Обнаружен прибор системы Велор-Ворсан. Режим настройки не доступен."};
    QTest::newRow("write-settings")
        << QStringList{} << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 0
        << "" << QStringList{connected, "выполнено: 5/5", "Запись настроек завершена"};
    QTest::newRow("write-settings: block busy at two polls, stored at the third")
        << QStringList{"busy=2:3"}
        << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 0 << ""
        << QStringList{"Запись настроек завершена"};
    QTest::newRow("write-settings: the poll answers refused")
        << QStringList{"busy=2:1:1:refuse"}
        << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 1 << ""
        << QStringList{"Ошибка при записи настроек"};
    QTest::newRow("write-firmware: the poll answers refused")
        << QStringList{"busy=1:2:1:refuse"}
        << QStringList{"--port", "%port", "write-firmware", "%dir/fw.tsk"} << 1 << ""
        << QStringList{"Ошибка при записи ПО"};
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
        << "" << QStringList{connected, "выполнено: 4/4", "Смена ПО завершена успешно"};
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
        << QStringList{kLost, "Ошибка отправки сценария"};
    // Identify, acknowledge, scenario, acknowledge, blocks 0 and 1; the poll drops the line.
    QTest::newRow("line dropped during a busy wait")
        << QStringList{"busy=1:1:1", "hang-up=6"}
        << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 1 << ""
        << QStringList{kLost, "Ошибка при записи настроек"};
    QTest::newRow("no device at the port")
        << QStringList{} << QStringList{"--port", "/nonexistent/tty", "identify"} << 3 << ""
        << QStringList{"Приборы марки Велор отключены от линии USB!",
                       "/nonexistent/tty: Нет такого файла или папки"};
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
    // A lost device is told once, naming the device, and never as a bare driver error.
    QCOMPARE(int(bench.err.count(kLost)), errLines.contains(kLost) ? 1 : 0);
    if (errLines.contains(kLost)) {
        QVERIFY2(bench.err.contains(kLost + bench.Port() + " потеряна"), qPrintable(bench.err));
    }
    QVERIFY2(!bench.err.contains("FT_IO_ERROR"), qPrintable(bench.err));
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
    QTest::newRow("settings file missing")
        << "write-settings" << QByteArray()
        << "Не удалось открыть файл \"%dir/file\". Нет такого файла или папки";
    QTest::newRow("settings file with a line that is no number")
        << "write-settings" << QByteArray("12\r\nabc\r\n") << "abc";
    QTest::newRow("firmware file whose block count does not fit 16 bits")
        << "write-firmware" << QByteArray(13 + 65535 * 64, '\0')
        << "4194253 байт: 65536 блоков, а число блоков должно уместиться в 16 бит";
    QTest::newRow("settings file with a long bad line: its start, the file and the line")
        << "write-settings" << QByteArray("12\r\n") + QByteArray(1000, '\x01')
        << "''" + QStringLiteral("\\x01").repeated(10) +
               "\u2026'' не является целым числом "
               "(файл \"";
    QTest::newRow("settings file larger than 64 KiB")
        << "write-settings" << QByteArray(64 * 1024 + 1, '1')
        << "В нём 65537 байт, а файл настроек не бывает больше 65536 байт";
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
    QVERIFY2(bench.err.contains(errLine.replace("%dir", bench.dir.path())), qPrintable(bench.err));
    QCOMPARE(bench.Device([](velor::sim::SimDevice& d) { return d.FramesServed(); }), 0);
}

void TestCli::commandLineErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("errLine");
    QTest::newRow("no command") << QStringList{} << "не задана команда";
    QTest::newRow("unknown command") << QStringList{"erase"} << "неизвестная команда \"erase\"";
    QTest::newRow("file missing") << QStringList{"read-settings"}
                                  << "команде read-settings нужен файл";
    QTest::newRow("extra argument") << QStringList{"identify", "x"} << "лишний аргумент";
    QTest::newRow("port without path")
        << QStringList{"identify", "--port"} << "после --port нужен путь";
    QTest::newRow("unknown option") << QStringList{"--baud", "identify"} << "неизвестный параметр";
    QTest::newRow("options end at --, so --help is a command")
        << QStringList{"--", "--help"} << "неизвестная команда \"--help\"";
}

void TestCli::commandLineErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, errLine);
    Bench bench;
    QCOMPARE(bench.Run(arguments), 2);
    QVERIFY2(bench.err.contains(errLine), qPrintable(bench.err));
    QVERIFY(bench.out.isEmpty());
}

void TestCli::optionsEndAndHelpSpellings_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("help");
    QTest::addColumn<QString>("file");
    QTest::newRow("-h") << QStringList{"-h"} << true << "";
    QTest::newRow("--help after a command") << QStringList{"identify", "--help"} << true << "";
    QTest::newRow("-- before a file named like an option")
        << QStringList{"read-settings", "--", "-old.cfg"} << false << "-old.cfg";
    QTest::newRow("-- before the command, -h after it is a file")
        << QStringList{"--port", "/dev/ttyUSB1", "--", "write-settings", "-h"} << false << "-h";
}

void TestCli::optionsEndAndHelpSpellings() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, help);
    QFETCH(QString, file);
    const CliOptions options = ParseCliOptions(QStringList{"velor580-cli"} + arguments);
    QCOMPARE(options.help, help);
    QCOMPARE(options.file, file);
}

// Joining the device's group is advised only when the system refused the open for lack of
// permission; a port that is no serial line gets the system's reason alone.
void TestCli::groupAdviceOnlyForAMissingPermission_data() {
    QTest::addColumn<QString>("port"); // "%dir" is the bench's folder
    QTest::addColumn<bool>("advice");
    QTest::newRow("/dev/null") << "/dev/null" << false;
    QTest::newRow("a folder") << "%dir" << false;
    QTest::newRow("a regular file") << "%dir/file" << false;
    QTest::newRow("a device the account may not open") << "%dir/locked" << true;
}

void TestCli::groupAdviceOnlyForAMissingPermission() {
    QFETCH(QString, port);
    QFETCH(bool, advice);
    Bench bench;
    bench.Write("file", "");
    bench.Write("locked", "");
    QVERIFY(QFile::setPermissions(bench.File("locked"), QFileDevice::Permissions()));
    if (advice && ::geteuid() == 0) {
        QSKIP("permissions do not bind the superuser");
    }
    QCOMPARE(bench.Run({"--port", port, "identify"}), 3);
    QVERIFY2(bench.err.contains("Приборы марки Велор отключены от линии USB!"),
             qPrintable(bench.err));
    QCOMPARE(bench.err.contains("usermod"), advice);
}

// A read whose file could not be saved is refused before a single frame reaches the device.
void TestCli::readSettingsChecksTheFileBeforeTheDevice_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder missing") << "%dir/missing/out.cfg"
                                    << "не существует";
    QTest::newRow("target is a folder") << "%dir"
                                        << "это папка, а не файл";
    QTest::newRow("folder is a file") << "%dir/file/out.cfg"
                                      << "не папка";
    QTest::newRow("folder not writable") << "%dir/locked/out.cfg"
                                         << "нет права записи в папку";
}

void TestCli::readSettingsChecksTheFileBeforeTheDevice() {
    QFETCH(QString, target);
    QFETCH(QString, reason);
    Bench bench;
    bench.Write("file", "");
    QVERIFY(QDir(bench.dir.path()).mkdir("locked"));
    QVERIFY(QFile::setPermissions(bench.File("locked"),
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (target.contains("locked") && ::geteuid() == 0) {
        QSKIP("permissions do not bind the superuser");
    }
    QCOMPARE(bench.Run({"--port", "%port", "read-settings", target}), 1);
    QVERIFY2(bench.err.contains("нельзя сохранить") && bench.err.contains(reason),
             qPrintable(bench.err));
    QCOMPARE(bench.Device([](velor::sim::SimDevice& d) { return d.FramesServed(); }), 0);
}

void TestCli::progressFollowsTheTerminal_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<QString>("progress");
    QTest::newRow("file or pipe: a line per step")
        << false
        << "выполнено: 1/5\nвыполнено: 2/5\nвыполнено: 3/5\nвыполнено: 4/5\nвыполнено: 5/5\n";
    QTest::newRow("terminal: one line redrawn")
        << true
        << "\rвыполнено: 1/5\rвыполнено: 2/5\rвыполнено: 3/5\rвыполнено: 4/5\rвыполнено: 5/5\n";
}

void TestCli::progressFollowsTheTerminal() {
    QFETCH(bool, terminal);
    QFETCH(QString, progress);
    Bench bench;
    CliEnvironment environment;
    environment.errIsTerminal = terminal;
    QCOMPARE(bench.Run({"--port", "%port", "read-settings", "%dir/out.cfg"}, environment), 0);
    QVERIFY2(bench.err.contains(progress), qPrintable(bench.err));
    QCOMPARE(bench.err.contains('\r'), terminal);
}

// A run language (VELOR580_LANGUAGE) first, then the INI's [Language] Default; the system's locale
// only when the INI names none; the built-in Russian texts when the language has no library. Status
// texts and the tool's own texts follow together, and the next run starts afresh.
void TestCli::languageFollowsTheTechniciansChoice_data() {
    QTest::addColumn<QByteArray>("ini"); // null: no INI file
    QTest::addColumn<bool>("library");
    QTest::addColumn<QString>("systemLocale");
    QTest::addColumn<QString>("runLocale"); // VELOR580_LANGUAGE
    QTest::addColumn<bool>("english");

    const QByteArray english = "[Language]\r\nDefault=EN\r\n";
    const QByteArray russian = "[Language]\r\nDefault=RU\r\n";
    QTest::newRow("INI names EN, system Russian") << english << true << "ru_RU.UTF-8"
                                                  << "" << true;
    QTest::newRow("INI names RU, system English") << russian << true << "en_GB.UTF-8"
                                                  << "" << false;
    QTest::newRow("no INI, system English") << QByteArray() << true << "en_US.UTF-8"
                                            << "" << true;
    QTest::newRow("INI without the key, system English")
        << QByteArray("[Help]\r\nRU=velor580_ru.html\r\n") << true << "en_US"
        << "" << true;
    QTest::newRow("no INI, system C") << QByteArray() << true << "C.UTF-8"
                                      << "" << false;
    QTest::newRow("INI names EN, its library missing") << english << false << ""
                                                       << "" << false;
    QTest::newRow("no INI, a system language without a library")
        << QByteArray() << true << "de_DE.UTF-8"
        << "" << false;
    QTest::newRow("run language EN over the INI's RU") << russian << true << ""
                                                       << "EN" << true;
    QTest::newRow("run language RU over the INI's EN") << english << true << ""
                                                       << "RU" << false;
}

void TestCli::languageFollowsTheTechniciansChoice() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, library);
    QFETCH(QString, systemLocale);
    QFETCH(QString, runLocale);
    QFETCH(bool, english);

    Bench bench;
    const ConfiguratorFolder configurator(ini, library);
    CliEnvironment environment;
    environment.configuratorPath = configurator.ProgramPath();
    environment.systemLocale = systemLocale;
    environment.runLocale = runLocale;

    QCOMPARE(bench.Run({"--port", "%port", "identify"}, environment), 0);
    QVERIFY2(bench.err.contains(english ? "Connection established. Device 580 found"
                                        : "Связь установлена. Обнаружен прибор 580"),
             qPrintable(bench.err));
    QCOMPARE(bench.Run({"erase"}, environment), 2);
    QVERIFY2(bench.err.contains(english ? "unknown command" : "неизвестная команда"),
             qPrintable(bench.err));
    // The file errors and the system's reasons it shares with the window.
    QCOMPARE(bench.Run({"--port", "%port", "write-settings", "%dir/gone.cfg"}, environment), 1);
    const QString missing =
        english ? QString("Cannot open file \"%1\". No such file or directory")
                : QString("Не удалось открыть файл \"%1\". Нет такого файла или папки");
    QVERIFY2(bench.err.contains(missing.arg(bench.File("gone.cfg"))), qPrintable(bench.err));

    QCOMPARE(bench.Run({"erase"}), 2);
    QVERIFY2(bench.err.contains("неизвестная команда"), qPrintable(bench.err));
}

// The built program: help, a command over the simulator and its exit status, and its language
// taken from the system when no INI names one.
void TestCli::programRunsAsAProcess() {
    IsolatedProgram program;
    QProcess help;
    QVERIFY(program.Run(help, {"--help"}));
    QCOMPARE(help.exitCode(), 0);
    const QString helpText = QString::fromUtf8(help.readAllStandardOutput());
    for (const char* command : {"identify", "read-settings", "write-settings", "read-key",
                                "write-firmware", "--port", "--help", "-h", "--"}) {
        QVERIFY2(helpText.contains(QLatin1String(command)), command);
    }

    Bench bench;
    QProcess identify;
    QVERIFY(program.Run(identify, {"--port", bench.Port(), "identify"}));
    QCOMPARE(identify.exitCode(), 0);
    QCOMPARE(identify.readAllStandardOutput(), QByteArray("type=580 platform=5 version=3_1_7\n"));
    QVERIFY(QString::fromUtf8(identify.readAllStandardError())
                .contains("Связь установлена. Обнаружен прибор 580"));

    QProcess absent;
    QVERIFY(program.Run(absent, {"--port", "/nonexistent/tty", "read-key"}));
    QCOMPARE(absent.exitCode(), 3);

    QVERIFY(QFile::copy(RuntimeFile("velor580.EN"), program.dir.filePath("velor580.EN")));
    program.environment.insert("LANG", "en_GB.UTF-8");
    QProcess english;
    QVERIFY(program.Run(english, {"--port", bench.Port(), "identify"}));
    QCOMPARE(english.exitCode(), 0);
    QVERIFY(QString::fromUtf8(english.readAllStandardError())
                .contains("Connection established. Device 580 found"));
}

// A result that cannot reach standard output (here a full device) is a failure with the
// system's reason, however well the device answered.
void TestCli::lostResultIsAFailure_data() {
    QTest::addColumn<QStringList>("device");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("identify") << QStringList{} << QStringList{"--port", "%port", "identify"};
    QTest::newRow("read-key") << QStringList{"key=0123456789AB"}
                              << QStringList{"--port", "%port", "read-key"};
    QTest::newRow("help") << QStringList{} << QStringList{"--help"};
}

void TestCli::lostResultIsAFailure() {
    QFETCH(QStringList, device);
    QFETCH(QStringList, arguments);
    const QString full = "/dev/full";
    if (!QFileInfo::exists(full)) {
        QSKIP("the system has no /dev/full");
    }
    Bench bench(device);
    for (QString& argument : arguments) {
        argument.replace("%port", bench.Port());
    }
    IsolatedProgram program;
    QProcess process;
    QVERIFY(program.Run(process, arguments, full));
    QCOMPARE(process.exitCode(), 1);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.contains("Не удалось вывести результат в стандартный вывод") &&
                 err.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))),
             qPrintable(err));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
