// Checksum, frame layouts, reply acceptance, the settings stream, firmware image rules and the
// byte table.
#include "byte_text.h"

#include "link/crc16.h"
#include "link/firmware_image.h"
#include "link/protocol.h"
#include "link/settings_stream.h"
#include "link/velor_table.h"

#include <QTest>

#include <functional>
#include <stdexcept>

using namespace velor::protocol;

class TestLinkProtocol : public QObject {
    Q_OBJECT

private slots:
    void crc_data();
    void crc();
    void crcStartsAfreshOnEveryCall();
    void requestFrames_data();
    void requestFrames();
    void replyFrame();
    void replyAcceptance_data();
    void replyAcceptance();
    void settingsStreamPlacement_data();
    void settingsStreamPlacement();
    void settingsStreamRoundTripIgnoresGaps();
    void firmwareImageRules_data();
    void firmwareImageRules();
    void tableSetLength();
    void tableRangeError_data();
    void tableRangeError();
    void tableViewIsNotCopiedUntilChanged();
};

void TestLinkProtocol::crc_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expected");
    QTest::newRow("check digits") << QByteArray("123456789") << 0xBB3D;
    QTest::newRow("nothing") << QByteArray() << 0;
    QTest::newRow("identify head") << QByteArray::fromHex("55 01 FF 80 00") << 0x005C;
    QTest::newRow("acknowledge") << QByteArray::fromHex("55 01 FF 00 01 00") << 0x4100;
    QTest::newRow("identify reply") << QByteArray::fromHex("AA 07 44 02 05 00 03 01 07") << 0xF5BE;
}

void TestLinkProtocol::crc() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, expected);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    QCOMPARE(TCrc16().Compute(data, static_cast<std::size_t>(bytes.size())), expected);
}

void TestLinkProtocol::crcStartsAfreshOnEveryCall() {
    const QByteArray digits("123456789");
    const auto* data = reinterpret_cast<const uint8_t*>(digits.constData());
    TCrc16 crc;
    const uint16_t first = crc.Compute(data, 9);
    crc.Compute(data, 4); // leaves a different working value behind
    QCOMPARE(crc.Compute(data, 9), first);
    QCOMPARE(crc.Compute(data, 0), 0);
}

void TestLinkProtocol::requestFrames_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("identify") << int(kCmdIdentify) << QByteArray()
                              << QByteArray::fromHex("55 01 FF 80 00 5C 00");
    QTest::newRow("acknowledge") << int(kCmdAcknowledge) << QByteArray(1, '\0')
                                 << QByteArray::fromHex("55 01 FF 00 01 00 00 41");
    QTest::newRow("status poll") << int(kCmdStatusPoll) << QByteArray()
                                 << QByteArray::fromHex("55 01 FF 37 00 2B F0");
    QTest::newRow("select scenario 2") << int(kCmdSelectScenario) << QByteArray(1, '\2')
                                       << QByteArray::fromHex("55 01 FF 81 01 02 D1 A8");
}

void TestLinkProtocol::requestFrames() {
    QFETCH(int, command);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, frame);
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
    const auto n = static_cast<uint8_t>(data.size());
    QCOMPARE(AsQBytes(BuildRequestFrame(static_cast<uint8_t>(command), bytes, n)), frame);
    QCOMPARE(AsQBytes(BuildRequestFrame(MakeRequestHead(static_cast<uint8_t>(command), n), bytes)),
             frame);
}

void TestLinkProtocol::replyFrame() {
    const std::vector<uint8_t> payload = HexBytes("44 02 05 00 03 01 07");
    QCOMPARE(AsQBytes(BuildReplyFrame(payload.data(), 7)),
             QByteArray::fromHex("AA 07 44 02 05 00 03 01 07 BE F5"));
    QCOMPARE(AsQBytes(BuildReplyFrame(nullptr, 0)).size(), 4);
}

void TestLinkProtocol::replyAcceptance_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("identification")
        << QByteArray::fromHex("AA 07 44 02 05 00 03 01 07 BE F5") << true;
    QTest::newRow("request start byte")
        << QByteArray::fromHex("55 07 44 02 05 00 03 01 07 BE F5") << false;
    QTest::newRow("checksum bytes swapped")
        << QByteArray::fromHex("AA 07 44 02 05 00 03 01 07 F5 BE") << false;
    QTest::newRow("payload bit flipped")
        << QByteArray::fromHex("AA 07 44 02 05 00 03 01 06 BE F5") << false;
    QTest::newRow("empty payload") << QByteArray::fromHex("AA 00 7E A0") << true;
    QTest::newRow("shorter than a frame") << QByteArray::fromHex("AA 00 7E") << false;
}

void TestLinkProtocol::replyAcceptance() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, accepted);
    const auto* bytes = reinterpret_cast<const uint8_t*>(reply.constData());
    QCOMPARE(IsAcceptedReply(bytes, static_cast<std::size_t>(reply.size())), accepted);
}

// Table byte -> stream byte, at both ends of both parts.
void TestLinkProtocol::settingsStreamPlacement_data() {
    QTest::addColumn<int>("tableByte");
    QTest::addColumn<int>("streamByte");
    QTest::newRow("first") << 0 << 0;
    QTest::newRow("last of the identifier part") << 224 << 224;
    QTest::newRow("first output byte") << 225 << 256;
    QTest::newRow("last") << 256 << 287;
}

void TestLinkProtocol::settingsStreamPlacement() {
    QFETCH(int, tableByte);
    QFETCH(int, streamByte);
    std::vector<uint8_t> table(kSettingsTableSize, 0);
    table[static_cast<std::size_t>(tableByte)] = 0x5A;
    const SettingsStream stream = PackSettingsStream(table.data());
    for (std::size_t i = 0; i < stream.size(); ++i) {
        QCOMPARE(stream[i], i == static_cast<std::size_t>(streamByte) ? 0x5A : 0);
    }
    QCOMPARE(AsQBytes(UnpackSettingsStream(stream)), AsQBytes(table));
}

void TestLinkProtocol::settingsStreamRoundTripIgnoresGaps() {
    std::vector<uint8_t> table(kSettingsTableSize);
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<uint8_t>(i % 255 + 1); // no zero byte in the content
    }
    SettingsStream stream = PackSettingsStream(table.data());
    QCOMPARE(std::count(stream.begin(), stream.end(), 0), 320 - 257);
    for (std::size_t gap : {225u, 255u, 288u, 319u}) {
        stream[gap] = 0xEE; // junk where no table byte travels
    }
    QCOMPARE(AsQBytes(UnpackSettingsStream(stream)), AsQBytes(table));
}

void TestLinkProtocol::firmwareImageRules_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("uploadable");
    QTest::addColumn<int>("blocks");
    QTest::newRow("empty") << 0 << false << 1;
    QTest::newRow("12 bytes") << 12 << false << 1;
    QTest::newRow("header and trailer only") << 13 << true << 1;
    QTest::newRow("one stray payload byte") << 14 << false << 1;
    QTest::newRow("one block") << 77 << true << 2;
    QTest::newRow("1293 bytes") << 1293 << true << 21;
    QTest::newRow("1292 bytes, ragged") << 1292 << false << 20;
    QTest::newRow("largest block count") << 13 + 64 * 65534 << true << 65535;
    QTest::newRow("block count beyond 16 bits") << 13 + 64 * 65535 << false << 65536;
}

void TestLinkProtocol::firmwareImageRules() {
    QFETCH(int, length);
    QFETCH(bool, uploadable);
    QFETCH(int, blocks);
    QCOMPARE(IsUploadableFirmware(static_cast<std::size_t>(length)), uploadable);
    QCOMPARE(FirmwareBlockCount(static_cast<std::size_t>(length)), std::size_t(blocks));
}

void TestLinkProtocol::tableSetLength() {
    TVelorTable table;
    table.Assign(HexBytes("01 02 03"));
    table.SetLength(5);
    QCOMPARE(AsQBytes(table.Bytes()), QByteArray::fromHex("01 02 03 00 00"));
    table.SetLength(2);
    QCOMPARE(AsQBytes(table.Bytes()), QByteArray::fromHex("01 02"));
    table.SetLength(4); // bytes cut off earlier come back as zeros
    QCOMPARE(AsQBytes(table.Bytes()), QByteArray::fromHex("01 02 00 00"));
    table.SetLength(0);
    QCOMPARE(table.Length(), 0u);
    QVERIFY(table.Data() == nullptr);
}

void TestLinkProtocol::tableRangeError_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("index");
    QTest::newRow("empty table") << 0 << 0;
    QTest::newRow("at the length") << 6 << 6;
    QTest::newRow("far beyond") << 6 << 1000;
}

void TestLinkProtocol::tableRangeError() {
    QFETCH(int, length);
    QFETCH(int, index);
    TVelorTable table;
    table.SetLength(static_cast<uint32_t>(length));
    const TVelorTable& constTable = table;
    for (const auto& access : std::vector<std::function<void()>>{
             [&] { table[static_cast<uint32_t>(index)] = 1; },
             [&] { (void)constTable[static_cast<uint32_t>(index)]; }}) {
        try {
            access();
            QFAIL("no range error");
        } catch (const std::runtime_error& error) {
            QCOMPARE(QString::fromUtf8(error.what()),
                     QStringLiteral("class TVelorTable: index out of range"));
        }
    }
}

void TestLinkProtocol::tableViewIsNotCopiedUntilChanged() {
    const std::vector<uint8_t> image = HexBytes("44 02 05 00 03 01 07");
    TVelorTable table;
    table.SetView(image.data(), static_cast<uint32_t>(image.size()));
    QVERIFY(table.IsView());
    QVERIFY(table.Data() == image.data());
    QCOMPARE(table[6], 0x07);

    table[0] = 0xFF; // a change takes a copy; the viewed bytes stay as they were
    QVERIFY(!table.IsView());
    QCOMPARE(image[0], 0x44);
    QCOMPARE(AsQBytes(table.Bytes()), QByteArray::fromHex("FF 02 05 00 03 01 07"));

    table.SetView(image.data(), static_cast<uint32_t>(image.size()));
    table.SetLength(8);
    QCOMPARE(AsQBytes(table.Bytes()), QByteArray::fromHex("44 02 05 00 03 01 07 00"));
}

QTEST_GUILESS_MAIN(TestLinkProtocol)
#include "tst_link_protocol.moc"
