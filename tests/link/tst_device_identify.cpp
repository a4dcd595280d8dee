// Frame sending, identification, scenario selection and the link's frame log.
#include "byte_text.h"
#include "device_replies.h"
#include "scripted_port.h"

#include "link/link_log.h"
#include "link/protocol.h"
#include "link/velor_device.h"

#include <QLoggingCategory>
#include <QTest>

using namespace velor::protocol;

namespace {

const QString kIdentifyEvent = QStringLiteral("W 55 01 FF 80 00 5C 00");

QString DescriptorText(const TVelorDevDesc& d) {
    return QStringLiteral("%1/%2/%3_%4_%5")
        .arg(d.Type)
        .arg(d.Platform)
        .arg(d.Version1)
        .arg(d.Version2)
        .arg(d.Version3);
}

QStringList* capturedLog = nullptr;

void CaptureLog(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (capturedLog != nullptr && QByteArray(context.category) == "velor.link") {
        *capturedLog << message;
    }
}

} // namespace

class TestDeviceIdentify : public QObject {
    Q_OBJECT

private slots:
    void sendFrame_data();
    void sendFrame();
    void identify_data();
    void identify();
    void identifyWriteFailures_data();
    void identifyWriteFailures();
    void connectWithoutPortFails();
    void selectScenario_data();
    void selectScenario();
    void frameLog();
};

void TestDeviceIdentify::sendFrame_data() {
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("no data: 7 bytes") << QByteArray::fromHex("55 01 FF 80 00") << QByteArray()
                                      << false << QStringList{"B", kIdentifyEvent, "B"};
    QTest::newRow("one data byte")
        << QByteArray::fromHex("55 01 FF 81 01") << QByteArray::fromHex("02") << false
        << QStringList{"B", "W 55 01 FF 81 01 02 D1 A8", "B"};
    QTest::newRow("failed write: no closing boundary")
        << QByteArray::fromHex("55 01 FF 80 00") << QByteArray() << true
        << QStringList{"B", "W! 55 01 FF 80 00 5C 00"};
}

void TestDeviceIdentify::sendFrame() {
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, data);
    QFETCH(bool, writeFails);
    QFETCH(QStringList, events);
    ScriptedPort port;
    if (writeFails) {
        port.failingWrites.insert(0);
    }
    TVelorDevice device(port.sleeper());
    device.Port = &port;
    const auto* headBytes = reinterpret_cast<const uint8_t*>(head.constData());
    const auto* dataBytes =
        data.isEmpty() ? nullptr : reinterpret_cast<const uint8_t*>(data.constData());
    QCOMPARE(device.SendFrame(headBytes, dataBytes), !writeFails);
    QCOMPARE(port.events, events);
}

void TestDeviceIdentify::identify_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("model 580") << QByteArray::fromHex("AA 07 44 02 05 00 03 01 07 BE F5") << true;
    QTest::newRow("payload length byte not checked")
        << QByteArray::fromHex("AA 09 44 02 05 00 03 01 07 3F 79") << true;
    QTest::newRow("wrong start byte")
        << QByteArray::fromHex("55 07 44 02 05 00 03 01 07 BE F5") << false;
    QTest::newRow("checksum swapped")
        << QByteArray::fromHex("AA 07 44 02 05 00 03 01 07 F5 BE") << false;
    QTest::newRow("short reply") << QByteArray::fromHex("AA 07 44 02 05 00 03 01 07 BE") << false;
    QTest::newRow("no reply") << QByteArray() << false;
}

// The whole exchange: identify request, 20 ms, one 11-byte read, 20 ms, acknowledge. A rejected
// reply ends it there and leaves the earlier descriptor.
void TestDeviceIdentify::identify() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, accepted);
    ScriptedPort port;
    if (!reply.isEmpty()) {
        port.replies.push_back(AsVector(reply));
    }
    TVelorDevice device(port.sleeper());
    device.Descriptor = {570, 9, 9, 9, 9};

    QCOMPARE(device.Connect(&port), accepted);
    QVERIFY(device.Port == &port);
    const QStringList exchange = {"B", kIdentifyEvent, "B", "S 20", "R 11"};
    if (accepted) {
        QCOMPARE(DescriptorText(device.Descriptor), QStringLiteral("580/5/3_1_7"));
        QCOMPARE(port.events, exchange + QStringList({"S 20", "B", kAckEvent, "B"}));
    } else {
        QCOMPARE(DescriptorText(device.Descriptor), QStringLiteral("570/9/9_9_9"));
        QCOMPARE(port.events, exchange);
    }
}

void TestDeviceIdentify::identifyWriteFailures_data() {
    QTest::addColumn<int>("failingWrite");
    QTest::addColumn<QString>("descriptor");
    QTest::addColumn<int>("reads");
    QTest::newRow("request not written") << 0 << "570/9/9_9_9" << 0;
    QTest::newRow("acknowledge not written: new identity kept") << 1 << "580/5/3_1_7" << 1;
}

void TestDeviceIdentify::identifyWriteFailures() {
    QFETCH(int, failingWrite);
    QFETCH(QString, descriptor);
    QFETCH(int, reads);
    ScriptedPort port;
    port.failingWrites.insert(failingWrite);
    port.replies.push_back(HexBytes("AA 07 44 02 05 00 03 01 07 BE F5"));
    TVelorDevice device(port.sleeper());
    device.Descriptor = {570, 9, 9, 9, 9};
    QVERIFY(!device.Connect(&port));
    QCOMPARE(DescriptorText(device.Descriptor), descriptor);
    QCOMPARE(int(port.events.count("R 11")), reads);
}

void TestDeviceIdentify::connectWithoutPortFails() {
    TVelorDevice device([](int) {});
    QVERIFY(!device.Connect(nullptr));
}

void TestDeviceIdentify::selectScenario_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("code");
    QTest::addColumn<uint>("param");
    const QByteArray payload = QByteArray::fromHex("34 12 EF CD AB 89 01 02 03 04");
    const std::vector<uint8_t> good = Reply(AsVector(payload));
    QTest::newRow("code and parameter") << AsQBytes(good) << true << 0x1234 << 0x89ABCDEFu;
    QTest::newRow("code above 0x7FFF stays positive")
        << AsQBytes(Reply(HexBytes("FE FF 00 00 00 00 00 00 00 00"))) << true << 0xFFFE << 0u;
    QTest::newRow("checksum wrong") << AsQBytes(WithBadCrc(good)) << false << -1 << 7u;
    QTest::newRow("wrong start byte") << AsQBytes(WithStartByte(good, 0x55)) << false << -1 << 7u;
    QTest::newRow("short reply") << AsQBytes(Cut(good, 13)) << false << -1 << 7u;
}

// Request 0x81 with the number, a 14-byte reply read without waiting, a boundary, acknowledge.
void TestDeviceIdentify::selectScenario() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, accepted);
    QFETCH(int, code);
    QFETCH(uint, param);
    ScriptedPort port;
    port.replies.push_back(AsVector(reply));
    TVelorDevice device(port.sleeper());
    device.Port = &port;
    int32_t gotCode = -1;
    uint32_t gotParam = 7;

    QCOMPARE(device.SelectScenario(kScenarioSettingsRead, gotCode, gotParam), accepted);
    QCOMPARE(gotCode, code);
    QCOMPARE(gotParam, param);
    const QStringList exchange = {"B", "W 55 01 FF 81 01 02 D1 A8", "B", "R 14"};
    QCOMPARE(port.events, accepted ? exchange + QStringList({"B", "B", kAckEvent, "B"}) : exchange);
}

void TestDeviceIdentify::frameLog() {
    QVERIFY(!lcVelorLink().isDebugEnabled());
    ScriptedPort port;
    port.replies.push_back(HexBytes("AA 07 44 02 05 00 03 01 07 BE F5"));
    TVelorDevice device(port.sleeper());

    QStringList log;
    capturedLog = &log;
    QLoggingCategory::setFilterRules(QStringLiteral("velor.link.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(CaptureLog);
    device.Connect(&port);
    device.Identify(); // no reply this time
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QStringLiteral("velor.link.debug=false"));
    capturedLog = nullptr;

    QCOMPARE(log, (QStringList{"-> 55 01 FF 80 00 5C 00", "<- AA 07 44 02 05 00 03 01 07 BE F5",
                               "-> 55 01 FF 00 01 00 00 41", "-> 55 01 FF 80 00 5C 00",
                               "<- (no complete reply of 11 bytes)"}));
}

QTEST_GUILESS_MAIN(TestDeviceIdentify)
#include "tst_device_identify.moc"
