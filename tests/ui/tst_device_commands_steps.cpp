// The window's side of a device operation, step by step on the window's thread: the status of
// every code (status text, box, labels, disconnect), the end states of the command buttons for
// every operation outcome, and the placing of a key identifier read from the reader.

#include "fake_ftdi_driver.h"
#include "recording_dialogs.h"
#include "window_driver.h"
#include "window_test_support.h"

#include "catalogue/message_catalogue.h"
#include "operations/status_codes.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <exception>
#include <memory>

Q_DECLARE_METATYPE(ButtonOutcome)
Q_DECLARE_METATYPE(BoxIcon)
Q_DECLARE_METATYPE(BoxOwner)

namespace {
constexpr int kKeys = 28;
constexpr int kCaptionError = 10001;
constexpr int kCaptionMessage = 10026;
constexpr int kMsgDisconnected = 10003;
constexpr char kBefore[] = "before";

const QStringList kCommandControls = {
    "ConnectButton", "CancelButton",  "ReadButton",   "WriteButton", "SaveButton",
    "LoadButton",    "DefaultButton", "LoadIdButton", "WorkMode",    "BtnAbout"};
const QStringList kFirmwareLabels = {"TypeLabel", "FileLabel",    "FileTypeLabel", "SizeLabel",
                                     "DateLabel", "VersionLabel", "DevSWLabel"};
const QStringList kDeviceLabels = {"SettingsTypeLabel", "SettingsVersionLabel", "TypeLabel",
                                   "DevSWLabel"};

QString Text(int id) {
    return velor::BuiltInMessageText(id);
}

// A window over a bridge driver that is never used, in the settings work mode, connected.
struct Window : WindowDriver {
    Window()
        : WindowDriver([](MainFormDeps& deps) {
              deps.makeDriver = [] {
                  return std::make_unique<FakeFtdiDriver>(std::make_shared<FakeFtdiScript>());
              };
          }) {
        form->FormCreate();
        form->FormActivate();
        PickWorkMode(0);
        form->SetButtonState(ButtonState::ConnectedSettings);
        form->SetStatusText(kBefore);
    }

    QString Commands() const { return Enabled(kCommandControls); }
    void SetAllCommands(bool enabled) {
        for (const QString& name : kCommandControls) {
            form->FindControl(name)->setEnabled(enabled);
        }
    }
    void FillLabels(const QStringList& names) {
        for (const QString& name : names) {
            form->Control<QLabel>(name)->setText("x");
        }
    }
};

StatusReport Report(int code, int deviceTypeCode = velor::status::kDeviceType580) {
    StatusReport report;
    report.StatusCode = code;
    report.DeviceTypeCode = deviceTypeCode;
    report.Descriptor.Type = 580;
    report.Descriptor.Version1 = 3;
    report.Descriptor.Version2 = 0;
    report.Descriptor.Version3 = 12;
    return report;
}
} // namespace

class TestDeviceCommandSteps : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void statusOfEveryCode_data();
    void statusOfEveryCode();
    void connectedStatusShowsTypeAndVersion_data();
    void connectedStatusShowsTypeAndVersion();
    void vorsanDeviceDisconnectsAfterItsBox();
    void buttonsAtTheEndOfEveryOperation_data();
    void buttonsAtTheEndOfEveryOperation();
    void placingAKeyIdentifier_data();
    void placingAKeyIdentifier();
    void unencodableWriteLeavesTheWindowConnected();

private:
    QTemporaryDir folder_;
};

void TestDeviceCommandSteps::initTestCase() {
    QVERIFY(PrepareFactoryFolder(folder_));
    LoadBuiltInCatalogue();
}

void TestDeviceCommandSteps::statusOfEveryCode_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<int>("boxText"); // 0: no box
    QTest::addColumn<int>("boxCaption");
    QTest::addColumn<BoxIcon>("icon");
    QTest::addColumn<BoxOwner>("owner");

    const auto row = [](const char* name, int code, int text, int caption, BoxIcon icon,
                        BoxOwner owner) {
        QTest::newRow(name) << code << Text(text) << text << caption << icon << owner;
    };
    const BoxIcon error = BoxIcon::Error;
    const BoxIcon info = BoxIcon::Information;
    row("2 incompatible device", 2, 10029, kCaptionError, error, BoxOwner::Active);
    row("5 no key on the reader", 5, 10031, kCaptionMessage, info, BoxOwner::Main);
    row("9 identifier already listed", 9, 10034, kCaptionError, error, BoxOwner::Active);
    row("10 settings written", 10, 10035, kCaptionMessage, info, BoxOwner::Main);
    row("11 settings read", 11, 10036, kCaptionMessage, info, BoxOwner::Main);
    row("15 firmware written", 15, 10040, kCaptionMessage, info, BoxOwner::Active);
    row("33 identification failed", 33, 10042, kCaptionError, error, BoxOwner::Active);
    row("34 firmware write failed", 34, 10048, kCaptionError, error, BoxOwner::Active);
    row("35 scenario selection failed", 35, 10052, kCaptionError, error, BoxOwner::Active);
    row("36 settings write failed", 36, 10057, kCaptionError, error, BoxOwner::Active);
    row("37 settings read failed", 37, 10058, kCaptionError, error, BoxOwner::Active);
    row("38 key read failed", 38, 10059, kCaptionError, error, BoxOwner::Active);
    QTest::newRow("12 key read: status text only")
        << 12 << Text(10037) << 0 << 0 << BoxIcon::None << BoxOwner::Main;
    for (const int unknown : {0, 1, 3, 13, 31, 39}) {
        QTest::newRow(qPrintable(QString("%1 changes nothing").arg(unknown)))
            << unknown << QString(kBefore) << 0 << 0 << BoxIcon::None << BoxOwner::Main;
    }
}

// The status text is in place when the box shows; nothing else of the window changes.
void TestDeviceCommandSteps::statusOfEveryCode() {
    QFETCH(int, code);
    QFETCH(QString, statusText);
    QFETCH(int, boxText);
    QFETCH(int, boxCaption);
    QFETCH(BoxIcon, icon);
    QFETCH(BoxOwner, owner);

    Window window;
    const QString commands = window.Commands();
    QString textWhileBoxOpen;
    window.dialogs.onBox = [&](const MessageBoxRequest&) {
        textWhileBoxOpen = window.form->StatusText();
    };
    window.form->ShowStatus(Report(code));

    QCOMPARE(window.form->StatusText(), statusText);
    QCOMPARE(window.dialogs.boxes.size(), boxText == 0 ? 0 : 1);
    if (boxText != 0) {
        const MessageBoxRequest& box = window.dialogs.boxes.first();
        QCOMPARE(box.text, Text(boxText));
        QCOMPARE(box.caption, Text(boxCaption));
        QCOMPARE(box.icon, icon);
        QCOMPARE(box.owner, owner);
        QCOMPARE(box.buttons, BoxButtons::Ok);
        QCOMPARE(textWhileBoxOpen, statusText);
    }
    QCOMPARE(window.Commands(), commands);
    QCOMPARE(window.Tabs(3), QString("+++"));
    for (const QString& label : kDeviceLabels) {
        QCOMPARE(window.Label(label), QString());
    }
}

void TestDeviceCommandSteps::connectedStatusShowsTypeAndVersion_data() {
    QTest::addColumn<int>("deviceTypeCode");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<QStringList>("labels"); // in the order of kDeviceLabels

    QTest::newRow("model 580") << int(velor::status::kDeviceType580)
                               << Text(10033).replace("%s", "580")
                               << QStringList{"580", "3_0_12", "580", "3_0_12"};
    QTest::newRow("another device-type code changes nothing")
        << 0 << QString(kBefore) << QStringList{"", "", "", ""};
}

void TestDeviceCommandSteps::connectedStatusShowsTypeAndVersion() {
    QFETCH(int, deviceTypeCode);
    QFETCH(QString, statusText);
    QFETCH(QStringList, labels);

    Window window;
    window.form->ShowStatus(Report(velor::status::kConnected, deviceTypeCode));

    QCOMPARE(window.form->StatusText(), statusText);
    QVERIFY(!statusText.contains("%s"));
    QVERIFY(window.dialogs.boxes.isEmpty());
    for (int i = 0; i < kDeviceLabels.size(); ++i) {
        QCOMPARE(window.Label(kDeviceLabels[i]), labels[i]);
    }
}

// The warning comes first, with the window still connected; then the window disconnects as the
// disconnect button does and hides the tabs of the main, loop and output pages.
void TestDeviceCommandSteps::vorsanDeviceDisconnectsAfterItsBox() {
    Window window;
    window.form->ShowStatus(Report(velor::status::kConnected));
    QString commandsWhileBoxOpen;
    window.dialogs.onBox = [&](const MessageBoxRequest&) {
        commandsWhileBoxOpen = window.Commands();
    };
    window.form->ShowStatus(Report(velor::status::kVorsanDevice));

    QCOMPARE(window.dialogs.boxes.size(), 1);
    const MessageBoxRequest& box = window.dialogs.boxes.first();
    QCOMPARE(box.text, Text(10053));
    QCOMPARE(box.caption, Text(kCaptionMessage));
    QCOMPARE(box.icon, BoxIcon::Warning);
    QCOMPARE(box.owner, BoxOwner::Active);
    QCOMPARE(commandsWhileBoxOpen, QString("-++++++--+"));
    QCOMPARE(window.form->StatusText(), Text(kMsgDisconnected));
    QCOMPARE(window.Commands(), QString("+-------++"));
    QCOMPARE(window.Tabs(3), QString("---"));
    for (const QString& label : kDeviceLabels) {
        QCOMPARE(window.Label(label), QString());
    }
}

void TestDeviceCommandSteps::buttonsAtTheEndOfEveryOperation_data() {
    QTest::addColumn<ButtonOutcome>("outcome");
    // Connect Cancel Read Write Save Load Default LoadId WorkMode About: + on, - off, = kept.
    QTest::addColumn<QString>("commands");
    QTest::addColumn<bool>("firmwareLabelsEmptied");

    QTest::newRow("connect, settings mode: success")
        << ButtonOutcome::ConnectedSettings << "-++++++=-+" << false;
    QTest::newRow("connect, firmware mode: success")
        << ButtonOutcome::ConnectedFirmware << "-+---+==-+" << false;
    QTest::newRow("key read: success")
        << ButtonOutcome::ConnectedSettingsWithLoadId << "-+++++++-+" << false;
    QTest::newRow("firmware write: success")
        << ButtonOutcome::FirmwareWritten << "-+-+-+====" << false;
    QTest::newRow("connect, settings mode: failure")
        << ButtonOutcome::FailureConnectSettings << "+-------+=" << false;
    QTest::newRow("connect, firmware mode: failure")
        << ButtonOutcome::FailureConnectFirmware << "+-----==+=" << false;
    QTest::newRow("settings write: failure")
        << ButtonOutcome::FailureWriteSettings << "+-------+=" << true;
    QTest::newRow("settings read: failure")
        << ButtonOutcome::FailureReadSettings << "+------=+=" << true;
    QTest::newRow("key read: failure") << ButtonOutcome::FailureReadKey << "+-------+=" << true;
    QTest::newRow("firmware write: failure")
        << ButtonOutcome::FailureWriteFirmware << "+-----==+=" << true;
}

// Run once from all commands enabled and once from all disabled, so that a kept state shows.
void TestDeviceCommandSteps::buttonsAtTheEndOfEveryOperation() {
    QFETCH(ButtonOutcome, outcome);
    QFETCH(QString, commands);
    QFETCH(bool, firmwareLabelsEmptied);

    for (const bool before : {true, false}) {
        Window window;
        window.SetAllCommands(before);
        window.FillLabels(kFirmwareLabels + kDeviceLabels);
        window.form->SetButtons(outcome);

        QString expected = commands;
        expected.replace('=', before ? '+' : '-');
        QCOMPARE(window.Commands(), expected);
        for (const QString& label : kFirmwareLabels) {
            QCOMPARE(window.Label(label).isEmpty(), firmwareLabelsEmptied);
        }
        QCOMPARE(window.Label("SettingsTypeLabel"), QString("x"));
        QCOMPARE(window.Label("SettingsVersionLabel"), QString("x"));
    }
}

void TestDeviceCommandSteps::placingAKeyIdentifier_data() {
    QTest::addColumn<quint64>("identifier");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("before"); // CodeTM1 ... in order; the rest empty
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("duplicateBox");

    const QString a = "0123456789AB";
    const QString b = "A1B2C3D4E5F6";
    QTest::newRow("new identifier into an empty edit")
        << quint64(0x0123456789AB) << 3 << QStringList{b} << QStringList{b, "", a} << false;
    QTest::newRow("replaces what the edit held")
        << quint64(0x0123456789AB) << 1 << QStringList{b} << QStringList{a} << false;
    QTest::newRow("leading zeros kept, upper case") << quint64(0x00000000000A) << 2 << QStringList{}
                                                    << QStringList{"", "00000000000A"} << false;
    QTest::newRow("already in another edit")
        << quint64(0xA1B2C3D4E5F6) << 3 << QStringList{"", b} << QStringList{"", b} << true;
    QTest::newRow("already in the target edit itself")
        << quint64(0xA1B2C3D4E5F6) << 2 << QStringList{"", b} << QStringList{"", b} << true;
    // Six FF bytes have no identifier text: never matched against an empty edit, never placed.
    QTest::newRow("all 48 bits set, empty edits")
        << quint64(0xFFFFFFFFFFFF) << 1 << QStringList{} << QStringList{} << false;
}

void TestDeviceCommandSteps::placingAKeyIdentifier() {
    QFETCH(quint64, identifier);
    QFETCH(int, key);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(bool, duplicateBox);

    Window window;
    for (int k = 1; k <= kKeys; ++k) {
        window.Code(k)->setText(k <= before.size() ? before[k - 1] : QString());
    }
    window.form->PlaceKeyIdentifier(identifier, key);

    for (int k = 1; k <= kKeys; ++k) {
        QCOMPARE(window.Code(k)->text(), k <= after.size() ? after[k - 1] : QString());
    }
    QCOMPARE(window.dialogs.boxes.size(), duplicateBox ? 1 : 0);
    if (duplicateBox) {
        QCOMPARE(window.dialogs.boxes.first().text, Text(10034));
        QCOMPARE(window.dialogs.boxes.first().caption, Text(kCaptionError));
        QCOMPARE(window.form->StatusText(), Text(10034));
    }
}

// The image is encoded before the write changes anything: when it cannot be encoded, the error
// abandons the command and the window stays connected with every command as it was.
void TestDeviceCommandSteps::unencodableWriteLeavesTheWindowConnected() {
    Window window;
    QSignalSpy started(window.form.get(), &TMainForm::operationStarted);
    QLineEdit* code = window.Code(1);
    code->setEnabled(false); // the edit's own rule keeps typed text hexadecimal
    code->setText("0123456789AX");
    code->setEnabled(true);
    const QString commands = window.Commands();

    window.form->WriteButtonClick();
    // The conversion error is shown in the exception box; nothing else changes.
    QCOMPARE(window.dialogs.boxes.size(), 1);
    QCOMPARE(window.dialogs.boxes.at(0).text, QString("''X'' не является целым числом"));
    QCOMPARE(window.dialogs.boxes.at(0).icon, BoxIcon::Error);
    QCOMPARE(window.Commands(), commands);
    QCOMPARE(window.form->StatusText(), QString(kBefore));
    QCOMPARE(started.count(), 0);
    QVERIFY(!window.form->IsOperationRunning());
}

QTEST_MAIN(TestDeviceCommandSteps)
#include "tst_device_commands_steps.moc"
