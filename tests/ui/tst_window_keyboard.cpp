// The window driven from the keyboard, with real key presses on the shown window: the Tab order,
// Return and Enter on the focused command button, F1 for the help, Ctrl+S and Ctrl+O for the file
// commands (or why they cannot run), and the buttons' mnemonics in Russian and English.

#include "language_scope.h"
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "ui/button_states.h"
#include "ui/desktop.h"
#include "ui/help_window.h"
#include "ui/main_form.h"
#include "ui/shell_services.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <map>
#include <memory>

namespace {
constexpr int kSettingsWindowMode = 0;
constexpr int kFirmwareWindowMode = 1;
constexpr int kDemoWindowMode = 2;

const QStringList kCommandButtons = {
    "ConnectButton", "CancelButton", "WriteButton", "ReadButton", "SaveButton",       "LoadButton",
    "DefaultButton", "LoadIdButton", "HelpBitBtn",  "BtnAbout",   "BitBtn_SelectLang"};

// The letters of a Russian keyboard and the Latin letters on the same keys.
const QString kRussianKeys = QStringLiteral("ЙЦУКЕНГШЩЗФЫВАПРОЛДЯЧСМИТЬ");
const QString kLatinKeys = QStringLiteral("QWERTYUIOPASDFGHJKLZXCVBNM");

class RecordingDesktop : public Desktop {
public:
    bool OpenUrl(const QUrl& url) override {
        opened.append(url);
        return true;
    }
    QList<QUrl> opened;
};

// A help file that exists; the about box and the language dialog only counted.
class CountingShell : public ShellServices {
public:
    explicit CountingShell(QString helpPath) : helpPath_(std::move(helpPath)) {}
    HelpLocation HelpFile() const override { return {QStringLiteral("help.html"), helpPath_}; }
    void ShowAboutBox() override { ++aboutBoxes; }
    void CheckLanguageLibraries() const override {}
    LanguageChoice SelectResourceLocale(QWidget*) override {
        ++languageDialogs;
        return {};
    }
    int aboutBoxes = 0;
    int languageDialogs = 0;

private:
    QString helpPath_;
};

// The window as the program opens it, shown and active, so that keys reach it as typed.
struct Window {
    explicit Window(const QString& helpPath) : shell(helpPath) {
        MainFormDeps deps = TestWindowDeps(dialogs);
        deps.desktop = &desktop;
        deps.shell = &shell;
        form = std::make_unique<TMainForm>(std::move(deps));
        form->FormCreate();
        form->show();
        form->activateWindow();
        active = QTest::qWaitForWindowActive(form.get());
    }

    void PickWorkMode(int item) {
        form->Control<ComboList>("WorkMode")->SetItemIndex(item);
        form->WorkModeClick();
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form->windowHandle(), key, modifiers);
    }

    // Alt and the letter a caption marks, as typed on a keyboard of its language; false when the
    // caption marks none.
    bool PressMnemonic(const QString& caption) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
        if (mnemonic.isEmpty()) {
            return false;
        }
        const Qt::Key key = mnemonic[0].key();
        QTest::sendKeyEvent(QTest::Click, form->windowHandle(), key, QString(QChar(key)).toLower(),
                            Qt::AltModifier);
        return true;
    }

    // The control that has the focus, named by itself or by the control it is part of (a radio
    // group's button, the page control's tab row).
    static QString FocusName() {
        for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) {
                return w->objectName();
            }
        }
        return QStringLiteral("<none>");
    }

    // Tab from the control after `from` round to `from` again: the controls in between.
    QStringList TabRound(const QString& from) {
        form->FindControl(from)->setFocus(Qt::TabFocusReason);
        QStringList order;
        for (int step = 0; step < 100; ++step) {
            Press(Qt::Key_Tab);
            if (FocusName() == from) {
                return order;
            }
            order << FocusName();
        }
        return order << QStringLiteral("<no way back>");
    }

    // Tab from the work-mode list until `name` has the focus; false when it never gets it.
    bool TabTo(const QString& name) {
        form->FindControl(QStringLiteral("WorkMode"))->setFocus(Qt::TabFocusReason);
        for (int step = 0; step < 100 && FocusName() != name; ++step) {
            Press(Qt::Key_Tab);
        }
        return FocusName() == name;
    }

    RecordingDialogs dialogs;
    RecordingDesktop desktop;
    CountingShell shell;
    std::unique_ptr<TMainForm> form;
    bool active = false;
};

QString Text(int id) {
    return velor::BuiltInMessageText(id);
}
} // namespace

Q_DECLARE_METATYPE(ButtonOutcome)

class TestWindowKeyboard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void tabOrderStaysAsItWas_data();
    void tabOrderStaysAsItWas();
    void returnAndEnterPressTheFocusedButton_data();
    void returnAndEnterPressTheFocusedButton();
    void f1OpensTheHelp_data();
    void f1OpensTheHelp();
    void saveAndLoadKeys_data();
    void saveAndLoadKeys();
    void mnemonicsAreUniqueInBothLanguages_data();
    void mnemonicsAreUniqueInBothLanguages();
    void mnemonicPressesItsButton_data();
    void mnemonicPressesItsButton();

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString helpPath_;
};

void TestWindowKeyboard::initTestCase() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(PrepareFactoryFolder(*folder_));
    LoadBuiltInCatalogue();
    helpPath_ = folder_->filePath(QStringLiteral("help.html"));
    QFile help(helpPath_);
    QVERIFY(help.open(QIODevice::WriteOnly));
}

// The order the window has always had: the page's controls, then the column top to bottom, with
// "История" after "Загрузить", "Отчёт" and "Объекты" after it, and the port list after "USB -
// порт".
void TestWindowKeyboard::tabOrderStaysAsItWas_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<QStringList>("order");
    const QStringList mainPage = {"PageControl1", "Sound", "TimeAlarmEdit", "TypeTMRadioGroup",
                                  "KBBlockRadioGroup"};
    QTest::newRow("demo") << kDemoWindowMode
                          << QStringList{"SaveButton",   "LoadButton",     "HistoryButton",
                                         "ReportButton", "SiteBookButton", "DefaultButton",
                                         "HelpBitBtn",   "BtnAbout",       "BitBtn_SelectLang"} +
                                 mainPage + QStringList{"USB", "UsbPortList"};
    QTest::newRow("settings") << kSettingsWindowMode
                              << QStringList{"ConnectButton",    "HistoryButton", "ReportButton",
                                             "SiteBookButton",   "HelpBitBtn",    "BtnAbout",
                                             "BitBtn_SelectLang"} +
                                     mainPage + QStringList{"USB", "UsbPortList"};
    QTest::newRow("firmware") << kFirmwareWindowMode
                              << QStringList{"ConnectButton",     "HistoryButton", "ReportButton",
                                             "SiteBookButton",    "HelpBitBtn",    "BtnAbout",
                                             "BitBtn_SelectLang", "PageControl1",  "USB",
                                             "UsbPortList"};
}

void TestWindowKeyboard::tabOrderStaysAsItWas() {
    QFETCH(int, workMode);
    QFETCH(QStringList, order);
    Window window(helpPath_);
    QVERIFY(window.active);
    window.PickWorkMode(workMode);
    QCOMPARE(window.TabRound(QStringLiteral("WorkMode")), order);
}

// Focus moved by Tab, then Return or the keypad's Enter: the button is clicked once.
void TestWindowKeyboard::returnAndEnterPressTheFocusedButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Return on Завод. настр.")
        << "DefaultButton" << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("Enter on Завод. настр.")
        << "DefaultButton" << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
    QTest::newRow("Return on Сохранить")
        << "SaveButton" << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("Return on О программе")
        << "BtnAbout" << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("Enter on Help")
        << "HelpBitBtn" << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier);
}

void TestWindowKeyboard::returnAndEnterPressTheFocusedButton() {
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    // "Help" opens the help window, which takes the keyboard: with no help file there is only
    // the recorded box, and the focus stays where the key left it.
    Window window(button == "HelpBitBtn" ? QString() : helpPath_);
    QVERIFY(window.active);
    QVERIFY(window.TabTo(button));
    QSignalSpy clicked(window.form->Control<QPushButton>(button), &QPushButton::clicked);
    window.Press(Qt::Key(key), modifiers);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(Window::FocusName(), button);
}

// F1 anywhere in the window opens the shipped help in the program's own window, at the section
// of the page in front; the window stays usable beside it.
void TestWindowKeyboard::f1OpensTheHelp_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("section");
    QTest::newRow("main page") << kDemoWindowMode << 0 << "main";
    QTest::newRow("loop page") << kDemoWindowMode << 1 << "loops";
    QTest::newRow("output page") << kDemoWindowMode << 2 << "outputs";
    QTest::newRow("identifier page") << kDemoWindowMode << 3 << "keys";
    QTest::newRow("firmware page") << kFirmwareWindowMode << 4 << "firmware";
}

void TestWindowKeyboard::f1OpensTheHelp() {
    QFETCH(int, workMode);
    QFETCH(int, page);
    QFETCH(QString, section);
    const QString shipped =
        qEnvironmentVariable("VELOR_SOURCE_DIR") + QStringLiteral("/help/velor580_ru.html");
    Window window(shipped);
    QVERIFY(window.active);
    window.PickWorkMode(workMode);
    auto* pages = window.form->Control<PageControl>(QStringLiteral("PageControl1"));
    pages->SetTabVisible(page, true); // the identifier page's tab follows the TM output type
    pages->SetActivePageIndex(page);
    window.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
    window.Press(Qt::Key_F1);
    auto* help = window.form->findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
    QVERIFY(help != nullptr && help->isVisible());
    QUrl expected = QUrl::fromLocalFile(shipped);
    expected.setFragment(section);
    QCOMPARE(help->Source(), expected);
    QVERIFY(window.desktop.opened.isEmpty());
    QVERIFY(window.dialogs.boxes.isEmpty());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

// state: the window's state before the key (a work mode, then maybe a connection's outcome).
// dialog: "save" or "open" (with the suffix it offers) when the key runs the command; otherwise
// the status text that says why it cannot run.
void TestWindowKeyboard::saveAndLoadKeys_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("outcome"); // -1: not connected
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("status");
    const QString saveRefused = "Сохранение в файл доступно в демо-режиме и при связи с прибором "
                                "в режиме «Смена настроек»";
    const QString loadRefused = "Загрузка из файла доступна в демо-режиме и при связи с прибором";
    const int connectedSettings = int(ButtonOutcome::ConnectedSettings);
    const int connectedFirmware = int(ButtonOutcome::ConnectedFirmware);
    QTest::newRow("Ctrl+S in the demo mode")
        << kDemoWindowMode << -1 << int(Qt::Key_S) << "save cfg" << Text(10025);
    QTest::newRow("Ctrl+O in the demo mode")
        << kDemoWindowMode << -1 << int(Qt::Key_O) << "open cfg" << Text(10025);
    QTest::newRow("Ctrl+S, settings mode, not connected")
        << kSettingsWindowMode << -1 << int(Qt::Key_S) << QString() << saveRefused;
    QTest::newRow("Ctrl+O, settings mode, not connected")
        << kSettingsWindowMode << -1 << int(Qt::Key_O) << QString() << loadRefused;
    QTest::newRow("Ctrl+S, settings mode, connected")
        << kSettingsWindowMode << connectedSettings << int(Qt::Key_S) << "save cfg" << Text(10025);
    QTest::newRow("Ctrl+P in the demo mode")
        << kDemoWindowMode << -1 << int(Qt::Key_P) << "report" << Text(10025);
    QTest::newRow("Ctrl+O, firmware mode, not connected")
        << kFirmwareWindowMode << -1 << int(Qt::Key_O) << QString() << loadRefused;
    QTest::newRow("Ctrl+O, firmware mode, connected")
        << kFirmwareWindowMode << connectedFirmware << int(Qt::Key_O) << "open tsk" << Text(10025);
    QTest::newRow("Ctrl+S, firmware mode, connected")
        << kFirmwareWindowMode << connectedFirmware << int(Qt::Key_S) << QString() << saveRefused;
}

void TestWindowKeyboard::saveAndLoadKeys() {
    QFETCH(int, workMode);
    QFETCH(int, outcome);
    QFETCH(int, key);
    QFETCH(QString, dialog);
    QFETCH(QString, status);
    Window window(helpPath_);
    QVERIFY(window.active);
    window.PickWorkMode(workMode);
    if (outcome >= 0) {
        window.form->SetButtons(static_cast<ButtonOutcome>(outcome));
    }
    window.form->SetStatusText(Text(10025));
    window.Press(Qt::Key(key), Qt::ControlModifier);

    QStringList dialogs;
    for (const FileDialogRequest& request : window.dialogs.saveRequests) {
        dialogs << "save " + request.defaultSuffix;
    }
    for (const FileDialogRequest& request : window.dialogs.openRequests) {
        dialogs << "open " + request.defaultSuffix;
    }
    for (qsizetype i = 0; i < window.dialogs.reports.size(); ++i) {
        dialogs << "report";
    }
    QCOMPARE(dialogs, dialog.isEmpty() ? QStringList() : QStringList{dialog});
    QCOMPARE(window.form->StatusText(), status);
}

// Every command button has a mnemonic; no two controls of the window share one, and no Russian
// letter sits on the key of a Latin one.
void TestWindowKeyboard::mnemonicsAreUniqueInBothLanguages_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("Russian") << QString();
    QTest::newRow("English") << QStringLiteral("EN");
}

void TestWindowKeyboard::mnemonicsAreUniqueInBothLanguages() {
    QFETCH(QString, language);
    Window window(helpPath_);
    const LanguageScope scope(language);
    QVERIFY(scope.Loaded(language));
    std::map<QString, QString> owners; // key -> control
    QStringList clashes;
    const auto note = [&](const QString& owner, const QString& caption) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
        if (mnemonic.isEmpty()) {
            return;
        }
        QString key = QChar(mnemonic[0].key());
        const int russian = kRussianKeys.indexOf(key);
        if (russian >= 0) {
            key = kLatinKeys[russian];
        }
        if (owners.count(key) != 0) {
            clashes << owners[key] + " / " + owner + " on " + key;
        }
        owners[key] = owner;
    };
    for (const QWidget* w : window.form->findChildren<QWidget*>()) {
        if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            note(w->objectName(), button->text());
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            note(w->objectName(), group->title());
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            note(w->objectName(), label->buddy() != nullptr ? label->text() : QString());
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                note(w->parent()->objectName(), tabs->tabText(i));
            }
        }
    }
    QCOMPARE(clashes, QStringList());
    for (const QString& name : kCommandButtons) {
        const QString caption = window.form->Control<QPushButton>(name)->text();
        QVERIFY2(!QKeySequence::mnemonic(caption).isEmpty(), qPrintable(name + ": " + caption));
    }
}

// Alt and the marked letter click the button, in the language's own letters.
void TestWindowKeyboard::mnemonicPressesItsButton_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("button");
    for (const QString& language : {QString(), QStringLiteral("EN")}) {
        for (const char* button :
             {"SaveButton", "LoadButton", "DefaultButton", "HelpBitBtn", "BtnAbout"}) {
            QTest::addRow("%s %s", language.isEmpty() ? "RU" : "EN", button)
                << language << QString::fromLatin1(button);
        }
    }
}

void TestWindowKeyboard::mnemonicPressesItsButton() {
    QFETCH(QString, language);
    QFETCH(QString, button);
    Window window(helpPath_);
    QVERIFY(window.active);
    const LanguageScope scope(language);
    QVERIFY(scope.Loaded(language));
    auto* target = window.form->Control<QPushButton>(button);
    QSignalSpy clicked(target, &QPushButton::clicked);
    QVERIFY2(window.PressMnemonic(target->text()), qPrintable(target->text()));
    QTRY_COMPARE(clicked.count(), 1); // a mnemonic clicks the button as a short animated press
}

QTEST_MAIN(TestWindowKeyboard)
#include "tst_window_keyboard.moc"
