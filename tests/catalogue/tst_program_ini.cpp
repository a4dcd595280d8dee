#include "catalogue/locale_runtime.h"
#include "catalogue/program_files.h"
#include "catalogue/program_ini.h"
#include "fake_program.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

namespace {
constexpr char kNoFile[] = "<no INI file>";
}

class TestProgramIni : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(isolation_.inEffect()); }

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

        program.writeIni("[Help]\nRU=r.html\n[Port]\nDevice=/dev/pts/7\n");
        QVERIFY(velor::WriteStartupLocale(QStringLiteral("DE"), program.path()));
        QCOMPARE(velor::ReadStartupLocale(program.path()), QStringLiteral("DE"));
        QCOMPARE(velor::ReadHelpFileName(program.path()), QStringLiteral("r.html"));
        QCOMPARE(velor::ReadPortDevice(program.path()), QStringLiteral("/dev/pts/7"));
    }

    void renamedProgramUsesItsOwnIniFile() {
        FakeProgram program;
        program.writeIni("[Language]\nDefault=EN\n");
        QVERIFY(program.rename(QStringLiteral("renamed")));
        QCOMPARE(velor::ReadStartupLocale(program.path()), QStringLiteral("RU"));
        program.writeIni("[Language]\nDefault=DE\n");
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

private:
    static void writeIniUnlessMissing(const FakeProgram& program, const QByteArray& ini) {
        if (ini != kNoFile) {
            program.writeIni(ini);
        }
    }

    IsolatedUserSettings isolation_;
};

QTEST_GUILESS_MAIN(TestProgramIni)
#include "tst_program_ini.moc"
