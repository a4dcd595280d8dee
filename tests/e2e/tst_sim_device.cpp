// The simulated device at byte level, without a terminal: what it answers, and how strictly it
// judges what the program sends.

#include "link/crc16.h"
#include "link/protocol.h"
#include "link/settings_stream.h"
#include "sim/sim_device.h"
#include "sim/sim_options.h"
#include "sim/wire.h"

#include <QTest>

#include <algorithm>
#include <string>

using velor::sim::BlockResponse;
using velor::sim::Bytes;
using velor::sim::ReplyFault;
using velor::sim::SimDevice;
using velor::sim::SimState;
namespace protocol = velor::protocol;

Q_DECLARE_METATYPE(ReplyFault::Kind)

namespace {

constexpr uint8_t kBusy = 0x08; // wait field 1 in a write status

Bytes Request(uint8_t command, const Bytes& data = {}) {
    return protocol::BuildRequestFrame(command, data.data(), static_cast<uint8_t>(data.size()));
}
Bytes Ack() {
    return Request(protocol::kCmdAcknowledge, {protocol::kAcknowledgeData});
}
Bytes Select(uint8_t scenario) {
    return Request(protocol::kCmdSelectScenario, {scenario});
}
Bytes Identify() {
    return Request(protocol::kCmdIdentify);
}
Bytes Poll() {
    return Request(protocol::kCmdStatusPoll);
}
Bytes ReadRequest(uint16_t code) {
    return Request(protocol::kCmdReadRequest, protocol::BuildReadRequestData(code));
}

Bytes FromQt(const QByteArray& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}
QByteArray ToQt(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
}

// The replies to a chunk of bytes, the silent requests left out.
std::vector<Bytes> Replies(SimDevice& device, const Bytes& bytes) {
    std::vector<Bytes> replies;
    for (auto& exchange : device.Receive(bytes)) {
        if (!exchange.reply.empty()) {
            replies.push_back(std::move(exchange.reply));
        }
    }
    return replies;
}

// The one reply to a request, empty when there is none.
Bytes Reply(SimDevice& device, const Bytes& request) {
    const std::vector<Bytes> replies = Replies(device, request);
    return replies.empty() ? Bytes{} : replies.back();
}

uint8_t WriteStatus(const Bytes& reply) {
    return reply.size() == protocol::kWriteReplySize ? reply[protocol::kWriteStatusOffset] : 0xFF;
}

bool LogHas(const SimDevice& device, const QString& text) {
    const auto& log = device.Log();
    return std::any_of(log.begin(), log.end(), [&text](const std::string& line) {
        return QString::fromStdString(line).contains(text);
    });
}

QString LogText(const SimDevice& device) {
    QStringList lines;
    for (const std::string& line : device.Log()) {
        lines << QString::fromStdString(line);
    }
    return lines.join(QLatin1Char('\n'));
}

Bytes Patterned(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * seed + 11);
    }
    return bytes;
}

// Selects a scenario and acknowledges it, as the program does before a transfer.
void SelectAcknowledged(SimDevice& device, uint8_t scenario) {
    QCOMPARE(Reply(device, Select(scenario)).size(), std::size_t{protocol::kScenarioReplySize});
    QVERIFY(Reply(device, Ack()).empty());
}

// The ways a settings write can go wrong on the program's side.
enum class WriteFault {
    None,
    NoScenario,          // no scenario selected
    UnackedScenario,     // scenario reply never acknowledged
    SwappedBlocks,       // blocks 1 and 2 sent in the wrong order
    RepeatedBlock,       // block 1 sent twice
    WrongCrc,            // head block's checksum off by one
    WrongCount,          // head block announces 4 blocks
    WrongCode,           // head block carries another scenario's code
    WrongParam,          // head block carries another parameter
    ShortHead,           // head block one byte short
    ConfigurableRefusal, // the device is set to refuse block 3
};

// The frames of a settings write of table, with fault applied.
std::vector<Bytes> SettingsWriteFrames(const SimState& state, const Bytes& table,
                                       WriteFault fault) {
    const auto& scenario = state.scenarios[protocol::kScenarioSettingsWrite - 1];
    const protocol::SettingsStream stream = protocol::PackSettingsStream(table.data());
    uint16_t crc = TCrc16().Compute(stream.data(), stream.size());
    uint16_t count = protocol::kStreamBlocks;
    int32_t code = scenario.code;
    uint32_t param = scenario.param;
    std::size_t headBytes = protocol::kBlockSize;
    switch (fault) {
    case WriteFault::WrongCrc:
        ++crc;
        break;
    case WriteFault::WrongCount:
        --count;
        break;
    case WriteFault::WrongCode:
        ++code;
        break;
    case WriteFault::WrongParam:
        ++param;
        break;
    case WriteFault::ShortHead:
        --headBytes;
        break;
    default:
        break;
    }
    std::vector<Bytes> frames;
    frames.push_back(
        Request(protocol::kCmdWriteBlock,
                protocol::BuildFirstBlockData(count, code, param, crc, stream.data(), headBytes)));
    for (uint16_t i = 1; i < protocol::kStreamBlocks; ++i) {
        frames.push_back(
            Request(protocol::kCmdWriteBlock,
                    protocol::BuildFurtherBlockData(i, stream.data() + i * protocol::kBlockSize)));
    }
    if (fault == WriteFault::SwappedBlocks) {
        std::swap(frames[1], frames[2]);
    }
    if (fault == WriteFault::RepeatedBlock) {
        frames[2] = frames[1];
    }
    return frames;
}

// The frames of a firmware upload: header block, then 64-byte payload blocks.
std::vector<Bytes> FirmwareFrames(const SimState& state, const Bytes& header, const Bytes& payload,
                                  uint16_t crcAdjust = 0) {
    const auto& scenario = state.scenarios[protocol::kScenarioFirmwareWrite - 1];
    const std::size_t blocks = payload.size() / protocol::kBlockSize;
    const uint16_t crc =
        static_cast<uint16_t>(TCrc16().Compute(payload.data(), payload.size()) + crcAdjust);
    std::vector<Bytes> frames;
    frames.push_back(
        Request(protocol::kCmdWriteBlock,
                protocol::BuildFirstBlockData(static_cast<uint16_t>(blocks + 1), scenario.code,
                                              scenario.param, crc, header.data(), header.size())));
    for (std::size_t i = 0; i < blocks; ++i) {
        frames.push_back(
            Request(protocol::kCmdWriteBlock,
                    protocol::BuildFurtherBlockData(static_cast<uint16_t>(i + 1),
                                                    payload.data() + i * protocol::kBlockSize)));
    }
    return frames;
}

// Header of a firmware file for type and platform, version 3.1.7, further bytes A1..A4.
Bytes FirmwareHeader(uint16_t type, uint16_t platform) {
    Bytes header;
    protocol::AppendLe16(header, type);
    protocol::AppendLe16(header, platform);
    header.insert(header.end(), {3, 1, 7, 0xA1, 0xA2, 0xA3, 0xA4});
    return header;
}

// The settings table as a read under scenario 2 delivers it, acknowledging each block.
Bytes ReadTableBack(SimDevice& device) {
    SelectAcknowledged(device, protocol::kScenarioSettingsRead);
    protocol::SettingsStream stream{};
    Bytes reply = Reply(device, ReadRequest(device.State().scenarios[1].code));
    for (std::size_t block = 0; block < protocol::kStreamBlocks && !reply.empty(); ++block) {
        std::copy(reply.end() - protocol::kCrcSize - protocol::kBlockSize,
                  reply.end() - protocol::kCrcSize, stream.begin() + block * protocol::kBlockSize);
        reply = Reply(device, Ack());
    }
    return protocol::UnpackSettingsStream(stream);
}

// Sends the frames; returns the index of the first frame refused (status 0x20), or -1.
int SendBlocks(SimDevice& device, const std::vector<Bytes>& frames) {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (WriteStatus(Reply(device, frames[i])) == protocol::kStatusRefused) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

class TestSimDevice : public QObject {
    Q_OBJECT

private slots:
    void repliesAsTheDevice_data();
    void repliesAsTheDevice();
    void receiverStrictness_data();
    void receiverStrictness();
    void incompleteFrameIsDroppedAfterSilence();
    void settingsRead();
    void settingsWrite_data();
    void settingsWrite();
    void writtenTableIsServedToLaterReads_data();
    void writtenTableIsServedToLaterReads();
    void firmwareWrite_data();
    void firmwareWrite();
    void busyBlock_data();
    void busyBlock();
    void busyLastBlockCountsAtItsPoll_data();
    void busyLastBlockCountsAtItsPoll();
    void replyFaults_data();
    void replyFaults();
    void hangUpAfterFrames();
};

// Identification, scenario and key replies byte for byte.
void TestSimDevice::repliesAsTheDevice_data() {
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<qulonglong>("key");
    QTest::addColumn<bool>("keyPresent");

    QTest::newRow("identify 580, platform 5, version 3.1.7")
        << ToQt(Identify()) << QByteArray::fromHex("4402050003 0107") << 0ull << false;
    QTest::newRow("scenario 2: code, parameter, further value")
        << ToQt(Select(2)) << QByteArray::fromHex("0202 01010000 40010000") << 0ull << false;
    // Scenario 1 selected and acknowledged first (see below): the key, least significant first.
    QTest::newRow("key 0123456789AB")
        << QByteArray("key") << QByteArray::fromHex("0000 0000 AB8967452301") << 0x0123456789ABull
        << true;
    QTest::newRow("no key: six zero bytes")
        << QByteArray("key") << QByteArray::fromHex("0000 0000 000000000000") << 0ull << false;
}

void TestSimDevice::repliesAsTheDevice() {
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, payload);
    QFETCH(qulonglong, key);
    QFETCH(bool, keyPresent);

    SimState state;
    if (keyPresent) {
        state.key = key;
    }
    SimDevice device(state);
    Bytes frame = FromQt(request);
    if (request == "key") {
        SelectAcknowledged(device, protocol::kScenarioKeyRead);
        frame = ReadRequest(state.scenarios[0].code);
    }
    const Bytes reply = Reply(device, frame);
    QCOMPARE(ToQt(reply),
             ToQt(protocol::BuildReplyFrame(reinterpret_cast<const uint8_t*>(payload.constData()),
                                            static_cast<uint8_t>(payload.size()))));
    QVERIFY2(device.Log().empty() || !LogHas(device, "refused"), qPrintable(LogText(device)));
}

// Raw input and the number of replies it earns; every refusal is logged with its reason.
void TestSimDevice::receiverStrictness_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("replies");
    QTest::addColumn<QString>("logged");

    Bytes badCrc = Identify();
    badCrc.back() ^= 0x01;
    Bytes wrongFixed = Identify();
    wrongFixed[1] = 0x02;
    const Bytes identify = Identify();
    const auto cat = [](std::initializer_list<Bytes> parts) {
        Bytes all;
        for (const Bytes& part : parts) {
            all.insert(all.end(), part.begin(), part.end());
        }
        return ToQt(all);
    };

    QTest::newRow("bad CRC gets no reply") << ToQt(badCrc) << 0 << "bad CRC on command 0x80";
    QTest::newRow("bad CRC, then a good frame") << cat({badCrc, identify}) << 1 << "bad CRC";
    QTest::newRow("stray bytes before a request")
        << cat({Bytes{0x00, 0x12}, identify}) << 1 << "2 byte(s) without a request start";
    QTest::newRow("wrong fixed bytes")
        << cat({wrongFixed, identify}) << 1 << "without a request start";
    QTest::newRow("several frames in one chunk")
        << cat({identify, Ack(), Select(3), Ack()}) << 2 << "";
    QTest::newRow("identify with a data byte")
        << ToQt(Request(protocol::kCmdIdentify, {0})) << 0 << "with 1 data bytes, expected 0";
    QTest::newRow("unknown command") << ToQt(Request(0x99)) << 0 << "unknown command 0x99";
    QTest::newRow("unknown scenario") << ToQt(Select(5)) << 0 << "unknown scenario 5";
    QTest::newRow("read without a scenario")
        << ToQt(ReadRequest(0x0202)) << 0 << "read request without scenario";
    QTest::newRow("read after an unacknowledged scenario")
        << cat({Select(2), ReadRequest(0x0202)}) << 1 << "expected an acknowledge";
    QTest::newRow("read with another scenario's code")
        << cat({Select(2), Ack(), ReadRequest(0x0303)}) << 1 << "expected code 0x0202";
    QTest::newRow("acknowledge nobody asked for")
        << ToQt(Ack()) << 0 << "acknowledge when no reply awaited one";
    QTest::newRow("acknowledge carrying 0x01")
        << cat({identify, Request(protocol::kCmdAcknowledge, {1})}) << 1
        << "acknowledge carrying 0x01";
}

void TestSimDevice::receiverStrictness() {
    QFETCH(QByteArray, input);
    QFETCH(int, replies);
    QFETCH(QString, logged);

    SimDevice device;
    // Fed in two pieces: a frame cut anywhere must still be understood.
    const Bytes bytes = FromQt(input);
    const std::size_t cut = bytes.size() / 2 + 1;
    std::vector<Bytes> got = Replies(device, Bytes(bytes.begin(), bytes.begin() + cut));
    const std::vector<Bytes> rest = Replies(device, Bytes(bytes.begin() + cut, bytes.end()));
    got.insert(got.end(), rest.begin(), rest.end());

    QCOMPARE(static_cast<int>(got.size()), replies);
    for (const Bytes& reply : got) {
        QVERIFY(protocol::IsAcceptedReply(reply.data(), reply.size()));
    }
    if (logged.isEmpty()) {
        QVERIFY2(device.Log().empty(), qPrintable(LogText(device)));
    } else {
        QVERIFY2(LogHas(device, logged), qPrintable(LogText(device)));
    }
}

void TestSimDevice::incompleteFrameIsDroppedAfterSilence() {
    SimDevice device;
    const Bytes identify = Identify();
    QVERIFY(Replies(device, Bytes(identify.begin(), identify.begin() + 4)).empty());
    QVERIFY(device.HasPartialFrame());
    device.DropPartialFrame();
    QVERIFY(LogHas(device, "incomplete frame of 4 bytes"));
    QCOMPARE(Reply(device, identify).size(), std::size_t{protocol::kIdentifyReplySize});
}

// Five blocks: 72 bytes then 70, each after the acknowledge of the one before; the table split
// across the stream at byte 225.
void TestSimDevice::settingsRead() {
    SimState state;
    state.settings = Patterned(protocol::kSettingsTableSize, 7);
    SimDevice device(state);
    SelectAcknowledged(device, protocol::kScenarioSettingsRead);

    Bytes stream;
    Bytes reply = Reply(device, ReadRequest(state.scenarios[1].code));
    for (std::size_t block = 0; block < protocol::kStreamBlocks; ++block) {
        QCOMPARE(reply.size(), block == 0 ? std::size_t{protocol::kFirstReadBlockReplySize}
                                          : std::size_t{protocol::kReadBlockReplySize});
        QVERIFY(protocol::IsAcceptedReply(reply.data(), reply.size()));
        QCOMPARE(protocol::ReadLe16(&reply[2]), block);
        stream.insert(stream.end(), reply.end() - protocol::kCrcSize - protocol::kBlockSize,
                      reply.end() - protocol::kCrcSize);
        reply = Reply(device, Ack());
    }
    QVERIFY(reply.empty());

    protocol::SettingsStream expected = protocol::PackSettingsStream(state.settings.data());
    QCOMPARE(ToQt(stream), ToQt(Bytes(expected.begin(), expected.end())));
    QVERIFY2(LogHas(device, "settings table read"), qPrintable(LogText(device)));
}

void TestSimDevice::settingsWrite_data() {
    QTest::addColumn<WriteFault>("fault");
    QTest::addColumn<int>("refusedFrame"); // -1: all accepted and stored
    QTest::addColumn<QString>("logged");

    QTest::newRow("stored") << WriteFault::None << -1 << "settings table stored";
    QTest::newRow("no scenario") << WriteFault::NoScenario << 0 << "without scenario 3 or 4";
    QTest::newRow("scenario not acknowledged")
        << WriteFault::UnackedScenario << 0 << "expected an acknowledge";
    QTest::newRow("blocks out of order") << WriteFault::SwappedBlocks << 1 << "block 2, expected 1";
    QTest::newRow("block repeated") << WriteFault::RepeatedBlock << 2 << "block 1, expected 2";
    QTest::newRow("stream checksum wrong") << WriteFault::WrongCrc << 4 << "CRC-16 of the 320";
    QTest::newRow("block count 4") << WriteFault::WrongCount << 0 << "block count 4, expected 5";
    QTest::newRow("another code") << WriteFault::WrongCode << 0 << "scenario code";
    QTest::newRow("another parameter") << WriteFault::WrongParam << 0 << "scenario parameter";
    QTest::newRow("head block short")
        << WriteFault::ShortHead << 0 << "head block of 75, expected 76 bytes";
    QTest::newRow("device refuses block 3")
        << WriteFault::ConfigurableRefusal << 3 << "block 3 refused as configured";
}

void TestSimDevice::settingsWrite() {
    QFETCH(WriteFault, fault);
    QFETCH(int, refusedFrame);
    QFETCH(QString, logged);

    SimState state;
    state.settings = Patterned(protocol::kSettingsTableSize, 3);
    if (fault == WriteFault::ConfigurableRefusal) {
        state.behaviour.blockResponses[3].kind = BlockResponse::Kind::Refuse;
    }
    const Bytes before = state.settings;
    const Bytes table = Patterned(protocol::kSettingsTableSize, 29);
    SimDevice device(state);
    if (fault == WriteFault::UnackedScenario) {
        QVERIFY(!Reply(device, Select(protocol::kScenarioSettingsWrite)).empty());
    } else if (fault != WriteFault::NoScenario) {
        SelectAcknowledged(device, protocol::kScenarioSettingsWrite);
    }

    QCOMPARE(SendBlocks(device, SettingsWriteFrames(state, table, fault)), refusedFrame);
    QCOMPARE(ToQt(device.State().settings), ToQt(refusedFrame < 0 ? table : before));
    QVERIFY2(LogHas(device, logged), qPrintable(LogText(device)));
}

// What a write stored is what the next read delivers; a byte set to be kept wrong is wrong in
// both the stored table and the read, and nowhere else.
void TestSimDevice::writtenTableIsServedToLaterReads_data() {
    QTest::addColumn<QStringList>("corruptions"); // as --store-corrupt takes them
    QTest::newRow("kept as written") << QStringList{};
    QTest::newRow("byte 3 kept wrong") << QStringList{"3:99"};
    QTest::newRow("first and last byte kept wrong") << QStringList{"0:0xff", "256:0"};
}

void TestSimDevice::writtenTableIsServedToLaterReads() {
    QFETCH(QStringList, corruptions);
    SimState state;
    state.settings = Patterned(protocol::kSettingsTableSize, 3);
    Bytes expected = Patterned(protocol::kSettingsTableSize, 29);
    for (const QString& corruption : corruptions) {
        const auto stored = velor::sim::ParseStoreCorruption(corruption);
        state.behaviour.storeCorruptions.push_back(stored);
        expected[stored.offset] = stored.value;
    }
    SimDevice device(state);
    Bytes written;
    device.SetSettingsStored([&written](const Bytes& table) { written = table; });
    SelectAcknowledged(device, protocol::kScenarioSettingsWrite);
    const Bytes table = Patterned(protocol::kSettingsTableSize, 29);
    QCOMPARE(SendBlocks(device, SettingsWriteFrames(state, table, WriteFault::None)), -1);

    QCOMPARE(ToQt(written), ToQt(expected));
    QCOMPARE(ToQt(ReadTableBack(device)), ToQt(expected));
    QCOMPARE(LogHas(device, "instead of what arrived"), !corruptions.isEmpty());
}

void TestSimDevice::firmwareWrite_data() {
    QTest::addColumn<int>("headerType");
    QTest::addColumn<int>("headerPlatform");
    QTest::addColumn<int>("payloadBlocks");
    QTest::addColumn<int>("crcAdjust");
    QTest::addColumn<int>("refusedFrame");
    QTest::addColumn<QString>("logged");

    QTest::newRow("20 blocks stored") << 580 << 5 << 20 << 0 << -1 << "1280 payload bytes in 21";
    QTest::newRow("empty payload, checksum 0") << 580 << 5 << 0 << 0 << -1 << "0 payload bytes";
    QTest::newRow("firmware for type 570") << 570 << 5 << 2 << 0 << 0 << "device type 570";
    QTest::newRow("firmware for platform 6") << 580 << 6 << 2 << 0 << 0 << "platform 6";
    QTest::newRow("payload checksum wrong") << 580 << 5 << 3 << 1 << 3 << "CRC-16 of the 192";
}

void TestSimDevice::firmwareWrite() {
    QFETCH(int, headerType);
    QFETCH(int, headerPlatform);
    QFETCH(int, payloadBlocks);
    QFETCH(int, crcAdjust);
    QFETCH(int, refusedFrame);
    QFETCH(QString, logged);

    SimDevice device;
    SelectAcknowledged(device, protocol::kScenarioFirmwareWrite);
    const Bytes header =
        FirmwareHeader(static_cast<uint16_t>(headerType), static_cast<uint16_t>(headerPlatform));
    const Bytes payload =
        Patterned(static_cast<std::size_t>(payloadBlocks) * protocol::kBlockSize, 13);

    const std::vector<Bytes> frames =
        FirmwareFrames(device.State(), header, payload, static_cast<uint16_t>(crcAdjust));
    QCOMPARE(SendBlocks(device, frames), refusedFrame);
    QVERIFY2(LogHas(device, logged), qPrintable(LogText(device)));
    QCOMPARE(device.State().firmware.has_value(), refusedFrame < 0);
    if (refusedFrame < 0) {
        QCOMPARE(ToQt(device.State().firmware->header), ToQt(header));
        QCOMPARE(ToQt(device.State().firmware->payload), ToQt(payload));
    }
}

// A busy block: the write reply asks to wait; polls answer busy until the configured one, which
// stores the block or refuses it, and a block sent while the device is still busy is refused.
void TestSimDevice::busyBlock_data() {
    QTest::addColumn<int>("polls");
    QTest::addColumn<int>("delayCode");
    QTest::addColumn<bool>("pollRefuses");
    QTest::addColumn<int>("pollsSent");
    QTest::addColumn<int>("nextStatus"); // status of the following block

    QTest::newRow("stored at the first poll") << 1 << 1 << false << 1 << 0x00;
    QTest::newRow("delay code 3, stored at the third poll") << 3 << 3 << false << 3 << 0x00;
    QTest::newRow("next block while still busy") << 2 << 1 << false << 1 << 0x20;
    QTest::newRow("next block without polling") << 1 << 0 << false << 0 << 0x20;
    QTest::newRow("refused at the first poll: write abandoned") << 1 << 1 << true << 1 << 0x20;
    QTest::newRow("busy twice, refused at the third poll") << 3 << 2 << true << 3 << 0x20;
}

void TestSimDevice::busyBlock() {
    QFETCH(int, polls);
    QFETCH(int, delayCode);
    QFETCH(bool, pollRefuses);
    QFETCH(int, pollsSent);
    QFETCH(int, nextStatus);

    SimState state;
    state.behaviour.blockResponses[1] = {BlockResponse::Kind::Busy, static_cast<uint8_t>(delayCode),
                                         polls, pollRefuses};
    SimDevice device(state);
    SelectAcknowledged(device, protocol::kScenarioSettingsWrite);
    const auto frames =
        SettingsWriteFrames(state, Bytes(protocol::kSettingsTableSize), WriteFault::None);
    QCOMPARE(WriteStatus(Reply(device, frames[0])), 0x00);
    QCOMPARE(WriteStatus(Reply(device, frames[1])), kBusy | delayCode);
    const uint8_t decided = pollRefuses ? protocol::kStatusRefused : 0x00;
    for (int poll = 1; poll <= pollsSent; ++poll) {
        const uint8_t expected = poll < polls ? static_cast<uint8_t>(kBusy | delayCode) : decided;
        QCOMPARE(WriteStatus(Reply(device, Poll())), expected);
    }
    QCOMPARE(WriteStatus(Reply(device, frames[2])), nextStatus);
}

void TestSimDevice::busyLastBlockCountsAtItsPoll_data() {
    QTest::addColumn<bool>("pollRefuses");
    QTest::newRow("poll accepts: stored") << false;
    QTest::newRow("poll refuses: the device keeps its table") << true;
}

// A busy last block: the table is stored only when the deciding poll accepts it.
void TestSimDevice::busyLastBlockCountsAtItsPoll() {
    QFETCH(bool, pollRefuses);
    SimState state;
    state.settings.assign(protocol::kSettingsTableSize, 0x11);
    state.behaviour.blockResponses[4] = {BlockResponse::Kind::Busy, 1, 2, pollRefuses};
    SimDevice device(state);
    SelectAcknowledged(device, protocol::kScenarioSettingsWrite);
    const Bytes table(protocol::kSettingsTableSize, 0x22);
    const auto frames = SettingsWriteFrames(state, table, WriteFault::None);
    for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
        QCOMPARE(WriteStatus(Reply(device, frames[i])), 0x00);
    }
    QCOMPARE(WriteStatus(Reply(device, frames.back())), kBusy | 1);
    QCOMPARE(WriteStatus(Reply(device, Poll())), kBusy | 1);
    QCOMPARE(ToQt(device.State().settings), ToQt(state.settings)); // not yet
    QCOMPARE(WriteStatus(Reply(device, Poll())), pollRefuses ? protocol::kStatusRefused : 0x00);
    QCOMPARE(ToQt(device.State().settings), ToQt(pollRefuses ? state.settings : table));
}

// A fault hits exactly the n-th reply to its command, with the defect it names.
void TestSimDevice::replyFaults_data() {
    QTest::addColumn<ReplyFault::Kind>("kind");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("nth");

    QTest::newRow("no reply, 1st") << ReplyFault::Kind::NoReply << 0x80 << 1;
    QTest::newRow("wrong start byte, 2nd") << ReplyFault::Kind::WrongStart << 0x80 << 2;
    QTest::newRow("bad CRC, 3rd") << ReplyFault::Kind::BadCrc << 0x80 << 3;
    QTest::newRow("short reply, 2nd") << ReplyFault::Kind::Short << 0x80 << 2;
    QTest::newRow("fault on another command") << ReplyFault::Kind::NoReply << 0x81 << 1;
}

void TestSimDevice::replyFaults() {
    QFETCH(ReplyFault::Kind, kind);
    QFETCH(int, command);
    QFETCH(int, nth);

    SimDevice clean;
    const QByteArray good = ToQt(Reply(clean, Identify()));
    SimState state;
    state.behaviour.faults.push_back({kind, static_cast<uint8_t>(command), nth});
    SimDevice device(state);
    const bool hitsIdentify = command == protocol::kCmdIdentify;

    for (int i = 1; i <= nth + 1; ++i) {
        const Bytes bytes = Reply(device, Identify());
        const QByteArray reply = ToQt(bytes);
        if (!reply.isEmpty()) {
            Reply(device, Ack());
        }
        if (i != nth || !hitsIdentify) {
            QCOMPARE(reply, good);
            continue;
        }
        switch (kind) {
        case ReplyFault::Kind::NoReply:
            QVERIFY(reply.isEmpty());
            break;
        case ReplyFault::Kind::WrongStart: // only the start byte is wrong
            QCOMPARE(uint8_t(reply[0]), protocol::kRequestStart);
            QVERIFY(protocol::HasValidCrc(bytes.data(), bytes.size()));
            QCOMPARE(reply.mid(1, 8), good.mid(1, 8));
            break;
        case ReplyFault::Kind::BadCrc:
            QCOMPARE(reply.size(), good.size());
            QCOMPARE(reply.left(9), good.left(9));
            QVERIFY(!protocol::HasValidCrc(bytes.data(), bytes.size()));
            break;
        case ReplyFault::Kind::Short:
            QCOMPARE(reply, good.left(good.size() - 2));
            break;
        }
    }
    QCOMPARE(LogHas(device, QStringLiteral("on reply %1 to command 0x80").arg(nth)), hitsIdentify);
}

void TestSimDevice::hangUpAfterFrames() {
    SimState state;
    state.behaviour.hangUpAfterFrames = 2;
    SimDevice device(state);
    QVERIFY(!Reply(device, Identify()).empty());
    QVERIFY(Reply(device, Ack()).empty());
    QVERIFY(!device.HungUp());
    QVERIFY(Reply(device, Identify()).empty());
    QVERIFY(device.HungUp());
    QVERIFY(Reply(device, Identify()).empty());
    QCOMPARE(device.FramesServed(), 2);
    QVERIFY(LogHas(device, "line dropped after 2 frames"));
}

QTEST_GUILESS_MAIN(TestSimDevice)
#include "tst_sim_device.moc"
