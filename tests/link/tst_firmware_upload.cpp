// Firmware upload: the header block, the payload blocks, what never travels, and refusals.
#include "byte_text.h"
#include "device_replies.h"
#include "scripted_port.h"

#include "link/crc16.h"
#include "link/protocol.h"
#include "link/velor_device.h"
#include "link/velor_table.h"

#include <QTest>

#include <algorithm>

using namespace velor::protocol;

namespace {

constexpr int32_t kCode = 0x0102;
constexpr uint32_t kParam = 0x0A0B0C0D;

// A firmware file of length bytes: descriptor 580 / 5 / 3_1_7, four further header bytes,
// a patterned payload, trailing bytes EE EF.
std::vector<uint8_t> FirmwareImage(std::size_t length) {
    std::vector<uint8_t> image = HexBytes("44 02 05 00 03 01 07 A1 A2 A3 A4");
    for (std::size_t i = image.size(); i + 2 < length; ++i) {
        image.push_back(static_cast<uint8_t>(i * 13 + 5));
    }
    image.push_back(0xEE);
    image.push_back(0xEF);
    image.resize(length);
    return image;
}

struct Upload {
    ScriptedPort port;
    TVelorDevice device{port.sleeper()};
    TVelorTable table;

    explicit Upload(const std::vector<uint8_t>& image) {
        device.Port = &port;
        device.Gauge = port.progress();
        table.Code = kCode;
        table.Param = kParam;
        table.SetView(image.data(), static_cast<uint32_t>(image.size()));
    }
    void AcceptBlocks(int count) {
        for (int i = 0; i < count; ++i) {
            port.replies.push_back(WriteReply(0x00));
        }
    }
};

} // namespace

class TestFirmwareUpload : public QObject {
    Q_OBJECT

private slots:
    void blocks_data();
    void blocks();
    void headerBlockOfTheExample();
    void refusedImages_data();
    void refusedImages();
    void sameImageTwiceSendsTheSameFrames();
    void faults_data();
    void faults();
};

void TestFirmwareUpload::blocks_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("blocks");
    QTest::newRow("13 bytes: header block only") << 13 << 1;
    QTest::newRow("77 bytes") << 77 << 2;
    QTest::newRow("1293 bytes") << 1293 << 21;
}

// Header block: number 0, block count, code, parameter, checksum of the payload, file bytes
// 0..10. Then payload bytes in 64-byte blocks; each reply read whole, the gauge advanced after it.
void TestFirmwareUpload::blocks() {
    QFETCH(int, length);
    QFETCH(int, blocks);
    const std::vector<uint8_t> image = FirmwareImage(static_cast<std::size_t>(length));
    const uint8_t* payload = image.data() + 11;
    const std::size_t payloadSize = image.size() - 13;
    Upload upload(image);
    upload.AcceptBlocks(blocks);

    QVERIFY(upload.device.WriteFirmware(upload.table));

    std::vector<uint8_t> header = HexBytes("00 00 00 00 02 01 0D 0C 0B 0A");
    header[2] = static_cast<uint8_t>(blocks);
    AppendLe16(header, TCrc16().Compute(payload, payloadSize));
    header.insert(header.end(), image.begin(), image.begin() + 11);
    QStringList expected = {"max " + QString::number(blocks)};
    expected << "B"
             << "W " + RequestText(kCmdWriteBlock, header) << "B"
             << "R 8"
             << "advance";
    for (int block = 1; block < blocks; ++block) {
        std::vector<uint8_t> data = {static_cast<uint8_t>(block), 0x00};
        const uint8_t* bytes = payload + (block - 1) * 64;
        data.insert(data.end(), bytes, bytes + 64);
        expected << "B"
                 << "W " + RequestText(kCmdWriteBlock, data) << "B"
                 << "R 8"
                 << "advance";
    }
    QCOMPARE(upload.port.events, expected);
    QCOMPARE(upload.port.frames.front()[4], 23);
}

void TestFirmwareUpload::headerBlockOfTheExample() {
    const std::vector<uint8_t> image = HexBytes("44 02 05 00 03 01 07 A1 A2 A3 A4 E1 E2");
    Upload upload(image);
    upload.AcceptBlocks(1);
    QVERIFY(upload.device.WriteFirmware(upload.table));
    QCOMPARE(int(upload.port.frames.size()), 1);
    // 12 bytes (block 0 of 1, code, parameter, checksum of no bytes = 0), then bytes 0..10.
    QCOMPARE(AsQBytes(upload.port.frames[0]),
             QByteArray::fromHex("55 01 FF 54 17 00 00 01 00 02 01 0D 0C 0B 0A 00 00"
                                 "44 02 05 00 03 01 07 A1 A2 A3 A4 45 7B"));
}

void TestFirmwareUpload::refusedImages_data() {
    QTest::addColumn<int>("length");
    QTest::newRow("empty") << 0;
    QTest::newRow("12 bytes: no trailer") << 12;
    QTest::newRow("14 bytes: one stray payload byte") << 14;
    QTest::newRow("76 bytes: 63-byte payload") << 76;
    QTest::newRow("1292 bytes: 1279-byte payload") << 1292;
}

// Images whose payload would not reach the device whole are refused before anything is sent.
void TestFirmwareUpload::refusedImages() {
    QFETCH(int, length);
    const std::vector<uint8_t> image = FirmwareImage(static_cast<std::size_t>(length));
    Upload upload(image);
    upload.AcceptBlocks(25);
    QVERIFY(!upload.device.WriteFirmware(upload.table));
    QCOMPARE(upload.port.events, QStringList());
}

void TestFirmwareUpload::sameImageTwiceSendsTheSameFrames() {
    const std::vector<uint8_t> image = FirmwareImage(1293);
    const std::vector<uint8_t> original = image;
    Upload upload(image);
    upload.AcceptBlocks(42);
    QVERIFY(upload.device.WriteFirmware(upload.table));
    QVERIFY(upload.device.WriteFirmware(upload.table));

    const auto& frames = upload.port.frames;
    QCOMPARE(int(frames.size()), 42);
    for (std::size_t i = 0; i < 21; ++i) {
        QCOMPARE(AsQBytes(frames[i + 21]), AsQBytes(frames[i]));
    }
    QCOMPARE(AsQBytes(image), AsQBytes(original));
    QVERIFY(upload.table.IsView());
    QVERIFY(upload.table.Data() == image.data());
    // 1280 payload bytes in 20 blocks: the trailing EE EF never travel.
    QCOMPARE(AsQBytes(frames[20]).mid(7, 64), AsQBytes(image.data() + 1227, 64));
    QCOMPARE(std::count_if(frames.begin(), frames.begin() + 21,
                           [](const std::vector<uint8_t>& f) { return f.size() == 73; }),
             20);
}

void TestFirmwareUpload::faults_data() {
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("advances");
    QTest::newRow("checksum wrong on block 3") << 3 << "crc" << false << 4 << 3;
    QTest::newRow("header block refused") << 0 << "refused" << false << 1 << 0;
    QTest::newRow("no reply to block 20") << 20 << "none" << false << 21 << 20;
    QTest::newRow("busy, then a good poll, goes on") << 5 << "busy" << true << 22 << 21;
    QTest::newRow("busy, then a bad poll, stops") << 5 << "busy-bad" << false << 7 << 5;
}

// Each block's reply passes the write-status rule; a failure stops the upload at that block.
void TestFirmwareUpload::faults() {
    QFETCH(int, block);
    QFETCH(QString, reply);
    QFETCH(bool, accepted);
    QFETCH(int, frames);
    QFETCH(int, advances);
    const std::vector<uint8_t> image = FirmwareImage(1293);
    Upload upload(image);
    upload.AcceptBlocks(block);
    if (reply == "crc") {
        upload.port.replies.push_back(WithBadCrc(WriteReply(0x00)));
    } else if (reply == "refused") {
        upload.port.replies.push_back(WriteReply(0x20));
    } else if (reply == "busy" || reply == "busy-bad") {
        upload.port.replies.push_back(WriteReply(0x0B));
        upload.port.replies.push_back(reply == "busy" ? WriteReply(0x00)
                                                      : WithBadCrc(WriteReply(0x00)));
    }
    if (reply != "none") {
        upload.AcceptBlocks(21 - block - 1);
    }

    QCOMPARE(upload.device.WriteFirmware(upload.table), accepted);
    QCOMPARE(int(upload.port.frames.size()), frames); // poll frames included
    QCOMPARE(int(upload.port.events.count("advance")), advances);
}

QTEST_GUILESS_MAIN(TestFirmwareUpload)
#include "tst_firmware_upload.moc"
