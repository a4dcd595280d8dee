// velor580-cli show, diff and check: outputs and exit statuses per source (a file, the factory
// settings, the simulated device on a pseudo-terminal), refused sources, the JSON documents, the
// language of the names, and a report that cannot reach standard output.

#include "check_cases.h"
#include "sim_device_items.h"

#include "cli/cli_session.h"
#include "settings/cfg_format.h"
#include "settings/settings_check.h"
#include "settings/settings_fingerprint.h"
#include "sim/pty_server.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

using velor::settings::Fingerprint;
using velor::settings::ShortFingerprint;
using velor::settings::WindowKeptImage;
using velor::sim::PtyServer;
using Files = QMap<QString, QByteArray>; // name in the bench's folder -> content
Q_DECLARE_METATYPE(Files)

namespace {

constexpr int kProgramWaitMs = 30000;         // upper bound only
const QString kFifo = QStringLiteral("fifo"); // a Files entry of that name is made a FIFO

QString RuntimeFile(const QString& name) {
    return QDir(qEnvironmentVariable("VELOR_RUNTIME_DIR")).filePath(name);
}

SettingsImage Factory() {
    return LoadCfgFile(RuntimeFile("580default.cfg"));
}

// The device's table: the factory settings with loop 3 a fire loop and OK 2 in the executive mode
// still bound to it, so that show, diff and check all have something to say.
SettingsImage DeviceImage() {
    SettingsImage image = Factory();
    image.SetLoopOption(LoopOption::Fire, 3, true);
    image.SetWorkMode(kOpenCollector2, WorkModeNibble(kExecutiveMode));
    return image;
}

// The factory settings with one key that may neither arm nor disarm.
SettingsImage KeyWithoutRights() {
    SettingsImage image = WithKeys(Factory(), 1);
    image.SetArmRights(1, 0);
    image.SetDisarmRights(1, 0);
    return image;
}

velor::sim::Bytes BytesOf(const SettingsImage& image) {
    return {image.bytes().begin(), image.bytes().end()};
}

QByteArray Cfg(const SettingsImage& image) {
    return CfgText(image);
}

// The simulated device with DeviceImage(), a folder for the files, and the tool run in-process
// next to the build's configurator (its factory settings, its language library).
struct Bench {
    explicit Bench(const QStringList& device = {})
        : server(std::make_unique<PtyServer>(SimDeviceFromItems(device, BytesOf(DeviceImage())),
                                             false)) {
        server->Start();
        port = QString::fromStdString(server->SlavePath());
    }
    ~Bench() { server->Stop(); }

    QString File(const QString& name) const { return dir.filePath(name); }
    void Write(const Files& files) const {
        for (auto file = files.begin(); file != files.end(); ++file) {
            if (file.key() == kFifo) {
                QVERIFY(::mkfifo(QFile::encodeName(File(kFifo)).constData(), 0600) == 0);
                continue;
            }
            QFile out(File(file.key()));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file.value());
        }
    }
    int FramesServed() {
        return server->WithDevice([](velor::sim::SimDevice& d) { return d.FramesServed(); });
    }

    // "%port", "%dir", "%ffp" (the factory settings' short fingerprint) and "%dfp" (the
    // device's) are filled in.
    QString Filled(QString text) const {
        return text.replace("%port", port)
            .replace("%dir", dir.path())
            .replace("%ffp", ShortFingerprint(Factory()))
            .replace("%dfp", ShortFingerprint(DeviceImage()));
    }

    int Run(QStringList arguments, const QString& language = "RU") {
        for (QString& argument : arguments) {
            argument = Filled(argument);
        }
        CliEnvironment environment;
        environment.configuratorPath = RuntimeFile("velor580");
        environment.runLocale = language;
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunCli(QStringList{"velor580-cli"} + arguments, outStream, errStream, environment);
    }

    QJsonObject RunJson(const QStringList& arguments, int exitCode,
                        const QString& language = "RU") {
        const int code = Run(arguments, language);
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(out.toUtf8(), &error);
        if (code != exitCode || error.error != QJsonParseError::NoError || !document.isObject()) {
            qWarning("exit %d, %s\n%s", code, qPrintable(error.errorString()), qPrintable(err));
            return {};
        }
        return document.object();
    }

    QTemporaryDir dir;
    std::unique_ptr<PtyServer> server;
    QString port;
    QString out;
    QString err;
};

QJsonObject FieldOf(const QJsonObject& report, const QString& key, const QString& list = "fields") {
    for (const QJsonValue& field : report[list].toArray()) {
        if (field["key"].toString() == key) {
            return field.toObject();
        }
    }
    return {};
}

} // namespace

class TestCliReports : public QObject {
    Q_OBJECT
private slots:
    void reportOutcome_data();
    void reportOutcome();
    void deviceIsReadOnceAndAfterTheFiles();
    void jsonReports();
    void namesFollowTheLanguageKeysDoNot();
    void lostReportIsAnError_data();
    void lostReportIsAnError();
};

void TestCliReports::reportOutcome_data() {
    QTest::addColumn<QStringList>("device");
    QTest::addColumn<Files>("files");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("outLines"); // each must appear on standard output, in order
    QTest::addColumn<QStringList>("errLines"); // each must appear on standard error

    const Files factoryFile{{"a.cfg", Cfg(Factory())}};
    const QString read = "Чтение настроек завершено";

    QTest::newRow("show factory") << QStringList{} << Files{} << QStringList{"show", "factory"} << 0
                                  << QStringList{"Настройки: заводские настройки (" +
                                                     RuntimeFile("580default.cfg") + ")\n",
                                                 "Отпечаток: %ffp\n",
                                                 "\nГлавная\n",
                                                 "  Режим внутреннего звукового оповещателя        "
                                                 "           Все извещения\n",
                                                 "\nНастройки ШС\n",
                                                 "  ШС1: Тип ШС ",
                                                 "\nРежимы реле и выходов ОК\n",
                                                 "  Реле №1: Режим работы ",
                                                 "\nИдентификаторы ТМ\n",
                                                 "  Число ключей ТМ  0\n"}
                                  << QStringList{};
    QTest::newRow("show a file") << QStringList{} << factoryFile
                                 << QStringList{"show", "%dir/a.cfg"} << 0
                                 << QStringList{"Настройки: %dir/a.cfg\n", "Отпечаток: %ffp\n"}
                                 << QStringList{};
    QTest::newRow("a file named device is read by its path")
        << QStringList{} << Files{{"device", Cfg(Factory())}} << QStringList{"show", "%dir/device"}
        << 0 << QStringList{"Отпечаток: %ffp\n"} << QStringList{};
    QTest::newRow("show device")
        << QStringList{} << Files{} << QStringList{"--port", "%port", "show", "device"} << 0
        << QStringList{"Настройки: прибор (%port)\n", "Отпечаток: %dfp\n",
                       "  ШС3: Тип ШС                           пожарный\n"}
        << QStringList{read};
    QTest::newRow("diff of equal settings")
        << QStringList{} << factoryFile << QStringList{"diff", "%dir/a.cfg", "factory"} << 0
        << QStringList{"A: %dir/a.cfg, отпечаток %ffp\n", "B: заводские настройки (",
                       "Настройки совпадают.\n"}
        << QStringList{};
    QTest::newRow("diff of factory and device")
        << QStringList{} << Files{} << QStringList{"--port=%port", "diff", "factory", "device"} << 1
        << QStringList{"A: заводские настройки (", "B: прибор (%port), отпечаток %dfp\n",
                       "ШС3: Тип ШС: охранный → пожарный\n",
                       "OK №2: Режим работы: Тревога → Исполнительный ( для охранного ШС)\n",
                       "Различающихся полей: 2\n"}
        << QStringList{read};
    QTest::newRow("check factory")
        << QStringList{} << Files{} << QStringList{"check", "factory"} << 0
        << QStringList{"Проверка: заводские настройки (", "Отпечаток: %ffp\n",
                       "Окно сохранит эти настройки без изменений.\n"}
        << QStringList{};
    QTest::newRow("check device")
        << QStringList{} << Files{} << QStringList{"--port", "%port", "check", "device"} << 1
        << QStringList{"Проверка: прибор (%port)\n",
                       "OK №2: Привязки к ШС: ШС1–ШС8 → ШС1, ШС2, ШС4–ШС8 (в режимах",
                       "Замечаний: 1. Настройки, загруженные в окно, сохранятся с отпечатком "}
        << QStringList{read};
    QTest::newRow("check a file with a kept finding")
        << QStringList{} << Files{{"b.cfg", Cfg(KeyWithoutRights())}}
        << QStringList{"check", "%dir/b.cfg"} << 1
        << QStringList{"Ключ 1: Код ТМ: 110000000001 (у ключа нет прав ни на взятие, ни на "
                       "снятие; окно сохраняет его)\n"}
        << QStringList{};

    QTest::newRow("show: file missing")
        << QStringList{} << Files{} << QStringList{"show", "%dir/missing.cfg"} << 4 << QStringList{}
        << QStringList{"Не удалось открыть файл", "missing.cfg"};
    QTest::newRow("diff: a FIFO is refused without blocking")
        << QStringList{} << Files{{kFifo, {}}} << QStringList{"diff", "factory", "%dir/fifo"} << 4
        << QStringList{} << QStringList{"Не удалось открыть файл", "fifo"};
    QTest::newRow("check: a line that is no number")
        << QStringList{} << Files{{"bad.cfg", "12\r\nabc\r\n"}}
        << QStringList{"check", "%dir/bad.cfg"} << 4 << QStringList{}
        << QStringList{"abc", "bad.cfg"};
    QTest::newRow("diff: too few lines") << QStringList{} << Files{{"short.cfg", "1\r\n2\r\n"}}
                                         << QStringList{"diff", "%dir/short.cfg", "factory"} << 4
                                         << QStringList{} << QStringList{"short.cfg"};
    QTest::newRow("show device: no such port")
        << QStringList{} << Files{} << QStringList{"--port", "%dir/gone", "show", "device"} << 3
        << QStringList{} << QStringList{"Приборы марки Велор отключены от линии USB!"};
    QTest::newRow("diff device: a device of another type")
        << QStringList{"type=570"} << Files{}
        << QStringList{"--port", "%port", "diff", "device", "factory"} << 5 << QStringList{}
        << QStringList{"Подключен прибор несовместимого типа"};
    QTest::newRow("check device: a Velor-Vorsan device")
        << QStringList{"version=2.1.0"} << Files{}
        << QStringList{"--port", "%port", "check", "device"} << 5 << QStringList{} << QStringList{};
    QTest::newRow("show device: the read gets no reply")
        << QStringList{"fault=no-reply:read"} << Files{}
        << QStringList{"--port", "%port", "show", "device"} << 5 << QStringList{} << QStringList{};

    QTest::newRow("show without a source")
        << QStringList{} << Files{} << QStringList{"show"} << 2 << QStringList{}
        << QStringList{"команде show нужен источник настроек: файл .cfg, device или factory"};
    QTest::newRow("diff with one source")
        << QStringList{} << Files{} << QStringList{"diff", "factory"} << 2 << QStringList{}
        << QStringList{"команде diff нужны два источника настроек: A и B"};
    QTest::newRow("show with two sources")
        << QStringList{} << Files{} << QStringList{"show", "factory", "device"} << 2
        << QStringList{} << QStringList{"лишний аргумент \"device\""};
    QTest::newRow("--json on a device command")
        << QStringList{} << Files{} << QStringList{"--json", "identify"} << 2 << QStringList{}
        << QStringList{"параметр --json есть только у команд show, diff, check и history"};
}

void TestCliReports::reportOutcome() {
    QFETCH(QStringList, device);
    QFETCH(Files, files);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, outLines);
    QFETCH(QStringList, errLines);

    Bench bench(device);
    bench.Write(files);
    QCOMPARE(bench.Run(arguments), exitCode);
    qsizetype from = 0;
    for (const QString& line : outLines) {
        const qsizetype at = bench.out.indexOf(bench.Filled(line), from);
        QVERIFY2(at >= 0, qPrintable(bench.Filled(line) + "\n--- in ---\n" + bench.out));
        from = at + 1;
    }
    if (exitCode > 1) {
        QVERIFY2(bench.out.isEmpty(), qPrintable(bench.out));
    }
    for (const QString& line : errLines) {
        QVERIFY2(bench.err.contains(bench.Filled(line)), qPrintable(bench.err));
    }
}

// A file is read before the device is asked, so a bad one costs no wait; the device named twice
// is read once.
void TestCliReports::deviceIsReadOnceAndAfterTheFiles() {
    Bench bench;
    QCOMPARE(bench.Run({"--port", "%port", "diff", "device", "%dir/missing.cfg"}), 4);
    QCOMPARE(bench.FramesServed(), 0);

    QCOMPARE(bench.Run({"--port", "%port", "diff", "device", "device"}), 0);
    QCOMPARE(bench.err.count("Чтение настроек завершено"), 1);
    QCOMPARE(bench.err.count("Связь установлена"), 1);
    QVERIFY2(bench.out.contains("Настройки совпадают."), qPrintable(bench.out));
}

void TestCliReports::jsonReports() {
    Bench bench;
    const SettingsImage factory = Factory();

    const QJsonObject show = bench.RunJson({"show", "factory", "--json"}, 0);
    QCOMPARE(show["fingerprint"].toString(), Fingerprint(factory));
    QCOMPARE(show["fingerprint_short"].toString(), ShortFingerprint(factory));
    QCOMPARE(show["source"]["kind"].toString(), QString("factory"));
    QCOMPARE(show["source"]["path"].toString(), RuntimeFile("580default.cfg"));
    QCOMPARE(show["pages"].toArray().size(), 4);
    QCOMPARE(show["pages"][2]["key"].toString(), QString("outputs"));
    const QJsonObject sounder = FieldOf(show, "general.sounder_duration_s");
    QCOMPARE(sounder["page"].toString(), QString("main"));
    QCOMPARE(sounder["value"].toString(), QString("180 с"));
    QCOMPARE(sounder["raw"].toInt(), 36);
    QCOMPARE(sounder["number"].toInt(), 180);
    QCOMPARE(sounder["unit"].toString(), QString("с"));
    const QJsonObject mode = FieldOf(show, "outputs.relay1.work_mode");
    QCOMPARE(mode["raw"].toInt(), 1);
    QVERIFY(!mode.contains("number"));
    QCOMPARE(mode["unit"].toString(), QString());

    const QJsonObject diff =
        bench.RunJson({"--port", bench.port, "--json", "diff", "factory", "device"}, 1);
    QCOMPARE(diff["equal"].toBool(), false);
    QCOMPARE(diff["a"]["fingerprint"].toString(), Fingerprint(factory));
    QCOMPARE(diff["b"]["source"]["kind"].toString(), QString("device"));
    QCOMPARE(diff["b"]["source"]["path"].toString(), bench.port);
    const QJsonObject loop = FieldOf(diff, "loops[3].type", "changes");
    QCOMPARE(loop["before"].toString(), QString("охранный"));
    QCOMPARE(loop["after"].toString(), QString("пожарный"));
    QCOMPARE(loop["before_raw"].toInt(), 0);
    QCOMPARE(loop["after_raw"].toInt(), 1);
    QCOMPARE(diff["changes"].toArray().size(), 2);

    const QJsonObject equal = bench.RunJson({"diff", "factory", "factory", "--json"}, 0);
    QCOMPARE(equal["equal"].toBool(), true);
    QCOMPARE(equal["changes"].toArray().size(), 0);

    bench.Write(Files{{"keys.cfg", Cfg(WithKeys(factory, 1))}});
    const QJsonObject added = bench.RunJson({"diff", "factory", "%dir/keys.cfg", "--json"}, 1);
    const QJsonObject code = FieldOf(added, "keys[1].code", "changes");
    QCOMPARE(code["before"].toString(), QString("—"));
    QVERIFY(code["before_raw"].isNull());
    QCOMPARE(code["after_raw"].toDouble(), double(0x110000000001));

    const QJsonObject check = bench.RunJson({"--port", bench.port, "check", "device", "--json"}, 1);
    const SettingsImage kept = WindowKeptImage(DeviceImage());
    QCOMPARE(check["fingerprint"].toString(), Fingerprint(DeviceImage()));
    QCOMPARE(check["kept_fingerprint"].toString(), Fingerprint(kept));
    QCOMPARE(check["kept_fingerprint_short"].toString(), ShortFingerprint(kept));
    const QJsonObject binding = FieldOf(check, "outputs.ok2.binding", "findings");
    QCOMPARE(binding["kind"].toString(), QString("normalised"));
    QCOMPARE(binding["value"].toString(), QString("ШС1–ШС8"));
    QCOMPARE(binding["kept"].toString(), QString("ШС1, ШС2, ШС4–ШС8"));
    QVERIFY(!binding["reason"].toString().isEmpty());
}

// The technician's language changes names, values and units, never the keys.
void TestCliReports::namesFollowTheLanguageKeysDoNot() {
    Bench bench;
    QCOMPARE(bench.Run({"show", "factory"}, "EN"), 0);
    for (const char* line : {"Settings: factory settings (", "Fingerprint: ", "\nMain\n",
                             "  Internal sounder mode", "\nLoop settings\n", "  Loop 1: Loop type",
                             "  Relay 1: Work mode", "CMS alarm", "\nTM identifiers\n"}) {
        QVERIFY2(bench.out.contains(QLatin1String(line)), qPrintable(line + ("\n" + bench.out)));
    }
    const QJsonObject russian = bench.RunJson({"show", "factory", "--json"}, 0);
    const QJsonObject english = bench.RunJson({"show", "factory", "--json"}, 0, "EN");
    const QJsonArray ruFields = russian["fields"].toArray();
    const QJsonArray enFields = english["fields"].toArray();
    QCOMPARE(enFields.size(), ruFields.size());
    for (qsizetype i = 0; i < enFields.size(); ++i) {
        QCOMPARE(enFields[i]["key"], ruFields[i]["key"]);
        QCOMPARE(enFields[i]["raw"], ruFields[i]["raw"]);
        const QString name = enFields[i]["name"].toString() + enFields[i]["value"].toString();
        QVERIFY2(!name.contains(QRegularExpression("[А-яЁё]")), qPrintable(name));
    }
    QCOMPARE(FieldOf(english, "general.sounder_duration_s")["value"].toString(), QString("180 s"));
    QCOMPARE(bench.Run({"diff", "factory", "factory"}, "EN"), 0);
    QVERIFY2(bench.out.contains("The settings are the same."), qPrintable(bench.out));
}

// A report that does not reach standard output (a full device) is an error, never the 0 or 1 of
// "equal", "different" or "no findings".
void TestCliReports::lostReportIsAnError_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("show") << QStringList{"show", "factory"};
    QTest::newRow("diff of equal settings") << QStringList{"diff", "factory", "factory"};
    QTest::newRow("diff of different settings") << QStringList{"diff", "factory", "%dir/a.cfg"};
    QTest::newRow("check --json") << QStringList{"check", "factory", "--json"};
}

void TestCliReports::lostReportIsAnError() {
    QFETCH(QStringList, arguments);
    const QString full = "/dev/full";
    if (!QFileInfo::exists(full)) {
        QSKIP("the system has no /dev/full");
    }
    Bench bench;
    bench.Write(Files{{"a.cfg", Cfg(DeviceImage())}});
    for (QString& argument : arguments) {
        argument = bench.Filled(argument);
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VELOR580_LANGUAGE", "RU");
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(full);
    process.start(RuntimeFile("velor580-cli"), arguments);
    QVERIFY(process.waitForFinished(kProgramWaitMs));
    QCOMPARE(process.exitCode(), 5);
    QVERIFY(QString::fromUtf8(process.readAllStandardError())
                .contains("Не удалось вывести результат в стандартный вывод"));
}

QTEST_GUILESS_MAIN(TestCliReports)
#include "tst_cli_reports.moc"
