// A write asked to stop between its blocks: the blocks before the stop are sent and answered, no
// further block goes out, and the device object says the write was stopped, not refused.
#include "device_replies.h"
#include "scripted_port.h"

#include "link/protocol.h"
#include "link/velor_device.h"
#include "link/velor_table.h"

#include <QTest>

using namespace velor::protocol;

namespace {

constexpr int kSettingsBlocks = 5;
constexpr int kFirmwareBlocks = 3; // the header block and two payload blocks
constexpr int kNeverStops = -1;

// A firmware image of a header and two whole payload blocks with the two trailing bytes.
std::vector<uint8_t> FirmwareImage() {
    std::vector<uint8_t> image(kFirmwareHeaderSize + 2 * kBlockSize + 2, 0x5A);
    return image;
}

} // namespace

class TestWriteStop : public QObject {
    Q_OBJECT

private slots:
    void stopsBeforeTheBlock_data();
    void stopsBeforeTheBlock();
};

void TestWriteStop::stopsBeforeTheBlock_data() {
    QTest::addColumn<bool>("firmware");
    QTest::addColumn<int>("stopBefore");
    QTest::newRow("settings: stop before anything is sent") << false << 0;
    QTest::newRow("settings: stop after block 2") << false << 3;
    QTest::newRow("settings: stop before the last block") << false << 4;
    QTest::newRow("settings: never asked to stop") << false << kNeverStops;
    QTest::newRow("firmware: stop before the header") << true << 0;
    QTest::newRow("firmware: stop after the header") << true << 1;
    QTest::newRow("firmware: never asked to stop") << true << kNeverStops;
}

void TestWriteStop::stopsBeforeTheBlock() {
    QFETCH(bool, firmware);
    QFETCH(int, stopBefore);
    const int blocks = firmware ? kFirmwareBlocks : kSettingsBlocks;
    ScriptedPort port;
    TVelorDevice device{port.sleeper()};
    device.Port = &port;
    for (int i = 0; i < blocks; ++i) {
        port.replies.push_back(WriteReply(0x00));
    }
    int asked = 0;
    device.StopRequested = [&] { return asked++ == stopBefore; };
    const std::vector<uint8_t> image = FirmwareImage();
    TVelorTable table;
    if (firmware) {
        table.SetView(image.data(), static_cast<uint32_t>(image.size()));
    } else {
        table.SetLength(kSettingsTableSize);
    }

    const bool written = firmware ? device.WriteFirmware(table) : device.WriteTable(table);

    const bool stops = stopBefore != kNeverStops;
    QCOMPARE(written, !stops);
    QCOMPARE(device.Stopped(), stops);
    const int sent = stops ? stopBefore : blocks;
    QCOMPARE(int(port.frames.size()), sent);
    // Every block sent was answered before the write ended: the line is quiet.
    QCOMPARE(int(port.replies.size()), blocks - sent);
    if (sent > 0) {
        QVERIFY(port.events.last().startsWith(QLatin1String("R")));
    }
}

QTEST_GUILESS_MAIN(TestWriteStop)
#include "tst_write_stop.moc"
