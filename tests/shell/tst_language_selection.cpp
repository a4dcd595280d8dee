// The locale runtime's language operations: finding the libraries beside the program, the check
// that there is one, recording the language in use, and the language dialog with the switch it
// leads to.

#include "catalogue/locale_runtime.h"
#include "fake_program.h"
#include "shell/language_dialog.h"
#include "shell/language_selection.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <stdexcept>

namespace {

const QString kNoLibrariesText =
    QStringLiteral("In order to change language you must first create resource files.");

// What the user does in the language dialog.
enum class UserAction { ClickOk, DoubleClick, ClickCancel, CloseBox };

// Places files beside the program: "lib:<CODE>" the test language library as "<name>.<CODE>",
// "text:<file name>" a file that is no translation, "lib-as:<file name>" the library under any
// name.
void PlaceFiles(const FakeProgram& program, const QStringList& files) {
    for (const QString& file : files) {
        const QString kind = file.section(QLatin1Char(':'), 0, 0);
        const QString name = file.section(QLatin1Char(':'), 1);
        if (kind == QLatin1String("lib")) {
            QVERIFY(program.InstallLanguageLibrary(name));
        } else if (kind == QLatin1String("lib-as")) {
            QVERIFY(program.CopyIntoFolder(QStringLiteral(VELOR_TEST_LANGUAGE_LIBRARY), name));
        } else {
            FakeProgram::WriteFile(QDir(program.folder()).filePath(name),
                                   "[Language]\nDefault=RU\n");
        }
    }
}

QStringList Codes(const std::vector<velor::LanguageLibraryEntry>& libraries) {
    QStringList codes;
    for (const velor::LanguageLibraryEntry& library : libraries) {
        codes << library.locale;
    }
    return codes;
}

QStringList ListLines(const QListWidget& list) {
    QStringList lines;
    for (int row = 0; row < list.count(); ++row) {
        lines << list.item(row)->text();
    }
    return lines;
}

// Acts as the user in a dialog shown without a blocking event loop; returns the dialog's result.
int Act(QDialog& dialog, UserAction action, const QString& locale) {
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LanguageList"));
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(Qt::UserRole).toString() == locale) {
            list->setCurrentRow(row);
        }
    }
    switch (action) {
    case UserAction::ClickOk:
        dialog.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        break;
    case UserAction::DoubleClick:
        emit list->itemDoubleClicked(list->currentItem());
        break;
    case UserAction::ClickCancel:
        dialog.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
        break;
    case UserAction::CloseBox:
        dialog.close();
        break;
    }
    return dialog.isVisible() ? -1 : dialog.result();
}

} // namespace

Q_DECLARE_METATYPE(UserAction)

class TestLanguageSelection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(isolation_.InEffect()); }
    void cleanup() { velor::SetNewResourceFile(QString(), {}, velor::kBaseLocale); }

    void findLanguageLibraries_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("none") << QStringList{} << QStringList{};
        QTest::newRow("sorted by code")
            << QStringList{"lib:EN", "lib:DE", "lib:FR"} << QStringList{"DE", "EN", "FR"};
        QTest::newRow("the INI file and other files are no libraries")
            << QStringList{"text:prog.INI", "text:prog.CFG", "lib:EN"} << QStringList{"EN"};
        QTest::newRow("only files named after the program")
            << QStringList{"lib-as:other.DE", "lib-as:prog.EN.bak", "lib-as:progEN", "lib:EN"}
            << QStringList{"EN"};
        QTest::newRow("a file for the base locale is none")
            << QStringList{"lib:RU", "lib:EN"} << QStringList{"EN"};
    }
    void findLanguageLibraries() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, codes);
        const FakeProgram program;
        PlaceFiles(program, files);
        const std::vector<velor::LanguageLibraryEntry> found =
            velor::FindLanguageLibraries(program.path());
        QCOMPARE(Codes(found), codes);
        for (const velor::LanguageLibraryEntry& library : found) {
            QCOMPARE(library.language, QStringLiteral("en_GB"));
        }
    }

    void checkResourceCount_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("fails");
        QTest::newRow("no file beside the program") << QStringList{} << true;
        QTest::newRow("no translation beside the program")
            << QStringList{"text:prog.INI", "text:prog.EN"} << true;
        QTest::newRow("library of the base locale only") << QStringList{"lib:RU"} << true;
        QTest::newRow("one library") << QStringList{"lib:EN"} << false;
    }
    void checkResourceCount() {
        QFETCH(QStringList, files);
        QFETCH(bool, fails);
        const FakeProgram program;
        PlaceFiles(program, files);
        QString error;
        try {
            velor::CheckResourceCount(program.path());
        } catch (const std::runtime_error& e) {
            error = QString::fromUtf8(e.what());
        }
        QCOMPARE(error, fails ? kNoLibrariesText : QString());
    }

    void currentLocaleIsRecorded() {
        const FakeProgram program;
        QVERIFY(program.InstallLanguageLibrary(QStringLiteral("EN")));
        QVERIFY(velor::SetNewResourceFile(QStringLiteral("EN"), {}, velor::kBaseLocale,
                                          program.path()));
        velor::SetCurrentDefaultLocaleReg(program.path());
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(program.path()), QStringLiteral("EN"));

        velor::SetNewResourceFile(velor::kBaseLocale, {}, velor::kBaseLocale, program.path());
        velor::SetCurrentDefaultLocaleReg(program.path());
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(program.path()), QString());
    }

    void dialogContent() {
        const std::vector<LanguageChoice> choices{
            {"RU", "Русский (RU)"}, {"EN", "British English (EN)"}, {"DE", "Deutsch (DE)"}};
        TLaLanguageDialog dialog(choices, QStringLiteral("EN"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select language"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OKButton"));
        auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("CancelButton"));
        QVERIFY(ok != nullptr && cancel != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(cancel->text(), QStringLiteral("Отмена"));
        QVERIFY(!cancel->isDefault());
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LanguageList"));
        QVERIFY(list != nullptr);
        QCOMPARE(ListLines(*list),
                 (QStringList{"British English (EN)", "Deutsch (DE)", "Русский (RU)"}));
        QCOMPARE(dialog.SelectedLocale(), QStringLiteral("EN"));
    }

    // The languages offered: the base language and every library beside the program, drawn by
    // their own names, with the one in use selected.
    void dialogOffersTheLibrariesAndTheBaseLanguage() {
        const FakeProgram program;
        PlaceFiles(program, {"lib:EN", "text:prog.INI"});
        QVERIFY(velor::SetNewResourceFile(QStringLiteral("EN"), {}, velor::kBaseLocale,
                                          program.path()));
        QWidget owner;
        QStringList lines;
        QString selected;
        QWidget* parent = nullptr;
        const velor::ModalRunner look = [&](QDialog& dialog) {
            auto& languages = dynamic_cast<TLaLanguageDialog&>(dialog);
            lines = ListLines(*dialog.findChild<QListWidget*>(QStringLiteral("LanguageList")));
            selected = languages.SelectedLocale();
            parent = dialog.parentWidget();
            return int(QDialog::Rejected);
        };
        QVERIFY(!velor::SelectResourceLocale(velor::kBaseLocale, {}, &owner, look, program.path()));
        QCOMPARE(lines, (QStringList{"English", "Русский"}));
        QCOMPARE(selected, QStringLiteral("EN"));
        QCOMPARE(parent, &owner); // opens centred on the main window
    }

    void selectResourceLocale_data() {
        QTest::addColumn<QString>("startLocale");
        QTest::addColumn<UserAction>("action");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<bool>("switched");
        QTest::addColumn<QString>("localeAfter"); // the library in use afterwards
        QTest::newRow("OK on a library") << "" << UserAction::ClickOk << "EN" << true << "EN";
        QTest::newRow("double click on a library")
            << "" << UserAction::DoubleClick << "DE" << true << "DE";
        QTest::newRow("OK on the base language")
            << "EN" << UserAction::ClickOk << "RU" << true << "";
        QTest::newRow("double click on the base language")
            << "EN" << UserAction::DoubleClick << "RU" << true << "";
        QTest::newRow("cancel keeps the library")
            << "EN" << UserAction::ClickCancel << "DE" << false << "EN";
        QTest::newRow("close box keeps the built-in texts")
            << "" << UserAction::CloseBox << "EN" << false << "";
    }
    void selectResourceLocale() {
        QFETCH(QString, startLocale);
        QFETCH(UserAction, action);
        QFETCH(QString, picked);
        QFETCH(bool, switched);
        QFETCH(QString, localeAfter);
        const FakeProgram program;
        PlaceFiles(program, {"lib:EN", "lib:DE"});
        velor::SetNewResourceFile(startLocale, {}, velor::kBaseLocale, program.path());
        QCOMPARE(velor::CurrentResourceLocale(), startLocale);

        const velor::ModalRunner user = [&](QDialog& dialog) {
            return Act(dialog, action, picked);
        };
        QCOMPARE(velor::SelectResourceLocale(velor::kBaseLocale, {}, nullptr, user, program.path()),
                 switched);
        QCOMPARE(velor::CurrentResourceLocale(), localeAfter);
    }

private:
    IsolatedUserSettings isolation_;
};

QTEST_MAIN(TestLanguageSelection)
#include "tst_language_selection.moc"
