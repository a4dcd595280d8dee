// The visit report as a technician hands it over: made by the command-line tool, rendered to PDF
// and read back with pdftotext, so what is tested is what the paper says.

#include "check_cases.h"
#include "sim_device_items.h"

#include "cli/cli_session.h"
#include "settings/cfg_format.h"
#include "settings/settings_fingerprint.h"
#include "sim/pty_server.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

using velor::settings::ShortFingerprint;
using velor::sim::PtyServer;

namespace {

constexpr int kProgramWaitMs = 30000; // upper bound only

QString RuntimeFile(const QString& name) {
    return QDir(qEnvironmentVariable("VELOR_RUNTIME_DIR")).filePath(name);
}

SettingsImage Factory() {
    return LoadCfgFile(RuntimeFile("580default.cfg"));
}

// The factory settings with loop 3 a fire loop and a 60 s sounder: two changed fields.
SettingsImage Edited() {
    SettingsImage image = Factory();
    image.SetLoopOption(LoopOption::Fire, 3, true);
    image[kSounderDurationOffset] = 12;
    return image;
}

velor::sim::Bytes BytesOf(const SettingsImage& image) {
    return {image.bytes().begin(), image.bytes().end()};
}

// The pages of a PDF as pdftotext reads them (-layout), split at the form feeds.
QStringList PdfPages(const QString& path) {
    const QString program = QStandardPaths::findExecutable("pdftotext");
    if (program.isEmpty()) {
        qWarning("pdftotext (poppler-utils) is missing: scripts/install-deps installs it");
        return {};
    }
    QProcess process;
    process.start(program, {"-layout", path, "-"});
    if (!process.waitForFinished(kProgramWaitMs) || process.exitCode() != 0) {
        return {};
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    return pages;
}

// The words of a text with the runs of blanks between them made one (pdftotext -layout pads
// columns with spaces) and ligatures as their letters ("ﬁ" as "fi").
QString Simplified(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).simplified();
}

// The simulated device with Edited() settings, a folder for the files, and the tool run
// in-process next to the build's configurator (its factory settings, its language library).
struct Bench {
    Bench()
        : server(std::make_unique<PtyServer>(SimDeviceFromItems({}, BytesOf(Edited())), false)) {
        server->Start();
    }
    ~Bench() { server->Stop(); }

    QString File(const QString& name) const { return dir.filePath(name); }
    void Write(const QString& name, const SettingsImage& image) const {
        QFile file(File(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(CfgText(image));
    }

    int Run(QStringList arguments) {
        for (QString& argument : arguments) {
            argument.replace("%dir", dir.path())
                .replace("%port", QString::fromStdString(server->SlavePath()));
        }
        CliEnvironment environment;
        environment.configuratorPath = RuntimeFile("velor580");
        environment.runLocale = "RU";
        err.clear();
        QString out;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return RunCli(QStringList{"velor580-cli"} + arguments, outStream, errStream, environment);
    }

    QTemporaryDir dir;
    std::unique_ptr<PtyServer> server;
    QString err;
};

} // namespace

class TestVisitReport : public QObject {
    Q_OBJECT

private slots:
    void paperShowsTheVisit_data();
    void paperShowsTheVisit();
    void factoryOnlyListsTheDifferences();
    void longestReportKeepsEveryLine();
    void deviceSourceNamesTheDevice();
    void htmlStandsAlone();
    void refusals_data();
    void refusals();
};

// Both languages: the changed fields with both values, both fingerprints, and on every page the
// footer with the fingerprint of what was left and "page N of M".
void TestVisitReport::paperShowsTheVisit_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("pageNumber"); // %1 of %2
    QTest::newRow("Russian")
        << "ru" << QStringList{"Отчёт о визите", "Изменённые поля", "ШС3: Тип ШС охранный пожарный",
                               "60 с",           "Подписи",         "Заказчик:"}
        << "стр. %1 из %2";
    QTest::newRow("English") << "en"
                             << QStringList{"Visit report", "Changed fields", "Signatures",
                                            "Loop 3: Loop type security fire", "Customer:"}
                             << "page %1 of %2";
}

void TestVisitReport::paperShowsTheVisit() {
    QFETCH(QString, language);
    QFETCH(QStringList, expected);
    QFETCH(QString, pageNumber);
    Bench bench;
    bench.Write("found.cfg", Factory());
    bench.Write("left.cfg", Edited());
    QCOMPARE(bench.Run({"report", "%dir/left.cfg", "--before", "%dir/found.cfg", "--lang", language,
                        "--technician", "Пётр Иванов", "--pdf", "%dir/r.pdf"}),
             0);
    const QStringList pages = PdfPages(bench.File("r.pdf"));
    QVERIFY(!pages.isEmpty());
    const QString text = Simplified(pages.join(' '));
    for (const QString& line : expected) {
        QVERIFY2(text.contains(line), qPrintable(line + "\n" + text.left(2000)));
    }
    QVERIFY(text.contains(ShortFingerprint(Factory())));
    QVERIFY(text.contains(ShortFingerprint(Edited())));
    QVERIFY(text.contains("Пётр Иванов")); // the site book's technician
    for (int page = 0; page < pages.size(); ++page) {
        const QString sheet = Simplified(pages[page]);
        QVERIFY2(sheet.contains(pageNumber.arg(page + 1).arg(pages.size())), qPrintable(sheet));
        QVERIFY(sheet.contains(ShortFingerprint(Edited())));
    }
}

// --changed-from-factory lists the fields that differ from the factory settings and no other.
void TestVisitReport::factoryOnlyListsTheDifferences() {
    Bench bench;
    bench.Write("left.cfg", Edited());
    QCOMPARE(
        bench.Run({"report", "%dir/left.cfg", "--changed-from-factory", "--pdf", "%dir/r.pdf"}), 0);
    const QString text = Simplified(PdfPages(bench.File("r.pdf")).join(' '));
    QVERIFY2(text.contains("Настройки, отличные от заводских"), qPrintable(text));
    QVERIFY(text.contains("ШС3: Тип ШС пожарный"));
    QVERIFY(!text.contains("ШС1: Тип ШС"));
    QVERIFY(!text.contains("Изменённые поля")); // no "as found" was given

    bench.Write("factory.cfg", Factory());
    QCOMPARE(
        bench.Run({"report", "%dir/factory.cfg", "--changed-from-factory", "--pdf", "%dir/f.pdf"}),
        0);
    QVERIFY(Simplified(PdfPages(bench.File("f.pdf")).join(' '))
                .contains("Все настройки совпадают с заводскими."));
}

// The longest report, 28 keys: every key's code is on the paper and every page has its footer.
void TestVisitReport::longestReportKeepsEveryLine() {
    Bench bench;
    bench.Write("keys.cfg", WithKeys(Factory(), kMaxIdentifiers));
    QCOMPARE(bench.Run({"report", "%dir/keys.cfg", "--before", "factory", "--pdf", "%dir/k.pdf"}),
             0);
    const QStringList pages = PdfPages(bench.File("k.pdf"));
    QVERIFY(pages.size() > 2);
    const QString text = Simplified(pages.join(' '));
    for (int record = 1; record <= kMaxIdentifiers; ++record) {
        const QString code =
            (QStringLiteral("%1").arg(0x10 + record, 2, 16, QLatin1Char('0')) + "00000000" +
             QStringLiteral("%1").arg(record, 2, 16, QLatin1Char('0')))
                .toUpper();
        QVERIFY2(text.count(code) >= 2, qPrintable(code)); // changed fields and the key list
    }
    for (int page = 0; page < pages.size(); ++page) {
        QVERIFY(Simplified(pages[page])
                    .contains(QStringLiteral("стр. %1 из %2").arg(page + 1).arg(pages.size())));
    }
}

// The device as a source: its settings, its type and firmware version in the header.
void TestVisitReport::deviceSourceNamesTheDevice() {
    Bench bench;
    QCOMPARE(bench.Run({"--port", "%port", "report", "device", "--before", "factory", "--pdf",
                        "%dir/d.pdf"}),
             0);
    const QString text = Simplified(PdfPages(bench.File("d.pdf")).join(' '));
    QVERIFY2(text.contains("Прибор 580"), qPrintable(text.left(1500)));
    QVERIFY(text.contains("Версия ПО прибора 3_1_7"));
    QVERIFY(text.contains(ShortFingerprint(Edited())));
    QVERIFY(text.contains("ШС3: Тип ШС охранный пожарный"));
}

// The HTML report is one file: nothing it shows is fetched from elsewhere.
void TestVisitReport::htmlStandsAlone() {
    Bench bench;
    bench.Write("left.cfg", Edited());
    QCOMPARE(bench.Run({"report", "%dir/left.cfg", "--before", "factory", "--html", "%dir/r.html"}),
             0);
    QFile file(bench.File("r.html"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    QVERIFY(html.startsWith("<!DOCTYPE html>"));
    QVERIFY(html.contains("ШС3: Тип ШС"));
    QVERIFY(!html.contains("src=") && !html.contains("<link"));
}

// Bad input ends with the reports' exit statuses and leaves no report behind; a FIFO named as
// the report is refused, not written into.
void TestVisitReport::refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("no report file") << QStringList{"report", "factory"} << 2 << "--pdf ФАЙЛ";
    QTest::newRow("unknown language")
        << QStringList{"report", "factory", "--lang", "de", "--pdf", "%dir/r.pdf"} << 2
        << "ru или en";
    QTest::newRow("a report option with show")
        << QStringList{"show", "factory", "--pdf", "%dir/r.pdf"} << 2 << "только у команды report";
    QTest::newRow("missing settings file")
        << QStringList{"report", "%dir/none.cfg", "--pdf", "%dir/r.pdf"} << 4 << "none.cfg";
    QTest::newRow("missing report folder")
        << QStringList{"report", "factory", "--pdf", "%dir/no/r.pdf"} << 5 << "Отчет не сохранен";
    QTest::newRow("a FIFO as the report")
        << QStringList{"report", "factory", "--pdf", "%dir/fifo"} << 5 << "Отчет не сохранен";
}

void TestVisitReport::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    Bench bench;
    QVERIFY(::mkfifo(QFile::encodeName(bench.File("fifo")).constData(), 0600) == 0);
    QCOMPARE(bench.Run(arguments), exitCode);
    QVERIFY2(bench.err.contains(said), qPrintable(bench.err));
    QVERIFY(!QFile::exists(bench.File("r.pdf")));
    QVERIFY(QFileInfo(bench.File("fifo")).isFile() == false);
}

QTEST_MAIN(TestVisitReport)
#include "tst_visit_report.moc"
