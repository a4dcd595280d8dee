// Settings read and write, the write status with its wait-and-poll rule, and the key read.
#include "byte_text.h"
#include "device_replies.h"
#include "scripted_port.h"

#include "link/crc16.h"
#include "link/protocol.h"
#include "link/velor_device.h"
#include "link/velor_table.h"

#include <QTest>

#include <map>

using namespace velor::protocol;

namespace {

constexpr int32_t kCode = 0x0102;
constexpr uint32_t kParam = 0x04050607;
const QString kReadRequestEvent = QStringLiteral("W 55 01 FF 82 06 02 01 00 00 00 00 D7 67");

// What the device's stream holds at byte k in the read tests.
uint8_t StreamByte(std::size_t k) {
    return static_cast<uint8_t>(k * 7 + 3);
}

// A read-block reply of size bytes whose payload length byte is n: the 64 data bytes of block
// are the last 64 payload bytes; whatever lies before and after them is filler.
std::vector<uint8_t> ReadBlockReply(std::size_t size, uint8_t n, std::size_t block) {
    std::vector<uint8_t> reply(size - kCrcSize, 0xF0);
    reply[0] = kReplyStart;
    reply[1] = n;
    const std::size_t dataStart = kReplyPayloadOffset + n - kBlockSize;
    for (std::size_t i = 0; i < kBlockSize && dataStart + i < reply.size(); ++i) {
        reply[dataStart + i] = StreamByte(block * kBlockSize + i);
    }
    AppendLe16(reply, TCrc16().Compute(reply.data(), reply.size()));
    return reply;
}

// The settings table the read tests expect: stream bytes 0..224 and 256..287.
QByteArray TableOfStream() {
    QByteArray table;
    for (std::size_t k = 0; k < 225; ++k) {
        table.append(static_cast<char>(StreamByte(k)));
    }
    for (std::size_t k = 256; k < 288; ++k) {
        table.append(static_cast<char>(StreamByte(k)));
    }
    return table;
}

struct Fixture {
    ScriptedPort port;
    TVelorDevice device{port.sleeper()};
    Fixture() {
        device.Port = &port;
        device.Gauge = port.progress();
    }
};

} // namespace

class TestTableTransfer : public QObject {
    Q_OBJECT

private slots:
    void readTable_data();
    void readTable();
    void readTableFaults_data();
    void readTableFaults();
    void writeTableLayout();
    void writeTableRefusesOtherLengths_data();
    void writeTableRefusesOtherLengths();
    void writeTableReplyFaults_data();
    void writeTableReplyFaults();
    void writeStatus_data();
    void writeStatus();
    void pollSequence();
    void readKey_data();
    void readKey();
};

void TestTableTransfer::readTable_data() {
    QTest::addColumn<int>("firstN");
    QTest::addColumn<int>("furtherN");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("acks");
    QTest::newRow("first N=68: data at bytes 6..69") << 68 << 66 << true << 5;
    QTest::newRow("first N=66: data at bytes 4..67") << 66 << 66 << true << 5;
    QTest::newRow("first N=65 too small") << 65 << 66 << false << 0;
    QTest::newRow("first N=69 beyond the reply") << 69 << 66 << false << 0;
    QTest::newRow("further N=67 beyond the reply") << 68 << 67 << false << 1;
    QTest::newRow("further N=65 too small") << 68 << 65 << false << 1;
}

void TestTableTransfer::readTable() {
    QFETCH(int, firstN);
    QFETCH(int, furtherN);
    QFETCH(bool, accepted);
    QFETCH(int, acks);
    Fixture f;
    f.port.replies.push_back(ReadBlockReply(72, static_cast<uint8_t>(firstN), 0));
    for (std::size_t block = 1; block < 5; ++block) {
        f.port.replies.push_back(ReadBlockReply(70, static_cast<uint8_t>(furtherN), block));
    }
    TVelorTable table;
    table.Code = kCode;
    table.Assign(HexBytes("09 09 09"));

    QCOMPARE(f.device.ReadTable(table), accepted);
    QCOMPARE(AsQBytes(table.Bytes()), accepted ? TableOfStream() : QByteArray("\x09\x09\x09"));
    QCOMPARE(f.port.events.mid(0, 4), (QStringList{"max 5", "B", kReadRequestEvent, "B"}));
    QCOMPARE(int(f.port.events.count(kAckEvent)), acks);
    if (accepted) {
        QStringList perBlock;
        for (const char* read : {"R 72", "R 70", "R 70", "R 70", "R 70"}) {
            perBlock << read << kAckEvent << "advance";
        }
        QCOMPARE(EventsStartingWith(f.port.events, {"R", "W", "advance"}).mid(1), perBlock);
    }
}

void TestTableTransfer::readTableFaults_data() {
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("acks");
    QTest::newRow("checksum wrong in block 2") << 2 << "crc" << 2;
    QTest::newRow("wrong start byte in block 0") << 0 << "start" << 0;
    QTest::newRow("block 4 never arrives") << 4 << "missing" << 4;
    QTest::newRow("block 3 arrives short") << 3 << "short" << 3;
    QTest::newRow("acknowledge of block 1 not written") << 1 << "ack" << 1;
    QTest::newRow("read request not written") << 0 << "request" << 0;
}

// Any fault ends the read at once: nothing more is acknowledged and the table keeps its content.
void TestTableTransfer::readTableFaults() {
    QFETCH(int, block);
    QFETCH(QString, fault);
    QFETCH(int, acks);
    Fixture f;
    for (int i = 0; i < 5; ++i) {
        std::vector<uint8_t> reply = ReadBlockReply(i == 0 ? 72 : 70, i == 0 ? 68 : 66, i);
        if (i == block && fault == "crc") {
            reply = WithBadCrc(reply);
        } else if (i == block && fault == "start") {
            reply = WithStartByte(reply, 0x55);
        } else if (i == block && fault == "short") {
            reply = Cut(reply, reply.size() - 1);
        } else if (i == block && fault == "missing") {
            break;
        }
        f.port.replies.push_back(reply);
    }
    if (fault == "ack") {
        f.port.failingWrites.insert(block + 1);
    } else if (fault == "request") {
        f.port.failingWrites.insert(0);
    }
    TVelorTable table;
    table.Assign(HexBytes("09 09 09"));

    QVERIFY(!f.device.ReadTable(table));
    QCOMPARE(AsQBytes(table.Bytes()), QByteArray("\x09\x09\x09"));
    QCOMPARE(int(f.port.events.count(kAckEvent)), acks);
}

// Five write blocks with the table at stream bytes 0..224 and 256..287, zeros elsewhere, the
// first block's checksum over all 320 stream bytes; the gauge advances before each block.
void TestTableTransfer::writeTableLayout() {
    Fixture f;
    for (int i = 0; i < 5; ++i) {
        f.port.replies.push_back(WriteReply(0x00));
    }
    std::vector<uint8_t> content(kSettingsTableSize);
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<uint8_t>(i % 250 + 1);
    }
    TVelorTable table;
    table.Code = kCode;
    table.Param = kParam;
    table.Assign(content);

    std::vector<uint8_t> stream(320, 0);
    std::copy_n(content.begin(), 225, stream.begin());
    std::copy_n(content.begin() + 225, 32, stream.begin() + 256);
    const uint16_t checksum = TCrc16().Compute(stream.data(), stream.size());

    QVERIFY(f.device.WriteTable(table));
    QStringList expected = {"max 5"};
    for (std::size_t block = 0; block < 5; ++block) {
        // Block 0: number 0, count 5, code 0x0102, parameter 0x04050607, stream checksum.
        std::vector<uint8_t> data =
            block == 0 ? HexBytes("00 00 05 00 02 01 07 06 05 04") : HexBytes("00 00");
        data[0] = static_cast<uint8_t>(block);
        if (block == 0) {
            AppendLe16(data, checksum);
        }
        data.insert(data.end(), stream.begin() + block * 64, stream.begin() + block * 64 + 64);
        expected << "advance"
                 << "B"
                 << "W " + RequestText(kCmdWriteBlock, data) << "B"
                 << "RC 8";
    }
    QCOMPARE(f.port.events, expected);
    QCOMPARE(f.port.frames[0][4], 76);
    QCOMPARE(f.port.frames[4][4], 66);
    // Table bytes 225..256 open block 4, whose other 32 bytes are zeros.
    QCOMPARE(AsQBytes(f.port.frames[4].data() + 7, 32), AsQBytes(content.data() + 225, 32));
    QCOMPARE(AsQBytes(f.port.frames[4].data() + 39, 32), QByteArray(32, '\0'));
}

void TestTableTransfer::writeTableRefusesOtherLengths_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("empty") << 0;
    QTest::newRow("one byte short") << 256;
    QTest::newRow("one byte over") << 258;
}

void TestTableTransfer::writeTableRefusesOtherLengths() {
    QFETCH(int, length);
    Fixture f;
    TVelorTable table;
    table.SetLength(static_cast<uint32_t>(length));
    QVERIFY(!f.device.WriteTable(table));
    QCOMPARE(f.port.events, QStringList());
}

void TestTableTransfer::writeTableReplyFaults_data() {
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("fault");
    QTest::newRow("checksum wrong on block 1") << 1 << "crc";
    QTest::newRow("wrong start byte on block 0") << 0 << "start";
    QTest::newRow("no reply to block 3") << 3 << "missing";
    QTest::newRow("block 2 not written") << 2 << "unsent";
}

// A bad write reply fails the write and nothing follows the failed block.
void TestTableTransfer::writeTableReplyFaults() {
    QFETCH(int, block);
    QFETCH(QString, fault);
    Fixture f;
    for (int i = 0; i < block; ++i) {
        f.port.replies.push_back(WriteReply(0x00));
    }
    if (fault == "crc") {
        f.port.replies.push_back(WithBadCrc(WriteReply(0x00)));
    } else if (fault == "start") {
        f.port.replies.push_back(WithStartByte(WriteReply(0x00), 0x55));
    } else if (fault == "unsent") {
        f.port.failingWrites.insert(block);
    }
    TVelorTable table;
    table.SetLength(kSettingsTableSize);

    QVERIFY(!f.device.WriteTable(table));
    QCOMPARE(int(f.port.frames.size()), fault == "unsent" ? block : block + 1);
    QCOMPARE(int(f.port.events.count("advance")), block + 1);
    QVERIFY(f.port.replies.empty());
}

void TestTableTransfer::writeStatus_data() {
    QTest::addColumn<int>("status");
    // What each poll meets, comma separated: a reply with status 0xNN, ok (0x00), a damaged
    // reply (crc, start, short), none, unsent (the poll's write fails), or the device lost at
    // the poll's write (lost) or read (lostread).
    QTest::addColumn<QString>("polls");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QList<int>>("sleeps");
    QTest::addColumn<int>("pollsSent");

    QTest::newRow("0x00 accepted") << 0x00 << "" << true << QList<int>{} << 0;
    QTest::newRow("0x10 accepted") << 0x10 << "" << true << QList<int>{} << 0;
    QTest::newRow("0x18 accepted") << 0x18 << "" << true << QList<int>{} << 0;
    QTest::newRow("0x20 refused") << 0x20 << "" << false << QList<int>{} << 0;
    QTest::newRow("0x28 refused") << 0x28 << "" << false << QList<int>{} << 0;
    QTest::newRow("0x2B refused without waiting") << 0x2B << "" << false << QList<int>{} << 0;
    QTest::newRow("0x0B waits 200 ms, polls") << 0x0B << "ok" << true << QList<int>{200, 20} << 1;
    QTest::newRow("delay code 0 polls at once") << 0x08 << "ok" << true << QList<int>{20} << 1;
    QTest::newRow("delay code 1") << 0x09 << "ok" << true << QList<int>{20, 20} << 1;
    QTest::newRow("delay code 2") << 0x0A << "ok" << true << QList<int>{50, 20} << 1;
    QTest::newRow("delay code 4") << 0x0C << "ok" << true << QList<int>{500, 20} << 1;
    QTest::newRow("delay code 5") << 0x0D << "ok" << true << QList<int>{2000, 20} << 1;
    QTest::newRow("delay code 6") << 0x0E << "ok" << true << QList<int>{5000, 20} << 1;
    QTest::newRow("delay code 7 polls at once") << 0x0F << "ok" << true << QList<int>{20} << 1;
    QTest::newRow("poll answering refused refuses")
        << 0x0B << "0x20" << false << QList<int>{200, 20} << 1;
    QTest::newRow("poll answering refused and busy refuses")
        << 0x0B << "0x2B,0x00" << false << QList<int>{200, 20} << 1;
    QTest::newRow("poll answering 0x10 accepts")
        << 0x0B << "0x10" << true << QList<int>{200, 20} << 1;
    QTest::newRow("poll answering 0x18 accepts")
        << 0x0B << "0x18" << true << QList<int>{200, 20} << 1;
    QTest::newRow("poll busy once, then accepted")
        << 0x0B << "0x0B,ok" << true << QList<int>{200, 20, 200, 20} << 2;
    QTest::newRow("poll busy twice, then accepted")
        << 0x0B << "0x0B,0x0B,ok" << true << QList<int>{200, 20, 200, 20, 200, 20} << 3;
    QTest::newRow("poll busy three times refuses")
        << 0x0B << "0x0B,0x0B,0x0B,ok" << false << QList<int>{200, 20, 200, 20, 200, 20} << 3;
    QTest::newRow("poll busy, then refused")
        << 0x0B << "0x0B,0x20" << false << QList<int>{200, 20, 200, 20} << 2;
    QTest::newRow("next attempt waits the poll's new delay")
        << 0x0B << "0x0E,0x08,ok" << true << QList<int>{200, 20, 5000, 20, 20} << 3;
    QTest::newRow("spent attempt keeps the delay, busy poll changes it")
        << 0x0B << "none,0x0A,ok" << true << QList<int>{200, 20, 200, 20, 50, 20} << 3;
    QTest::newRow("poll checksum wrong refuses at once")
        << 0x0B << "crc,ok" << false << QList<int>{200, 20} << 1;
    QTest::newRow("poll start byte wrong refuses at once")
        << 0x0B << "start,ok" << false << QList<int>{200, 20} << 1;
    QTest::newRow("missing poll reply spends an attempt")
        << 0x0B << "none,ok" << true << QList<int>{200, 20, 200, 20} << 2;
    QTest::newRow("short poll reply spends an attempt")
        << 0x0B << "short,none,ok" << true << QList<int>{200, 20, 200, 20, 200, 20} << 3;
    QTest::newRow("unsent poll spends an attempt")
        << 0x0B << "unsent,ok" << true << QList<int>{200, 200, 20} << 2;
    QTest::newRow("device lost at a poll's write: no further wait or poll")
        << 0x0E << "lost,ok" << false << QList<int>{5000} << 1;
    QTest::newRow("device lost at a poll's read: no further wait or poll")
        << 0x0E << "lostread,ok" << false << QList<int>{5000, 20} << 1;
    QTest::newRow("three spent attempts refuse")
        << 0x0B << "none,unsent,none,ok" << false << QList<int>{200, 20, 200, 200, 20} << 3;
}

// The status of block 0's reply decides; accepted blocks go on to block 4, a refusal stops.
void TestTableTransfer::writeStatus() {
    QFETCH(int, status);
    QFETCH(QString, polls);
    QFETCH(bool, accepted);
    QFETCH(QList<int>, sleeps);
    QFETCH(int, pollsSent);
    const std::map<QString, std::vector<uint8_t>> pollReplies = {
        {"ok", WriteReply(0x00)},
        {"crc", WithBadCrc(WriteReply(0))},
        {"start", WithStartByte(WriteReply(0), 0x55)},
        {"short", Cut(WriteReply(0), 7)},
        {"none", {}}};
    Fixture f;
    f.port.replies.push_back(WriteReply(static_cast<uint8_t>(status)));
    int write = 1; // write 0 is block 0
    int read = 1;  // read 0 is block 0's reply
    for (const QString& poll : polls.split(',', Qt::SkipEmptyParts)) {
        if (poll == "unsent") {
            f.port.failingWrites.insert(write);
        } else if (poll == "lost") {
            f.port.losingWrites.insert(write);
        } else if (poll == "lostread") {
            f.port.losingReads.insert(read++);
        } else if (poll.startsWith("0x")) {
            f.port.replies.push_back(WriteReply(static_cast<uint8_t>(poll.toUInt(nullptr, 16))));
            ++read;
        } else {
            f.port.replies.push_back(pollReplies.at(poll));
            ++read;
        }
        ++write;
    }
    for (int i = 1; i < 5; ++i) {
        f.port.replies.push_back(WriteReply(0x00));
    }
    TVelorTable table;
    table.SetLength(kSettingsTableSize);

    QCOMPARE(f.device.WriteTable(table), accepted);
    QCOMPARE(QList<int>(f.port.sleeps.begin(), f.port.sleeps.end()), sleeps);
    QCOMPARE(int(f.port.FramesWithCommand(kCmdWriteBlock).size()), accepted ? 5 : 1);
    const QString poll = QStringLiteral("55 01 FF 37 00 2B F0");
    QCOMPARE(int(f.port.events.count("W " + poll) + f.port.events.count("W! " + poll)), pollsSent);
}

// A busy status: wait the delay, poll (framed by boundaries), wait 20 ms, read 8 bytes.
void TestTableTransfer::pollSequence() {
    Fixture f;
    f.port.replies.push_back(WriteReply(0x0B));
    f.port.replies.push_back(WriteReply(0x00));
    TVelorTable table;
    table.SetLength(kSettingsTableSize);
    f.device.WriteTable(table);
    const int first = int(f.port.events.indexOf("RC 8"));
    QCOMPARE(f.port.events.mid(first, 7),
             (QStringList{"RC 8", "S 200", "B", "W 55 01 FF 37 00 2B F0", "B", "S 20", "R 8"}));
    QCOMPARE(f.port.events.at(first + 7), QStringLiteral("advance")); // on to block 1
}

void TestTableTransfer::readKey_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("corrupt");
    QTest::addColumn<QByteArray>("identifier");
    QTest::newRow("N=10: bytes 6..11") << 10 << false << QByteArray::fromHex("C6 C7 C8 C9 CA CB");
    QTest::newRow("N=6: bytes 2..7") << 6 << false << QByteArray::fromHex("C2 C3 C4 C5 C6 C7");
    QTest::newRow("N=8: bytes 4..9") << 8 << false << QByteArray::fromHex("C4 C5 C6 C7 C8 C9");
    QTest::newRow("N=5 too small") << 5 << false << QByteArray();
    QTest::newRow("N=11 beyond the reply") << 11 << false << QByteArray();
    QTest::newRow("N=0") << 0 << false << QByteArray();
    QTest::newRow("checksum wrong") << 10 << true << QByteArray();
}

// Read request with the code, one 14-byte reply, acknowledge, one gauge step; the identifier is
// the last 6 payload bytes in reply order.
void TestTableTransfer::readKey() {
    QFETCH(int, n);
    QFETCH(bool, corrupt);
    QFETCH(QByteArray, identifier);
    const bool accepted = !identifier.isEmpty();
    std::vector<uint8_t> reply = {kReplyStart, static_cast<uint8_t>(n)};
    for (uint8_t b = 0xC2; b <= 0xCB; ++b) {
        reply.push_back(b);
    }
    AppendLe16(reply, TCrc16().Compute(reply.data(), reply.size()));
    Fixture f;
    f.port.replies.push_back(corrupt ? WithBadCrc(reply) : reply);
    TVelorTable table;
    table.Code = kCode;
    table.Assign(HexBytes("09 09 09"));

    QCOMPARE(f.device.ReadKey(table), accepted);
    QCOMPARE(AsQBytes(table.Bytes()), accepted ? identifier : QByteArray("\x09\x09\x09"));
    QStringList expected = {"max 1", kReadRequestEvent, "R 14"};
    if (accepted) {
        expected << kAckEvent << "advance";
    }
    QCOMPARE(EventsStartingWith(f.port.events, {"max", "W", "R", "advance"}), expected);
}

QTEST_GUILESS_MAIN(TestTableTransfer)
#include "tst_table_transfer.moc"
