// The program's link end to end: the real tty driver, the bridge port and the device protocol
// talking to the simulated device over a pseudo-terminal served on a thread of this process.

#include "link/ftdi_usb_port.h"
#include "link/protocol.h"
#include "link/tty_ftdi_driver.h"
#include "link/velor_device.h"
#include "link/velor_table.h"
#include "sim/pty_server.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <memory>

using velor::sim::BlockResponse;
using velor::sim::Bytes;
using velor::sim::PtyServer;
using velor::sim::ReplyFault;
using velor::sim::SimBehaviour;
using velor::sim::SimDevice;
using velor::sim::SimState;
namespace protocol = velor::protocol;

Q_DECLARE_METATYPE(SimBehaviour)

namespace {

constexpr int kReadTimeoutMs = 3000;
// Far below the read time-out: a failure that came from the line, not from waiting.
constexpr int kPromptMs = 1500;
constexpr uint8_t kEarlierContent = 0x5A;
constexpr uint8_t kDelay5000Ms = 6; // the longest busy delay code

// The simulated device on a pseudo-terminal, and the program's port and device object on it.
class Rig {
public:
    explicit Rig(SimState state) : server_(std::move(state), false) {
        server_.Start();
        port_ = std::make_unique<TFTDIUsbPort>(
            std::make_unique<TtyFtdiDriver>(QString::fromStdString(server_.SlavePath())),
            [this] { ++ioErrors; },
            [this](const QString& device, const QString&) { lostReports << device; });
    }
    ~Rig() {
        port_->Close();
        server_.Stop();
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    bool Connect() {
        port_->Close();
        return port_->Open() == 1 && device.Connect(port_.get());
    }
    bool Select(uint8_t scenario, TVelorTable& table) {
        return device.SelectScenario(scenario, table.Code, table.Param);
    }
    template <typename F> decltype(auto) Sim(F&& f) { return server_.WithDevice(f); }
    bool SimLogHas(const QString& text) {
        return Sim([&text](SimDevice& d) {
            for (const std::string& line : d.Log()) {
                if (QString::fromStdString(line).contains(text)) {
                    return true;
                }
            }
            return false;
        });
    }
    QString SimLog() {
        return Sim([](SimDevice& d) {
            QStringList lines;
            for (const std::string& line : d.Log()) {
                lines << QString::fromStdString(line);
            }
            return lines.join(QLatin1Char('\n'));
        });
    }

    // Every protocol wait is noted; the simulated device needs none longer than the 20 ms
    // reply wait, so the busy delays are not slept out.
    std::vector<int> sleeps;
    TVelorDevice device{[this](int ms) {
        sleeps.push_back(ms);
        QThread::msleep(static_cast<unsigned long>(std::min(ms, protocol::kReplyWaitMs)));
    }};
    int ioErrors = 0;
    QStringList lostReports; // the device named by each lost-device report
    QString Path() const { return QString::fromStdString(server_.SlavePath()); }

private:
    PtyServer server_;
    std::unique_ptr<TFTDIUsbPort> port_;
};

SimState WithBehaviour(const SimBehaviour& behaviour) {
    SimState state;
    state.behaviour = behaviour;
    return state;
}

SimBehaviour Fault(ReplyFault::Kind kind, uint8_t command, int nth = 1) {
    SimBehaviour behaviour;
    behaviour.faults.push_back({kind, command, nth});
    return behaviour;
}

SimBehaviour Block(int block, BlockResponse response) {
    SimBehaviour behaviour;
    behaviour.blockResponses[block] = response;
    return behaviour;
}

BlockResponse Busy(int polls, uint8_t delayCode, bool pollRefuses = false) {
    return {BlockResponse::Kind::Busy, delayCode, polls, pollRefuses};
}

const BlockResponse kRefuse{BlockResponse::Kind::Refuse, 0, 0};

SimBehaviour HangUpAfter(int frames) {
    SimBehaviour behaviour;
    behaviour.hangUpAfterFrames = frames;
    return behaviour;
}

Bytes Patterned(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * seed + 5);
    }
    return bytes;
}

QByteArray ToQt(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
}

// A table holding something the failed routine must leave alone.
TVelorTable EarlierTable() {
    TVelorTable table;
    table.Assign(Bytes(3, kEarlierContent));
    return table;
}

// A firmware image for type 580: header (descriptor 580, platform, 3.1.7, A1..A4), payload of
// payloadSize bytes, two trailing bytes.
Bytes FirmwareImage(uint16_t platform, std::size_t payloadSize) {
    Bytes image;
    protocol::AppendLe16(image, protocol::kModel580Type);
    protocol::AppendLe16(image, platform);
    image.insert(image.end(), {3, 1, 7, 0xA1, 0xA2, 0xA3, 0xA4});
    const Bytes payload = Patterned(payloadSize, 11);
    image.insert(image.end(), payload.begin(), payload.end());
    image.insert(image.end(), {0xEE, 0xEF});
    return image;
}

} // namespace

class TestE2eLink : public QObject {
    Q_OBJECT

private slots:
    void identify_data();
    void identify();
    void reconnectAfterClose();
    void noReplyTimesOut();
    void readSettings_data();
    void readSettings();
    void writeSettings_data();
    void writeSettings();
    void readKey_data();
    void readKey();
    void writeFirmware_data();
    void writeFirmware();
    void lostDuringBusyWait_data();
    void lostDuringBusyWait();
};

void TestE2eLink::identify_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<SimBehaviour>("behaviour");
    QTest::addColumn<bool>("connected");

    const QByteArray v317("\x03\x01\x07", 3);
    QTest::newRow("model 580, 3.1.7") << 580 << v317 << SimBehaviour{} << true;
    QTest::newRow("sibling type 570") << 570 << v317 << SimBehaviour{} << true;
    QTest::newRow("version 2.1.0")
        << 580 << QByteArray("\x02\x01\x00", 3) << SimBehaviour{} << true;
    QTest::newRow("wrong start byte")
        << 580 << v317 << Fault(ReplyFault::Kind::WrongStart, protocol::kCmdIdentify) << false;
    QTest::newRow("bad CRC") << 580 << v317
                             << Fault(ReplyFault::Kind::BadCrc, protocol::kCmdIdentify) << false;
}

void TestE2eLink::identify() {
    QFETCH(int, type);
    QFETCH(QByteArray, version);
    QFETCH(SimBehaviour, behaviour);
    QFETCH(bool, connected);

    SimState state = WithBehaviour(behaviour);
    state.identity.type = static_cast<uint16_t>(type);
    std::copy(version.begin(), version.end(), state.identity.version.begin());
    Rig rig(state);

    QCOMPARE(rig.Connect(), connected);
    const TVelorDevDesc& d = rig.device.Descriptor;
    QCOMPARE(int(d.Type), connected ? type : 0);
    QCOMPARE(int(d.Platform), connected ? int(velor::sim::kDefaultPlatform) : 0);
    QCOMPARE(ToQt({d.Version1, d.Version2, d.Version3}), connected ? version : QByteArray(3, '\0'));
    QVERIFY2(!rig.SimLogHas("refused"), qPrintable(rig.SimLog())); // the program kept the protocol
}

// The window closes the tty when it disconnects and opens it again on the next connect.
void TestE2eLink::reconnectAfterClose() {
    Rig rig(SimState{});
    QVERIFY(rig.Connect());
    QVERIFY(rig.Connect());
    TVelorTable table;
    QVERIFY(rig.Select(protocol::kScenarioSettingsRead, table));
    QVERIFY(rig.device.ReadTable(table));
    QCOMPARE(rig.ioErrors, 0);
}

// The one exchange in these tests that waits out the 3000 ms read time-out.
void TestE2eLink::noReplyTimesOut() {
    Rig rig(WithBehaviour(Fault(ReplyFault::Kind::NoReply, protocol::kCmdIdentify)));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!rig.Connect());
    QVERIFY(timer.elapsed() >= kReadTimeoutMs);
    QVERIFY(timer.elapsed() < 2 * kReadTimeoutMs);
    QCOMPARE(rig.ioErrors, 0);
    QVERIFY(rig.Connect()); // the device answers the next one
}

void TestE2eLink::readSettings_data() {
    QTest::addColumn<SimBehaviour>("behaviour");
    QTest::addColumn<bool>("read");

    QTest::newRow("five blocks") << SimBehaviour{} << true;
    QTest::newRow("bad CRC on the third block")
        << Fault(ReplyFault::Kind::BadCrc, protocol::kCmdReadRequest, 3) << false;
    QTest::newRow("wrong start on the first block")
        << Fault(ReplyFault::Kind::WrongStart, protocol::kCmdReadRequest, 1) << false;
    QTest::newRow("bad CRC on the scenario reply")
        << Fault(ReplyFault::Kind::BadCrc, protocol::kCmdSelectScenario) << false;
}

// A failed read leaves the table alone, and the device serves the next read in full.
void TestE2eLink::readSettings() {
    QFETCH(SimBehaviour, behaviour);
    QFETCH(bool, read);

    SimState state = WithBehaviour(behaviour);
    state.settings = Patterned(protocol::kSettingsTableSize, 7);
    Rig rig(state);
    QVERIFY(rig.Connect());

    TVelorTable table = EarlierTable();
    QCOMPARE(rig.Select(protocol::kScenarioSettingsRead, table) && rig.device.ReadTable(table),
             read);
    QCOMPARE(ToQt(table.Bytes()), ToQt(read ? state.settings : EarlierTable().Bytes()));

    TVelorTable again;
    QVERIFY(rig.Select(protocol::kScenarioSettingsRead, again));
    QVERIFY(rig.device.ReadTable(again));
    QCOMPARE(ToQt(again.Bytes()), ToQt(state.settings));
}

void TestE2eLink::writeSettings_data() {
    QTest::addColumn<SimBehaviour>("behaviour");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("logged");

    SimBehaviour busyPollFault = Block(1, Busy(1, 1));
    busyPollFault.faults.push_back({ReplyFault::Kind::BadCrc, protocol::kCmdStatusPoll, 1});

    QTest::newRow("accepted") << SimBehaviour{} << true << "settings table stored";
    QTest::newRow("block 2 busy 20 ms, then accepted")
        << Block(2, Busy(1, 1)) << true << "settings table stored";
    QTest::newRow("last block busy, delay code 0")
        << Block(4, Busy(1, 0)) << true << "settings table stored";
    // The poll reply's status is judged like the write reply's: busy polls again, refused fails.
    QTest::newRow("still busy at the first poll, stored at the second")
        << Block(1, Busy(2, 1)) << true << "settings table stored";
    QTest::newRow("busy at two polls, stored at the third")
        << Block(2, Busy(3, 1)) << true << "settings table stored";
    QTest::newRow("busy at all three polls: refused")
        << Block(1, Busy(4, 1)) << false << "write abandoned after block 1";
    QTest::newRow("poll answers refused")
        << Block(1, Busy(1, 1, true)) << false << "block 1 refused at its status poll";
    QTest::newRow("last block: busy twice, then refused at its poll")
        << Block(4, Busy(3, 1, true)) << false << "block 4 refused at its status poll";
    QTest::newRow("bad CRC on the poll reply") << busyPollFault << false << "fault: bad CRC";
    QTest::newRow("block 0 refused") << Block(0, kRefuse) << false << "block 0 refused";
    QTest::newRow("block 4 refused") << Block(4, kRefuse) << false << "block 4 refused";
    QTest::newRow("bad CRC on the third write reply")
        << Fault(ReplyFault::Kind::BadCrc, protocol::kCmdWriteBlock, 3) << false
        << "fault: bad CRC";
}

// Written tables read back equal; a failed write leaves the device's table as it was.
void TestE2eLink::writeSettings() {
    QFETCH(SimBehaviour, behaviour);
    QFETCH(bool, written);
    QFETCH(QString, logged);

    SimState state = WithBehaviour(behaviour);
    state.settings = Patterned(protocol::kSettingsTableSize, 3);
    Rig rig(state);
    QVERIFY(rig.Connect());

    const Bytes table = Patterned(protocol::kSettingsTableSize, 41);
    TVelorTable out;
    QVERIFY(rig.Select(protocol::kScenarioSettingsWrite, out));
    out.Assign(table);
    QCOMPARE(rig.device.WriteTable(out), written);

    TVelorTable back;
    QVERIFY(rig.Select(protocol::kScenarioSettingsRead, back));
    QVERIFY(rig.device.ReadTable(back));
    QCOMPARE(ToQt(back.Bytes()), ToQt(written ? table : state.settings));
    QVERIFY2(rig.SimLogHas(logged), qPrintable(rig.SimLog())); // with the read that followed
}

void TestE2eLink::readKey_data() {
    QTest::addColumn<bool>("keyPresent");
    QTest::addColumn<qulonglong>("key");
    QTest::addColumn<SimBehaviour>("behaviour");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QByteArray>("identifier");

    QTest::newRow("key on the reader") << true << 0x0123456789ABull << SimBehaviour{} << true
                                       << QByteArray::fromHex("AB8967452301");
    QTest::newRow("no key: six zero bytes")
        << false << 0ull << SimBehaviour{} << true << QByteArray(6, '\0');
    QTest::newRow("all 48 bits set")
        << true << 0xFFFFFFFFFFFFull << SimBehaviour{} << true << QByteArray(6, '\xFF');
    QTest::newRow("bad CRC on the key reply")
        << true << 0x0123456789ABull << Fault(ReplyFault::Kind::BadCrc, protocol::kCmdReadRequest)
        << false << QByteArray(3, char(kEarlierContent));
}

void TestE2eLink::readKey() {
    QFETCH(bool, keyPresent);
    QFETCH(qulonglong, key);
    QFETCH(SimBehaviour, behaviour);
    QFETCH(bool, read);
    QFETCH(QByteArray, identifier);

    SimState state = WithBehaviour(behaviour);
    if (keyPresent) {
        state.key = key;
    }
    Rig rig(state);
    QVERIFY(rig.Connect());
    TVelorTable table = EarlierTable();
    QVERIFY(rig.Select(protocol::kScenarioKeyRead, table));
    QCOMPARE(rig.device.ReadKey(table), read);
    QCOMPARE(ToQt(table.Bytes()), identifier);
}

void TestE2eLink::writeFirmware_data() {
    QTest::addColumn<int>("platform");
    QTest::addColumn<int>("payloadSize");
    QTest::addColumn<SimBehaviour>("behaviour");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("lineDrops");

    QTest::newRow("1293-byte file, 21 blocks") << 5 << 1280 << SimBehaviour{} << true << false;
    QTest::newRow("header only") << 5 << 0 << SimBehaviour{} << true << false;
    QTest::newRow("block 5 busy 50 ms, then accepted")
        << 5 << 1280 << Block(5, Busy(1, 2)) << true << false;
    QTest::newRow("block 5 busy twice, then accepted")
        << 5 << 1280 << Block(5, Busy(3, 2)) << true << false;
    QTest::newRow("last block refused at its poll")
        << 5 << 1280 << Block(20, Busy(2, 1, true)) << false << false;
    QTest::newRow("block 3 refused") << 5 << 1280 << Block(3, kRefuse) << false << false;
    QTest::newRow("firmware for platform 6") << 6 << 1280 << SimBehaviour{} << false << false;
    // Identify, its acknowledge, scenario, its acknowledge, then six of the 21 blocks.
    QTest::newRow("line dropped after block 5") << 5 << 1280 << HangUpAfter(10) << false << true;
    QTest::newRow("payload not whole blocks: refused unsent")
        << 5 << 1300 << SimBehaviour{} << false << false;
}

// The device holds exactly the header and payload the file carries; the trailing bytes never
// travel. A dropped line fails the upload at once, reported once as a lost device.
void TestE2eLink::writeFirmware() {
    QFETCH(int, platform);
    QFETCH(int, payloadSize);
    QFETCH(SimBehaviour, behaviour);
    QFETCH(bool, written);
    QFETCH(bool, lineDrops);

    Rig rig(WithBehaviour(behaviour));
    QVERIFY(rig.Connect());
    const Bytes image =
        FirmwareImage(static_cast<uint16_t>(platform), static_cast<std::size_t>(payloadSize));
    TVelorTable table;
    QVERIFY(rig.Select(protocol::kScenarioFirmwareWrite, table));
    table.SetView(image.data(), static_cast<uint32_t>(image.size()));
    const int framesBefore = rig.Sim([](SimDevice& d) { return d.FramesServed(); });

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(rig.device.WriteFirmware(table), written);
    QVERIFY(timer.elapsed() < kPromptMs);
    QCOMPARE(rig.lostReports, lineDrops ? QStringList{rig.Path()} : QStringList());
    QCOMPARE(rig.ioErrors, 0);

    const auto firmware = rig.Sim([](SimDevice& d) { return d.State().firmware; });
    QCOMPARE(firmware.has_value(), written);
    if (written) {
        const auto payloadEnd = image.end() - protocol::kFirmwareTrailerSize;
        QCOMPARE(ToQt(firmware->header),
                 ToQt(Bytes(image.begin(), image.begin() + protocol::kFirmwareHeaderSize)));
        QCOMPARE(ToQt(firmware->payload),
                 ToQt(Bytes(image.begin() + protocol::kFirmwareHeaderSize, payloadEnd)));
    }
    if (payloadSize % protocol::kBlockSize != 0) {
        QCOMPARE(rig.Sim([](SimDevice& d) { return d.FramesServed(); }), framesBefore);
    }
}

void TestE2eLink::lostDuringBusyWait_data() {
    QTest::addColumn<bool>("firmware");
    QTest::newRow("settings write") << false;
    QTest::newRow("firmware write") << true;
}

// Block 1 asks for the longest wait; the line drops when the poll after it arrives. The transfer
// ends at that poll with one report: no further wait, poll or driver error.
void TestE2eLink::lostDuringBusyWait() {
    QFETCH(bool, firmware);
    SimBehaviour behaviour = Block(1, Busy(1, kDelay5000Ms));
    behaviour.hangUpAfterFrames = 6; // identify, acknowledge, scenario, acknowledge, blocks 0, 1
    Rig rig(WithBehaviour(behaviour));
    QVERIFY(rig.Connect());
    TVelorTable table;
    QVERIFY(rig.Select(
        firmware ? protocol::kScenarioFirmwareWrite : protocol::kScenarioSettingsWrite, table));
    const Bytes image = FirmwareImage(velor::sim::kDefaultPlatform, 4 * protocol::kBlockSize);
    if (firmware) {
        table.SetView(image.data(), static_cast<uint32_t>(image.size()));
    } else {
        table.Assign(Patterned(protocol::kSettingsTableSize, 41));
    }
    rig.sleeps.clear();

    QElapsedTimer timer;
    timer.start();
    QVERIFY(!(firmware ? rig.device.WriteFirmware(table) : rig.device.WriteTable(table)));
    QVERIFY(timer.elapsed() < kPromptMs);
    QCOMPARE(rig.sleeps, (std::vector<int>{5000, protocol::kReplyWaitMs}));
    QCOMPARE(rig.lostReports, QStringList{rig.Path()});
    QCOMPARE(rig.ioErrors, 0);
    QVERIFY(rig.SimLogHas("line dropped after 6 frames"));
}

QTEST_GUILESS_MAIN(TestE2eLink)
#include "tst_e2e_link.moc"
