#include "catalogue/locale_runtime.h"
#include "fake_program.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QtTest>

namespace {

QString InstalledCatalogueText(int id) {
    return QCoreApplication::translate("MessageCatalogue", QByteArray::number(id).constData());
}

// Qt's translation of a language, when the system has it ("ru" gives ".../qtbase_ru.qm").
QString QtTextsFileOf(const QString& language) {
    const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                         QStringLiteral("/qtbase_%1.qm").arg(language);
    return QFileInfo::exists(file) ? file : QString();
}

// Counts the LanguageChange events the application receives.
class LanguageChangeCounter : public QObject {
public:
    LanguageChangeCounter() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange) {
            ++count;
        }
        return false;
    }
    int count = 0;
};

} // namespace

class TestLocaleRuntime : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(isolation_.InEffect()); }
    void cleanup() { velor::SetNewResourceFile(QString(), {}, velor::kBaseLocale); }

    void defaultLocaleIsKeptPerProgram() {
        const FakeProgram first;
        const FakeProgram second;
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(first.path()), QString());

        velor::SetDefaultLocaleReg(first.path(), QStringLiteral("EN"));
        velor::SetDefaultLocaleReg(second.path(), QStringLiteral("RU"));
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(first.path()), QStringLiteral("EN"));
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(second.path()), QStringLiteral("RU"));

        velor::SetDefaultLocaleReg(first.path(), QString());
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(first.path()), QString());
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(second.path()), QStringLiteral("RU"));
    }

    // The store lives beside the user's INI file; one that an earlier version kept under
    // ~/.config/Velor is taken over once, and the old file goes.
    void storeMovesFromTheFormerFolder() {
        const FakeProgram program;
        const QString store = velor::DefaultLocaleStorePath();
        QCOMPARE(store, isolation_.configHome() + "/velor580/velor580-locale.ini");
        velor::SetDefaultLocaleReg(program.path(), QStringLiteral("EN"));
        const QString former = isolation_.configHome() + "/Velor/velor580-locale.ini";
        QVERIFY(QDir().mkpath(QFileInfo(former).path()));
        QVERIFY(QFile::rename(store, former));

        QCOMPARE(velor::GetCurrentDefaultLocaleReg(program.path()), QStringLiteral("EN"));
        QVERIFY(QFileInfo::exists(store));
        QVERIFY(!QFileInfo::exists(former));
        QVERIFY(!QFileInfo::exists(QFileInfo(former).path()));
    }

    void setNewResourceFile_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("libraryBesideProgram");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("text10001");  // as the installed translations give it
        QTest::addColumn<QString>("qtLanguage"); // of Qt's own texts: the library's or the base
        QTest::newRow("library") << "EN" << true << true << "Test 10001"
                                 << "en";
        QTest::newRow("library missing") << "EN" << false << false << "10001"
                                         << "ru";
        QTest::newRow("base locale") << "RU" << true << false << "10001"
                                     << "ru";
        QTest::newRow("empty code") << "" << false << false << "10001"
                                    << "ru";
        QTest::newRow("not a translation file") << "CFG" << false << false << "10001"
                                                << "ru";
    }
    void setNewResourceFile() {
        QFETCH(QString, locale);
        QFETCH(bool, libraryBesideProgram);
        QFETCH(bool, loaded);
        QFETCH(QString, text10001);
        QFETCH(QString, qtLanguage);
        const FakeProgram program;
        if (libraryBesideProgram) {
            QVERIFY(program.InstallLanguageLibrary(locale));
        }
        FakeProgram::WriteFile(velor::LanguageLibraryPath(program.path(), QStringLiteral("CFG")),
                               "0\r\n1\r\n");
        // A library already installed must give way whatever the outcome.
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("PREV")));
        QVERIFY(velor::SetNewResourceFile(QStringLiteral("PREV"), {}, velor::kBaseLocale,
                                          program.path()));

        QCOMPARE(velor::SetNewResourceFile(locale, {}, velor::kBaseLocale, program.path()), loaded);
        QCOMPARE(velor::CurrentResourceLocale(), loaded ? locale : QString());
        QCOMPARE(InstalledCatalogueText(10001), text10001);
        // Qt's texts of the language in use replace those of the library before, or Qt keeps
        // its English ones when the system has no translation of them.
        const QString qtTexts = QtTextsFileOf(qtLanguage);
        QCOMPARE(velor::CurrentQtTextsFile(), qtTexts);
        const bool russianQt = qtLanguage == "ru" && !qtTexts.isEmpty();
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"),
                 russianQt ? QStringLiteral("&Да") : QStringLiteral("&Yes"));
    }

    void switchingSendsLanguageChange() {
        const FakeProgram program;
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        LanguageChangeCounter counter;
        velor::SetNewResourceFile(QStringLiteral("EN"), {}, velor::kBaseLocale, program.path());
        QVERIFY(counter.count > 0);
        const int afterLoad = counter.count;
        velor::SetNewResourceFile(velor::kBaseLocale, {}, velor::kBaseLocale, program.path());
        QVERIFY(counter.count > afterLoad);
    }

    void libraryLanguageSetsFormats_data() {
        QTest::addColumn<bool>("keepFormats");
        QTest::newRow("empty options") << false;
        QTest::newRow("keep formats") << true;
    }
    void libraryLanguageSetsFormats() {
        QFETCH(bool, keepFormats);
        const velor::ResourceOptions options(keepFormats ? velor::ResourceOption::KeepFormats
                                                         : velor::ResourceOptions());
        const FakeProgram program;
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        const QLocale before(QLocale::Russian, QLocale::Russia);
        QLocale::setDefault(before);

        QVERIFY(velor::SetNewResourceFile(QStringLiteral("EN"), options, velor::kBaseLocale,
                                          program.path()));
        QCOMPARE(QLocale().language() == QLocale::English, !keepFormats);
        velor::SetNewResourceFile(velor::kBaseLocale, {}, velor::kBaseLocale, program.path());
        QCOMPARE(QLocale(), before);
    }

private:
    IsolatedUserSettings isolation_;
};

QTEST_GUILESS_MAIN(TestLocaleRuntime)
#include "tst_locale_runtime.moc"
