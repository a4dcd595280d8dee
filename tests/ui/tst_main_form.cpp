// The main window as a whole: its controls by name as created with the factory settings, the work
// modes and the command buttons, connecting and disconnecting, the adaptation to the device type,
// the driver's I/O error box, the close confirmation and the re-applied texts of a language change.

#include "fake_ftdi_driver.h"
#include "recording_dialogs.h"
#include "window_driver.h"
#include "window_test_support.h"

#include "catalogue/message_catalogue.h"
#include "link/bridge_texts.h"
#include "ui/control_index.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/up_down.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTranslator>

#include <cerrno>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

namespace {
constexpr int kLoops = 8;
constexpr int kOutputs = 4;
constexpr int kKeys = 28;

// Enabled state of the command controls, in this order, as '+' and '-'.
const QStringList kCommandControls = {
    "ConnectButton", "CancelButton",  "ReadButton",   "WriteButton", "SaveButton",
    "LoadButton",    "DefaultButton", "LoadIdButton", "WorkMode",    "BtnAbout"};

// A window over a scripted bridge driver, with every box recorded.
struct Window : WindowDriver {
    Window() : Window(std::make_shared<FakeFtdiScript>()) {}
    explicit Window(std::shared_ptr<FakeFtdiScript> driverScript)
        : WindowDriver([driverScript](MainFormDeps& deps) {
              deps.makeDriver = [driverScript] {
                  return std::make_unique<FakeFtdiDriver>(driverScript);
              };
          }),
          script(std::move(driverScript)) {}

    // Creation and the first activation, as the program starts.
    void Start() {
        form->FormCreate();
        form->FormActivate();
    }

    QString Commands() const { return Enabled(kCommandControls); }

    QString Sheets() const {
        QString flags;
        auto* pages = form->Control<PageControl>("PageControl1");
        for (int page = 0; page < pages->count(); ++page) {
            flags += pages->SheetVisible(page) ? '+' : '-';
        }
        return flags;
    }

    std::shared_ptr<FakeFtdiScript> script;
};

QString Text(int id) {
    return velor::BuiltInMessageText(id);
}

QStringList Names(const char* prefix, int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        names << prefix + QString::number(i);
    }
    return names;
}

// Two indices one after the other: "shl" 1..first, then 1..second.
QStringList Names(const char* prefix, int first, int second) {
    QStringList names;
    for (int i = 1; i <= first; ++i) {
        for (int j = 1; j <= second; ++j) {
            names << prefix + QString::number(i) + QString::number(j);
        }
    }
    return names;
}

QStringList Range(const char* prefix, int first, int last) {
    QStringList names;
    for (int i = first; i <= last; ++i) {
        names << prefix + QString::number(i);
    }
    return names;
}

QList<int> Indices(int count) {
    QList<int> tags;
    for (int i = 1; i <= count; ++i) {
        tags << i;
    }
    return tags;
}

// A button's caption as it reads, without the "&" that marks its mnemonic.
QString WithoutMnemonic(QString caption) {
    return caption.remove(QRegularExpression("&(?=[^&])")).replace("&&", "&");
}

// What a control shows as its text: a label's, a button's, an edit's or a group's title.
QString ControlText(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return WithoutMnemonic(button->text());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        return group->title();
    }
    return {};
}

QStringList ControlItems(QWidget* control) {
    if (auto* combo = qobject_cast<ComboList*>(control)) {
        return combo->Items();
    }
    if (auto* group = qobject_cast<RadioGroup*>(control)) {
        return group->Items();
    }
    return {};
}

int ControlItemIndex(QWidget* control) {
    if (auto* combo = qobject_cast<ComboList*>(control)) {
        return combo->ItemIndex();
    }
    return qobject_cast<RadioGroup*>(control)->ItemIndex();
}

const QStringList kSwitchTimes = {"---",    "0.5 сек", "1 сек",  "5 сек",
                                  "10 сек", "20 сек",  "30 сек", "пост."};
const QStringList kPeriods = {"---",    "20 сек",   "40 сек",   "1 мин",  "1 м 20 с", "1 м 40 с",
                              "2 мин ", "2 м 20 с", "2 м 40 с", "3 мин ", "3 м 20 с", "3 м 40 с",
                              "4 мин ", "4 м 20 с", "4 м 40 с", "пост."};
const QStringList kWorkModes = {
    "ПЦН тревога", "Контр. лампа", "Взят/снят ( для охранного ШС)",
    "Звуковой",    "Тревога",      "Исполнительный   ( для охранного ШС)",
    "Специальный"};

// A family row: the names, their class, and what each must hold once the window is created.
// The per-name columns hold either one entry for every name or one entry per name, in order.
struct Created {
    QString cls;
    QList<int> tags;          // per name; empty: every tag is 0
    QStringList items;        // list entries or radio items; empty: not a list
    QList<int> itemIndex{-1}; // with items
    QString checked;          // '+' or '-' for buttons and boxes; empty: not checked
    QString enabled = "+";    // '+' or '-'
    bool hidden = false;
    QString text;       // with "%1" standing for the name's position (1-based); null: not checked
    int typedText = -1; // 0 or 1 for drop-down lists
};

// The entry of a per-name column for the name at position i.
template <typename List> auto Each(const List& column, int i) {
    return column.size() == 1 ? column[0] : column[i];
}
} // namespace

Q_DECLARE_METATYPE(Created)
Q_DECLARE_METATYPE(ButtonOutcome)

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void everyControlFamilyHoldsTheFactorySettingsOnceCreated_data();
    void everyControlFamilyHoldsTheFactorySettingsOnceCreated();
    void spinnersAreBoundToTheirEdits_data();
    void spinnersAreBoundToTheirEdits();
    void identifierEditsHoldTwelveUpperCaseCharacters();
    void windowFrameAndPages();

    void startsInDemoWorkMode();
    void showingTheWindowActivatesDemoModeOnce();
    void workModeChangeSetsPagesButtonsAndFlags_data();
    void workModeChangeSetsPagesButtonsAndFlags();
    void arrowKeysOverFirmwareModeKeepTheOutputType_data();
    void arrowKeysOverFirmwareModeKeepTheOutputType();

    void connectWithoutDeviceShowsBoxAndKeepsConnectUsable();
    void connectFailureWithSystemReasonGoesToStatusBar_data();
    void connectFailureWithSystemReasonGoesToStatusBar();
    void busyPortIsNamedAndConnectStaysUsable_data();
    void busyPortIsNamedAndConnectStaysUsable();
    void connectStartsTheOperationOfTheWorkMode_data();
    void connectStartsTheOperationOfTheWorkMode();
    void disconnectClosesPortAndEmptiesLabels();
    void clickIntoKeyCodeOffersKeyReadOnlyWhenConnected_data();
    void clickIntoKeyCodeOffersKeyReadOnlyWhenConnected();
    void failedOperationLeavesButtonsOfTheWorkMode_data();
    void failedOperationLeavesButtonsOfTheWorkMode();
    void refusedCommandSaysWhy_data();
    void refusedCommandSaysWhy();

    void adaptationLeavesWindowAloneForOtherTypes_data();
    void adaptationLeavesWindowAloneForOtherTypes();
    void adaptationShowsEveryControlForModel580_data();
    void adaptationShowsEveryControlForModel580();

    void ioErrorBoxShowsOnWindowThread();
    void closeAsksForConfirmation_data();
    void closeAsksForConfirmation();
    void languageChangeReappliesTexts();

private:
    QTemporaryDir folder_;
};

void TestMainForm::initTestCase() {
    QVERIFY(PrepareFactoryFolder(folder_));
    LoadBuiltInCatalogue();
}

// The window as the program shows it before the first activation: built (every output given the
// preset of "ПЦН тревога", then the factory settings "580default.cfg" decoded through the page
// rules) and created. The factory settings: security loops with integration time 70 and no
// options, entry delays 0, exit delays 30, re-arm time 60, sounder 180, relay 1 "ПЦН тревога",
// relay 2 "Тревога", OK1 "Контр. лампа", OK2 "Тревога", every output bound to every loop with its
// mode's preset, TM output type "Идентификатор ТМ" and no keys.
void TestMainForm::everyControlFamilyHoldsTheFactorySettingsOnceCreated_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Created>("created");

    const auto box = [](QString checked = "-", QString enabled = "+") {
        Created c;
        c.cls = "QCheckBox";
        c.checked = std::move(checked);
        c.enabled = std::move(enabled);
        return c;
    };
    const auto list = [](QStringList items, QList<int> index, QString enabled = "+",
                         int typed = 0) {
        Created c;
        c.cls = "ComboList";
        c.items = std::move(items);
        c.itemIndex = std::move(index);
        c.enabled = std::move(enabled);
        c.typedText = typed;
        return c;
    };
    const auto group = [](QString title, QStringList items, int index, bool hidden = false) {
        Created c;
        c.cls = "RadioGroup";
        c.text = std::move(title);
        c.items = std::move(items);
        c.itemIndex = {index};
        c.hidden = hidden;
        return c;
    };
    const auto label = [](QString text, const char* cls = "QLabel") {
        Created c;
        c.cls = cls;
        c.text = std::move(text);
        return c;
    };
    const auto edit = [](QString text) {
        Created c;
        c.cls = "ExitEdit";
        c.text = std::move(text);
        return c;
    };

    // Loop page: every loop a security loop, so the double trigger is locked off and everything
    // else is open; an entry delay of 0 locks the relay delay at "Нет", an exit delay above 0
    // leaves the tactic open.
    Created fire;
    fire.cls = "QRadioButton";
    fire.tags = Indices(kLoops);
    fire.checked = "-";
    Created security = fire;
    security.checked = "+";
    QTest::newRow("ts fire buttons") << Names("ts", kLoops) << fire;
    QTest::newRow("ts security buttons") << Names("ts", kLoops, 1) << security;
    QTest::newRow("it integration 70") << Names("it", kLoops) << list({"70", "300"}, {0});
    QTest::newRow("ds double trigger") << Names("ds", kLoops) << box("-", "-");
    for (const char* prefix : {"tt", "av", "ks", "pz"}) {
        QTest::newRow(prefix) << Names(prefix, kLoops) << box();
    }
    QTest::newRow("SecLinLabel") << Names("SecLinLabel", kLoops) << label("ШС%1");
    QTest::newRow("entry delays 0") << QStringList{"DelayInEdit1", "DelayInEdit2"} << edit("0");
    QTest::newRow("exit delays 30") << QStringList{"DelayOutEdit1", "DelayOutEdit2"} << edit("30");
    QTest::newRow("TimeAvEdit") << QStringList{"TimeAvEdit"} << edit("60");
    QTest::newRow("TimeAlarmEdit") << QStringList{"TimeAlarmEdit"} << edit("180");
    QTest::newRow("EnDelaySh locked at Нет")
        << Names("EnDelaySh", 2) << list({"Да ", "Нет"}, {1}, "-");
    QTest::newRow("Taktik open at Закрытая дверь")
        << Names("Taktik", 2) << list({"Закрытая дверь", "Любая дверь"}, {0});
    QTest::newRow("loop 2 delay panels")
        << QStringList{"Panel17", "Panel15", "Panel13"} << label({}, "QWidget");
    QTest::newRow("loop 2 entry title") << QStringList{"Label119"} << label("Вход");
    QTest::newRow("loop 2 exit title") << QStringList{"Label121"} << label("Вых");
    QTest::newRow("loop 2 delay units") << QStringList{"Label120", "Label122"} << label("(сек)");

    // Main page.
    QTest::newRow("Sound") << QStringList{"Sound"}
                           << group("Режим внутреннего звукового оповещателя: ",
                                    {"Все извещения", "Только тревога"}, 0);
    QTest::newRow("LineModeRadioGroup")
        << QStringList{"LineModeRadioGroup"}
        << group("Режим линии расширения: ", {"Ведомый", "Ведущий"}, 1, true);
    QTest::newRow("SpeedLineRadioGroup")
        << QStringList{"SpeedLineRadioGroup"}
        << group("Скорость линии расширения:", {"1200 бод", "4800 бод"}, 0, true);
    QTest::newRow("TypeTMRadioGroup")
        << QStringList{"TypeTMRadioGroup"}
        << group("Тип выхода ТМ:", {"Идентификатор ТМ", "Переключатель"}, 0);
    QTest::newRow("KBBlockRadioGroup")
        << QStringList{"KBBlockRadioGroup"} << group("Блокирование кнопок:", {"Нет", "Да"}, 0);
    Created hiddenGroup = label("Номер ПКП:", "QGroupBox");
    hiddenGroup.hidden = true;
    QTest::newRow("device number group") << QStringList{"NumberPKPGroupBox"} << hiddenGroup;
    QTest::newRow("NumberPKPEdit") << QStringList{"NumberPKPEdit"} << edit("1");
    QTest::newRow("web links") << QStringList{"WWWLabel", "WWWLabel2"}
                               << label("www.velor.example", "ClickLabel");
    QTest::newRow("mail links") << QStringList{"EMailLabel", "EMailLabel2"}
                                << label("support@velor.example", "ClickLabel");
    QTest::newRow("device labels")
        << QStringList{"SettingsTypeLabel", "SettingsVersionLabel", "TypeLabel",
                       "DevSWLabel",        "FileTypeLabel",        "SizeLabel",
                       "DateLabel",         "VersionLabel"}
        << label("");
    // The firmware file's path, shortened in the middle when it is longer than the page is wide.
    QTest::newRow("FileLabel") << QStringList{"FileLabel"} << label("", "ElidedLabel");
    QTest::newRow("device type caption")
        << QStringList{"SettingsTypeCaption"} << label("Тип прибора:");
    QTest::newRow("device version caption")
        << QStringList{"SettingsVersionCaption"} << label("Версия ПО прибора:");

    // Output pages, outputs 1 to 4 (relay 1, relay 2, OK1, OK2) in each per-name column. Every
    // output holds its mode's preset and is bound to all loops; none is in a mode that locks
    // bindings. "ПЦН тревога" leaves only "Вскрытие корпуса" editable, the other modes nothing.
    const std::pair<const char*, int> modes[] = {
        {"ReleWorkMode1", 0}, {"ReleWorkMode2", 4}, {"OKWorkMode1", 1}, {"OKWorkMode2", 4}};
    for (const auto& [name, mode] : modes) {
        QTest::newRow(name) << QStringList{name} << group("Режим работы", kWorkModes, mode);
    }
    QTest::newRow("shl bindings all set") << Names("shl", kLoops, kOutputs) << box("+");
    const std::tuple<const char*, const char*, const char*, const char*> events[] = {
        {"AlarmEvent", "Тревога/пожар", "++++", "----"},
        {"ErrorFire", "Неисправность пожарного ШС", "-", "-"},
        {"AttentionFire", "Внимание для пожарного ШС", "-", "-"},
        {"OnOffLine", "Взятие по одному из ШС/Снятие ", "-", "-"},
        {"OnOffAllLine", "Взятие по всем ШС/Снятие ", "+-+-", "-"},
        {"BoxDamage", "Вскрытие корпуса", "-", "+---"},
        {"ErrorPower", "Неисправность питания", "-", "-"}};
    for (const auto& [prefix, caption, checked, enabled] : events) {
        Created c = box(checked, enabled);
        c.text = caption;
        QTest::newRow(prefix) << Names(prefix, kOutputs) << c;
    }
    // Opening time "пост." in "ПЦН тревога" and "Тревога"; "0.5 сек" opening and closing with a
    // constant notification in "Контр. лампа".
    QTest::newRow("TimeRzmk all typed")
        << Names("TimeRzmk", kOutputs) << list(kSwitchTimes, {7, 7, 1, 7}, "-", 1);
    QTest::newRow("TimeZmk1 list only") << QStringList{"TimeZmk1"} << list(kSwitchTimes, {0}, "-");
    QTest::newRow("TimeZmk2-4 typed")
        << Range("TimeZmk", 2, 4) << list(kSwitchTimes, {0, 1, 0}, "-", 1);
    QTest::newRow("TimePeriod1 list only")
        << QStringList{"TimePeriod1"} << list(kPeriods, {0}, "-");
    QTest::newRow("TimePeriod2-4 typed")
        << Range("TimePeriod", 2, 4) << list(kPeriods, {0, 15, 0}, "-", 1);
    QTest::newRow("InvRele1 list only")
        << QStringList{"InvRele1"} << list({"нет ", "да"}, {0}, "-");
    QTest::newRow("InvRele2-4 typed")
        << Range("InvRele", 2, 4) << list({"нет ", "да"}, {0}, "-", 1);
    QTest::newRow("relay 1 binding titles") << Range("Label", 65, 72) << label("ШС%1");
    QTest::newRow("relay 2 binding titles") << Range("Label", 83, 90) << label("ШС%1");
    QTest::newRow("OK 1 binding titles") << Range("Label", 105, 112) << label("ШС%1");

    // Key page: settings without keys leave it untouched.
    Created code = edit("");
    code.tags = Indices(kKeys);
    QTest::newRow("CodeTM") << Names("CodeTM", kKeys) << code;
    QTest::newRow("onekeymode") << Names("onekeymode", kKeys) << box();
    QTest::newRow("shvz") << Names("shvz", kKeys, kLoops) << box();
    QTest::newRow("shsn") << Names("shsn", kKeys, kLoops) << box();
    QTest::newRow("shvzlb") << Names("shvzlb", kLoops) << label("ШС%1");
    QTest::newRow("shsnlb") << Names("shsnlb", kLoops) << label("ШС%1");
    Created all = box();
    all.text = "<- - - - Взятие/снятие одним ключом ТМ ( для всех ключей сразу )";
    QTest::newRow("OnekeymodeAll") << QStringList{"OnekeymodeAll"} << all;

    // Command column and hidden helpers: creation ticks USB; no work mode is chosen yet.
    Created usb;
    usb.cls = "QRadioButton";
    usb.checked = "+";
    usb.text = "USB - порт";
    QTest::newRow("USB") << QStringList{"USB"} << usb;
    QTest::newRow("WorkMode") << QStringList{"WorkMode"}
                              << list({"Смена настроек", "Смена ПО", "Демо-режим"}, {-1});
    const std::pair<const char*, const char*> buttons[] = {
        {"ConnectButton", "Установить"},    {"CancelButton", "Разорвать"},
        {"WriteButton", "Записать в"},      {"ReadButton", "Считать из"},
        {"SaveButton", "Сохранить"},        {"LoadButton", "Загрузить"},
        {"DefaultButton", "Завод. настр."}, {"LoadIdButton", "Считать ТМ"}};
    for (const auto& [name, caption] : buttons) {
        Created c = label(caption, "CommandButton");
        c.enabled = "-";
        QTest::newRow(name) << QStringList{name} << c;
    }
    for (const auto& [name, caption] :
         {std::pair{"HelpBitBtn", "Help  "}, std::pair{"BtnAbout", "О программе"},
          std::pair{"BitBtn_SelectLang", "Select language"}}) {
        QTest::newRow(name) << QStringList{name} << label(caption, "CommandButton");
    }
    Created hiddenList = label({}, "QListWidget");
    hiddenList.hidden = true;
    QTest::newRow("line buffers") << QStringList{"ListBox1", "ListBox2"} << hiddenList;
    Created hiddenBar = label({}, "QProgressBar");
    hiddenBar.hidden = true;
    QTest::newRow("pb1") << QStringList{"pb1"} << hiddenBar;
    QTest::newRow("Gauge1") << QStringList{"Gauge1"} << label({}, "QProgressBar");
}

void TestMainForm::everyControlFamilyHoldsTheFactorySettingsOnceCreated() {
    QFETCH(QStringList, names);
    QFETCH(Created, created);

    Window window;
    window.form->FormCreate();
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        QWidget* control = window.form->FindControl(name);
        QCOMPARE(control->metaObject()->className(), created.cls);
        QCOMPARE(ControlTag(control), created.tags.isEmpty() ? 0 : created.tags[i]);
        QCOMPARE(control->isEnabled(), Each(created.enabled, i) == '+');
        QCOMPARE(control->isHidden(), created.hidden);
        if (!created.checked.isEmpty()) {
            QCOMPARE(qobject_cast<QAbstractButton*>(control)->isChecked(),
                     Each(created.checked, i) == '+');
        }
        if (!created.text.isNull()) {
            const QString text =
                created.text.contains("%1") ? created.text.arg(i + 1) : created.text;
            QCOMPARE(ControlText(control), text);
        }
        if (!created.items.isEmpty()) {
            QCOMPARE(ControlItems(control), created.items);
            QCOMPARE(ControlItemIndex(control), Each(created.itemIndex, i));
        }
        if (created.typedText >= 0) {
            QCOMPARE(qobject_cast<ComboList*>(control)->AcceptsTypedText(), created.typedText == 1);
        }
    }
}

void TestMainForm::spinnersAreBoundToTheirEdits_data() {
    QTest::addColumn<QString>("spinner");
    QTest::addColumn<QString>("edit");
    // min, max, increment, position (the factory value, as the edit shows it)
    QTest::addColumn<QList<int>>("range");

    QTest::newRow("TimeAv") << "TimeAv"
                            << "TimeAvEdit" << QList<int>{5, 1275, 5, 60};
    QTest::newRow("TimeAlarm") << "TimeAlarm"
                               << "TimeAlarmEdit" << QList<int>{1, 1275, 5, 180};
    for (const auto& [spinner, position] :
         {std::pair{"DelayIn1", 0}, std::pair{"DelayIn2", 0}, std::pair{"DelayOut1", 30},
          std::pair{"DelayOut2", 30}}) {
        const QString name = spinner;
        const QString editName = name.left(name.size() - 1) + "Edit" + name.right(1);
        QTest::newRow(spinner) << name << editName << QList<int>{0, 255, 1, position};
    }
    QTest::newRow("NumberPKP") << "NumberPKP"
                               << "NumberPKPEdit" << QList<int>{1, 253, 1, 1};
}

void TestMainForm::spinnersAreBoundToTheirEdits() {
    QFETCH(QString, spinner);
    QFETCH(QString, edit);
    QFETCH(QList<int>, range);

    Window window;
    auto* upDown = window.form->Control<UpDown>(spinner);
    QCOMPARE(upDown->Associate(), window.form->Control<ExitEdit>(edit));
    QCOMPARE((QList<int>{upDown->Min(), upDown->Max(), upDown->Increment(), upDown->Position()}),
             range);
}

void TestMainForm::identifierEditsHoldTwelveUpperCaseCharacters() {
    Window window;
    auto* code = window.form->Control<ExitEdit>("CodeTM5");
    QTest::keyClicks(code, "0123456789abcdef");
    QCOMPARE(code->text(), QString("0123456789AB"));
    QCOMPARE(code->maxLength(), 12);
}

void TestMainForm::windowFrameAndPages() {
    Window window;
    TMainForm& form = *window.form;
    // The design size; on a smaller screen the window may be made smaller (tst_window_fit).
    QCOMPARE(form.size(), QSize(800, 600));
    QVERIFY(form.minimumWidth() <= 800 && form.minimumHeight() <= 600);
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(form.windowTitle(), QString("Программа настройки прибора 580 в автономном режиме"));

    auto* pages = form.Control<PageControl>("PageControl1");
    QCOMPARE(pages->size(), QSize(680, 545));
    const QStringList sheets = {"TabSheet1", "TabSheet2", "TabSheet3", "TabSheetTM",
                                "ChangeSoftTab"};
    const QStringList captions = {"  Главная  ", "  Настройки ШС ", "Режимы реле и выходов ОК",
                                  "Идентификаторы ТМ", "Смена ПО"};
    for (int page = 0; page < sheets.size(); ++page) {
        QCOMPARE(pages->Sheet(page)->objectName(), sheets[page]);
        QCOMPARE(pages->tabText(page), captions[page]);
    }
    QCOMPARE(pages->ActivePageIndex(), 0);
    auto* outputs = form.Control<PageControl>("PageControl2");
    const QStringList subPages = {"Rele1", "Rele2", "OK1", "OK2"};
    const QStringList subCaptions = {"Реле №1", "Реле №2", "OK №1", "OK №2"};
    for (int page = 0; page < subPages.size(); ++page) {
        QCOMPARE(outputs->Sheet(page)->objectName(), subPages[page]);
        QCOMPARE(outputs->tabText(page), subCaptions[page]);
    }
    // The status text has its own bold font.
    auto* status = form.Control<QLabel>("MainStatusText");
    QVERIFY(status->font().bold());
    QVERIFY(!form.font().bold());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, form.FindControl("shl85"));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, form.Control<QCheckBox>("ts1"));
}

void TestMainForm::startsInDemoWorkMode() {
    Window window;
    window.form->Control<QLabel>("FileLabel")->setText("left over");
    window.Start();
    TMainForm& form = *window.form;
    QCOMPARE(form.Control<ComboList>("WorkMode")->ItemIndex(), 2);
    QVERIFY(form.IsDemoMode() && !form.IsSettingsMode() && !form.IsFirmwareMode());
    QVERIFY(form.IsFormReady());
    QCOMPARE(window.Commands(), QString("----+++-++"));
    QCOMPARE(window.Tabs(), QString("++++-"));
    QCOMPARE(window.Sheets(), QString("+++--"));
    QCOMPARE(form.Control<PageControl>("PageControl1")->ActivePageIndex(), 0);
    QCOMPARE(form.StatusText(), Text(10025));
    QVERIFY(form.Control<QRadioButton>("USB")->isChecked());
    QVERIFY(form.Control<QRadioButton>("USB")->styleSheet().contains("red"));
    QCOMPARE(form.Control<QLabel>("FileLabel")->text(), QString());
    QVERIFY(window.dialogs.boxes.isEmpty());
    QVERIFY(QDir("Base").exists());

    // The key page, once its tab is shown, opens with its content.
    auto* pages = form.Control<PageControl>("PageControl1");
    pages->SetTabVisible(3, true);
    pages->SetActivePageIndex(3);
    QVERIFY(pages->SheetVisible(3));

    // Later activations keep the work mode the user chose.
    window.PickWorkMode(0);
    form.FormActivate();
    QVERIFY(form.IsSettingsMode());
    QCOMPARE(form.Control<ComboList>("WorkMode")->ItemIndex(), 0);
}

void TestMainForm::showingTheWindowActivatesDemoModeOnce() {
    Window window;
    window.form->FormCreate();
    QVERIFY(!window.form->IsDemoMode());
    window.form->show();
    QVERIFY(window.form->IsDemoMode());
    QCOMPARE(window.Tabs(), QString("++++-"));
    window.PickWorkMode(1);
    window.form->hide();
    window.form->show();
    QVERIFY(window.form->IsFirmwareMode());
}

// picks: the WorkMode items chosen one after the other, after the start in the demo mode.
void TestMainForm::workModeChangeSetsPagesButtonsAndFlags_data() {
    QTest::addColumn<QList<int>>("picks");
    QTest::addColumn<QString>("tabs");
    QTest::addColumn<QString>("sheets");
    QTest::addColumn<int>("activePage");
    QTest::addColumn<QString>("commands");
    QTest::addColumn<QString>("flags"); // settings, firmware, demo
    QTest::addColumn<int>("typeTM");

    // LoadIdButton is enabled before the picks: no work-mode change touches it. No work mode
    // changes the TM output type ("Идентификатор ТМ" from the factory settings); the identifier
    // tab follows it in the settings and demo modes.
    QTest::newRow("settings") << QList<int>{0} << "++++-"
                              << "+++--" << 0 << "+------+++"
                              << "+--" << 0;
    QTest::newRow("firmware") << QList<int>{1} << "----+"
                              << "----+" << 4 << "+------+++"
                              << "-+-" << 0;
    QTest::newRow("demo again") << QList<int>{2} << "++++-"
                                << "+++--" << 0 << "----++++++"
                                << "--+" << 0;
    QTest::newRow("firmware then settings") << QList<int>{1, 0} << "++++-"
                                            << "+++--" << 0 << "+------+++"
                                            << "+--" << 0;
    QTest::newRow("firmware then demo") << QList<int>{1, 2} << "++++-"
                                        << "+++--" << 0 << "----++++++"
                                        << "--+" << 0;
    QTest::newRow("settings then firmware") << QList<int>{0, 1} << "----+"
                                            << "----+" << 4 << "+------+++"
                                            << "-+-" << 0;
}

void TestMainForm::workModeChangeSetsPagesButtonsAndFlags() {
    QFETCH(QList<int>, picks);
    QFETCH(QString, tabs);
    QFETCH(QString, sheets);
    QFETCH(int, activePage);
    QFETCH(QString, commands);
    QFETCH(QString, flags);
    QFETCH(int, typeTM);

    Window window;
    window.Start();
    window.form->Control<QPushButton>("LoadIdButton")->setEnabled(true);
    window.form->Control<PageControl>("PageControl1")->SetActivePageIndex(2);
    for (const int pick : picks) {
        window.PickWorkMode(pick);
    }
    TMainForm& form = *window.form;
    QCOMPARE(window.Tabs(), tabs);
    QCOMPARE(window.Sheets(), sheets);
    QCOMPARE(form.Control<PageControl>("PageControl1")->ActivePageIndex(), activePage);
    QCOMPARE(window.Commands(), commands);
    const QString actualFlags = QString(form.IsSettingsMode() ? "+" : "-") +
                                (form.IsFirmwareMode() ? "+" : "-") +
                                (form.IsDemoMode() ? "+" : "-");
    QCOMPARE(actualFlags, flags);
    QCOMPARE(form.Control<RadioGroup>("TypeTMRadioGroup")->ItemIndex(), typeTM);
}

// The technician sets the TM output type with a click, then walks the work-mode list with the
// arrow keys across "Смена ПО" and back: the type is the one clicked, and the identifier tab is
// there exactly when that type is "Идентификатор ТМ".
void TestMainForm::arrowKeysOverFirmwareModeKeepTheOutputType_data() {
    QTest::addColumn<int>("typeTM");
    QTest::addColumn<QList<int>>("keys"); // Qt::Key_Up / Qt::Key_Down on the closed list
    QTest::addColumn<int>("workMode");
    QTest::addColumn<QString>("tabs");

    const QList<int> upToSettings = {Qt::Key_Up, Qt::Key_Up};
    const QList<int> overAndBack = {Qt::Key_Up, Qt::Key_Down};
    QTest::newRow("identifier, demo to settings") << 0 << upToSettings << 0 << "++++-";
    QTest::newRow("identifier, demo over firmware and back") << 0 << overAndBack << 2 << "++++-";
    QTest::newRow("switch, demo to settings") << 1 << upToSettings << 0 << "+++--";
    QTest::newRow("switch, demo over firmware and back") << 1 << overAndBack << 2 << "+++--";
    QTest::newRow("identifier, stop on firmware") << 0 << QList<int>{Qt::Key_Up} << 1 << "----+";
}

void TestMainForm::arrowKeysOverFirmwareModeKeepTheOutputType() {
    QFETCH(int, typeTM);
    QFETCH(QList<int>, keys);
    QFETCH(int, workMode);
    QFETCH(QString, tabs);

    Window window;
    window.form->show();
    TMainForm& form = *window.form;
    auto* type = form.Control<RadioGroup>("TypeTMRadioGroup");
    QTest::mouseClick(type->Button(typeTM), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(type->ItemIndex(), typeTM);
    auto* modes = form.Control<ComboList>("WorkMode");
    modes->setFocus();
    for (const int key : keys) {
        QTest::keyClick(modes, static_cast<Qt::Key>(key));
    }
    QCOMPARE(modes->ItemIndex(), workMode);
    QCOMPARE(type->ItemIndex(), typeTM);
    QCOMPARE(window.Tabs(), tabs);
}

void TestMainForm::connectWithoutDeviceShowsBoxAndKeepsConnectUsable() {
    Window window;
    window.Start();
    window.PickWorkMode(0);
    window.script->status["OpenByIndex"] = kFtDeviceNotFound;
    QSignalSpy started(window.form.get(), &TMainForm::operationStarted);
    QTest::mouseClick(window.form->Control<QPushButton>("ConnectButton"), Qt::LeftButton);

    QCOMPARE(window.dialogs.boxes.size(), 1);
    const MessageBoxRequest& box = window.dialogs.boxes.first();
    QCOMPARE(box.text, Text(10055));
    QCOMPARE(box.caption, Text(10054));
    QCOMPARE(box.icon, BoxIcon::Error);
    QCOMPARE(box.buttons, BoxButtons::Ok);
    QCOMPARE(box.owner, BoxOwner::Main);
    QCOMPARE(window.script->calls, QStringList{"OpenByIndex(0)"});
    QCOMPARE(started.count(), 0);
    // No bridge to open: the status bar says so, and Connect stays usable for the next try.
    QCOMPARE(window.form->StatusText(),
             velor::link::NoBridgeText() + " Подключите прибор и нажмите «Установить».");
    QCOMPARE(window.Commands(), QString("+-------++"));
}

void TestMainForm::connectFailureWithSystemReasonGoesToStatusBar_data() {
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason"); // as the driver reports it
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("adviseGroup");

    const QString denied = "Отказано в доступе";
    QTest::newRow("permission, group known")
        << EACCES << denied << "dialout" << QStringList{"/dev/ttyUSB0: " + denied, "dialout"}
        << true;
    QTest::newRow("permission, group unknown")
        << EPERM << denied << "" << QStringList{"/dev/ttyUSB0: " + denied, "dialout"} << true;
    QTest::newRow("busy") << EBUSY << "Устройство или ресурс занято"
                          << "dialout" << QStringList{"/dev/ttyUSB0: Устройство или ресурс занято"}
                          << false;
}

void TestMainForm::connectFailureWithSystemReasonGoesToStatusBar() {
    QFETCH(int, error);
    QFETCH(QString, reason);
    QFETCH(QString, group);
    QFETCH(QStringList, expected);
    QFETCH(bool, adviseGroup);

    Window window;
    window.Start();
    window.PickWorkMode(1);
    window.script->status["OpenByIndex"] = kFtDeviceNotOpened;
    window.script->openFailure = {"/dev/ttyUSB0", reason.toStdString(), group.toStdString(), error};
    window.form->ConnectButtonClick();

    const QString status = window.form->StatusText();
    for (const QString& part : expected) {
        QVERIFY2(status.contains(part), qPrintable(status));
    }
    QCOMPARE(status.contains("групп"), adviseGroup);
    QCOMPARE(window.dialogs.boxes.size(), 1);
    QCOMPARE(window.dialogs.boxes.first().text, Text(10055));
    QVERIFY(window.form->Control<QPushButton>("ConnectButton")->isEnabled());
}

void TestMainForm::busyPortIsNamedAndConnectStaysUsable_data() {
    QTest::addColumn<int>("workMode");
    QTest::newRow("settings") << 0;
    QTest::newRow("firmware") << 1;
}

// A port another program holds: the device is there, so no "devices off the USB line" box; the
// status bar names the port and "Установить" can be pressed again once the port is free.
void TestMainForm::busyPortIsNamedAndConnectStaysUsable() {
    QFETCH(int, workMode);
    Window window;
    window.Start();
    window.PickWorkMode(workMode);
    window.script->status["OpenByIndex"] = kFtDeviceNotOpened;
    window.script->openFailure = {"/dev/ttyUSB0", "Ресурс временно недоступен", "dialout",
                                  EWOULDBLOCK, true};
    window.form->ConnectButtonClick();

    QCOMPARE(window.form->StatusText(), QString("Порт /dev/ttyUSB0 занят другой программой"));
    QCOMPARE(window.dialogs.boxes.size(), 0);
    QVERIFY(window.form->Control<QPushButton>("ConnectButton")->isEnabled());
    QVERIFY(!window.form->Control<QPushButton>("CancelButton")->isEnabled());
}

void TestMainForm::connectStartsTheOperationOfTheWorkMode_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("operation");

    QTest::newRow("settings") << 0 << int(Operation::ConnectSettings);
    QTest::newRow("firmware") << 1 << int(Operation::ConnectFirmware);
}

void TestMainForm::connectStartsTheOperationOfTheWorkMode() {
    QFETCH(int, workMode);
    QFETCH(int, operation);

    Window window;
    window.Start();
    window.PickWorkMode(workMode);
    const QString before = window.Commands();
    QSignalSpy started(window.form.get(), &TMainForm::operationStarted);
    window.form->ConnectButtonClick();

    QCOMPARE(started.count(), 1);
    QCOMPARE(static_cast<int>(started.first().at(0).value<Operation>()), operation);
    QCOMPARE(window.script->calls.count("OpenByIndex(0)"), 1);
    QVERIFY(window.dialogs.boxes.isEmpty());
    // Connecting disables Connect and leaves every other command as it was.
    QCOMPARE(window.Commands(), QString(before).replace(0, 1, '-'));
    QCOMPARE(window.form->focusWidget(), window.form->Control<QPushButton>("HelpBitBtn"));

    // While the operation runs its worker owns the port: a repeated connect does nothing. (The
    // worker waits for the window to take its first step, so it is still running here.)
    window.form->ConnectButtonClick();
    QCOMPARE(started.count(), 1);
    QCOMPARE(window.script->calls.count("OpenByIndex(0)"), 1);
    QCOMPARE(window.script->calls.count("Close(7)"), 0);

    // Once it has ended, a repeated connect closes the open port first.
    QTRY_VERIFY(!window.form->IsOperationRunning());
    window.form->ConnectButtonClick();
    QCOMPARE(started.count(), 2);
    QCOMPARE(started.last().at(0).toInt(), operation);
    QCOMPARE(window.script->calls.count("OpenByIndex(0)"), 2);
    QCOMPARE(window.script->calls.count("Close(7)"), 1);
    QVERIFY(window.script->calls.indexOf("Close(7)") <
            window.script->calls.lastIndexOf("OpenByIndex(0)"));
}

void TestMainForm::disconnectClosesPortAndEmptiesLabels() {
    Window window;
    window.Start();
    window.PickWorkMode(0);
    window.form->ConnectButtonClick();
    // The port is the worker's until the connect operation ends; Cancel is offered only then.
    QTRY_VERIFY(!window.form->IsOperationRunning());
    window.form->SetButtonState(ButtonState::ConnectedSettings);
    window.form->Control<QPushButton>("LoadIdButton")->setEnabled(true);
    const QStringList labels = {"TypeLabel",  "FileLabel",         "FileTypeLabel",
                                "SizeLabel",  "DateLabel",         "VersionLabel",
                                "DevSWLabel", "SettingsTypeLabel", "SettingsVersionLabel"};
    for (const QString& name : labels) {
        window.form->Control<QLabel>(name)->setText("580");
    }
    QTest::mouseClick(window.form->Control<QPushButton>("CancelButton"), Qt::LeftButton);

    QCOMPARE(window.script->calls.last(), QString("Close(7)"));
    QCOMPARE(window.form->StatusText(), Text(10003));
    QCOMPARE(window.Commands(), QString("+-------++"));
    for (const QString& name : labels) {
        QCOMPARE(window.form->Control<QLabel>(name)->text(), QString());
    }
}

namespace {
// What the adaptation may change: visibility and enabling of every named control, and the
// output sub-pages' tabs.
QStringList Snapshot(TMainForm& form) {
    QStringList state;
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty()) {
            state << widget->objectName() + (widget->isHidden() ? " hidden" : " shown") +
                         (widget->isEnabled() ? " enabled" : " disabled");
        }
    }
    auto* outputs = form.Control<PageControl>("PageControl2");
    for (int page = 0; page < outputs->count(); ++page) {
        state << QString("tab %1 %2").arg(page).arg(outputs->TabVisible(page));
    }
    return state;
}

// Hides and disables some of what the adaptation offers, as page rules or another device would.
void Restrict(TMainForm& form) {
    for (const char* name : {"shvz15", "shsn288", "ts31", "ts3", "it4", "pz8", "Panel17",
                             "Label121", "DelayIn2", "Taktik2", "shl83", "shl84"}) {
        form.FindControl(name)->hide();
    }
    for (const char* name : {"SecLinLabel3", "shvzlb2", "shsnlb8", "Label70", "Label105",
                             "OK2LoopLabel1", "ds1", "shl12"}) {
        form.FindControl(name)->setEnabled(false);
    }
    form.Control<PageControl>("PageControl2")->SetTabVisible(3, false);
}
} // namespace

// A real click into a key's code edit on the key page: "Считать ТМ" is offered only while
// a device is connected in the settings work mode.
void TestMainForm::clickIntoKeyCodeOffersKeyReadOnlyWhenConnected_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("offered");
    QTest::newRow("demo") << 2 << false << false;
    QTest::newRow("settings, not connected") << 0 << false << false;
    QTest::newRow("settings, connected") << 0 << true << true;
}

void TestMainForm::clickIntoKeyCodeOffersKeyReadOnlyWhenConnected() {
    QFETCH(int, workMode);
    QFETCH(bool, connected);
    QFETCH(bool, offered);

    Window window;
    window.form->show();
    window.PickWorkMode(workMode);
    TMainForm& form = *window.form;
    if (connected) {
        form.SetButtons(ButtonOutcome::ConnectedSettings);
    }
    form.Control<PageControl>("PageControl1")->setCurrentIndex(3);
    auto* code = form.Control<QLineEdit>("CodeTM1");
    QTest::mouseClick(code, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(form.Control<QPushButton>("LoadIdButton")->isEnabled(), offered);
}

// After a failed operation the buttons are those of the work mode in the list: the demo mode
// never ends half connected ("Установить" on, the file commands off).
void TestMainForm::failedOperationLeavesButtonsOfTheWorkMode_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<ButtonOutcome>("outcome");
    QTest::addColumn<QString>("commands");
    QTest::newRow("demo, key read") << 2 << ButtonOutcome::FailureReadKey << "----+++-++";
    QTest::newRow("demo, connect") << 2 << ButtonOutcome::FailureConnectSettings << "----+++-++";
    QTest::newRow("demo, read") << 2 << ButtonOutcome::FailureReadSettings << "----+++-++";
    QTest::newRow("settings, key read") << 0 << ButtonOutcome::FailureReadKey << "+-------++";
}

void TestMainForm::failedOperationLeavesButtonsOfTheWorkMode() {
    QFETCH(int, workMode);
    QFETCH(ButtonOutcome, outcome);
    QFETCH(QString, commands);

    Window window;
    window.Start();
    window.PickWorkMode(workMode);
    window.form->SetButtons(outcome);
    QCOMPARE(window.Commands(), commands);
    QVERIFY(!window.form->IsConnected());
}

// A device command that cannot run in the demo mode says why in the status bar.
void TestMainForm::refusedCommandSaysWhy_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("status");
    const QString noLink =
        "Связи с прибором нет в этом режиме: выберите «Смена настроек» или «Смена ПО»";
    QTest::newRow("connect") << "connect" << noLink;
    QTest::newRow("write") << "write" << noLink;
    QTest::newRow("read") << "read" << noLink;
    QTest::newRow("key read") << "key" << noLink;
}

void TestMainForm::refusedCommandSaysWhy() {
    QFETCH(QString, command);
    QFETCH(QString, status);

    Window window;
    window.Start();
    QSignalSpy started(window.form.get(), &TMainForm::operationStarted);
    TMainForm& form = *window.form;
    const std::map<QString, void (TMainForm::*)()> handlers = {
        {"connect", &TMainForm::ConnectButtonClick},
        {"write", &TMainForm::WriteButtonClick},
        {"read", &TMainForm::ReadButtonClick},
        {"key", &TMainForm::LoadIdButtonClick},
    };
    (form.*handlers.at(command))();
    QCOMPARE(form.StatusText(), status);
    QCOMPARE(started.count(), 0);
    QCOMPARE(window.Commands(), QString("----+++-++"));
    QVERIFY(window.dialogs.boxes.isEmpty());
}

void TestMainForm::adaptationLeavesWindowAloneForOtherTypes_data() {
    QTest::addColumn<int>("code");
    for (const int code : {0, 2, 9, 580}) {
        QTest::newRow(qPrintable(QString::number(code))) << code;
    }
}

void TestMainForm::adaptationLeavesWindowAloneForOtherTypes() {
    QFETCH(int, code);
    Window window;
    Restrict(*window.form);
    const QStringList before = Snapshot(*window.form);
    window.form->AdaptToDeviceType(code);
    QCOMPARE(Snapshot(*window.form), before);
}

void TestMainForm::adaptationShowsEveryControlForModel580_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("model 580") << 10;
    QTest::newRow("sibling code") << 8;
}

void TestMainForm::adaptationShowsEveryControlForModel580() {
    QFETCH(int, code);
    Window window;
    TMainForm& form = *window.form;
    Restrict(form);
    form.AdaptToDeviceType(code);

    int boxes = 0;
    for (const QString& name : Names("shvz", kKeys, kLoops) + Names("shsn", kKeys, kLoops)) {
        QVERIFY2(!form.FindControl(name)->isHidden(), qPrintable(name));
        ++boxes;
    }
    QCOMPARE(boxes, 448);
    for (const QString& name : Names("SecLinLabel", kLoops) + Names("shvzlb", kLoops) +
                                   Names("shsnlb", kLoops) + Range("Label", 65, 72) +
                                   Range("Label", 83, 90) + Range("Label", 105, 112)) {
        QVERIFY2(form.FindControl(name)->isEnabled(), qPrintable(name));
    }
    for (const char* name :
         {"ts3", "ts31", "it4", "pz8", "Panel17", "Label121", "DelayIn2", "Taktik2", "shl83"}) {
        QVERIFY2(!form.FindControl(name)->isHidden(), name);
    }
    QVERIFY(form.Control<PageControl>("PageControl2")->TabVisible(3));
    // Nothing beyond the offered controls: output 4's binding and title, and the enabling of
    // the settings controls themselves, stay as they were.
    QVERIFY(form.FindControl("shl84")->isHidden());
    QVERIFY(!form.FindControl("OK2LoopLabel1")->isEnabled());
    QVERIFY(!form.FindControl("ds1")->isEnabled());
    QVERIFY(!form.FindControl("shl12")->isEnabled());

    const QStringList once = Snapshot(form);
    form.AdaptToDeviceType(code);
    QCOMPARE(Snapshot(form), once);
}

void TestMainForm::ioErrorBoxShowsOnWindowThread() {
    Window window;
    window.script->status["Read"] = kFtIoError;
    TFTDIUsbPort& port = window.form->UsbPort();
    QCOMPARE(port.Open(), 1);
    QThread* boxThread = nullptr;
    window.dialogs.onBox = [&boxThread](const MessageBoxRequest&) {
        boxThread = QThread::currentThread();
    };

    uint8_t byte = 0;
    QVERIFY(!port.Read(&byte, 1)); // on the window's thread: shown at once
    QCOMPARE(window.dialogs.boxes.size(), 1);
    QCOMPARE(boxThread, QThread::currentThread());

    bool readResult = true;
    int boxesSeenByWorker = -1;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        readResult = port.Read(&byte, 1);
        boxesSeenByWorker = static_cast<int>(window.dialogs.boxes.size());
    }));
    worker->start();
    QTRY_VERIFY(worker->isFinished());
    QVERIFY(!readResult);
    QCOMPARE(boxesSeenByWorker, 2); // the worker waited until the box had been shown
    QCOMPARE(boxThread, QThread::currentThread());
    for (const MessageBoxRequest& box : window.dialogs.boxes) {
        QCOMPARE(box.text, QString("FT_IO_ERROR"));
        QCOMPARE(box.caption, QString("Error"));
        QCOMPARE(box.icon, BoxIcon::Error);
        QCOMPARE(box.buttons, BoxButtons::Ok);
    }
}

// Closing asks only when the window's settings differ from those last read, loaded, saved or
// written: the fixture changes one setting first. "Не сохранять" closes, "Отмена" (the answer
// to keep the window) leaves it open with its settings.
void TestMainForm::closeAsksForConfirmation_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("Не сохранять closes") << int(BoxResult::Discard) << true;
    QTest::newRow("Отмена keeps the window open") << int(BoxResult::Cancel) << false;
}

void TestMainForm::closeAsksForConfirmation() {
    QFETCH(int, answer);
    QFETCH(bool, closed);

    Window window;
    window.Start();
    window.form->show();
    auto* buttonLock = window.form->Control<RadioGroup>("KBBlockRadioGroup");
    buttonLock->SetItemIndex(1 - buttonLock->ItemIndex());
    window.dialogs.answers.enqueue(static_cast<BoxResult>(answer));
    QCOMPARE(window.form->close(), closed);
    QCOMPARE(window.form->isVisible(), !closed);
    QCOMPARE(window.dialogs.boxes.size(), 1);
    const MessageBoxRequest& box = window.dialogs.boxes.first();
    QCOMPARE(box.text, QString("Сохранить изменения в файл?"));
    QCOMPARE(box.icon, BoxIcon::Question);
    QCOMPARE(box.buttons, BoxButtons::SaveDiscardCancel);
    QCOMPARE(box.defaultButton, BoxResult::Save);
}

namespace {
// Translates a few window texts as a language library would.
class EnglishWindowTexts : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (QLatin1String(context) != QLatin1String("TMainForm")) {
            return {};
        }
        const QString text = QString::fromUtf8(source);
        if (text == "Смена ПО") {
            return "Firmware";
        }
        if (text == "Демо-режим") {
            return "Demo";
        }
        if (text == "Переключатель") {
            return "Switch";
        }
        if (text == "ШС%1") {
            return "Loop %1";
        }
        if (text == "&Установить") {
            return "&Connect";
        }
        return {};
    }
};
} // namespace

void TestMainForm::languageChangeReappliesTexts() {
    Window window;
    window.Start();
    TMainForm& form = *window.form;
    QSignalSpy typeTM(form.Control<RadioGroup>("TypeTMRadioGroup"), &RadioGroup::itemIndexChanged);
    EnglishWindowTexts english;
    QCoreApplication::installTranslator(&english); // sends LanguageChange to every widget
    QCoreApplication::processEvents();

    QCOMPARE(form.Control<PageControl>("PageControl1")->tabText(4), QString("Firmware"));
    QCOMPARE(form.Control<ComboList>("WorkMode")->currentText(), QString("Demo"));
    QCOMPARE(form.Control<ComboList>("WorkMode")->ItemIndex(), 2);
    QCOMPARE(form.Control<RadioGroup>("TypeTMRadioGroup")->Items().at(1), QString("Switch"));
    QCOMPARE(form.Control<RadioGroup>("TypeTMRadioGroup")->ItemIndex(), 0);
    QCOMPARE(form.Control<QLabel>("SecLinLabel3")->text(), QString("Loop 3"));
    QCOMPARE(form.Control<QLabel>("Label112")->text(), QString("Loop 8"));
    QCOMPARE(form.Control<QPushButton>("ConnectButton")->text(), QString("&Connect"));
    QCOMPARE(form.Control<ComboList>("TimePeriod2")->Items(), kPeriods);
    QCOMPARE(typeTM.count(), 0);

    QCoreApplication::removeTranslator(&english);
    QCoreApplication::processEvents();
    QCOMPARE(form.Control<PageControl>("PageControl1")->tabText(4), QString("Смена ПО"));
}

QTEST_MAIN(TestMainForm)
#include "tst_main_form.moc"
