#include "catalogue/catalogue_loader.h"
#include "catalogue/locale_runtime.h"
#include "catalogue/message_catalogue.h"
#include "fake_program.h"

#include <QtTest>

namespace {

constexpr int kLastId = velor::kFirstMessageId + velor::kCatalogueSize - 1;
constexpr int kLastBuiltInId = velor::kFirstMessageId + velor::kBuiltInMessageCount - 1;
constexpr int kLastLibraryId = 10030; // the test library's ids run without a gap up to here
constexpr int kLongTextId = 10005;    // the test library's text of 600 characters

// The test library's text for an id up to kLastLibraryId.
QString LibraryText(int id) {
    if (id == kLongTextId) {
        return QStringLiteral("абвгдежзий").repeated(60);
    }
    return QStringLiteral("Test %1").arg(id);
}

QString PreviousText(int id) {
    return QStringLiteral("previous %1").arg(id);
}

void FillWithPreviousTexts() {
    for (int id = velor::kFirstMessageId; id <= kLastId; ++id) {
        velor::SetMessageText(id, PreviousText(id));
    }
}

enum class Source { BuiltIn, Library };

// Every entry holds the source's text up to the source's last id, and what it held before above.
void VerifyCatalogue(Source source) {
    const int lastLoaded = source == Source::BuiltIn ? kLastBuiltInId : kLastLibraryId;
    for (int id = velor::kFirstMessageId; id <= kLastId; ++id) {
        QString expected = PreviousText(id);
        if (id <= lastLoaded) {
            expected = source == Source::BuiltIn ? velor::BuiltInMessageText(id)
                                                 : LibraryText(id).left(velor::kMaxMessageLength);
        }
        QVERIFY2(velor::MessageText(id) == expected, qPrintable(QString::number(id)));
    }
}

} // namespace

Q_DECLARE_METATYPE(Source)

class TestCatalogueLoader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(isolation_.InEffect()); }

    void load_data() {
        QTest::addColumn<QString>("recordedLocale"); // null: nothing recorded
        QTest::addColumn<QString>("libraryLocale");  // null: no library beside the program
        QTest::addColumn<Source>("source");
        QTest::newRow("nothing recorded") << QString() << QString() << Source::BuiltIn;
        QTest::newRow("RU loads no library") << "RU"
                                             << "RU" << Source::BuiltIn;
        QTest::newRow("empty code loads no library") << ""
                                                     << "" << Source::BuiltIn;
        QTest::newRow("library missing") << "EN" << QString() << Source::BuiltIn;
        QTest::newRow("library of another locale") << "EN"
                                                   << "DE" << Source::BuiltIn;
        QTest::newRow("codes compare case-sensitively") << "ru"
                                                        << "ru" << Source::Library;
        QTest::newRow("library") << "EN"
                                 << "EN" << Source::Library;
    }
    void load() {
        QFETCH(QString, recordedLocale);
        QFETCH(QString, libraryLocale);
        QFETCH(Source, source);
        const FakeProgram program;
        if (!recordedLocale.isNull()) {
            velor::SetDefaultLocaleReg(program.path(), recordedLocale);
        }
        if (!libraryLocale.isNull()) {
            QVERIFY(program.InstallLanguageLibrary(libraryLocale));
        }
        FillWithPreviousTexts();
        velor::LoadMessageCatalogue(program.path());
        VerifyCatalogue(source);
    }

    void longTextIsCut() {
        const FakeProgram program;
        velor::SetDefaultLocaleReg(program.path(), QStringLiteral("EN"));
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        velor::LoadMessageCatalogue(program.path());
        QCOMPARE(velor::MessageText(kLongTextId).size(), velor::kMaxMessageLength);
        QVERIFY(LibraryText(kLongTextId).startsWith(velor::MessageText(kLongTextId)));
    }

    // After a change to a library with fewer texts, the entries above its last id keep the
    // previous language's texts, and ids above the built-in ones stay empty.
    void languageChangeKeepsPreviousTextsAboveTheLibrary() {
        const FakeProgram program;
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        velor::ClearMessageCatalogue();
        velor::SetDefaultLocaleReg(program.path(), QStringLiteral("RU"));
        velor::LoadMessageCatalogue(program.path());
        velor::SetDefaultLocaleReg(program.path(), QStringLiteral("EN"));
        velor::LoadMessageCatalogue(program.path());

        QCOMPARE(velor::MessageText(kLastLibraryId), LibraryText(kLastLibraryId));
        QCOMPARE(velor::MessageText(kLastLibraryId + 1),
                 velor::BuiltInMessageText(kLastLibraryId + 1));
        QCOMPARE(velor::MessageText(kLastBuiltInId), velor::BuiltInMessageText(kLastBuiltInId));
        QCOMPARE(velor::MessageText(kLastBuiltInId + 1), QString());
    }

    // The recorded locale and the library both go by the program file's current name.
    void renamedProgramUsesItsOwnLibrary() {
        FakeProgram program;
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        velor::SetDefaultLocaleReg(program.path(), QStringLiteral("EN"));
        QVERIFY(program.rename(QStringLiteral("renamed")));
        FillWithPreviousTexts();
        velor::LoadMessageCatalogue(program.path());
        VerifyCatalogue(Source::BuiltIn);

        velor::SetDefaultLocaleReg(program.path(), QStringLiteral("EN"));
        velor::LoadMessageCatalogue(program.path());
        VerifyCatalogue(Source::BuiltIn);

        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        FillWithPreviousTexts();
        velor::LoadMessageCatalogue(program.path());
        VerifyCatalogue(Source::Library);
    }

    // The shipped English library translates every built-in text.
    void shippedLibraryCoversTheBuiltInTexts() {
        const QString program = qEnvironmentVariable("VELOR_RUNTIME_DIR") + "/velor580";
        velor::SetDefaultLocaleReg(program, QStringLiteral("EN"));
        velor::ClearMessageCatalogue();
        velor::LoadMessageCatalogue(program);
        for (int id = velor::kFirstMessageId; id <= kLastBuiltInId; ++id) {
            QVERIFY2(!velor::MessageText(id).isEmpty(), qPrintable(QString::number(id)));
        }
        QCOMPARE(velor::MessageText(velor::kFirstMessageId), QStringLiteral("Error!"));
    }

private:
    IsolatedUserSettings isolation_;
};

QTEST_GUILESS_MAIN(TestCatalogueLoader)
#include "tst_catalogue_loader.moc"
