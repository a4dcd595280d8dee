// The window's help, about, link and language commands on the program as start-up builds it, in
// a temporary program folder, with the boxes, the desktop and the modal dialogs recorded.

#include "catalogue/ini_file.h"
#include "catalogue/locale_runtime.h"
#include "catalogue/message_catalogue.h"
#include "fake_program.h"
#include "recording_dialogs.h"
#include "shell/about_box.h"
#include "shell/configurator_app.h"
#include "shell/startup.h"
#include "ui/desktop.h"
#include "ui/main_form.h"
#include "ui/widgets/click_label.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QUrl>
#include <QtTest>

namespace {

const QString kNoLibrariesText =
    QStringLiteral("In order to change language you must first create resource files.");

// Records what the window asks the desktop to open and answers with `answer`.
class RecordingDesktop : public Desktop {
public:
    bool OpenUrl(const QUrl& url) override {
        opened.append(url);
        return answer;
    }
    QList<QUrl> opened;
    bool answer = true;
};

// The shipped English library and the test library (catalogue ids 10001 to 10030 only).
QString ShippedEnglishLibrary() {
    return qEnvironmentVariable("VELOR_RUNTIME_DIR") + QStringLiteral("/velor580.EN");
}

bool HasCyrillic(const QString& text) {
    for (const QChar c : text) {
        if (c.script() == QChar::Script_Cyrillic) {
            return true;
        }
    }
    return false;
}

// Every caption the window shows (window title, tabs, group titles, labels, buttons, list items)
// that still holds Cyrillic letters, as "name: text". The status text is a message already on
// screen and keeps its language until it is next set.
QStringList CyrillicCaptions(const QWidget& window) {
    QStringList found;
    const auto note = [&found](const QObject* owner, const QString& text) {
        if (HasCyrillic(text)) {
            found << owner->objectName() + QStringLiteral(": ") + text;
        }
    };
    note(&window, window.windowTitle());
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->objectName() == QLatin1String("MainStatusText")) {
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            note(w, label->text());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            note(w, button->text());
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            note(w, group->title());
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                note(w->parent(), tabs->tabText(i));
            }
        } else if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i) {
                note(w, combo->itemText(i));
            }
        }
    }
    return found;
}

// The configurator started in a program folder of its own: the factory defaults beside it, the
// INI file and the language libraries the test gives, the dialogs and the desktop recorded.
struct StartedWindow {
    explicit StartedWindow(FakeProgram::Layout layout = FakeProgram::Layout::RuntimeFolder)
        : program(QStringLiteral("prog"), layout) {}

    // libraries: locale code -> library file to place beside the program as "prog.<code>".
    bool start(const QByteArray& ini, const QList<std::pair<QString, QString>>& libraries) {
        const QString defaults =
            qEnvironmentVariable("VELOR_SOURCE_DIR") + QStringLiteral("/data/580default.cfg");
        if (!program.CopyIntoFolder(defaults, QStringLiteral("580default.cfg"))) {
            return false;
        }
        if (!ini.isEmpty()) {
            program.WriteIni(ini);
        }
        for (const auto& [locale, file] : libraries) {
            if (!QFile::copy(file, velor::LanguageLibraryPath(program.path(), locale))) {
                return false;
            }
        }
        StartupContext context;
        context.programPath = program.path();
        context.dialogs = &dialogs;
        context.desktop = &desktop;
        context.runModal = [this](QDialog& dialog) {
            shownModally << dialog.objectName();
            return user ? user(dialog) : int(QDialog::Rejected);
        };
        started = StartConfigurator(context);
        form().show();
        return QTest::qWaitForWindowExposed(&form());
    }

    TMainForm& form() { return *started.mainForm; }
    QString helpFolder() const { return QDir(program.folder()).filePath(QStringLiteral("help")); }
    QString iniLanguage() const {
        return velor::ReadIniString(velor::IniFilePath(program.path()), QStringLiteral("Language"),
                                    QStringLiteral("Default"), QStringLiteral("<none>"));
    }
    QByteArray iniBytes() const {
        QFile file(velor::IniFilePath(program.path()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Clicks a control of the window as the user does: an error that escapes the handler goes
    // to the application's exception box (recorded with the other boxes).
    void click(const QString& name) {
        auto* app = qobject_cast<ConfiguratorApp*>(QCoreApplication::instance());
        app->SetExceptionDialogs(&dialogs);
        QTest::mouseClick(form().FindControl(name), Qt::LeftButton);
        app->SetExceptionDialogs(nullptr);
        QCoreApplication::processEvents(); // the windows' LanguageChange events
    }

    FakeProgram program;
    RecordingDialogs dialogs;
    RecordingDesktop desktop;
    std::function<int(QDialog&)> user; // acts in the about box and the language dialog
    QStringList shownModally;          // object names of the dialogs run modally
    StartedProgram started;
};

// The user of the language dialog: picks the language `locale` and confirms with OK, or
// cancels when locale is empty.
std::function<int(QDialog&)> PickLanguage(const QString& locale) {
    return [locale](QDialog& dialog) {
        if (locale.isEmpty()) {
            return int(QDialog::Rejected);
        }
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("LanguageList"));
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(Qt::UserRole).toString() == locale) {
                list->setCurrentRow(row);
            }
        }
        dialog.show();
        dialog.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        return dialog.result();
    };
}

} // namespace

class TestShellCommands : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        velor::SetNewResourceFile(QString(), {}, velor::kBaseLocale);
        for (int id = velor::kFirstMessageId; id < velor::kFirstMessageId + velor::kCatalogueSize;
             ++id) {
            velor::SetMessageText(id, velor::BuiltInMessageText(id));
        }
    }

    void help_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("helpFiles"); // placed in help/ beside the program
        QTest::addColumn<bool>("desktopAnswer");
        QTest::addColumn<QString>("opened");  // path under the program folder; null: none
        QTest::addColumn<QString>("boxText"); // null: no box
        QTest::newRow("help file of the language")
            << QByteArray("[Help]\nRU=velor580_ru.html\nEN=velor580_en.html\n")
            << QStringList{"velor580_ru.html", "velor580_en.html"} << true
            << "help/velor580_ru.html" << QString();
        QTest::newRow("help file missing")
            << QByteArray("[Help]\nRU=missing.html\n") << QStringList{"other.html"} << true
            << QString() << u8"Ошибка открытия файла помощи missing.html";
        QTest::newRow("desktop refuses the file")
            << QByteArray("[Help]\nRU=velor580_ru.html\n") << QStringList{"velor580_ru.html"}
            << false << "help/velor580_ru.html"
            << u8"Ошибка открытия файла помощи velor580_ru.html";
        QTest::newRow("no Help entry opens the folder")
            << QByteArray("[Language]\nDefault=RU\n") << QStringList{"velor580_ru.html"} << true
            << "help/" << QString();
        QTest::newRow("entry of another language only opens the folder")
            << QByteArray("[Help]\nEN=velor580_en.html\n") << QStringList{"velor580_en.html"}
            << true << "help/" << QString();
        QTest::newRow("no help folder either")
            << QByteArray("[Language]\nDefault=RU\n") << QStringList{} << true << QString()
            << u8"Ошибка открытия файла помощи ";
    }
    void help() {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, helpFiles);
        QFETCH(bool, desktopAnswer);
        QFETCH(QString, opened);
        QFETCH(QString, boxText);
        StartedWindow w;
        QVERIFY(w.start(ini, {}));
        for (const QString& file : helpFiles) {
            QVERIFY(QDir().mkpath(w.helpFolder()));
            FakeProgram::WriteFile(QDir(w.helpFolder()).filePath(file), "<html></html>");
        }
        w.desktop.answer = desktopAnswer;

        w.click(QStringLiteral("HelpBitBtn"));
        const QList<QUrl> expectedOpened =
            opened.isNull()
                ? QList<QUrl>{}
                : QList<QUrl>{QUrl::fromLocalFile(QDir(w.program.folder()).filePath(opened))};
        QCOMPARE(w.desktop.opened, expectedOpened);
        QCOMPARE(w.dialogs.boxes.size(), boxText.isNull() ? 0 : 1);
        if (!boxText.isNull()) {
            const MessageBoxRequest& box = w.dialogs.boxes.at(0);
            QCOMPARE(box.text, boxText);
            QCOMPARE(box.caption, QStringLiteral("Ошибка!"));
            QCOMPARE(box.icon, BoxIcon::Error);
            QCOMPARE(box.buttons, BoxButtons::Ok);
            QCOMPARE(box.owner, BoxOwner::Main);
        }
    }

    // The help file follows the language in use.
    void helpOfTheEnglishEdition() {
        StartedWindow w;
        QVERIFY(
            w.start("[Language]\nDefault=EN\n[Help]\nRU=velor580_ru.html\nEN=velor580_en.html\n",
                    {{"EN", ShippedEnglishLibrary()}}));
        QVERIFY(QDir().mkpath(w.helpFolder()));
        FakeProgram::WriteFile(QDir(w.helpFolder()).filePath("velor580_en.html"), "<html></html>");
        w.click(QStringLiteral("HelpBitBtn"));
        QCOMPARE(w.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(
                                       w.helpFolder() + QStringLiteral("/velor580_en.html"))});
        QVERIFY(w.dialogs.boxes.isEmpty());
    }

    void links_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>(
            "mainWebLabel"); // WWWLabel's caption at the click; null: as built
        QTest::addColumn<QString>("target");
        QTest::newRow("WWWLabel") << "WWWLabel" << QString() << "http://www.velor.example";
        QTest::newRow("WWWLabel2") << "WWWLabel2" << QString() << "http://www.velor.example";
        QTest::newRow("WWWLabel2 opens what WWWLabel shows") << "WWWLabel2"
                                                             << "www.velor-service.example"
                                                             << "http://www.velor-service.example";
        QTest::newRow("EMailLabel")
            << "EMailLabel" << QString() << "mailto:support@velor.example?subject=Parvo-580";
        QTest::newRow("EMailLabel2")
            << "EMailLabel2" << QString() << "mailto:support@velor.example?subject=Parvo-580";
    }
    void links() {
        QFETCH(QString, link);
        QFETCH(QString, mainWebLabel);
        QFETCH(QString, target);
        StartedWindow w;
        QVERIFY(w.start(QByteArray(), {}));
        if (!mainWebLabel.isNull()) {
            w.form().Control<ClickLabel>(QStringLiteral("WWWLabel"))->setText(mainWebLabel);
        }
        w.desktop.answer = false; // a failing link is not reported
        emit w.form().Control<ClickLabel>(link)->clicked();
        QCOMPARE(w.desktop.opened.size(), 1);
        QCOMPARE(w.desktop.opened.at(0).toString(), target);
        QVERIFY(w.dialogs.boxes.isEmpty());
    }

    void linkCaptions() {
        StartedWindow w;
        QVERIFY(w.start(QByteArray(), {}));
        for (const char* name : {"WWWLabel", "WWWLabel2"}) {
            QCOMPARE(w.form().Control<ClickLabel>(name)->text(),
                     QStringLiteral("www.velor.example"));
        }
        for (const char* name : {"EMailLabel", "EMailLabel2"}) {
            QCOMPARE(w.form().Control<ClickLabel>(name)->text(),
                     QStringLiteral("support@velor.example"));
        }
    }

    // The about box is shown modally; its OK button closes it.
    void aboutBox() {
        StartedWindow w;
        QVERIFY(w.start(QByteArray(), {}));
        bool wasShown = false;
        w.user = [&wasShown](QDialog& dialog) {
            dialog.show();
            wasShown = dialog.isVisible();
            dialog.findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
            return dialog.isVisible() ? -1 : dialog.result();
        };
        w.click(QStringLiteral("BtnAbout"));
        QCOMPARE(w.shownModally, QStringList{QStringLiteral("AboutBox")});
        QVERIFY(wasShown);
        QVERIFY(!w.started.aboutBox->isVisible());
        QCOMPARE(w.started.aboutBox->result(), int(QDialog::Accepted));
    }

    // Switching the language: the runtime's record and the INI key follow the choice, the
    // catalogue is reloaded, and the open windows show the new language's captions.
    void languageSwitch_data() {
        QTest::addColumn<QString>("startLocale");
        QTest::addColumn<QString>("picked"); // empty: the user cancels
        QTest::addColumn<QString>("iniAfter");
        QTest::addColumn<QString>("recordedAfter");
        QTest::addColumn<QString>("text10001");
        QTest::addColumn<QString>("connectCaption");
        QTest::addColumn<QString>("aboutCaption");
        QTest::newRow("to English") << "RU"
                                    << "EN"
                                    << "EN"
                                    << "EN"
                                    << "Error!"
                                    << "Connect"
                                    << "About";
        QTest::newRow("to the base language")
            << "EN"
            << "RU"
            << "RU"
            << "" << u8"Ошибка!" << u8"Установить" << u8"О программе";
        QTest::newRow("cancelled in Russian")
            << "RU"
            << ""
            << "RU"
            << "RU" << u8"Ошибка!" << u8"Установить" << u8"О программе";
        QTest::newRow("cancelled in English") << "EN"
                                              << ""
                                              << "EN"
                                              << "EN"
                                              << "Error!"
                                              << "Connect"
                                              << "About";
    }
    void languageSwitch() {
        QFETCH(QString, startLocale);
        QFETCH(QString, picked);
        QFETCH(QString, iniAfter);
        QFETCH(QString, recordedAfter);
        QFETCH(QString, text10001);
        QFETCH(QString, connectCaption);
        QFETCH(QString, aboutCaption);
        StartedWindow w;
        const QByteArray ini =
            "[Language]\nDefault=" + startLocale.toLatin1() + "\n\n[Port]\nDevice=/dev/pts/42\n";
        QVERIFY(w.start(ini, {{"EN", ShippedEnglishLibrary()}}));
        w.user = PickLanguage(picked);
        QVERIFY(QDir::setCurrent(QDir::tempPath()));

        w.click(QStringLiteral("BitBtn_SelectLang"));
        QCOMPARE(w.shownModally, QStringList{QStringLiteral("LaLanguageDialog")});
        QVERIFY(w.dialogs.boxes.isEmpty());
        QCOMPARE(w.iniLanguage(), iniAfter);
        if (picked.isEmpty()) {
            QCOMPARE(w.iniBytes(), ini); // the INI file is not even rewritten
        } else {
            QCOMPARE(QDir::currentPath(), QDir(w.program.folder()).canonicalPath());
        }
        QCOMPARE(velor::ReadIniString(velor::IniFilePath(w.program.path()), "Port", "Device", {}),
                 QStringLiteral("/dev/pts/42"));
        QCOMPARE(velor::GetCurrentDefaultLocaleReg(w.program.path()), recordedAfter);
        QCOMPARE(velor::MessageText(10001), text10001);
        QCOMPARE(w.form().Control<QPushButton>("ConnectButton")->text().remove('&'),
                 connectCaption);
        QCOMPARE(w.started.aboutBox->windowTitle(), aboutCaption);
    }

    // Installed, the choice goes into the user's INI file, and the help and the language
    // libraries come from share/velor580; nothing is written there. When the user's file cannot
    // be written the status bar says so instead of the choice being lost silently.
    void installedLanguageSwitch_data() {
        QTest::addColumn<bool>("iniWritable");
        QTest::newRow("user's INI file writable") << true;
        QTest::newRow("user's INI file not writable") << false;
    }
    void installedLanguageSwitch() {
        QFETCH(bool, iniWritable);
        StartedWindow w(FakeProgram::Layout::Installed);
        const QString userIni = velor::UserIniPath(w.program.path());
        QVERIFY(w.start("[Language]\nDefault=RU\n", {{"EN", ShippedEnglishLibrary()}}));
        QCOMPARE(velor::IniFilePath(w.program.path()), userIni);
        if (!iniWritable) { // a folder where the file belongs
            QVERIFY(QFile::remove(userIni));
            QVERIFY(QDir().mkpath(userIni));
        }
        const QStringList shippedFiles = QDir(w.program.dataFolder()).entryList(QDir::AllEntries);
        const QString statusBefore = w.form().StatusText();
        w.user = PickLanguage(QStringLiteral("EN"));

        w.click(QStringLiteral("BitBtn_SelectLang"));
        QVERIFY(w.dialogs.boxes.isEmpty());
        QCOMPARE(QDir::currentPath(), QDir(w.program.dataFolder()).canonicalPath());
        QCOMPARE(QDir(w.program.dataFolder()).entryList(QDir::AllEntries), shippedFiles);
        QCOMPARE(velor::MessageText(10001), QStringLiteral("Error!"));
        if (iniWritable) {
            QCOMPARE(w.iniLanguage(), QStringLiteral("EN"));
            QCOMPARE(w.form().StatusText(), statusBefore);
        } else {
            QCOMPARE(w.form().StatusText(),
                     QStringLiteral("The program's settings are not kept: cannot write %1")
                         .arg(userIni));
        }
    }

    // Back to the base language every catalogue text is the built-in one again.
    void baseLanguageRestoresTheBuiltInCatalogue() {
        StartedWindow w;
        QVERIFY(w.start("[Language]\nDefault=EN\n", {{"EN", ShippedEnglishLibrary()}}));
        w.user = PickLanguage(velor::kBaseLocale);
        w.click(QStringLiteral("BitBtn_SelectLang"));
        for (int id = velor::kFirstMessageId;
             id < velor::kFirstMessageId + velor::kBuiltInMessageCount; ++id) {
            QCOMPARE(velor::MessageText(id), velor::BuiltInMessageText(id));
        }
    }

    // A library with fewer catalogue texts replaces those it has; the rest stay in the language
    // used before.
    void shorterLibraryKeepsThePreviousTexts() {
        StartedWindow w;
        QVERIFY(w.start("[Language]\nDefault=EN\n",
                        {{"EN", ShippedEnglishLibrary()},
                         {"XX", QStringLiteral(VELOR_TEST_LANGUAGE_LIBRARY)}}));
        const QString english10036 = velor::MessageText(10036);
        const QString english10059 = velor::MessageText(10059);
        QVERIFY(!HasCyrillic(english10036) && !english10036.isEmpty());
        w.user = PickLanguage(QStringLiteral("XX"));
        w.click(QStringLiteral("BitBtn_SelectLang"));
        QCOMPARE(w.iniLanguage(), QStringLiteral("XX"));
        QCOMPARE(velor::MessageText(10001), QStringLiteral("Test 10001"));
        QCOMPARE(velor::MessageText(10030), QStringLiteral("Test 10030"));
        QCOMPARE(velor::MessageText(10036), english10036);
        QCOMPARE(velor::MessageText(10059), english10059);
    }

    void noLanguageLibrary() {
        StartedWindow w;
        const QByteArray ini("[Language]\nDefault=RU\n");
        QVERIFY(w.start(ini, {}));
        w.user = PickLanguage(QStringLiteral("EN"));
        w.click(QStringLiteral("BitBtn_SelectLang"));
        QVERIFY(w.shownModally.isEmpty());
        QCOMPARE(w.dialogs.boxes.size(), 1);
        QCOMPARE(w.dialogs.boxes.at(0).text, kNoLibrariesText);
        QCOMPARE(w.dialogs.boxes.at(0).icon, BoxIcon::Error);
        QCOMPARE(w.iniBytes(), ini);
        QCOMPARE(velor::MessageText(10001), QStringLiteral("Ошибка!"));
    }

    // The English edition translates every caption of the window.
    void englishEditionLeavesNoRussianCaption() {
        StartedWindow w;
        QVERIFY(w.start("[Language]\nDefault=RU\n", {{"EN", ShippedEnglishLibrary()}}));
        QVERIFY(!CyrillicCaptions(w.form()).isEmpty()); // the sweep sees the Russian captions
        w.user = PickLanguage(QStringLiteral("EN"));
        w.click(QStringLiteral("BitBtn_SelectLang"));
        const QStringList untranslated = CyrillicCaptions(w.form());
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral("\n"))));
        QVERIFY(CyrillicCaptions(*w.started.aboutBox).isEmpty());
        for (int id = velor::kFirstMessageId;
             id < velor::kFirstMessageId + velor::kBuiltInMessageCount; ++id) {
            QVERIFY2(!velor::MessageText(id).isEmpty() && !HasCyrillic(velor::MessageText(id)),
                     qPrintable(QString::number(id)));
        }
    }
};

int main(int argc, char** argv) {
    const IsolatedUserSettings isolation; // before anything reads settings
    ConfiguratorApp app(argc, argv);
    if (!isolation.InEffect()) {
        qFatal("per-user settings are not isolated");
    }
    TestShellCommands test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell_commands.moc"
