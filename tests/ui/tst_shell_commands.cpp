// The window's help, about, link and language commands on the program as start-up builds it, in
// a temporary program folder, with the boxes, the desktop and the modal dialogs recorded.

#include "catalogue/ini_file.h"
#include "catalogue/locale_runtime.h"
#include "catalogue/message_catalogue.h"
#include "catalogue/program_layout.h"
#include "fake_program.h"
#include "recording_dialogs.h"
#include "shell/about_box.h"
#include "shell/configurator_app.h"
#include "shell/startup.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "ui/help_window.h"
#include "ui/main_form.h"
#include "ui/widgets/click_label.h"
#include "ui/widgets/radio_group.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
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
        if (!program.CopyIntoFolder(defaults, QStringLiteral("580default.cfg")) ||
            !place(ini, libraries)) {
            return false;
        }
        started = StartConfigurator(context());
        form().show();
        return QTest::qWaitForWindowExposed(&form());
    }
    // The INI file (none when empty) and the language libraries beside the program.
    bool place(const QByteArray& ini, const QList<std::pair<QString, QString>>& libraries) {
        if (!ini.isEmpty()) {
            program.WriteIni(ini);
        }
        for (const auto& [locale, file] : libraries) {
            if (!QFile::copy(file, velor::LanguageLibraryPath(program.path(), locale))) {
                return false;
            }
        }
        return true;
    }
    // What start-up is given: the recorded boxes unless realDialogs shows Qt's own.
    StartupContext context() {
        StartupContext context;
        context.programPath = program.path();
        context.dialogs = realDialogs ? static_cast<DialogService*>(&qtDialogs) : &dialogs;
        context.desktop = &desktop;
        context.runModal = [this](QDialog& dialog) {
            shownModally << dialog.objectName();
            return user ? user(dialog) : int(QDialog::Rejected);
        };
        context.setMainWindow = [this](QWidget* window) { qtDialogs.SetMainWindow(window); };
        context.openFile = openFile;
        return context;
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
    QtDialogs qtDialogs;      // Qt's real boxes and file dialogs, when realDialogs
    bool realDialogs = false; // set before start
    QString openFile;         // named on the command line; set before start
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

// The texts of the next modal box or dialog Qt shows: its visible labels and button captions, in
// the order the dialog holds them. The technician then presses Escape, which closes it.
class ModalWatcher : public QObject {
public:
    ModalWatcher() {
        connect(&poll_, &QTimer::timeout, this, [this] { Look(); });
        poll_.start(kPollMs);
    }
    QStringList texts;

private:
    static constexpr int kPollMs = 10;
    void Look() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !texts.isEmpty()) {
            return;
        }
        for (const QLabel* label : modal->findChildren<QLabel*>()) {
            if (label->isVisible() && !label->text().isEmpty()) {
                texts << label->text();
            }
        }
        for (const QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
            if (button->isVisible() && !button->text().isEmpty()) {
                texts << button->text();
            }
        }
        poll_.stop();
        QTest::keyClick(modal, Qt::Key_Escape);
    }
    QTimer poll_;
};

bool QtHasRussianTexts() {
    return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                             QStringLiteral("/qtbase_ru.qm"));
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

    // The help in the program's own window, at the section of the page in front; a help file
    // that is not there is named by its full path. Without an entry for the language, the shipped
    // file of the language is shown.
    void help_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("helpFiles"); // placed in help/ beside the program
        QTest::addColumn<QString>("shown");         // file in help/; null: none
        QTest::addColumn<QString>("missing");       // file in help/ the box names; null: no box
        QTest::newRow("help file of the language")
            << QByteArray("[Help]\nRU=velor580_ru.html\nEN=velor580_en.html\n")
            << QStringList{"velor580_ru.html", "velor580_en.html"} << "velor580_ru.html"
            << QString();
        QTest::newRow("help file missing")
            << QByteArray("[Help]\nRU=missing.html\n") << QStringList{"other.html"} << QString()
            << "missing.html";
        QTest::newRow("no Help entry: the language's shipped file")
            << QByteArray("[Language]\nDefault=RU\n") << QStringList{"velor580_ru.html"}
            << "velor580_ru.html" << QString();
        QTest::newRow("entry of another language only")
            << QByteArray("[Help]\nEN=velor580_en.html\n") << QStringList{"velor580_en.html"}
            << QString() << "velor580_ru.html";
        QTest::newRow("no help folder either") << QByteArray("[Language]\nDefault=RU\n")
                                               << QStringList{} << QString() << "velor580_ru.html";
    }
    void help() {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, helpFiles);
        QFETCH(QString, shown);
        QFETCH(QString, missing);
        StartedWindow w;
        QVERIFY(w.start(ini, {}));
        for (const QString& file : helpFiles) {
            QVERIFY(QDir().mkpath(w.helpFolder()));
            FakeProgram::WriteFile(QDir(w.helpFolder()).filePath(file),
                                   "<html><h2 id=\"main\">Main</h2></html>");
        }

        w.click(QStringLiteral("HelpBitBtn"));
        auto* help = w.form().findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
        QCOMPARE(help != nullptr && help->isVisible(), !shown.isNull());
        if (!shown.isNull()) {
            QUrl expected = QUrl::fromLocalFile(QDir(w.helpFolder()).filePath(shown));
            expected.setFragment(QStringLiteral("main")); // the page in front
            QCOMPARE(help->Source(), expected);
        }
        QVERIFY(w.desktop.opened.isEmpty()); // no browser needed
        QCOMPARE(w.dialogs.boxes.size(), missing.isNull() ? 0 : 1);
        if (!missing.isNull()) {
            const MessageBoxRequest& box = w.dialogs.boxes.at(0);
            QCOMPARE(box.text,
                     u8"Ошибка открытия файла помощи " +
                         QDir::toNativeSeparators(QDir(w.helpFolder()).filePath(missing)));
            QCOMPARE(box.caption, QStringLiteral("Ошибка!"));
            QCOMPARE(box.icon, BoxIcon::Error);
            QCOMPARE(box.buttons, BoxButtons::Ok);
            QCOMPARE(box.owner, BoxOwner::Main);
        }
    }

    // The help follows the language in use.
    void helpOfTheEnglishEdition() {
        StartedWindow w;
        QVERIFY(
            w.start("[Language]\nDefault=EN\n[Help]\nRU=velor580_ru.html\nEN=velor580_en.html\n",
                    {{"EN", ShippedEnglishLibrary()}}));
        QVERIFY(QDir().mkpath(w.helpFolder()));
        FakeProgram::WriteFile(QDir(w.helpFolder()).filePath("velor580_en.html"), "<html></html>");
        w.click(QStringLiteral("HelpBitBtn"));
        auto* help = w.form().findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
        QVERIFY(help != nullptr);
        QCOMPARE(help->Source().adjusted(QUrl::RemoveFragment),
                 QUrl::fromLocalFile(w.helpFolder() + QStringLiteral("/velor580_en.html")));
        QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
        QVERIFY(w.dialogs.boxes.isEmpty());
    }

    // The shipped help in its window: not modal, its table of contents from the file's chapters,
    // the other language's file and back, find in the page with Ctrl+F, the pictures, and web
    // links handed to the desktop.
    void helpWindowOfTheShippedFiles() {
        StartedWindow w;
        QVERIFY(w.start("[Help]\nRU=velor580_ru.html\nEN=velor580_en.html\n", {}));
        QVERIFY(QDir().mkpath(w.helpFolder()));
        const QDir shipped(qEnvironmentVariable("VELOR_RUNTIME_DIR") + QStringLiteral("/help"));
        for (const QString& file : shipped.entryList(QDir::Files)) {
            QVERIFY(QFile::copy(shipped.filePath(file), QDir(w.helpFolder()).filePath(file)));
        }
        w.click(QStringLiteral("HelpBitBtn"));
        auto* help = w.form().findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
        QVERIFY(help != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(!help->isModal() && QApplication::activeModalWidget() == nullptr);
        auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
        auto* contents = help->findChild<QTreeWidget*>(QStringLiteral("HelpContents"));
        QVERIFY(contents->topLevelItemCount() >= 10);
        QVERIFY(contents->topLevelItem(0)->text(0).contains(u8"Подключение"));
        QVERIFY(!browser->document()
                     ->resource(QTextDocument::ImageResource, QUrl("write-review.png"))
                     .isNull());

        emit browser->anchorClicked(QUrl(QStringLiteral("velor580_en.html")));
        QCOMPARE(help->Source().fileName(), QStringLiteral("velor580_en.html"));
        QTest::mouseClick(help->findChild<QToolButton*>(QStringLiteral("HelpBack")),
                          Qt::LeftButton);
        QCOMPARE(help->Source().fileName(), QStringLiteral("velor580_ru.html"));

        help->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(help));
        QTest::keyClick(help, Qt::Key_F, Qt::ControlModifier);
        auto* find = help->findChild<QLineEdit*>(QStringLiteral("HelpFind"));
        QCOMPARE(QApplication::focusWidget(), find);
        QTest::keyClicks(find, "ctrl+z");
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(browser->textCursor().selectedText(), QString("Ctrl+Z"));

        emit browser->anchorClicked(QUrl(QStringLiteral("https://www.velor.example/")));
        QCOMPARE(w.desktop.opened, QList<QUrl>{QUrl("https://www.velor.example/")});
        QCOMPARE(help->Source().fileName(), QStringLiteral("velor580_ru.html"));
        QVERIFY(w.form().isEnabled()); // the window goes on working beside the help
        QVERIFY(w.dialogs.boxes.isEmpty());
    }

    // Installed, the file dialogs start in the user's documents folder (the home folder where
    // there is none), never in share/velor580; the folder and the file chosen are kept in the
    // user's INI file for the next start.
    void installedFileDialogsStartWithTheUser() {
        StartedWindow w(FakeProgram::Layout::Installed);
        QVERIFY(w.start("[Language]\nDefault=RU\n", {}));
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString start = QDir(documents).exists() ? documents : QDir::homePath();
        w.click(QStringLiteral("SaveButton")); // cancelled
        w.click(QStringLiteral("LoadButton")); // cancelled
        QCOMPARE(w.dialogs.saveRequests.value(0).directory, start);
        QCOMPARE(w.dialogs.openRequests.value(0).directory, start);

        QTemporaryDir mine;
        const QString file = mine.filePath(QStringLiteral("site.cfg"));
        w.dialogs.saveAnswers.enqueue(file);
        w.click(QStringLiteral("SaveButton"));
        QVERIFY(QFile::exists(file));
        const QString ini = velor::UserIniPath(w.program.path());
        QCOMPARE(velor::ReadIniString(ini, "Files", "SettingsFolder", {}), mine.path());
        QCOMPARE(velor::ReadIniString(ini, "Files", "Recent1", {}), file);
        QVERIFY(QDir(w.program.dataFolder()).entryList({"*.cfg"}, QDir::Files) ==
                QStringList{"580default.cfg"}); // nothing written into the installed tree
    }

    // "velor580 FILE": a settings file opens in the demo window mode with its settings, a
    // firmware file in the firmware window mode, waiting for the device.
    void fileNamedOnTheCommandLine_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("firmwareMode");
        QTest::newRow("settings file") << "site.cfg" << false;
        QTest::newRow("firmware file") << "update.tsk" << true;
    }
    void fileNamedOnTheCommandLine() {
        QFETCH(QString, file);
        QFETCH(bool, firmwareMode);
        QTemporaryDir mine;
        const QString path = mine.filePath(file);
        QByteArray content;
        for (int line = 0; line < 257; ++line) {
            content += line == 251 ? "40\r\n" : "0\r\n";
        }
        FakeProgram::WriteFile(path,
                               firmwareMode ? QByteArray("\x44\x02\x05\x00\x03\x01\x08") : content);
        StartedWindow w;
        w.openFile = path;
        QVERIFY(w.start(QByteArray(), {}));
        QCOMPARE(w.form().IsFirmwareMode(), firmwareMode);
        QCOMPARE(w.form().IsDemoMode(), !firmwareMode);
        if (firmwareMode) {
            QCOMPARE(w.form().Control<QLabel>(QStringLiteral("FileLabel"))->text(),
                     QDir::toNativeSeparators(path));
        } else {
            QCOMPARE(w.form().EncodeSettings()[251], uint8_t(40));
            QVERIFY(!w.form().HasUnsavedChanges()); // the file's settings, as loaded
        }
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
        QTest::addColumn<QString>("programTitle"); // ends every window title, captions boxes
        QTest::newRow("to English") << "RU"
                                    << "EN"
                                    << "EN"
                                    << "EN"
                                    << "Error!"
                                    << "Connect"
                                    << "About"
                                    << "Velor 580";
        QTest::newRow("to the base language")
            << "EN"
            << "RU"
            << "RU"
            << "" << u8"Ошибка!" << u8"Установить" << u8"О программе" << u8"Велор 580";
        QTest::newRow("cancelled in Russian")
            << "RU"
            << ""
            << "RU"
            << "RU" << u8"Ошибка!" << u8"Установить" << u8"О программе" << u8"Велор 580";
        QTest::newRow("cancelled in English") << "EN"
                                              << ""
                                              << "EN"
                                              << "EN"
                                              << "Error!"
                                              << "Connect"
                                              << "About"
                                              << "Velor 580";
    }
    void languageSwitch() {
        QFETCH(QString, startLocale);
        QFETCH(QString, picked);
        QFETCH(QString, iniAfter);
        QFETCH(QString, recordedAfter);
        QFETCH(QString, text10001);
        QFETCH(QString, connectCaption);
        QFETCH(QString, aboutCaption);
        QFETCH(QString, programTitle);
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
        QCOMPARE(QGuiApplication::applicationDisplayName(), programTitle);
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
        QCOMPARE(w.dialogs.boxes.at(0).caption, QStringLiteral("Велор 580"));
        QCOMPARE(w.dialogs.boxes.at(0).icon, BoxIcon::Error);
        QCOMPARE(w.iniBytes(), ini);
        QCOMPARE(velor::MessageText(10001), QStringLiteral("Ошибка!"));
    }

    // Qt's own boxes and file dialogs speak the window's language, and switch with it: the close
    // confirmation's buttons and the load dialog, each closed with Escape as the technician does.
    void qtDialogsFollowTheLanguage_data() {
        QTest::addColumn<QString>("startLocale");
        QTest::addColumn<QString>("picked"); // empty: no switch
        QTest::addColumn<QStringList>("closeBox");
        QTest::addColumn<QStringList>("loadDialog"); // visible labels, then buttons
        // The close asks about the changed settings (the fixture changes one).
        const QStringList russianBox{u8"Сохранить изменения в файл?", u8"Сохранить", u8"Отмена",
                                     u8"&Не сохранять"};
        const QStringList russianDialog{u8"Перейти к:", u8"&Имя файла:", u8"Типы файлов:",
                                        u8"&Открыть", u8"Отмена"};
        const QStringList englishBox{"Save the changes to a file?", "Save", "Cancel",
                                     "Do&n't Save"};
        const QStringList englishDialog{"Look in:", "File &name:", "Files of type:", "&Open",
                                        "Cancel"};
        QTest::newRow("Russian") << "RU"
                                 << "" << russianBox << russianDialog;
        QTest::newRow("switched to English") << "RU"
                                             << "EN" << englishBox << englishDialog;
        QTest::newRow("switched back to Russian") << "EN"
                                                  << "RU" << russianBox << russianDialog;
    }
    void qtDialogsFollowTheLanguage() {
        QFETCH(QString, startLocale);
        QFETCH(QString, picked);
        QFETCH(QStringList, closeBox);
        QFETCH(QStringList, loadDialog);
        if (!QtHasRussianTexts()) {
            QSKIP("Qt's Russian texts are not installed (qt6-translations-l10n)");
        }
        StartedWindow w;
        w.realDialogs = true;
        QVERIFY(w.start("[Language]\nDefault=" + startLocale.toLatin1() + "\n",
                        {{"EN", ShippedEnglishLibrary()}}));
        if (!picked.isEmpty()) {
            w.user = PickLanguage(picked);
            w.click(QStringLiteral("BitBtn_SelectLang"));
        }
        auto* buttonLock = w.form().Control<RadioGroup>(QStringLiteral("KBBlockRadioGroup"));
        buttonLock->SetItemIndex(1 - buttonLock->ItemIndex());
        {
            ModalWatcher box;
            QVERIFY(!w.form().close()); // Escape answers "Отмена"
            QCOMPARE(box.texts, closeBox);
        }
        QVERIFY(w.form().isVisible());
        buttonLock->SetItemIndex(1 - buttonLock->ItemIndex()); // as before: the load asks nothing
        {
            ModalWatcher dialog;
            w.click(QStringLiteral("LoadButton")); // the demo work mode loads a settings file
            QCOMPARE(dialog.texts, loadDialog);
        }
    }

    // The system's reasons and the file errors are in the window's language and name the file
    // by its full path: a port that is not there (status bar), a settings file that is not there
    // (the exception box, under the program's title).
    void systemReasonsInTheWindowsLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("portStatus");
        QTest::addColumn<QString>("loadError");
        QTest::addColumn<QString>("title");
        QTest::newRow("Russian") << "RU" << u8"%folder/ttyUSB9: Нет такого файла или папки"
                                 << u8"Не удалось открыть файл \"%folder/gone.cfg\". Нет такого "
                                    u8"файла или папки"
                                 << u8"Велор 580";
        QTest::newRow("English") << "EN"
                                 << "%folder/ttyUSB9: No such file or directory"
                                 << "Cannot open file \"%folder/gone.cfg\". No such file or "
                                    "directory"
                                 << "Velor 580";
    }
    void systemReasonsInTheWindowsLanguage() {
        QFETCH(QString, locale);
        QFETCH(QString, portStatus);
        QFETCH(QString, loadError);
        QFETCH(QString, title);
        StartedWindow w;
        const QString folder = w.program.folder();
        QVERIFY(w.start("[Language]\nDefault=" + locale.toLatin1() +
                            "\n[Port]\nDevice=" + (folder + "/ttyUSB9").toUtf8() + "\n",
                        {{"EN", ShippedEnglishLibrary()}}));

        w.dialogs.openAnswers.enqueue(folder + "/gone.cfg");
        w.click(QStringLiteral("LoadButton"));
        QCOMPARE(w.dialogs.boxes.size(), 1);
        QCOMPARE(w.dialogs.boxes.at(0).text, loadError.replace("%folder", folder));
        QCOMPARE(w.dialogs.boxes.at(0).caption, title);

        auto* workMode = w.form().Control<QComboBox>(QStringLiteral("WorkMode"));
        workMode->setFocus();
        QTest::keyClick(workMode, Qt::Key_Up); // from the demo mode up to "Смена ПО"
        QTest::keyClick(workMode, Qt::Key_Up); // and to "Смена настроек"
        QCOMPARE(workMode->currentIndex(), 0);
        w.click(QStringLiteral("ConnectButton"));
        QCOMPARE(w.form().StatusText(), portStatus.replace("%folder", folder));
    }

    // A start-up without the factory settings says, in the technician's language and under the
    // program's title, which file it looked for, by its full path, and ends.
    void startupWithoutFactorySettings_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("title");
        QTest::newRow("Russian")
            << "RU"
            << u8"Не удалось открыть файл \"%folder/580default.cfg\". Нет такого файла или папки"
            << u8"Велор 580";
        QTest::newRow("English")
            << "EN"
            << "Cannot open file \"%folder/580default.cfg\". No such file or directory"
            << "Velor 580";
    }
    void startupWithoutFactorySettings() {
        QFETCH(QString, locale);
        QFETCH(QString, error);
        QFETCH(QString, title);
        StartedWindow w;
        QVERIFY(w.place("[Language]\nDefault=" + locale.toLatin1() + "\n",
                        {{"EN", ShippedEnglishLibrary()}}));
        QCOMPARE(RunConfigurator(w.context()), kStartupFailedExitCode);
        QCOMPARE(w.dialogs.boxes.size(), 1);
        QCOMPARE(w.dialogs.boxes.at(0).text, error.replace("%folder", w.program.folder()));
        QCOMPARE(w.dialogs.boxes.at(0).caption, title);
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
