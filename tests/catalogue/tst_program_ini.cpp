#include "catalogue/ini_file.h"
#include "catalogue/locale_runtime.h"
#include "catalogue/program_files.h"
#include "catalogue/program_ini.h"
#include "catalogue/program_layout.h"
#include "fake_program.h"
#include "link/native_path.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

namespace {
constexpr char kNoFile[] = "<no INI file>";
}

class TestProgramIni : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(isolation_.InEffect()); }

    void filesAreNamedAfterTheProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("library");
        QTest::newRow("no extension") << "/opt/v/velor580"
                                      << "EN"
                                      << "/opt/v/velor580.INI"
                                      << "/opt/v/velor580.EN";
        QTest::newRow("extension replaced") << "/opt/v/velor580.bin"
                                            << "DE"
                                            << "/opt/v/velor580.INI"
                                            << "/opt/v/velor580.DE";
        QTest::newRow("only the last extension") << "/opt/v/a.b.exe"
                                                 << "EN"
                                                 << "/opt/v/a.b.INI"
                                                 << "/opt/v/a.b.EN";
        QTest::newRow("dot in the folder") << "/opt/v.1/velor580"
                                           << "EN"
                                           << "/opt/v.1/velor580.INI"
                                           << "/opt/v.1/velor580.EN";
        QTest::newRow("code with a path names no library") << "/opt/v/velor580"
                                                           << "../../tmp/x"
                                                           << "/opt/v/velor580.INI"
                                                           << "";
    }
    void filesAreNamedAfterTheProgram() {
        QFETCH(QString, program);
        QFETCH(QString, locale);
        QFETCH(QString, ini);
        QFETCH(QString, library);
        QCOMPARE(velor::IniFilePath(program), ini);
        QCOMPARE(velor::LanguageLibraryPath(program, locale), library);
        QCOMPARE(velor::ProgramFolder(program), QFileInfo(ini).absolutePath());
    }

    void startupLocale_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no INI file") << QByteArray(kNoFile) << "RU";
        QTest::newRow("no section") << QByteArray("[Help]\nRU=a.html\n") << "RU";
        QTest::newRow("no key") << QByteArray("[Language]\nOther=EN\n") << "RU";
        QTest::newRow("set") << QByteArray("[Language]\nDefault=EN\n") << "EN";
    }
    void startupLocale() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, expected);
        const FakeProgram program;
        writeIniUnlessMissing(program, ini);
        QCOMPARE(velor::ReadStartupLocale(program.path()), expected);
    }

    // The change list before a write stays on unless the key says "0": a damaged or missing
    // key never skips it.
    void reviewBeforeWrite_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("expected");
        QTest::newRow("no INI file") << QByteArray(kNoFile) << true;
        QTest::newRow("no key") << QByteArray("[Write]\nOther=0\n") << true;
        QTest::newRow("off") << QByteArray("[Write]\nReview=0\n") << false;
        QTest::newRow("on") << QByteArray("[Write]\nReview=1\n") << true;
        QTest::newRow("garbage") << QByteArray("[Write]\nReview=nein\n") << true;
    }
    void reviewBeforeWrite() {
        QFETCH(QByteArray, ini);
        QFETCH(bool, expected);
        const FakeProgram program;
        writeIniUnlessMissing(program, ini);
        QCOMPARE(velor::ReadReviewBeforeWrite(program.path()), expected);
        QVERIFY(velor::WriteReviewBeforeWrite(!expected, program.path()));
        QCOMPARE(velor::ReadReviewBeforeWrite(program.path()), !expected);
    }

    void helpFileName_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("recordedLocale"); // null: nothing recorded
        QTest::addColumn<QString>("expected");
        const QByteArray help("[Help]\nRU=velor_ru.html\nEN=velor_en.html\n");
        QTest::newRow("no INI file") << QByteArray(kNoFile) << "RU"
                                     << "";
        QTest::newRow("nothing recorded reads RU") << help << QString() << "velor_ru.html";
        QTest::newRow("recorded empty reads RU") << help << ""
                                                 << "velor_ru.html";
        QTest::newRow("recorded EN") << help << "EN"
                                     << "velor_en.html";
        QTest::newRow("no entry for the locale") << help << "DE"
                                                 << "";
        QTest::newRow("comma in the name") << QByteArray("[Help]\nRU=help, ru.html\n") << "RU"
                                           << "help, ru.html";
    }
    void helpFileName() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, recordedLocale);
        QFETCH(QString, expected);
        const FakeProgram program;
        writeIniUnlessMissing(program, ini);
        if (!recordedLocale.isNull()) {
            velor::SetDefaultLocaleReg(program.path(), recordedLocale);
        }
        QCOMPARE(velor::ReadHelpFileName(program.path()), expected);
    }

    void readingCreatesNoIniFile() {
        const FakeProgram program;
        velor::ReadStartupLocale(program.path());
        velor::ReadHelpFileName(program.path());
        velor::ReadPortDevice(program.path());
        QVERIFY(!QFileInfo::exists(velor::IniFilePath(program.path())));
    }

    void writeCreatesFileAndKeepsOtherKeys() {
        const FakeProgram program;
        QVERIFY(velor::WriteStartupLocale(QStringLiteral("EN"), program.path()));
        QCOMPARE(velor::ReadStartupLocale(program.path()), QStringLiteral("EN"));

        program.WriteIni("[Help]\nRU=r.html\n[Port]\nDevice=/dev/pts/7\n");
        QVERIFY(velor::WriteStartupLocale(QStringLiteral("DE"), program.path()));
        QCOMPARE(velor::ReadStartupLocale(program.path()), QStringLiteral("DE"));
        QCOMPARE(velor::ReadHelpFileName(program.path()), QStringLiteral("r.html"));
        QCOMPARE(velor::ReadPortDevice(program.path()), QStringLiteral("/dev/pts/7"));
    }

    void renamedProgramUsesItsOwnIniFile() {
        FakeProgram program;
        program.WriteIni("[Language]\nDefault=EN\n");
        QVERIFY(program.rename(QStringLiteral("renamed")));
        QCOMPARE(velor::ReadStartupLocale(program.path()), QStringLiteral("RU"));
        program.WriteIni("[Language]\nDefault=DE\n");
        QCOMPARE(velor::IniFilePath(program.path()), program.folder() + "/renamed.INI");
        QCOMPARE(velor::ReadStartupLocale(program.path()), QStringLiteral("DE"));
    }

    // The shipped INI file starts in RU. In the runtime folder (whose language the technician
    // may have changed since) every shipped language has its library and a help file that exists.
    void shippedIniFile() {
        const QString shipped = qEnvironmentVariable("VELOR_SOURCE_DIR") + "/data/velor580";
        QCOMPARE(velor::ReadStartupLocale(shipped), QStringLiteral("RU"));
        const QDir runtime(qEnvironmentVariable("VELOR_RUNTIME_DIR"));
        const QString program = runtime.filePath(QStringLiteral("velor580"));
        for (const QString& locale : {QStringLiteral("RU"), QStringLiteral("EN")}) {
            velor::SetDefaultLocaleReg(program, locale);
            const QString help = velor::ReadHelpFileName(program);
            QVERIFY2(help.endsWith(QStringLiteral(".html")), qPrintable(locale));
            QVERIFY2(QFileInfo::exists(runtime.filePath(QStringLiteral("help/") + help)),
                     qPrintable(help));
        }
        QVERIFY(QFileInfo::exists(velor::LanguageLibraryPath(program, QStringLiteral("EN"))));
    }

    // Where the program finds its shipped data and keeps its INI file, firmware folder and
    // settings history: beside itself in a runtime folder, with the user when installed (data in
    // ../share/velor580).
    void layout_data() {
        QTest::addColumn<bool>("installed");      // the program in bin/, the data in share/velor580
        QTest::addColumn<bool>("defaultsBeside"); // 580default.cfg beside the program as well
        QTest::addColumn<bool>("withUser");
        QTest::newRow("runtime folder") << false << true << false;
        QTest::newRow("installed") << true << false << true;
        QTest::newRow("runtime folder under a prefix with share/velor580") << true << true << false;
    }
    void layout() {
        QFETCH(bool, installed);
        QFETCH(bool, defaultsBeside);
        QFETCH(bool, withUser);
        const FakeProgram program(QStringLiteral("velor580"),
                                  installed ? FakeProgram::Layout::Installed
                                            : FakeProgram::Layout::RuntimeFolder);
        QVERIFY(program.CopyIntoFolder(Defaults(), QLatin1String(velor::kFactoryDefaultsFile)));
        if (defaultsBeside && installed) { // a runtime folder's data folder is its own
            QVERIFY(QFile::copy(Defaults(), program.folder() + QLatin1Char('/') +
                                                QLatin1String(velor::kFactoryDefaultsFile)));
        }
        const QString path = program.path();
        const QString data = withUser ? program.dataFolder() : program.folder();
        QCOMPARE(velor::RunsInstalled(path), withUser);
        QCOMPARE(velor::KeepsStateWithUser(path), withUser);
        QCOMPARE(velor::DataFolder(path), data);
        QCOMPARE(velor::LanguageLibraryPath(path, QStringLiteral("EN")), data + "/velor580.EN");
        QCOMPARE(velor::IniTemplatePath(path), data + "/velor580.INI");
        QCOMPARE(velor::IniFilePath(path), withUser
                                               ? isolation_.configHome() + "/velor580/velor580.INI"
                                               : program.folder() + "/velor580.INI");
        QCOMPARE(velor::FirmwareFolder(path),
                 withUser ? isolation_.dataHome() + "/velor580/Base" : QStringLiteral("Base"));
        QCOMPARE(velor::HistoryFolder(path), withUser ? isolation_.dataHome() + "/velor580/history"
                                                      : program.folder() + "/history");
    }

    // Installed, the user's INI file starts as the shipped template; a later start (after an
    // upgrade) adds only what a newer template has and keeps every value the technician set.
    void userIniIsSeededAndKeptOnUpgrades() {
        const FakeProgram program(QStringLiteral("velor580"), FakeProgram::Layout::Installed);
        QVERIFY(program.CopyIntoFolder(Defaults(), QLatin1String(velor::kFactoryDefaultsFile)));
        const QString path = program.path();
        const QByteArray shipped("[Language]\nDefault=RU\n\n[Help]\nRU=velor580_ru.html\n");
        FakeProgram::WriteFile(velor::IniTemplatePath(path), shipped);
        QVERIFY(!QFileInfo::exists(velor::IniFilePath(path)));

        QVERIFY(velor::PrepareUserIni(path));
        QFile seeded(velor::IniFilePath(path));
        QVERIFY(seeded.open(QIODevice::ReadOnly));
        QCOMPARE(seeded.readAll(), shipped);
        QVERIFY(velor::WriteStartupLocale(QStringLiteral("EN"), path));

        const QByteArray upgraded = shipped + "EN=velor580_en.html\n";
        FakeProgram::WriteFile(velor::IniTemplatePath(path), upgraded);
        QVERIFY(velor::PrepareUserIni(path));
        QCOMPARE(velor::ReadStartupLocale(path), QStringLiteral("EN"));
        QCOMPARE(velor::ReadIniString(velor::IniFilePath(path), "Help", "EN", {}),
                 QStringLiteral("velor580_en.html"));
        QFile shippedAfter(velor::IniTemplatePath(path));
        QVERIFY(shippedAfter.open(QIODevice::ReadOnly));
        QCOMPARE(shippedAfter.readAll(), upgraded);
    }

    // A runtime folder keeps its own INI file: nothing is created with the user.
    void runtimeFolderNeedsNoUserIni() {
        const FakeProgram program(QStringLiteral("velor580"));
        QVERIFY(program.CopyIntoFolder(Defaults(), QLatin1String(velor::kFactoryDefaultsFile)));
        QVERIFY(QDir(isolation_.configHome() + "/velor580").removeRecursively());
        QVERIFY(velor::PrepareUserIni(program.path()));
        QVERIFY(!QFileInfo::exists(velor::UserIniPath(program.path())));
    }

    // A configuration folder that cannot hold the INI file: both the seeding and a later write
    // say so, for the window to report.
    void unwritableUserIniIsReported() {
        const FakeProgram program(QStringLiteral("velor580"), FakeProgram::Layout::Installed);
        QVERIFY(program.CopyIntoFolder(Defaults(), QLatin1String(velor::kFactoryDefaultsFile)));
        const QString blocker = isolation_.configHome() + "/velor580";
        QVERIFY(QDir(blocker).removeRecursively());
        FakeProgram::WriteFile(blocker, "a file where the folder belongs");
        QVERIFY(QFileInfo(blocker).isFile());
        const bool seeded = velor::PrepareUserIni(program.path());
        const bool written = velor::WriteStartupLocale(QStringLiteral("EN"), program.path());
        QFile::remove(blocker);
        QVERIFY(!seeded);
        QVERIFY(!written);
    }

    void damagedUserIniIsKeptAndRenewed_data() {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("binary junk") << QByteArray("\x7f"
                                                   "ELF\x02\x01\x00\x00junk",
                                                   12)
                                     << true;
        QTest::newRow("bytes that are no UTF-8")
            << QByteArray("[Language]\nDefault=\xff\xfe\n") << true;
        QTest::newRow("a control character") << QByteArray("[Language]\x1b[2J\n") << true;
        QTest::newRow("an INI file with CR LF and a tab")
            << QByteArray("[Language]\r\nDefault=EN\t\r\n") << false;
        QTest::newRow("Russian text")
            << QByteArray("; настройки\n[Language]\nDefault=EN\n") << false;
    }

    // A user INI file that is no text is not read as INI (its junk would become keys): it is
    // kept as "velor580.INI.damaged-<time>", byte for byte, and a fresh file made from the
    // template. A good file only gains the template's missing keys.
    void damagedUserIniIsKeptAndRenewed() {
        QFETCH(QByteArray, user);
        QFETCH(bool, damaged);
        const FakeProgram program(QStringLiteral("velor580"), FakeProgram::Layout::Installed);
        QVERIFY(program.CopyIntoFolder(Defaults(), QLatin1String(velor::kFactoryDefaultsFile)));
        const QString path = program.path();
        const QByteArray shipped("[Language]\nDefault=RU\n");
        FakeProgram::WriteFile(velor::IniTemplatePath(path), shipped);
        const QString userIni = velor::UserIniPath(path);
        QVERIFY(QDir().mkpath(QFileInfo(userIni).absolutePath()));
        QDir folder(QFileInfo(userIni).absolutePath());
        for (const QString& old : folder.entryList({"velor580.INI*"}, QDir::Files)) {
            QVERIFY(folder.remove(old));
        }
        FakeProgram::WriteFile(userIni, user);

        QString keptAs;
        QVERIFY(velor::PrepareUserIni(path, &keptAs));
        const QStringList kept = folder.entryList({"velor580.INI.damaged-*"}, QDir::Files);
        QCOMPARE(kept.size(), damaged ? 1 : 0);
        QCOMPARE(keptAs, damaged ? folder.filePath(kept.value(0)) : QString());
        QFile renewed(userIni);
        QVERIFY(renewed.open(QIODevice::ReadOnly));
        if (damaged) {
            QVERIFY2(QRegularExpression("^velor580\\.INI\\.damaged-\\d{8}-\\d{6}$")
                         .match(kept.value(0))
                         .hasMatch(),
                     qPrintable(kept.value(0)));
            QFile junk(keptAs);
            QVERIFY(junk.open(QIODevice::ReadOnly));
            QCOMPARE(junk.readAll(), user);
            QCOMPARE(renewed.readAll(), shipped);
        } else {
            QVERIFY(renewed.readAll().contains("Default=EN"));
        }
    }

    // An installed program's settings history is in XDG_DATA_HOME as the bytes it holds, also
    // when they are not UTF-8.
    void historyFolderIsTheDataHomeGiven() {
        const FakeProgram program(QStringLiteral("velor580"), FakeProgram::Layout::Installed);
        QVERIFY(program.CopyIntoFolder(Defaults(), QLatin1String(velor::kFactoryDefaultsFile)));
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        const QByteArray dataHome = QFile::encodeName(isolation_.dataHome()) + "/d\xe9j\xe0-vu";
        qputenv("XDG_DATA_HOME", dataHome);
        const QString folder = velor::HistoryFolder(program.path());
        qputenv("XDG_DATA_HOME", before);
        QCOMPARE(velor::NativePath(folder), dataHome + "/velor580/history");
    }

private:
    static QString Defaults() {
        return qEnvironmentVariable("VELOR_SOURCE_DIR") + QStringLiteral("/data/580default.cfg");
    }

    static void writeIniUnlessMissing(const FakeProgram& program, const QByteArray& ini) {
        if (ini != kNoFile) {
            program.WriteIni(ini);
        }
    }

    IsolatedUserSettings isolation_;
};

QTEST_GUILESS_MAIN(TestProgramIni)
#include "tst_program_ini.moc"
