// The window's link to the device as a technician meets it, on the window as start-up builds it:
// the port list under "USB - порт" over a sysfs tree and a device folder of the test's own (a
// bridge there is the simulated model 580 on a pseudo-terminal), the choice kept in the INI
// file's [Port] Device; what a failed connect says and which buttons it leaves; and the status
// bar: its colours, the hints that give way, a long path, the labels after "Разорвать".

#include "fake_program.h"
#include "fake_sysfs.h"
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/program_ini.h"
#include "link/bridge_texts.h"
#include "link/protocol.h"
#include "operations/device_session.h"
#include "shell/program_shell_services.h"
#include "shell/startup.h"
#include "sim/pty_server.h"
#include "ui/main_form.h"
#include "ui/pages/port_list.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/status_line.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using velor::sim::PtyServer;
using velor::sim::ReplyFault;
using velor::sim::SimState;

namespace {

constexpr int kWaitMs = 10000; // upper bound only: an operation on the simulator takes ms
constexpr int kSettingsMode = 0;
constexpr int kMsgChooseWorkMode = 10025;
constexpr int kMsgLoopTypeWarning = 10008;
constexpr int kMsgConnectFailed = 10042;
constexpr int kMsgNoDevice = 10055;
constexpr int kLoopPage = 1;

QString Text(int id) {
    return velor::BuiltInMessageText(id);
}

// Whether any pixel of the widget is drawn in a clear red.
bool DrawsRed(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.red() > 200 && colour.green() < 90 && colour.blue() < 90) {
                return true;
            }
        }
    }
    return false;
}

// The window started from a program folder of its own, its per-user state in temporary folders,
// its bridges looked up in a sysfs tree and a device folder of the test's own, and the simulated
// model 580 served on a pseudo-terminal that a bridge of the tree may stand for.
class Started {
public:
    explicit Started(SimState sim = {}) : sim_(std::move(sim), false) {
        sim_.Start();
        qputenv("VELOR580_SYSFS_ROOT", sysfs.root().toUtf8());
        qputenv("VELOR580_DEV_ROOT", dev.path().toUtf8());
    }
    ~Started() {
        started_ = {}; // the window waits for a running operation before the simulator stops
        qunsetenv("VELOR580_SYSFS_ROOT");
        qunsetenv("VELOR580_DEV_ROOT");
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    QString SimPath() const { return QString::fromStdString(sim_.SlavePath()); }
    QString DevPath(const QString& name) const { return dev.filePath(name); }

    // An FTDI bridge in the sysfs tree whose node in the device folder leads to target (none
    // when target is empty).
    void Plug(const QString& name, const QString& serial, const QString& target) {
        sysfs.AddTty(name, QStringLiteral("0403"), true, true, serial);
        if (!target.isEmpty()) {
            QFile::link(target, DevPath(name));
        }
    }
    // The bridge's entries gone from the sysfs tree first, then its node, as the kernel does.
    void Unplug(const QString& name) {
        QFile::remove(sysfs.root() + QStringLiteral("/class/tty/") + name);
        QFile::remove(sysfs.root() + QStringLiteral("/bus/usb-serial/devices/") + name);
        QFile::remove(DevPath(name));
    }

    [[nodiscard]] bool Start(const QByteArray& ini = {}) {
        if (!program.CopyIntoFolder(FactoryDefaultsFile(), QStringLiteral("580default.cfg"))) {
            return false;
        }
        if (!ini.isEmpty()) {
            program.WriteIni(ini);
        }
        StartupContext context;
        context.programPath = program.path();
        context.dialogs = &dialogs;
        context.runModal = [](QDialog&) { return int(QDialog::Rejected); };
        started_ = StartConfigurator(context);
        form().show();
        return QTest::qWaitForWindowExposed(&form());
    }

    TMainForm& form() { return *started_.mainForm; }
    PortList* Ports() { return form().Control<PortList>(QStringLiteral("UsbPortList")); }
    QStringList Items() {
        QStringList items;
        for (int i = 0; i < Ports()->count(); ++i) {
            items << Ports()->itemText(i);
        }
        return items;
    }
    QString IniDevice() const { return velor::ReadPortDevice(program.path()); }
    QPushButton* Button(const char* name) { return form().Control<QPushButton>(name); }
    QLabel* Status() { return form().Control<QLabel>(QStringLiteral("MainStatusText")); }

    // Keys on the focused port list, as a technician picks an entry without opening it.
    void KeysOnPorts(std::initializer_list<Qt::Key> keys) {
        Ports()->setFocus();
        for (const Qt::Key key : keys) {
            QTest::keyClick(Ports(), key);
        }
    }
    // The window mode picked on its list with the keyboard, from the demo mode at start.
    void PickSettingsMode() {
        auto* modes = form().Control<ComboList>(QStringLiteral("WorkMode"));
        modes->setFocus();
        QTest::keyClick(modes, Qt::Key_Home);
        QCOMPARE(modes->ItemIndex(), kSettingsMode);
    }
    // A click on "Установить", then the connection's end.
    [[nodiscard]] bool ClickConnect() {
        QTest::mouseClick(Button("ConnectButton"), Qt::LeftButton);
        return QTest::qWaitFor([this] { return !form().IsOperationRunning(); }, kWaitMs);
    }
    void ClickTab(int page) {
        auto* tabs =
            form().Control<PageControl>(QStringLiteral("PageControl1"))->findChild<QTabBar*>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    }

    IsolatedUserSettings user;
    FakeProgram program;
    FakeSysfs sysfs;
    QTemporaryDir dev;
    RecordingDialogs dialogs;

private:
    PtyServer sim_;
    StartedProgram started_;
};

const QString kAutomatic = QStringLiteral("Автоматически");
const QString kOtherPort = QStringLiteral("Другой порт…");

} // namespace

Q_DECLARE_METATYPE(SimState)

class TestLinkAndStatus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    // The port list.
    void listsTheAttachedBridges();
    void pluggingInAndOutRefreshesTheList();
    void openingTheListRefreshesIt();
    void chosenBridgeIsConnectedAndKept();
    void otherPortIsAskedThroughTheDialog();
    void startsWithThePortOfTheIni();

    // A failed connect.
    void failedConnectSaysWhy_data();
    void failedConnectSaysWhy();
    void connectAgainAfterPluggingIn();

    // The status bar.
    void errorsInRedTheRestInTheTextColour();
    void startHintGivesWayToAChosenMode();
    void loopTypeWarningGivesWay();
    void longPathIsElidedWithTheWholeAsTooltip();
    void disconnectEmptiesTheDeviceLabels();
};

void TestLinkAndStatus::initTestCase() {
    LoadBuiltInCatalogue();
}

// Each bridge with its device path, serial number and access, the first entry the automatic
// choice and the last the other port; a USB-serial adapter of another maker is not listed.
void TestLinkAndStatus::listsTheAttachedBridges() {
    Started window;
    window.Plug("ttyUSB0", "A1B2", window.SimPath());
    window.Plug("ttyUSB1", "", "");
    window.sysfs.AddTty("ttyUSB2", "067b", true, true, "P1");
    QVERIFY(window.Start());

    const QString sep = QStringLiteral(" · ");
    QCOMPARE(
        window.Items(),
        (QStringList{kAutomatic, window.DevPath("ttyUSB0") + sep + "A1B2" + sep + "доступ есть",
                     window.DevPath("ttyUSB1") + sep + "без серийного номера" + sep +
                         "нет доступа: нет файла устройства",
                     kOtherPort}));
    QCOMPARE(window.Ports()->currentIndex(), 0);
    QVERIFY(window.Ports()->itemData(1, Qt::ToolTipRole).toString().contains("USB dev-ttyUSB0"));
    // Under the "USB - порт" button, in its group.
    QCOMPARE(window.Ports()->parentWidget(),
             window.form().Control<QRadioButton>("USB")->parentWidget());
}

// The device folder is watched: a bridge plugged in or out changes the list by itself.
void TestLinkAndStatus::pluggingInAndOutRefreshesTheList() {
    Started window;
    QVERIFY(window.Start());
    QCOMPARE(window.Items(), (QStringList{kAutomatic, kOtherPort}));

    window.Plug("ttyUSB0", "A1B2", window.SimPath());
    QTRY_COMPARE(window.Items().size(), 3);
    QVERIFY(window.Items().at(1).startsWith(window.DevPath("ttyUSB0")));

    window.Unplug("ttyUSB0");
    QTRY_COMPARE(window.Items(), (QStringList{kAutomatic, kOtherPort}));
}

// What changed without a node event (a node's group or access, a bridge whose node is not there
// yet) is listed when the technician opens the list.
void TestLinkAndStatus::openingTheListRefreshesIt() {
    Started window;
    QVERIFY(window.Start());
    window.sysfs.AddTty("ttyUSB0", "0403", true, true, "A1B2");
    QCOMPARE(window.Items().size(), 2);

    window.KeysOnPorts({Qt::Key_F4});
    QVERIFY(window.Items().at(1).startsWith(window.DevPath("ttyUSB0")));
    window.Ports()->hidePopup();
}

// The second bridge picked with the keyboard: "Установить" connects to it, the INI keeps it, and
// "Автоматически" empties the key again.
void TestLinkAndStatus::chosenBridgeIsConnectedAndKept() {
    Started window;
    window.Plug("ttyUSB0", "A1B2", window.dev.filePath("gone")); // the first bridge is not there
    window.Plug("ttyUSB1", "C3D4", window.SimPath());
    QVERIFY(window.Start());

    window.KeysOnPorts({Qt::Key_Down, Qt::Key_Down});
    const QString chosen = window.DevPath("ttyUSB1");
    QCOMPARE(window.Ports()->ChosenDevice(), chosen);
    QCOMPARE(window.IniDevice(), chosen);
    QCOMPARE(window.form().StatusText(), "Порт связи: " + chosen);

    window.PickSettingsMode();
    QVERIFY(window.ClickConnect());
    QVERIFY(window.form().IsConnected());
    QCOMPARE(window.form().Session().Identity().portPath, chosen);
    QCOMPARE(window.form().Session().Identity().usbSerial, QString("C3D4"));
    QVERIFY(!window.Ports()->isEnabled()); // the port is chosen while not connected

    QTest::mouseClick(window.Button("CancelButton"), Qt::LeftButton);
    QVERIFY(window.Ports()->isEnabled());
    window.KeysOnPorts({Qt::Key_Home});
    QCOMPARE(window.Ports()->ChosenDevice(), QString());
    QCOMPARE(window.IniDevice(), QString());
}

// "Другой порт…": the path comes through the dialog; a cancelled dialog changes nothing.
void TestLinkAndStatus::otherPortIsAskedThroughTheDialog() {
    Started window;
    QVERIFY(QDir(window.dev.path()).mkpath("pts"));
    QVERIFY(QFile::link(window.SimPath(), window.DevPath("pts/7")));
    QVERIFY(window.Start());

    window.KeysOnPorts({Qt::Key_End}); // cancelled
    QCOMPARE(window.dialogs.portRequests.size(), 1);
    QCOMPARE(window.dialogs.portRequests.first().candidates, QStringList{window.DevPath("pts/7")});
    QCOMPARE(window.Ports()->currentText(), kAutomatic);
    QCOMPARE(window.IniDevice(), QString());

    window.dialogs.portAnswers.enqueue(window.SimPath());
    window.KeysOnPorts({Qt::Key_End});
    QCOMPARE(window.dialogs.portRequests.size(), 2);
    QCOMPARE(window.Ports()->currentText(), window.SimPath());
    QCOMPARE(window.Items(), (QStringList{kAutomatic, window.SimPath(), kOtherPort}));
    QCOMPARE(window.IniDevice(), window.SimPath());

    window.PickSettingsMode();
    QVERIFY(window.ClickConnect());
    QVERIFY(window.form().IsConnected());
}

// An INI file that names a port (as ./run.sh writes the simulator's terminal) starts with it.
void TestLinkAndStatus::startsWithThePortOfTheIni() {
    Started window;
    QVERIFY(window.Start("[Port]\nDevice=" + window.SimPath().toUtf8() + "\n"));
    QCOMPARE(window.Ports()->currentText(), window.SimPath());
    window.PickSettingsMode();
    QVERIFY(window.ClickConnect());
    QVERIFY(window.form().IsConnected());
}

void TestLinkAndStatus::failedConnectSaysWhy_data() {
    QTest::addColumn<QString>("port"); // [Port] Device; "<sim>" the simulator, "<file>" a file
    QTest::addColumn<SimState>("sim");
    QTest::addColumn<QString>("status"); // "<port>" stands for the port's path
    QTest::addColumn<int>("box");

    QTest::newRow("no bridge attached")
        << "" << SimState{}
        << velor::link::NoBridgeText() + " Подключите прибор и нажмите «Установить»."
        << kMsgNoDevice;
    QTest::newRow("the chosen port does not exist")
        << "<dev>/ttyUSB7" << SimState{} << "<port>: Нет такого файла или папки" << kMsgNoDevice;
    // The system's reason, without the advice to join a group: the refusal is no permission one.
    QTest::newRow("the chosen port cannot be opened")
        << "<file>" << SimState{} << "<port>: Неподходящий ioctl для устройства" << kMsgNoDevice;
    SimState silent;
    silent.behaviour.faults.push_back(
        {ReplyFault::Kind::NoReply, velor::protocol::kCmdIdentify, 1});
    QTest::newRow("the device does not answer")
        << "<sim>" << silent << Text(kMsgConnectFailed) + ": прибор на <port> не отвечает"
        << kMsgConnectFailed;
}

// The reason in red in the status bar, the box where the window has always shown one, and the
// buttons as they were before: "Установить" can be pressed again.
void TestLinkAndStatus::failedConnectSaysWhy() {
    QFETCH(QString, port);
    QFETCH(SimState, sim);
    QFETCH(QString, status);
    QFETCH(int, box);

    Started window(sim);
    QTemporaryDir files;
    const QString notATerminal = files.filePath("plain.txt");
    FakeProgram::WriteFile(notATerminal, "text");
    port.replace("<sim>", window.SimPath())
        .replace("<dev>", window.dev.path())
        .replace("<file>", notATerminal);
    QVERIFY(window.Start(port.isEmpty() ? QByteArray() : "[Port]\nDevice=" + port.toUtf8()));
    window.PickSettingsMode();
    const bool connectWasUsable = window.Button("ConnectButton")->isEnabled();
    QVERIFY(window.ClickConnect());

    QCOMPARE(window.form().StatusText(), QString(status).replace("<port>", port));
    QVERIFY(DrawsRed(window.Status()));
    QCOMPARE(window.dialogs.boxes.size(), 1);
    QCOMPARE(window.dialogs.boxes.first().text, Text(box));
    QVERIFY(connectWasUsable);
    QVERIFY(window.Button("ConnectButton")->isEnabled());
    QVERIFY(!window.form().IsConnected());
}

// No device at first; plugged in, the same "Установить" connects.
void TestLinkAndStatus::connectAgainAfterPluggingIn() {
    Started window;
    QVERIFY(window.Start());
    window.PickSettingsMode();
    QVERIFY(window.ClickConnect());
    QVERIFY(!window.form().IsConnected());

    window.Plug("ttyUSB0", "A1B2", window.SimPath());
    QVERIFY(window.ClickConnect());
    QVERIFY(window.form().IsConnected());
    QCOMPARE(window.form().Session().Identity().portPath, window.DevPath("ttyUSB0"));
}

// A success is told in the window's text colour, a failure in red.
void TestLinkAndStatus::errorsInRedTheRestInTheTextColour() {
    Started window;
    QVERIFY(window.Start());
    QVERIFY(!DrawsRed(window.Status())); // the start-up hint
    window.PickSettingsMode();
    QVERIFY(window.ClickConnect()); // no bridge
    QVERIFY(DrawsRed(window.Status()));

    window.Plug("ttyUSB0", "A1B2", window.SimPath());
    QVERIFY(window.ClickConnect());
    QCOMPARE(window.form().StatusText(), Text(10033).replace("%s", "580"));
    QVERIFY(!DrawsRed(window.Status()));
}

// The start-up hint stays through the demo mode the window opens in, and gives way once the
// technician chooses a mode.
void TestLinkAndStatus::startHintGivesWayToAChosenMode() {
    Started window;
    QVERIFY(window.Start());
    QCOMPARE(window.form().StatusText(), Text(kMsgChooseWorkMode));
    window.PickSettingsMode();
    QCOMPARE(window.form().StatusText(), QString());
}

// "Изменение типа ШС…" speaks of the loop page: it gives way when the technician leaves the page,
// and a loaded file (whose loop types the decoding sets) says where the settings came from.
void TestLinkAndStatus::loopTypeWarningGivesWay() {
    Started window;
    QVERIFY(window.Start());
    window.ClickTab(kLoopPage);
    QTest::mouseClick(window.form().Control<QRadioButton>("ts1"), Qt::LeftButton);
    QCOMPARE(window.form().StatusText(), Text(kMsgLoopTypeWarning));
    window.ClickTab(0);
    QCOMPARE(window.form().StatusText(), QString());

    window.ClickTab(kLoopPage);
    QTest::mouseClick(window.form().Control<QRadioButton>("ts11"), Qt::LeftButton);
    QCOMPARE(window.form().StatusText(), Text(kMsgLoopTypeWarning));
    window.dialogs.answers.enqueue(BoxResult::Discard); // the changed loop type is not kept
    window.dialogs.openAnswers.enqueue(FactoryDefaultsFile());
    QTest::mouseClick(window.Button("LoadButton"), Qt::LeftButton);
    QCOMPARE(window.form().StatusText(),
             "Настройки загружены из файла " + QDir::toNativeSeparators(FactoryDefaultsFile()));
}

void TestLinkAndStatus::longPathIsElidedWithTheWholeAsTooltip() {
    Started window;
    QVERIFY(window.Start());
    QTemporaryDir files;
    const QString deep = files.filePath(QString("папка с настройками объекта ").repeated(4));
    QVERIFY(QDir().mkpath(deep));
    const QString path = deep + "/объект 17.cfg";
    QVERIFY(QFile::copy(FactoryDefaultsFile(), path));
    window.dialogs.openAnswers.enqueue(path);
    QTest::mouseClick(window.Button("LoadButton"), Qt::LeftButton);

    auto* status = window.form().Control<StatusLine>("MainStatusText");
    const QString whole = "Настройки загружены из файла " + QDir::toNativeSeparators(path);
    QCOMPARE(status->text(), whole);
    QCOMPARE(status->toolTip(), whole);
    const QString shown = status->DisplayedText();
    QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
    QVERIFY2(shown.startsWith("Настройки загружены"), qPrintable(shown));
    QVERIFY2(shown.endsWith("объект 17.cfg"), qPrintable(shown));
}

void TestLinkAndStatus::disconnectEmptiesTheDeviceLabels() {
    Started window;
    QVERIFY(window.Start("[Port]\nDevice=" + window.SimPath().toUtf8() + "\n"));
    window.PickSettingsMode();
    QVERIFY(window.ClickConnect());
    const QStringList labels = {"SettingsTypeLabel", "SettingsVersionLabel"};
    for (const QString& name : labels) {
        QVERIFY(!window.form().Control<QLabel>(name)->text().isEmpty());
    }
    QTest::mouseClick(window.Button("CancelButton"), Qt::LeftButton);
    for (const QString& name : labels) {
        QCOMPARE(window.form().Control<QLabel>(name)->text(), QString());
    }
}

QTEST_MAIN(TestLinkAndStatus)
#include "tst_link_and_status.moc"
