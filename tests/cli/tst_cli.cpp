// velor580-cli against the simulated device on a pseudo-terminal: each command's output and
// exit status, what reached the device, refusals that leave the device untouched, and the
// program itself.

#include "fake_sysfs.h"
#include "file_faults.h"
#include "sim_device_items.h"

#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/interrupt_signals.h"
#include "cli/ports_command.h"
#include "link/bridge_texts.h"
#include "link/ftdi_usb_port.h"
#include "link/native_path.h"
#include "link/tty_ftdi_driver.h"
#include "settings/cfg_format.h"
#include "settings/settings_check.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_history.h"
#include "sim/pty_server.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
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

// The review's warnings of the pattern: the check's findings in it, one line each.
QString PatternWarnings() {
    SettingsImage image;
    const Bytes pattern = SettingsPattern();
    std::copy(pattern.begin(), pattern.end(), image.bytes().begin());
    const auto findings = velor::settings::CheckSettings(image).findings;
    QString text = QString("Предупреждения проверки (%1):\n").arg(findings.size());
    for (const velor::settings::CheckFinding& finding : findings) {
        text += "  внимание: " + velor::settings::FindingLine(finding) + "\n";
    }
    return text;
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

SettingsImage ImageOf(const Bytes& bytes) {
    SettingsImage image;
    std::copy(bytes.begin(), bytes.end(), image.bytes().begin());
    return image;
}

QByteArray CfgFile(const Bytes& bytes) {
    return CfgText(ImageOf(bytes));
}

QString ShortFingerprint(const Bytes& bytes) {
    return velor::settings::ShortFingerprint(ImageOf(bytes));
}

// The short form of a file's SHA-256, as a technician compares it with the maker's list.
QString Sha256Start(const QByteArray& file) {
    return QString::fromLatin1(QCryptographicHash::hash(file, QCryptographicHash::Sha256).toHex())
        .left(12);
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
    // environment has no configurator beside the tool (the built-in Russian texts) and keeps the
    // settings history in the bench's folder ("%dir/history").
    int Run(QStringList arguments, CliEnvironment environment = {}) {
        for (QString& argument : arguments) {
            argument.replace("%port", Port()).replace("%dir", dir.path());
        }
        if (environment.historyFolder.isEmpty()) {
            environment.historyFolder = HistoryFolder();
        }
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunCli(QStringList{"velor580-cli"} + arguments, outStream, errStream, environment);
    }
    QString HistoryFolder() const { return File("history"); }
    QStringList Snapshots() const {
        return QDir(HistoryFolder()).entryList({"*.cfg"}, QDir::Files, QDir::Name);
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

// Standard error that raises a signal in the program the moment the texts have been written to
// it one after the other, as a technician's Ctrl+C at that point of the output would.
class SignallingErr : public QIODevice {
public:
    SignallingErr(QStringList texts, int signal) : texts_(std::move(texts)), signal_(signal) {
        open(QIODevice::WriteOnly);
    }
    QString text;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        text += QString::fromUtf8(data, static_cast<int>(size));
        for (; !texts_.isEmpty(); texts_.removeFirst()) {
            const qsizetype found = text.indexOf(texts_.first(), from_);
            if (found < 0) {
                return size;
            }
            from_ = found + texts_.first().size();
        }
        if (!raised_) {
            raised_ = true;
            ::raise(signal_);
        }
        return size;
    }

private:
    QStringList texts_;
    int signal_;
    qsizetype from_ = 0;
    bool raised_ = false;
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
    void nothingWrittenWithoutAWayBack_data();
    void nothingWrittenWithoutAWayBack();
    void historyLists_data();
    void historyLists();
    void historyAsJson();
    void portsList_data();
    void portsList();
    void portBySerialNumber_data();
    void portBySerialNumber();
    void bridgeFoldersFromTheEnvironment();
    void accessTexts_data();
    void accessTexts();
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
    void portValues_data();
    void portValues();
    void busyPortIsRefusedAtOnce_data();
    void busyPortIsRefusedAtOnce();
    void namesStayOnOneLine_data();
    void namesStayOnOneLine();
    void fileNamesThatAreNotUtf8Open();
    void interruptedWriteSaysWhatItLeft_data();
    void interruptedWriteSaysWhatItLeft();
    void secondInterruptEndsAtOnce();
    void reviewWarnsOfWhatTheDeviceWouldNotKeep();
};

void TestCli::commandOutcome_data() {
    QTest::addColumn<QStringList>("device");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("errLines"); // each must appear on standard error

    const QString connected = "Связь установлена. Обнаружен прибор 580";
    // The file holds what the device holds: the list says so, with both fingerprints.
    // The pattern is no settings a window would keep: the check's findings come first.
    const QString review = "Настройки прибора: %pattern\n"
                           "Настройки файла %dir/in.cfg: %pattern\n"
                           "%warnings"
                           "Нет изменений\n";
    const QString firmware = "Файл ПО: %dir/fw.tsk, 205 байт\n"
                             "ПО для прибора: тип 580, платформа 5, версия 3_1_7\n"
                             "SHA-256: %fw\n"
                             "Подключен прибор: тип 580, платформа 5, версия 3_1_7\n";
    const QString snapshotSaved = "Прежние настройки прибора сохранены: %dir/history/";
    const QString wayBack = "Прежние настройки возвращает команда: velor580-cli --port %port "
                            "write-settings %dir/history/";

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
                       "Обнаружен прибор системы Велор-Ворсан. Режим настройки недоступен."};
    QTest::newRow("write-settings")
        << QStringList{} << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 0
        << review
        << QStringList{connected, "выполнено: 5/5", snapshotSaved, "Запись настроек завершена",
                       "Проверка пройдена: прибор хранит записанные настройки (%pattern)."};
    QTest::newRow("write-settings: block busy at two polls, stored at the third")
        << QStringList{"busy=2:3"}
        << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 0 << review
        << QStringList{"Запись настроек завершена", "Проверка пройдена"};
    QTest::newRow("write-settings: the poll answers refused")
        << QStringList{"busy=2:1:1:refuse"}
        << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 1 << review
        << QStringList{"Ошибка при записи настроек", wayBack};
    QTest::newRow("write-firmware: the poll answers refused")
        << QStringList{"busy=1:2:1:refuse"}
        << QStringList{"--port", "%port", "write-firmware", "%dir/fw.tsk"} << 1 << firmware
        << QStringList{"Ошибка при записи ПО"};
    QTest::newRow("write-settings: block refused")
        << QStringList{"refuse=3"}
        << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 1 << review
        << QStringList{"Ошибка при записи настроек", wayBack};
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
        << firmware << QStringList{connected, "выполнено: 4/4", "Смена ПО завершена успешно"};
    QTest::newRow("write-firmware: block refused")
        << QStringList{"refuse=2"}
        << QStringList{"--port", "%port", "write-firmware", "%dir/fw.tsk"} << 1 << firmware
        << QStringList{"Ошибка при записи ПО"};
    QTest::newRow("write-firmware: file for another platform")
        << QStringList{} << QStringList{"--port", "%port", "write-firmware", "%dir/fw6.tsk"} << 1
        << "Файл ПО: %dir/fw6.tsk, 205 байт\n"
           "ПО для прибора: тип 580, платформа 6, версия 3_1_7\n"
           "SHA-256: %fw6\n"
           "Подключен прибор: тип 580, платформа 5, версия 3_1_7\n"
        << QStringList{"Ошибка! Несовпадение платформы устройства - запись недоступна"};
    QTest::newRow("line dropped during a read")
        << QStringList{"hang-up=2"}
        << QStringList{"--port", "%port", "read-settings", "%dir/out.cfg"} << 1 << ""
        << QStringList{kLost, "Ошибка отправки сценария"};
    // Identify, acknowledge; the read before the write: scenario, acknowledge, request and five
    // acknowledges; scenario, acknowledge, blocks 0 and 1; the poll drops the line.
    QTest::newRow("line dropped during a busy wait")
        << QStringList{"busy=1:1:1", "hang-up=14"}
        << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"} << 1 << review
        << QStringList{kLost, "Ошибка при записи настроек", wayBack};
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
    const auto filled = [&bench](QString text) {
        return text.replace("%dir", bench.dir.path())
            .replace("%port", bench.Port())
            .replace("%warnings", PatternWarnings())
            .replace("%pattern", ShortFingerprint(SettingsPattern()))
            .replace("%fw6", Sha256Start(FirmwareFile(6)))
            .replace("%fw", Sha256Start(FirmwareFile()));
    };
    QCOMPARE(bench.out, filled(out));
    for (const QString& line : errLines) {
        QVERIFY2(bench.err.contains(filled(line)), qPrintable(bench.err));
    }
    // A lost device is told once, naming the device, and never as a bare driver error.
    QCOMPARE(int(bench.err.count(kLost)), errLines.contains(kLost) ? 1 : 0);
    if (errLines.contains(kLost)) {
        QVERIFY2(bench.err.contains(kLost + bench.Port() + " потеряна"), qPrintable(bench.err));
    }
    QVERIFY2(!bench.err.contains("FT_IO_ERROR"), qPrintable(bench.err));
}

// A key registered without any right passes the write's review with a warning above the changes;
// the write goes on (here a dry run, which ends after the review).
void TestCli::reviewWarnsOfWhatTheDeviceWouldNotKeep() {
    Bench bench;
    Bytes settings = SettingsPattern();
    settings[0] = 1;                                            // one key,
    settings[7] = settings[8] = 0;                              // with no right to arm or disarm,
    std::fill(settings.begin() + 9, settings.begin() + 225, 0); // no records beyond it
    for (std::size_t output = 0; output < 4; ++output) {
        settings[225 + output * 4 + 2] = 0; // no reserved bits
    }
    settings[255] = settings[256] = 0; // known work modes
    bench.Write("in.cfg", CfgFile(settings));
    QCOMPARE(bench.Run({"--port", "%port", "--dry-run", "write-settings", "%dir/in.cfg"}), 0);
    const QStringList lines = bench.out.split('\n');
    qsizetype line = 0;
    while (line < lines.size() && !lines[line].startsWith("Предупреждения проверки (")) {
        ++line;
    }
    QVERIFY2(line == 2, qPrintable(bench.out)); // after the two fingerprints
    QStringList warnings;
    while (++line < lines.size() && lines[line].startsWith("  внимание: ")) {
        warnings << lines[line];
    }
    QVERIFY2(warnings.filter("у ключа нет прав ни на взятие, ни на снятие").size() == 1,
             qPrintable(bench.out));
    QVERIFY2(line < lines.size() && lines[line].contains("→"), qPrintable(bench.out)); // changes
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

// A write starts only once the device's settings are read and kept as a snapshot: when either
// fails, the device keeps its settings and the history holds nothing.
void TestCli::nothingWrittenWithoutAWayBack_data() {
    QTest::addColumn<QStringList>("device");
    QTest::addColumn<QString>("history"); // "%dir" is the bench's folder
    QTest::addColumn<bool>("fullDisk");
    QTest::addColumn<QStringList>("errLines");

    const QString notStarted = "Запись не начата: без снимка прежние настройки нельзя было бы "
                               "вернуть.";
    QTest::newRow("the history folder's place is taken by a file")
        << QStringList{} << "%dir/file" << false
        << QStringList{"Снимок настроек прибора не сохранен: ", "%dir/file", notStarted};
    QTest::newRow("a folder on the history's way is a file")
        << QStringList{} << "%dir/file/history" << false
        << QStringList{"Снимок настроек прибора не сохранен: ", "Это не папка", notStarted};
    QTest::newRow("the disk is full")
        << QStringList{} << "%dir/history" << true
        << QStringList{"Снимок настроек прибора не сохранен: Не удалось создать файл", notStarted};
    QTest::newRow("the device's settings cannot be read")
        << QStringList{"fault=bad-crc:read:2"} << "%dir/history" << false
        << QStringList{"Ошибка при чтении настроек",
                       "Настройки прибора не прочитаны: запись не начата."};
}

void TestCli::nothingWrittenWithoutAWayBack() {
    QFETCH(QStringList, device);
    QFETCH(QString, history);
    QFETCH(bool, fullDisk);
    QFETCH(QStringList, errLines);

    Bench bench(device);
    bench.Write("file", "");
    Bytes other = SettingsPattern();
    std::reverse(other.begin(), other.end());
    bench.Write("in.cfg", CfgFile(other));
    CliEnvironment environment;
    environment.historyFolder = history.replace("%dir", bench.dir.path());
    int exitCode = -1;
    {
        const FileSizeLimit limit(fullDisk ? 300 : RLIM_INFINITY);
        exitCode = bench.Run({"--port", "%port", "write-settings", "%dir/in.cfg"}, environment);
    }
    QCOMPARE(exitCode, 1);
    for (QString line : errLines) {
        QVERIFY2(bench.err.contains(line.replace("%dir", bench.dir.path())), qPrintable(bench.err));
    }
    QVERIFY2(!bench.err.contains("Запись настроек завершена"), qPrintable(bench.err));
    QCOMPARE(bench.Device([](velor::sim::SimDevice& d) { return d.State().settings; }),
             SettingsPattern());
    QVERIFY(QDir(history).entryList({"*.cfg", "*.json"}, QDir::Files).isEmpty());
}

// Snapshots saved at the given times (minutes after 2024-05-01 10:00), the oldest then damaged
// as the row says; the lines of "history", newest first. "%dir" is the history folder, "%fpN"
// the short fingerprint of the settings saved N-th.
void TestCli::historyLists_data() {
    QTest::addColumn<QList<int>>("minutes");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("out");
    QTest::newRow("no history yet") << QList<int>{} << ""
                                    << "";
    QTest::newRow("newest first, one line each")
        << QList<int>{0, 90} << ""
        << "2024-05-01 11:30:00  580 3_1_7  %fp1  %dir/20240501-113000_580_3_1_7.cfg\n"
           "2024-05-01 10:00:00  580 3_1_7  %fp0  %dir/20240501-100000_580_3_1_7.cfg\n";
    QTest::newRow("two in one second")
        << QList<int>{5, 5} << ""
        << "2024-05-01 10:05:00  580 3_1_7  %fp1  %dir/20240501-100500-2_580_3_1_7.cfg\n"
           "2024-05-01 10:05:00  580 3_1_7  %fp0  %dir/20240501-100500_580_3_1_7.cfg\n";
    QTest::newRow("a snapshot edited after it was saved is marked")
        << QList<int>{0} << "altered"
        << "2024-05-01 10:00:00  580 3_1_7  %fpX  %dir/20240501-100000_580_3_1_7.cfg  "
           "(файл изменен после сохранения)\n";
    QTest::newRow("a snapshot without its record is marked")
        << QList<int>{0} << "unrecorded"
        << "2024-05-01 10:00:00  580 3_1_7  %fp0  %dir/20240501-100000_580_3_1_7.cfg  "
           "(нет записи .json рядом)\n";
    QTest::newRow("a snapshot that is no settings file any more is marked")
        << QList<int>{0} << "unreadable"
        << "2024-05-01 10:00:00  580 3_1_7  ------------  %dir/20240501-100000_580_3_1_7.cfg  "
           "(файл не читается как файл настроек)\n";
}

void TestCli::historyLists() {
    QFETCH(QList<int>, minutes);
    QFETCH(QString, damage);
    QFETCH(QString, out);
    Bench bench;
    SettingsHistory history(bench.HistoryFolder());
    const QDateTime start(QDate(2024, 5, 1), QTime(10, 0));
    QString oldest;
    for (int i = 0; i < minutes.size(); ++i) {
        const HistorySave saved =
            history.Save(ImageOf(Bytes(257, uint8_t(i))), {580, 5, 3, 1, 7},
                         ImageOf(SettingsPattern()), start.addSecs(60 * minutes[i]));
        QVERIFY(saved.Saved());
        oldest = oldest.isEmpty() ? saved.path : oldest;
    }
    const Bytes edited(257, 0xAA);
    if (damage == "altered") {
        SaveCfgFile(oldest, ImageOf(edited));
    } else if (damage == "unrecorded") {
        QVERIFY(QFile::remove(QString(oldest).replace(".cfg", ".json")));
    } else if (damage == "unreadable") {
        QFile file(oldest);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    }

    QCOMPARE(bench.Run({"history"}), 0);
    for (int i = 0; i < minutes.size(); ++i) {
        out.replace(QStringLiteral("%fp%1").arg(i), ShortFingerprint(Bytes(257, uint8_t(i))));
    }
    out.replace("%fpX", ShortFingerprint(edited)).replace("%dir", bench.HistoryFolder());
    QCOMPARE(bench.out, out);
    QVERIFY2(bench.err.contains("История настроек: " + bench.HistoryFolder()),
             qPrintable(bench.err));
    QCOMPARE(bench.err.contains("История пуста: снимков еще нет."), minutes.isEmpty());
}

void TestCli::historyAsJson() {
    Bench bench;
    QCOMPARE(bench.Run({"history", "--json"}), 0);
    QCOMPARE(QJsonDocument::fromJson(bench.out.toUtf8()).array().size(), 0);

    Bytes written = SettingsPattern();
    std::reverse(written.begin(), written.end());
    bench.Write("in.cfg", CfgFile(written));
    QCOMPARE(bench.Run({"--port", "%port", "write-settings", "%dir/in.cfg"}), 0);
    QCOMPARE(bench.Run({"--json", "history"}), 0);
    const QJsonArray list = QJsonDocument::fromJson(bench.out.toUtf8()).array();
    QCOMPARE(list.size(), 1);
    const QJsonObject entry = list[0].toObject();
    QCOMPARE(entry["path"].toString(), bench.HistoryFolder() + "/" + bench.Snapshots().value(0));
    QCOMPARE(entry["deviceType"].toInt(), 580);
    QCOMPARE(entry["platform"].toInt(), 5);
    QCOMPARE(entry["version"].toString(), QStringLiteral("3_1_7"));
    QCOMPARE(entry["fingerprint"].toString(),
             velor::settings::Fingerprint(ImageOf(SettingsPattern())));
    QCOMPARE(entry["replacedBy"].toString(), velor::settings::Fingerprint(ImageOf(written)));
    QCOMPARE(entry["state"].toString(), QStringLiteral("intact"));
    QVERIFY(QDateTime::fromString(entry["time"].toString(), Qt::ISODate).isValid());
}

// Bridges in a fake sysfs tree ("name vendor serial location"; "-" for none), nodes for those
// named in "nodes"; the lines of "ports". "%dev" is the device folder.
void TestCli::portsList_data() {
    QTest::addColumn<QStringList>("ttys");
    QTest::addColumn<QStringList>("nodes");
    QTest::addColumn<QString>("out");
    QTest::newRow("no bridge") << QStringList{} << QStringList{} << "";
    QTest::newRow("two bridges, columns aligned, the first one opened without --port")
        << QStringList{"ttyUSB1 0403 - 1-2", "ttyUSB0 0403 A10K1234 1-1.4"}
        << QStringList{"ttyUSB0"}
        << "%dev/ttyUSB0  A10K1234  1-1.4  доступ есть\n"
           "%dev/ttyUSB1  -         1-2    нет доступа: нет файла устройства\n";
    QTest::newRow("a foreign adapter is not listed")
        << QStringList{"ttyUSB0 067b PL1 1-1", "ttyUSB1 0403 FT9 1-3"}
        << QStringList{"ttyUSB0", "ttyUSB1"} << "%dev/ttyUSB1  FT9  1-3  доступ есть\n";
}

void TestCli::portsList() {
    QFETCH(QStringList, ttys);
    QFETCH(QStringList, nodes);
    QFETCH(QString, out);
    Bench bench;
    FakeSysfs sysfs;
    for (const QString& tty : ttys) {
        const QStringList p = tty.split(' ');
        sysfs.AddTty(p[0], p[1], true, true, p[2] == "-" ? QString() : p[2], p[3]);
    }
    QTemporaryDir dev;
    for (const QString& node : nodes) {
        QFile file(dev.filePath(node));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    CliEnvironment environment;
    environment.sysfsRoot = sysfs.root();
    environment.devRoot = dev.path();
    QCOMPARE(bench.Run({"ports"}, environment), 0);
    QCOMPARE(bench.out, out.replace("%dev", dev.path()));
    QCOMPARE(bench.err.contains("Не подключен ни один USB-последовательный мост FTDI."),
             ttys.isEmpty());
}

// --port without "/" is a serial number: the bridge that carries it is opened (here its node
// leads to the simulator's terminal); none or several that carry it end with status 3 before
// any port is opened.
void TestCli::portBySerialNumber_data() {
    QTest::addColumn<QStringList>("serials"); // of ttyUSB0, ttyUSB1, ...
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("the serial number of an attached bridge")
        << QStringList{"FT9", "A10K1234"} << "A10K1234" << 0 << "Связь установлена";
    QTest::newRow("a serial number no bridge carries")
        << QStringList{"FT9", "A10K1234"} << "A10K9999" << 3
        << "Нет моста FTDI с серийным номером \"A10K9999\".\n"
           "Подключены: FT9 (%dev/ttyUSB0), A10K1234 (%dev/ttyUSB1).";
    QTest::newRow("no bridge attached") << QStringList{} << "A10K1234" << 3
                                        << "Нет моста FTDI с серийным номером \"A10K1234\".\n"
                                           "Не подключен ни один USB-последовательный мост FTDI.";
    QTest::newRow("one serial number on two bridges")
        << QStringList{"A50285BI", "A50285BI"} << "A50285BI" << 3
        << "Серийный номер \"A50285BI\" у нескольких мостов: A50285BI (%dev/ttyUSB0), "
           "A50285BI (%dev/ttyUSB1). Укажите путь к устройству.";
}

void TestCli::portBySerialNumber() {
    QFETCH(QStringList, serials);
    QFETCH(QString, port);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    Bench bench;
    FakeSysfs sysfs;
    QTemporaryDir dev;
    for (int i = 0; i < serials.size(); ++i) {
        const QString name = QStringLiteral("ttyUSB%1").arg(i);
        sysfs.AddTty(name, "0403", true, true, serials[i], QStringLiteral("1-%1").arg(i + 1));
        QVERIFY(QFile::link(bench.Port(), dev.filePath(name)));
    }
    CliEnvironment environment;
    environment.sysfsRoot = sysfs.root();
    environment.devRoot = dev.path();
    QCOMPARE(bench.Run({"--port", port, "identify"}, environment), exitCode);
    QVERIFY2(bench.err.contains(said.replace("%dev", dev.path())), qPrintable(bench.err));
    if (exitCode != 0) {
        QCOMPARE(bench.Device([](velor::sim::SimDevice& d) { return d.FramesServed(); }), 0);
    }
}

// VELOR580_SYSFS_ROOT and VELOR580_DEV_ROOT replace /sys and /dev for the program itself: the
// simulator, presented as a bridge with a serial number, is listed and found by that number.
void TestCli::bridgeFoldersFromTheEnvironment() {
    Bench bench;
    FakeSysfs sysfs;
    QTemporaryDir dev;
    sysfs.AddTty("ttyUSB0", "0403", true, true, "A10K1234", "1-1.4");
    QVERIFY(QFile::link(bench.Port(), dev.filePath("ttyUSB0")));
    IsolatedProgram program;
    program.environment.insert("VELOR580_SYSFS_ROOT", sysfs.root());
    program.environment.insert("VELOR580_DEV_ROOT", dev.path());

    QProcess ports;
    QVERIFY(program.Run(ports, {"ports"}));
    QCOMPARE(ports.exitCode(), 0);
    const QString listed = QString::fromUtf8(ports.readAllStandardOutput());
    QVERIFY2(listed.contains("A10K1234") && listed.contains(dev.filePath("ttyUSB0")),
             qPrintable(listed));

    QProcess identify;
    QVERIFY(program.Run(identify, {"--port", "A10K1234", "identify"}));
    QCOMPARE(identify.exitCode(), 0);
    QCOMPARE(identify.readAllStandardOutput(), QByteArray("type=580 platform=5 version=3_1_7\n"));
}

// What the current user is told about a node, from the facts the system gives.
void TestCli::accessTexts_data() {
    QTest::addColumn<bool>("canOpen");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("inGroup");
    QTest::addColumn<bool>("atNextLogin");
    QTest::addColumn<QString>("text");
    QTest::newRow("open") << true << 0 << "dialout" << false << false << "доступ есть";
    QTest::newRow("no node") << false << ENOENT << "" << false << false
                             << "нет доступа: нет файла устройства";
    QTest::newRow("not in the node's group")
        << false << EACCES << "dialout" << false << false
        << "нет доступа: устройство группы \"dialout\", вас в ней нет "
           "(sudo usermod -aG dialout $USER, затем войдите заново)";
    QTest::newRow("joined the group, not logged in again")
        << false << EACCES << "dialout" << false << true
        << "нет доступа: вы в группе \"dialout\" со следующего входа в систему; войдите заново";
    QTest::newRow("in the group, which may not read and write")
        << false << EACCES << "uucp" << true << false
        << "нет доступа: группе \"uucp\" не разрешены чтение и запись";
    QTest::newRow("another reason: the system's, in the program's language")
        << false << EROFS << "dialout" << false << false
        << "нет доступа: Файловая система доступна только для чтения";
}

void TestCli::accessTexts() {
    QFETCH(bool, canOpen);
    QFETCH(int, error);
    QFETCH(QString, group);
    QFETCH(bool, inGroup);
    QFETCH(bool, atNextLogin);
    QFETCH(QString, text);
    velor::link::NodeAccess access;
    access.canOpen = canOpen;
    access.error = error;
    access.group = group.toStdString();
    access.inGroup = inGroup;
    access.groupAtNextLogin = atNextLogin;
    QCOMPARE(velor::link::BridgeAccessText(access), text);
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
    QTest::newRow("--dry-run with another command")
        << QStringList{"--dry-run", "read-settings", "a.cfg"}
        << "параметр --dry-run есть только у команды write-settings";
    QTest::newRow("--no-verify with another command")
        << QStringList{"write-firmware", "a.tsk", "--no-verify"}
        << "параметр --no-verify есть только у команды write-settings";
    QTest::newRow("--json with another command")
        << QStringList{"ports", "--json"}
        << "параметр --json есть только у команд show, diff, check и history";
    QTest::newRow("history takes no file") << QStringList{"history", "a.cfg"} << "лишний аргумент";
    QTest::newRow("options end at --, so --help is a command")
        << QStringList{"--", "--help"} << "неизвестная команда \"--help\"";
    // An empty variable in a script must not pick whichever bridge is listed first.
    const QString emptyPort = "--port не может быть пустым";
    QTest::newRow("--port ''") << QStringList{"--port", "", "identify"} << emptyPort;
    QTest::newRow("--port=") << QStringList{"--port=", "write-settings", "a.cfg"} << emptyPort;
    QTest::newRow("the usage line follows")
        << QStringList{"--port", "", "identify"} << "список команд: velor580-cli --help";
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
    for (const char* command :
         {"identify", "read-settings", "write-settings", "read-key", "write-firmware", "history",
          "ports", "--port", "--dry-run", "--no-verify", "--json", "--help", "-h", "--"}) {
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
// system's reason, however well the device answered. A write whose list of what it will change
// could not be shown does not start.
void TestCli::lostResultIsAFailure_data() {
    QTest::addColumn<QStringList>("device");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("identify") << QStringList{} << QStringList{"--port", "%port", "identify"};
    QTest::newRow("read-key") << QStringList{"key=0123456789AB"}
                              << QStringList{"--port", "%port", "read-key"};
    QTest::newRow("help") << QStringList{} << QStringList{"--help"};
    QTest::newRow("write-settings")
        << QStringList{} << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"};
    QTest::newRow("write-firmware")
        << QStringList{} << QStringList{"--port", "%port", "write-firmware", "%dir/fw.tsk"};
}

void TestCli::lostResultIsAFailure() {
    QFETCH(QStringList, device);
    QFETCH(QStringList, arguments);
    const QString full = "/dev/full";
    if (!QFileInfo::exists(full)) {
        QSKIP("the system has no /dev/full");
    }
    Bench bench(device);
    Bytes other = SettingsPattern();
    std::reverse(other.begin(), other.end());
    bench.Write("in.cfg", CfgFile(other));
    bench.Write("fw.tsk", FirmwareFile());
    for (QString& argument : arguments) {
        argument.replace("%port", bench.Port()).replace("%dir", bench.dir.path());
    }
    IsolatedProgram program;
    QProcess process;
    QVERIFY(program.Run(process, arguments, full));
    QCOMPARE(process.exitCode(), 1);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.contains("Не удалось вывести результат в стандартный вывод") &&
                 err.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))),
             qPrintable(err));
    const bool writes = arguments.join(' ').contains("write-");
    QCOMPARE(err.contains("Список того, что изменит запись, не выведен: запись не начата."),
             writes);
    QCOMPARE(bench.Device([](velor::sim::SimDevice& d) { return d.State().settings; }),
             SettingsPattern());
    QVERIFY(!bench.Device([](velor::sim::SimDevice& d) { return d.State().firmware; }));
    QVERIFY(QDir(program.dir.filePath("history")).isEmpty());
}

// --port names a path or a serial number; "auto" (or no --port) is the first bridge.
void TestCli::portValues_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("port");
    QTest::newRow("path") << QStringList{"--port", "/dev/ttyUSB1", "identify"} << "/dev/ttyUSB1";
    QTest::newRow("path after =") << QStringList{"--port=/dev/pts/4", "identify"} << "/dev/pts/4";
    QTest::newRow("serial number") << QStringList{"identify", "--port", "FT1X2Y3Z"} << "FT1X2Y3Z";
    QTest::newRow("auto") << QStringList{"--port", "auto", "identify"} << "";
    QTest::newRow("auto after =") << QStringList{"--port=auto", "identify"} << "";
    QTest::newRow("none") << QStringList{"identify"} << "";
}

void TestCli::portValues() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, port);
    QCOMPARE(ParseCliOptions(QStringList{"velor580-cli"} + arguments).port, port);
}

void TestCli::busyPortIsRefusedAtOnce_data() {
    QTest::addColumn<bool>("heldByTheWindow"); // else by a serial tool's advisory lock
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("identify, serial tool") << false << QStringList{"--port", "%port", "identify"};
    QTest::newRow("read-settings, configurator window")
        << true << QStringList{"--port", "%port", "read-settings", "%dir/out.cfg"};
    QTest::newRow("write-settings, configurator window")
        << true << QStringList{"--port", "%port", "write-settings", "%dir/in.cfg"};
    QTest::newRow("write-firmware, serial tool")
        << false << QStringList{"--port", "%port", "write-firmware", "%dir/fw.tsk"};
}

// A port another program holds is refused at once with exit status 3, naming the port; nothing
// reaches the device. Once the holder lets go, the same command works.
void TestCli::busyPortIsRefusedAtOnce() {
    QFETCH(bool, heldByTheWindow);
    QFETCH(QStringList, arguments);
    Bench bench;
    bench.Write("in.cfg", CfgFile(SettingsPattern()));
    bench.Write("fw.tsk", FirmwareFile());
    TFTDIUsbPort window(std::make_unique<TtyFtdiDriver>(bench.Port()));
    int toolFd = -1;
    if (heldByTheWindow) {
        QCOMPARE(window.Open(), 1);
    } else {
        toolFd = ::open(bench.Port().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(toolFd >= 0);
        QCOMPARE(::flock(toolFd, LOCK_EX | LOCK_NB), 0);
    }

    QCOMPARE(bench.Run(arguments), 3);
    QCOMPARE(bench.err, "Порт " + bench.Port() + " занят другой программой\n");
    QVERIFY(bench.out.isEmpty());
    QCOMPARE(bench.Device([](velor::sim::SimDevice& d) { return d.FramesServed(); }), 0);
    QVERIFY(QDir(bench.HistoryFolder()).isEmpty());

    window.Close();
    if (toolFd >= 0) {
        ::close(toolFd);
    }
    QCOMPARE(bench.Run(arguments), 0);
}

void TestCli::namesStayOnOneLine_data() {
    QTest::addColumn<QString>("folder"); // in the bench's folder: the file's or the history's
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("outLines"); // each must be a whole line of standard output
    QTest::newRow("show, a newline in the file's name")
        << "a\nb" << QStringList{"show", "%folder/s.cfg"}
        << QStringList{"Настройки: $'%dir/a\\nb/s.cfg'"};
    QTest::newRow("show, a tab and a quote")
        << "it's\tthere" << QStringList{"show", "%folder/s.cfg"}
        << QStringList{"Настройки: $'%dir/it\\'s\\tthere/s.cfg'"};
    QTest::newRow("diff, both headers")
        << "x\ry" << QStringList{"diff", "%folder/s.cfg", "%folder/s.cfg"}
        << QStringList{"A: $'%dir/x\\ry/s.cfg', отпечаток %fp",
                       "B: $'%dir/x\\ry/s.cfg', отпечаток %fp"};
    QTest::newRow("history, a newline in the folder's name")
        << "his\ntory" << QStringList{"history"}
        << QStringList{"2024-05-01 10:00:00  580 3_1_7  %fp  "
                       "$'%dir/his\\ntory/20240501-100000_580_3_1_7.cfg'"};
}

// A control character in a name is shown escaped inside $'...', so each item stays on one line.
void TestCli::namesStayOnOneLine() {
    QFETCH(QString, folder);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, outLines);
    Bench bench;
    const QString place = bench.File(folder);
    QVERIFY(QDir().mkpath(place));
    bench.Write(folder + "/s.cfg", CfgFile(SettingsPattern()));
    CliEnvironment environment;
    environment.historyFolder = place;
    const HistorySave saved = SettingsHistory(place).Save(
        ImageOf(SettingsPattern()), {580, 5, 3, 1, 7}, ImageOf(SettingsPattern()),
        QDateTime(QDate(2024, 5, 1), QTime(10, 0)));
    QVERIFY2(saved.Saved(), qPrintable(saved.error));
    for (QString& argument : arguments) {
        argument.replace("%folder", place);
    }
    QCOMPARE(bench.Run(arguments, environment), 0);
    const QStringList lines = bench.out.split('\n');
    for (QString line : outLines) {
        line.replace("%dir", bench.dir.path()).replace("%fp", ShortFingerprint(SettingsPattern()));
        QVERIFY2(lines.contains(line), qPrintable(bench.out));
    }
}

// A file whose name is not UTF-8 (made under another encoding) opens, given on the command
// line as the bytes it has; the header shows the odd byte escaped.
void TestCli::fileNamesThatAreNotUtf8Open() {
    Bench bench;
    const QByteArray name = velor::NativePath(bench.dir.path()) + "/\xff\xfe-old.cfg";
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    const QByteArray content = CfgFile(SettingsPattern());
    QCOMPARE(::write(fd, content.constData(), std::size_t(content.size())), content.size());
    ::close(fd);

    QCOMPARE(bench.Run({"show", velor::PathFromNative(name)}), 0);
    QVERIFY2(bench.out.startsWith("Настройки: $'" + bench.dir.path() + "/\\xff\\xfe-old.cfg'\n"),
             qPrintable(bench.out));

    IsolatedProgram program;
    QProcess process;
    process.setProcessEnvironment(program.environment);
    process.start("/bin/sh", {"-c", "exec \"$0\" show \"$(printf '%s/\\377\\376-old.cfg' \"$1\")\"",
                              program.Path(), bench.dir.path()});
    QVERIFY(process.waitForFinished(kProgramWaitMs));
    QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
    QVERIFY(QString::fromUtf8(process.readAllStandardOutput())
                .contains("Отпечаток: " + ShortFingerprint(SettingsPattern())));
}

// Ctrl+C or SIGTERM during a write: the write stops before its next block, the port is left
// quiet (the next command works at once), one line says what the device may hold and how to go
// back, and the exit status is the one a shell expects of an interrupted program.
void TestCli::interruptedWriteSaysWhatItLeft_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("when"); // the signal comes once these texts are out
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("deviceChanged");
    QTest::addColumn<QString>("line");
    const QString saved = "Прежние настройки прибора сохранены";
    QTest::newRow("settings: during the read before the write")
        << "write-settings" << QStringList{"выполнено: 2/5"} << SIGINT << 130 << false
        << "Запись настроек прервана (SIGINT): в прибор ничего не записано.";
    QTest::newRow("settings: after the snapshot, before the first block")
        << "write-settings" << QStringList{saved} << SIGTERM << 143 << false
        << "Запись настроек прервана (SIGTERM): в прибор ничего не записано.";
    QTest::newRow("settings: between two blocks")
        << "write-settings" << QStringList{saved, "выполнено: 2/5"} << SIGINT << 130 << false
        << "Запись настроек прервана (SIGINT): прибор может хранить новые настройки частично. "
           "Прежние настройки возвращает команда: velor580-cli --port %port write-settings "
           "%dir/history/";
    QTest::newRow("settings: during the read back")
        << "write-settings" << QStringList{"Проверка записи: настройки читаются"} << SIGINT << 130
        << true
        << "Проверка записи прервана (SIGINT): настройки записаны, но не проверены. Прежние "
           "настройки возвращает команда: velor580-cli --port %port write-settings "
           "%dir/history/";
    QTest::newRow("firmware: before the upload")
        << "write-firmware" << QStringList{"Связь установлена"} << SIGINT << 130 << false
        << "Прошивка прервана (SIGINT): в прибор ничего не записано.";
    QTest::newRow("firmware: between two blocks")
        << "write-firmware" << QStringList{"выполнено: 2/4"} << SIGINT << 130 << false
        << "Прошивка прервана (SIGINT): ПО в приборе может быть записано частично, повторите "
           "прошивку командой: velor580-cli --port %port write-firmware %dir/fw.tsk";
}

void TestCli::interruptedWriteSaysWhatItLeft() {
    QFETCH(QString, command);
    QFETCH(QStringList, when);
    QFETCH(int, signal);
    QFETCH(int, exitCode);
    QFETCH(bool, deviceChanged);
    QFETCH(QString, line);
    Bench bench;
    Bytes next = SettingsPattern();
    std::reverse(next.begin(), next.end());
    bench.Write("in.cfg", CfgFile(next));
    bench.Write("fw.tsk", FirmwareFile());
    for (QString& text : when) {
        text.replace("%dir", bench.dir.path());
    }
    line.replace("%port", bench.Port()).replace("%dir", bench.dir.path());

    SignallingErr errDevice(when, signal);
    QString out;
    QTextStream outStream(&out);
    QTextStream errStream(&errDevice);
    CliEnvironment environment;
    environment.historyFolder = bench.HistoryFolder();
    const QString file = bench.File(command == "write-settings" ? "in.cfg" : "fw.tsk");
    QCOMPARE(RunCli({"velor580-cli", "--port", bench.Port(), command, file}, outStream, errStream,
                    environment),
             exitCode);

    const QStringList lines = errDevice.text.split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.last().startsWith(line), qPrintable(errDevice.text));
    const auto state = bench.Device([](velor::sim::SimDevice& d) { return d.State(); });
    QCOMPARE(state.settings == next, deviceChanged);
    QVERIFY(!state.firmware.has_value());
    // Nothing of the stopped write is left on the line: the next command works at once.
    QCOMPARE(bench.Run({"--port", "%port", "identify"}), 0);
}

// A second signal does not wait for the block in flight.
void TestCli::secondInterruptEndsAtOnce() {
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        const InterruptSignals interrupts;
        ::raise(SIGINT);
        ::raise(SIGINT);
        ::_exit(0);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 130);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
