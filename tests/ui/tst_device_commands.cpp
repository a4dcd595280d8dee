// The window's device commands end to end: the real tty driver and the window's port, device
// object and operation thread, talking to the simulated model 580 on a pseudo-terminal. Connect,
// write, read and key read with their boxes, status texts and button states; one operation at a
// time; closing and destroying the window while an operation runs; the driver's I/O error box.

#include "fake_ftdi_driver.h"
#include "recording_dialogs.h"
#include "sim_window_rig.h"
#include "window_test_support.h"

#include "catalogue/message_catalogue.h"
#include "link/protocol.h"
#include "link/tty_ftdi_driver.h"
#include "operations/status_codes.h"
#include "settings/settings_image.h"
#include "sim/pty_server.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <memory>
#include <optional>

using velor::sim::BlockResponse;
using velor::sim::Bytes;
using velor::sim::PtyServer;
using velor::sim::ReplyFault;
using velor::sim::SimDevice;
using velor::sim::SimState;
namespace protocol = velor::protocol;
using namespace sim_window;

namespace {
constexpr int kKeys = 28;
constexpr uint64_t kAllOnes = 0xFFFF'FFFF'FFFFull;

// Connect Cancel Read Write Save Load Default LoadId WorkMode About, as '+' and '-'.
const QString kConnectedSettings = "-++++++--+";
const QString kConnectedFirmware = "-+---+---+";
const QString kKeyRead = "-+++++++-+";
const QString kDisconnected = "+-------++";

QString ConnectedText() {
    return Text(10033).replace("%s", "580");
}

// The firmware image of a model 580 on platform 5, version 3.1.7: descriptor, four further
// header bytes, two payload blocks, two trailing bytes.
Bytes FirmwareFile() {
    Bytes image{0x44, 0x02, 0x05, 0x00, 3, 1, 7, 0xA1, 0xA2, 0xA3, 0xA4};
    for (int i = 0; i < 2 * 64; ++i) {
        image.push_back(static_cast<uint8_t>(i * 7 + 1));
    }
    image.push_back(0xEE);
    image.push_back(0xFF);
    return image;
}

// The nth reply to the command is spoilt.
SimState WithFault(ReplyFault::Kind kind, uint8_t command, int nth = 1) {
    SimState state;
    state.behaviour.faults.push_back({kind, command, nth});
    return state;
}

} // namespace

using MaybeKey = std::optional<uint64_t>;
Q_DECLARE_METATYPE(SimState)
Q_DECLARE_METATYPE(MaybeKey)
Q_DECLARE_METATYPE(Command)

class TestDeviceCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void connectOutcomes_data();
    void connectOutcomes();
    void failedTransfers_data();
    void failedTransfers();
    void writeEndsWithFreshConnection_data();
    void writeEndsWithFreshConnection();
    void readShowsTheSettingsAfterItsBox();
    void keyReadOutcomes_data();
    void keyReadOutcomes();
    void oneOperationAtATime();
    void closeWaitsForTheOperation_data();
    void closeWaitsForTheOperation();
    void destroyingTheWindowWaitsForTheOperation();
    void ioErrorBoxWhileTheWorkerWaits();
    void lostDeviceGivesOneBox_data();
    void lostDeviceGivesOneBox();
    void lostDeviceBoxOnlyForItsOperation();
    void closeDuringAFailingOperation_data();
    void closeDuringAFailingOperation();
    void failedConnectLeavesThePortFree();

private:
    QTemporaryDir folder_;
};

void TestDeviceCommands::initTestCase() {
    QVERIFY(PrepareFactoryFolder(folder_));
    LoadBuiltInCatalogue();
}

void TestDeviceCommands::connectOutcomes_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("version1");
    QTest::addColumn<SimState>("sim");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<QString>("commands");
    QTest::addColumn<QString>("tabs"); // main, loop, output and key pages
    QTest::addColumn<QString>("version");

    const SimState plain;
    QTest::newRow("model 580, settings mode") << kSettingsMode << 580 << 3 << plain << QStringList{}
                                              << ConnectedText() << kConnectedSettings << "++++"
                                              << "3_1_7";
    QTest::newRow("model 580, firmware mode") << kFirmwareMode << 580 << 3 << plain << QStringList{}
                                              << ConnectedText() << kConnectedFirmware << "----"
                                              << "3_1_7";
    // A Velor-Vorsan device: its settings cannot be changed, its firmware can.
    QTest::newRow("first version byte 2, settings mode")
        << kSettingsMode << 580 << 2 << plain << QStringList{Text(10053)} << Text(10003)
        << kDisconnected << "----"
        << "";
    QTest::newRow("first version byte 2, firmware mode")
        << kFirmwareMode << 580 << 2 << plain << QStringList{} << ConnectedText()
        << kConnectedFirmware << "----"
        << "2_1_7";
    // A foreign device leaves the buttons as connecting left them.
    QTest::newRow("another type") << kSettingsMode << 581 << 3 << plain << QStringList{Text(10029)}
                                  << Text(10029) << "--------++"
                                  << "++++"
                                  << "";
    QTest::newRow("identification fails")
        << kSettingsMode << 580 << 3 << WithFault(ReplyFault::Kind::BadCrc, protocol::kCmdIdentify)
        << QStringList{Text(10042)} << Text(10042) + ": прибор на <port> не отвечает"
        << kDisconnected << "++++"
        << "";
}

void TestDeviceCommands::connectOutcomes() {
    QFETCH(int, workMode);
    QFETCH(int, type);
    QFETCH(int, version1);
    QFETCH(SimState, sim);
    QFETCH(QStringList, boxes);
    QFETCH(QString, statusText);
    QFETCH(QString, commands);
    QFETCH(QString, tabs);
    QFETCH(QString, version);

    sim.identity.type = static_cast<uint16_t>(type);
    sim.identity.version[0] = static_cast<uint8_t>(version1);
    Rig rig(sim);
    QVERIFY(rig.Connect(workMode));

    QCOMPARE(rig.Boxes(), boxes);
    QCOMPARE(rig.form->StatusText(), statusText.replace("<port>", rig.PortPath()));
    QCOMPARE(rig.Commands(), commands);
    QCOMPARE(rig.Tabs(4), tabs);
    QCOMPARE(rig.Label("SettingsVersionLabel"), version);
    QCOMPARE(rig.Label("DevSWLabel"), version);
    QCOMPARE(rig.Label("SettingsTypeLabel"), version.isEmpty() ? QString() : QString("580"));
    QCOMPARE(rig.Label("TypeLabel"), version.isEmpty() ? QString() : QString("580"));
    if (!rig.dialogs.boxes.isEmpty()) {
        QCOMPARE(rig.dialogs.boxes.first().owner, BoxOwner::Active);
    }
}

void TestDeviceCommands::failedTransfers_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<SimState>("sim");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("progressReset");
    QTest::addColumn<QString>("commands");
    QTest::addColumn<QList<int>>("started");

    const SimState noScenario = WithFault(ReplyFault::Kind::BadCrc, protocol::kCmdSelectScenario);
    const SimState badRead = WithFault(ReplyFault::Kind::BadCrc, protocol::kCmdReadRequest);
    // The write's own selection comes after the one of the read before it.
    const SimState noWriteScenario =
        WithFault(ReplyFault::Kind::BadCrc, protocol::kCmdSelectScenario, 2);
    SimState refused;
    refused.behaviour.blockResponses[0] = {BlockResponse::Kind::Refuse, 0, 0};
    const QList<int> write{int(Operation::ConnectSettings), int(Operation::ReadSettings),
                           int(Operation::WriteSettings), int(Operation::ConnectSettings)};
    const QList<int> read{int(Operation::ConnectSettings), int(Operation::ReadSettings)};
    const QList<int> key{int(Operation::ConnectSettings), int(Operation::ReadKey)};

    // A failed scenario selection skips the transfer and leaves the progress as it was (a
    // write's read before it has put it back to 0). A write reads the device's settings first;
    // when that fails, nothing is written.
    QTest::newRow("write: scenario refused, then reconnected")
        << Command::Write << noWriteScenario << Text(10052) << true << kConnectedSettings << write;
    QTest::newRow("write: block refused, then reconnected")
        << Command::Write << refused << Text(10057) << true << kConnectedSettings << write;
    QTest::newRow("write: the device's settings not read, nothing written")
        << Command::Write << badRead << Text(10058) << true << kDisconnected << read;
    QTest::newRow("read: scenario refused")
        << Command::Read << noScenario << Text(10052) << false << kDisconnected << read;
    QTest::newRow("read: reply corrupted")
        << Command::Read << badRead << Text(10058) << true << kDisconnected << read;
    QTest::newRow("key read: scenario refused")
        << Command::ReadKey << noScenario << Text(10052) << false << kDisconnected << key;
    QTest::newRow("key read: reply corrupted")
        << Command::ReadKey << badRead << Text(10059) << true << kDisconnected << key;
}

void TestDeviceCommands::failedTransfers() {
    QFETCH(Command, command);
    QFETCH(SimState, sim);
    QFETCH(QString, box);
    QFETCH(bool, progressReset);
    QFETCH(QString, commands);
    QFETCH(QList<int>, started);

    Rig rig(sim);
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);
    QVERIFY(rig.Connect(kSettingsMode));
    rig.Gauge()->setRange(0, 10);
    rig.Gauge()->setValue(2);
    rig.Issue(command);
    QVERIFY(rig.WaitIdle());

    QCOMPARE(rig.Boxes(), QStringList{box});
    QCOMPARE(rig.dialogs.boxes.first().caption, Text(10001));
    QCOMPARE(rig.dialogs.boxes.first().icon, BoxIcon::Error);
    QCOMPARE(rig.Gauge()->value(), progressReset ? 0 : 2);
    QCOMPARE(rig.Commands(), commands);
    QCOMPARE(Started(spy), started);
}

void TestDeviceCommands::writeEndsWithFreshConnection_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QList<int>>("round");
    QTest::addColumn<QString>("commands");

    // A settings write reads the device first and reads back after the reconnection; its box
    // comes once the read back has matched.
    QTest::newRow("settings") << kSettingsMode << Text(10035)
                              << QList<int>{int(Operation::ReadSettings),
                                            int(Operation::WriteSettings),
                                            int(Operation::ConnectSettings),
                                            int(Operation::ReadSettings)}
                              << kConnectedSettings;
    QTest::newRow("firmware") << kFirmwareMode << Text(10040)
                              << QList<int>{int(Operation::WriteFirmware),
                                            int(Operation::ConnectFirmware)}
                              << kConnectedFirmware;
}

// Two writes in a row: each one sends the whole image, shows its box (a firmware write while the
// gauge stands at its end and the about button is off), and ends connected again with the about
// button back.
void TestDeviceCommands::writeEndsWithFreshConnection() {
    QFETCH(int, workMode);
    QFETCH(QString, box);
    QFETCH(QList<int>, round);
    QFETCH(QString, commands);

    Rig rig;
    QVERIFY(rig.Connect(workMode));
    const Bytes firmware = FirmwareFile();
    if (workMode == kFirmwareMode) {
        QFile file(folder_.filePath("Base/update.tsk"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(firmware.data()),
                   static_cast<qint64>(firmware.size()));
        file.close();
        rig.dialogs.openAnswers.enqueue(file.fileName());
        rig.form->LoadButtonClick();
        QVERIFY(rig.form->Control<QPushButton>("WriteButton")->isEnabled());
    }
    bool gaugeFullDuringBox = false;
    bool aboutOffDuringBox = false;
    rig.dialogs.onBox = [&](const MessageBoxRequest& request) {
        if (request.buttons == BoxButtons::OkCancel) { // the firmware write's confirmation
            rig.dialogs.answers.enqueue(BoxResult::Ok);
            return;
        }
        gaugeFullDuringBox =
            rig.Gauge()->maximum() > 0 && rig.Gauge()->value() == rig.Gauge()->maximum();
        aboutOffDuringBox = !rig.form->Control<QPushButton>("BtnAbout")->isEnabled();
    };
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);

    // The hidden trace of the settings encoding holds the last write's lines only.
    const auto* trace = rig.form->Control<QListWidget>("ListBox2");
    int firstTraceLines = -1;
    for (int written = 1; written <= 2; ++written) {
        rig.Sim([](SimDevice& d) {
            d.State().settings.clear();
            d.State().firmware.reset();
        });
        rig.dialogs.boxes.clear();
        rig.form->WriteButtonClick();
        QVERIFY(rig.WaitIdle());

        QCOMPARE(rig.Boxes().filter(box), QStringList{box});
        QCOMPARE(rig.Gauge()->value(), 0);
        QCOMPARE(Started(spy).mid(round.size() * (written - 1)), round);
        QCOMPARE(rig.Commands(), commands);
        if (written == 1) {
            firstTraceLines = trace->count();
            QCOMPARE(firstTraceLines > 0, workMode == kSettingsMode);
        }
        QCOMPARE(trace->count(), firstTraceLines);
        if (workMode == kSettingsMode) {
            const SettingsImage window = rig.form->EncodeSettings();
            const Bytes stored = rig.Sim([](SimDevice& d) { return d.State().settings; });
            QCOMPARE(stored, Bytes(window.bytes().begin(), window.bytes().end()));
            QVERIFY2(rig.form->StatusText().startsWith("Запись настроек проверена"),
                     qPrintable(rig.form->StatusText()));
        } else {
            QVERIFY(gaugeFullDuringBox);
            QVERIFY(aboutOffDuringBox);
            QCOMPARE(rig.form->StatusText(), ConnectedText());
            const auto received = rig.Sim([](SimDevice& d) { return d.State().firmware; });
            QVERIFY(received.has_value());
            QCOMPARE(received->payload, Bytes(firmware.begin() + 11, firmware.end() - 2));
        }
    }
}

void TestDeviceCommands::readShowsTheSettingsAfterItsBox() {
    Rig rig;
    QVERIFY(rig.Connect(kSettingsMode));
    SettingsImage image = rig.form->EncodeSettings();
    image.SetIdentifierCount(2);
    image.SetIdentifierCode(1, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB});
    image.SetArmRights(1, 0x05);
    image.SetDisarmRights(1, 0x05);
    image.SetIdentifierCode(2, {0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6});
    image.SetArmRights(2, 0x80);
    image.SetDisarmRights(2, 0x01);
    QVERIFY(image != rig.form->EncodeSettings());
    rig.Sim([&image](SimDevice& d) {
        d.State().settings.assign(image.bytes().begin(), image.bytes().end());
    });
    rig.form->Control<QCheckBox>("OnekeymodeAll")->setChecked(true);
    rig.form->Control<QCheckBox>("onekeymode7")->setChecked(true);

    int tickedAtStart = -1;
    connect(rig.form.get(), &TMainForm::operationStarted, this, [&rig, &tickedAtStart] {
        tickedAtStart = 0;
        for (int key = 1; key <= kKeys; ++key) {
            tickedAtStart +=
                rig.form->Control<QCheckBox>(QString("onekeymode%1").arg(key))->isChecked();
        }
        tickedAtStart += rig.form->Control<QCheckBox>("OnekeymodeAll")->isChecked();
    });
    QString codeDuringBox = "not shown";
    QString statusDuringBox;
    rig.dialogs.onBox = [&](const MessageBoxRequest&) {
        codeDuringBox = rig.Code(1)->text();
        statusDuringBox = rig.form->StatusText();
    };
    rig.form->ReadButtonClick();
    QVERIFY(rig.WaitIdle());

    QCOMPARE(tickedAtStart, 0);
    QCOMPARE(rig.Boxes(), QStringList{Text(10036)});
    QCOMPARE(rig.dialogs.boxes.first().owner, BoxOwner::Main);
    QCOMPARE(codeDuringBox, QString());
    QCOMPARE(statusDuringBox, Text(10036));
    QCOMPARE(rig.Code(1)->text(), QString("0123456789AB"));
    QCOMPARE(rig.Code(2)->text(), QString("A1B2C3D4E5F6"));
    QVERIFY(rig.form->EncodeSettings() == image);
    QCOMPARE(rig.Commands(), kConnectedSettings);
}

void TestDeviceCommands::keyReadOutcomes_data() {
    QTest::addColumn<MaybeKey>("key");
    QTest::addColumn<int>("target");
    QTest::addColumn<QStringList>("before"); // CodeTM1 ... in order; the rest empty
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("statusText");

    QStringList full;
    for (int key = 1; key <= kKeys; ++key) {
        full << QString("%1").arg(key, 12, 16, QLatin1Char('0')).toUpper();
    }
    const QString a = "A1B2C3D4E5F6";
    QTest::newRow("new identifier")
        << MaybeKey(0xA1B2C3D4E5F6) << 2 << QStringList{"0123456789AB"}
        << QStringList{"0123456789AB", a} << QStringList{} << Text(10037);
    QTest::newRow("identifier already listed")
        << MaybeKey(0xA1B2C3D4E5F6) << 2 << QStringList{a, ""} << QStringList{a, ""}
        << QStringList{Text(10034)} << Text(10037);
    QTest::newRow("no key on the reader") << MaybeKey() << 2 << QStringList{a} << QStringList{a}
                                          << QStringList{Text(10031)} << Text(10031);
    // Six FF bytes are no identifier: reported as an empty reader, whatever the edits hold.
    QTest::newRow("six FF bytes, empty edits")
        << MaybeKey(kAllOnes) << 2 << QStringList{a} << QStringList{a} << QStringList{Text(10031)}
        << Text(10031);
    QTest::newRow("six FF bytes, every edit filled")
        << MaybeKey(kAllOnes) << 2 << full << full << QStringList{Text(10031)} << Text(10031);
}

void TestDeviceCommands::keyReadOutcomes() {
    QFETCH(MaybeKey, key);
    QFETCH(int, target);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QStringList, boxes);
    QFETCH(QString, statusText);

    SimState sim;
    sim.key = key;
    Rig rig(sim);
    QVERIFY(rig.Connect(kSettingsMode));
    for (int k = 1; k <= kKeys; ++k) {
        rig.Code(k)->setText(k <= before.size() ? before[k - 1] : QString());
    }
    QVERIFY(rig.ReadKey(target));

    for (int k = 1; k <= kKeys; ++k) {
        QCOMPARE(rig.Code(k)->text(), k <= after.size() ? after[k - 1] : QString());
    }
    QCOMPARE(rig.Boxes(), boxes);
    QCOMPARE(rig.form->StatusText(), statusText);
    QCOMPARE(rig.Commands(), kKeyRead);
}

// While a connection runs (its thread waits for the window to take its first step), no other
// command starts a second operation, whichever of them is enabled.
void TestDeviceCommands::oneOperationAtATime() {
    Rig rig;
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);
    rig.PickWorkMode(kSettingsMode);
    rig.form->ConnectButtonClick();
    QVERIFY(rig.form->IsOperationRunning());

    QVERIFY(!rig.form->StartOperation(Operation::ReadKey, {1}));
    // Not connected yet: the click does not offer the key read, and the command refuses.
    rig.form->Id1Click(rig.Code(1));
    QVERIFY(!rig.form->Control<QPushButton>("LoadIdButton")->isEnabled());
    rig.form->LoadIdButtonClick();
    rig.form->ReadButtonClick();
    rig.form->WriteButtonClick();
    QCOMPARE(Started(spy), QList<int>{int(Operation::ConnectSettings)});

    QVERIFY(rig.WaitIdle());
    QCOMPARE(Started(spy), QList<int>{int(Operation::ConnectSettings)});
    QCOMPARE(rig.form->StatusText(), ConnectedText());
    QCOMPARE(rig.Commands().left(7), kConnectedSettings.left(7));
    QVERIFY(rig.Boxes().isEmpty());
    // Once it has ended, the next operation starts.
    QVERIFY(rig.form->StartOperation(Operation::ReadKey, {1}));
    QVERIFY(rig.WaitIdle());
}

void TestDeviceCommands::closeWaitsForTheOperation_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QList<int>>("started");

    // A write closed while it reads the device's settings first writes nothing, and does not
    // connect again afterwards.
    QTest::newRow("settings write")
        << Command::Write << QString() << QList<int>{int(Operation::ReadSettings)};
    QTest::newRow("settings read")
        << Command::Read << Text(10036) << QList<int>{int(Operation::ReadSettings)};
    QTest::newRow("key read") << Command::ReadKey << QString()
                              << QList<int>{int(Operation::ReadKey)};
}

// The close request arrives while the command's thread runs. The window asks, then keeps its
// events running until the thread has finished, so the thread's steps (and their boxes) still
// reach the window; only then does it close.
void TestDeviceCommands::closeWaitsForTheOperation() {
    QFETCH(Command, command);
    QFETCH(QString, box);
    QFETCH(QList<int>, started);

    SimState sim;
    sim.key = 0x0123456789AB;
    Rig rig(sim);
    QVERIFY(rig.Connect(kSettingsMode));
    rig.form->show();
    rig.ConfirmClose();
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);
    std::optional<bool> closed;
    bool runningAfterClose = true;
    QTimer::singleShot(0, rig.form.get(), [&] {
        closed = rig.form->close();
        runningAfterClose = rig.form->IsOperationRunning();
    });
    rig.Issue(command);
    QTRY_VERIFY_WITH_TIMEOUT(closed.has_value(), kWaitMs);

    QVERIFY(*closed);
    QVERIFY(!runningAfterClose);
    QVERIFY(!rig.form->isVisible());
    QCOMPARE(rig.Boxes().count(Text(kMsgConfirmClose)), 1);
    if (!box.isEmpty()) {
        QVERIFY(rig.Boxes().contains(box));
    }
    if (command == Command::ReadKey) {
        QCOMPARE(rig.Code(1)->text(), QString("0123456789AB"));
    }
    QCOMPARE(Started(spy), started); // a write or a reconnect would have started meanwhile
    QVERIFY(!rig.form->IsOperationRunning());
}

// The destructor waits for the thread, whose steps still run on the window: here the box of a
// foreign device, shown while the window is being destroyed.
void TestDeviceCommands::destroyingTheWindowWaitsForTheOperation() {
    SimState sim;
    sim.identity.type = 581;
    Rig rig(sim);
    rig.PickWorkMode(kSettingsMode);
    rig.form->ConnectButtonClick();
    QVERIFY(rig.form->IsOperationRunning());
    rig.form.reset();

    QCOMPARE(rig.Boxes(), QStringList{Text(10029)});
}

// The port's "FT_IO_ERROR" box of a failed driver read comes on the window's thread while the
// operation waits for it; the operation then ends with its own failure.
void TestDeviceCommands::ioErrorBoxWhileTheWorkerWaits() {
    RecordingDialogs dialogs;
    auto script = std::make_shared<FakeFtdiScript>();
    script->status["Read"] = kFtIoError;
    TMainForm form(
        TestWindowDeps(dialogs, [script] { return std::make_unique<FakeFtdiDriver>(script); }));
    form.FormCreate();
    form.FormActivate();
    form.Control<ComboList>("WorkMode")->SetItemIndex(kSettingsMode);
    form.WorkModeClick();

    QList<QThread*> boxThreads;
    QList<bool> runningDuringBox;
    dialogs.onBox = [&](const MessageBoxRequest&) {
        boxThreads << QThread::currentThread();
        runningDuringBox << form.IsOperationRunning();
    };
    form.ConnectButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(!form.IsOperationRunning(), kWaitMs);

    QVERIFY(dialogs.boxes.size() >= 2);
    QCOMPARE(dialogs.boxes.first().text, QString("FT_IO_ERROR"));
    QCOMPARE(dialogs.boxes.last().text, Text(10042));
    for (int i = 0; i < dialogs.boxes.size(); ++i) {
        QCOMPARE(boxThreads[i], QThread::currentThread());
        QVERIFY(runningDuringBox[i]);
    }
    QCOMPARE(form.StatusText(), Text(10042));
}

void TestDeviceCommands::lostDeviceGivesOneBox_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<int>("hangUpAfter"); // frames the device serves before the line drops
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QList<int>>("started");
    QTest::addColumn<QString>("commands");

    const int connect = int(Operation::ConnectSettings);
    // Identify, acknowledge; the read before the write (scenario, acknowledge, request, five
    // acknowledges); scenario, acknowledge, blocks 0 and 1 (busy 5 s); the poll drops it.
    QTest::newRow("write: during a busy wait, no reconnect")
        << Command::Write << 14 << Text(10057)
        << QList<int>{connect, int(Operation::ReadSettings), int(Operation::WriteSettings)}
        << kDisconnected;
    // Identify, acknowledge, scenario, acknowledge, read request; block 0's acknowledge drops it.
    QTest::newRow("read: during the transfer")
        << Command::Read << 5 << Text(10058) << QList<int>{connect, int(Operation::ReadSettings)}
        << kDisconnected;
    // Identify, acknowledge, scenario, acknowledge; the key read request drops it.
    QTest::newRow("key read: at its request")
        << Command::ReadKey << 4 << Text(10059) << QList<int>{connect, int(Operation::ReadKey)}
        << kDisconnected;
}

// The device vanishes during an operation: one box in the window's language naming the device,
// and nothing after it (no driver error boxes, no box of the operation's failure, none of a
// reconnect that could only fail). The status bar keeps the operation's failure.
void TestDeviceCommands::lostDeviceGivesOneBox() {
    QFETCH(Command, command);
    QFETCH(int, hangUpAfter);
    QFETCH(QString, failure);
    QFETCH(QList<int>, started);
    QFETCH(QString, commands);

    SimState sim;
    sim.behaviour.blockResponses[1] = {BlockResponse::Kind::Busy, 6, 1};
    sim.behaviour.hangUpAfterFrames = hangUpAfter;
    sim.key = 0x0123456789AB;
    Rig rig(sim);
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);
    QVERIFY(rig.Connect(kSettingsMode));
    rig.Issue(command);
    QVERIFY(rig.WaitIdle());

    const QStringList boxes = rig.Boxes();
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.first().startsWith("Связь с прибором " + rig.Path() + " потеряна ("),
             qPrintable(boxes.first()));
    QCOMPARE(rig.dialogs.boxes.first().caption, Text(10001));
    QCOMPARE(rig.dialogs.boxes.first().icon, BoxIcon::Error);
    QCOMPARE(rig.form->StatusText(), failure.replace("<port>", rig.PortPath()));
    QCOMPARE(Started(spy), started);
    QCOMPARE(rig.Commands(), commands);
}

// The device-lost box stands for the failure of its own operation only: the next operation's
// failure has its box again.
void TestDeviceCommands::lostDeviceBoxOnlyForItsOperation() {
    RecordingDialogs dialogs;
    auto script = std::make_shared<FakeFtdiScript>();
    script->status["Read"] = kFtDeviceNotFound;
    script->ioFailure = {"/dev/ttyUSB0", "Ошибка ввода/вывода"};
    TMainForm form(
        TestWindowDeps(dialogs, [script] { return std::make_unique<FakeFtdiDriver>(script); }));
    form.FormCreate();
    form.FormActivate();
    form.Control<ComboList>("WorkMode")->SetItemIndex(kSettingsMode);
    form.WorkModeClick();
    form.ConnectButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(!form.IsOperationRunning(), kWaitMs);
    QCOMPARE(dialogs.boxes.size(), 1);
    QCOMPARE(form.StatusText(), Text(10042));

    script->status.erase("Read"); // the device is back, and says nothing
    form.ConnectButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(!form.IsOperationRunning(), kWaitMs);
    QCOMPARE(dialogs.boxes.size(), 2);
    QCOMPARE(dialogs.boxes.last().text, Text(10042));
}

void TestDeviceCommands::closeDuringAFailingOperation_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<SimState>("sim");
    QTest::addColumn<bool>("lostBox");    // the device-lost box is shown after the confirmation
    QTest::addColumn<QString>("failure"); // status text; its box only for a write
    QTest::addColumn<bool>("failureBox");

    const SimState readFails = WithFault(ReplyFault::Kind::BadCrc, protocol::kCmdReadRequest);
    SimState readLost;
    readLost.behaviour.hangUpAfterFrames = 5; // block 0's acknowledge drops the line
    SimState writeLost;
    writeLost.behaviour.blockResponses[1] = {BlockResponse::Kind::Busy, 6, 1};
    writeLost.behaviour.hangUpAfterFrames = 14; // after the read before the write, the poll
    SimState writeRefused;
    writeRefused.behaviour.blockResponses[2] = {BlockResponse::Kind::Refuse, 1, 1};

    QTest::newRow("connect: identification fails")
        << Command::Connect << WithFault(ReplyFault::Kind::BadCrc, protocol::kCmdIdentify) << false
        << Text(10042) + ": прибор на <port> не отвечает" << false;
    QTest::newRow("read: a block with a bad CRC")
        << Command::Read << readFails << false << Text(10058) << false;
    QTest::newRow("key read: its reply with a bad CRC")
        << Command::ReadKey << readFails << false << Text(10059) << false;
    QTest::newRow("read: the device goes")
        << Command::Read << readLost << false << Text(10058) << false;
    // A write cut short or refused is still reported: the device may hold part of it.
    QTest::newRow("write: the device goes")
        << Command::Write << writeLost << true << Text(10057) << false;
    QTest::newRow("write: a block refused")
        << Command::Write << writeRefused << false << Text(10057) << true;
}

// The technician confirms the close ("Да") while an operation runs, and the operation then
// fails. The window waits for it and closes; a failure of a connection or a read, whose result
// the closing drops anyway, shows no box after the confirmation, while a write's failure does.
void TestDeviceCommands::closeDuringAFailingOperation() {
    QFETCH(Command, command);
    QFETCH(SimState, sim);
    QFETCH(bool, lostBox);
    QFETCH(QString, failure);
    QFETCH(bool, failureBox);

    Rig rig(sim);
    if (command == Command::Connect) {
        rig.PickWorkMode(kSettingsMode);
    } else {
        QVERIFY(rig.Connect(kSettingsMode));
    }
    rig.form->show();
    rig.ConfirmClose();
    std::optional<bool> closed;
    bool runningAtClose = false;
    const auto closeSoon = [&] {
        QTimer::singleShot(0, rig.form.get(), [&] {
            runningAtClose = rig.form->IsOperationRunning();
            closed = rig.form->close();
        });
    };
    // A write is closed during the write itself, after the read of the device's settings.
    if (command == Command::Write) {
        QObject::connect(rig.form.get(), &TMainForm::operationStarted, rig.form.get(),
                         [&](Operation started) {
                             if (started == Operation::WriteSettings) {
                                 closeSoon();
                             }
                         });
    } else {
        closeSoon();
    }
    rig.Issue(command);
    QTRY_VERIFY_WITH_TIMEOUT(closed.has_value(), kWaitMs);

    QVERIFY(runningAtClose);
    QVERIFY(*closed);
    QVERIFY(!rig.form->isVisible());
    QStringList boxes = rig.Boxes();
    QCOMPARE(boxes.value(0), Text(kMsgConfirmClose));
    boxes.removeFirst();
    if (lostBox) {
        QVERIFY2(!boxes.isEmpty() && boxes.takeFirst().startsWith("Связь с прибором "),
                 qPrintable(rig.Boxes().join('|')));
    }
    QCOMPARE(boxes, failureBox ? QStringList{failure} : QStringList{});
    QCOMPARE(rig.form->StatusText(), failure.replace("<port>", rig.PortPath()));
}

// A device that does not answer leaves no link: the window does not keep the port (and its lock)
// from other programs while it talks to nobody.
void TestDeviceCommands::failedConnectLeavesThePortFree() {
    SimState sim;
    sim.behaviour.faults.push_back({ReplyFault::Kind::BadCrc, velor::protocol::kCmdIdentify, 1});
    Rig rig(sim);
    QVERIFY(rig.Connect(kSettingsMode));
    QVERIFY(!rig.form->IsConnected());
    TtyFtdiDriver other(rig.PortPath());
    FtHandle handle = 0;
    QCOMPARE(other.OpenByIndex(0, handle), kFtOk);
    QCOMPARE(other.Close(handle), kFtOk);
    // "Установить" stays the way to try again.
    QCOMPARE(rig.Commands().at(0), QChar('+')); // ConnectButton
}

QTEST_MAIN(TestDeviceCommands)
#include "tst_device_commands.moc"
