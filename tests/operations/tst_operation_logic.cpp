// The logic of each operation code against a simulated device: the status reports, window
// steps and button end states in order, and what reached the device.

#include "recording_host.h"
#include "sim_device_items.h"
#include "sim_port.h"

#include "link/velor_device.h"
#include "link/velor_table.h"
#include "operations/key_identifier.h"
#include "operations/operation_logic.h"
#include "operations/status_dispatch.h"

#include <QTest>

#include <memory>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes SettingsPattern() {
    Bytes image(257);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    return image;
}

// Descriptor (type, platform, version 3.1.7), 4 further header bytes, payload blocks of 64
// bytes, 2 trailing bytes.
Bytes FirmwareImage(uint16_t type = 580, int blocks = 3, std::size_t extra = 0) {
    Bytes image{static_cast<uint8_t>(type),
                static_cast<uint8_t>(type >> 8),
                5,
                0,
                3,
                1,
                7,
                0xA1,
                0xA2,
                0xA3,
                0xA4};
    for (std::size_t i = 0; i < blocks * 64 + extra; ++i) {
        image.push_back(static_cast<uint8_t>(i * 13 + 1));
    }
    image.push_back(0xEE);
    image.push_back(0xFF);
    return image;
}

QByteArray AsQBytes(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

Bytes AsBytes(const QByteArray& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

// A port, device, tables and recording host, wired as the window wires them.
struct Rig {
    // The device object starts as a connect leaves it: talking through the port.
    explicit Rig(const QStringList& device = {})
        : port(SimDeviceFromItems(device, SettingsPattern())) {
        this->device.Port = &port;
    }

    OperationResult Run(Operation code, const Bytes& buffer = {}) {
        OperationResult result;
        RunOperation(code, buffer, context, result);
        return result;
    }

    SimPort port;
    TVelorDevice device{[](int) {}};
    TVelorTable readTable;
    TVelorTable writeTable;
    RecordingHost host;
    OperationContext context{&port, &device, &readTable, &writeTable, &host};
};

} // namespace

class TestOperationLogic : public QObject {
    Q_OBJECT
private slots:
    void stepsOfEachOperation_data();
    void stepsOfEachOperation();
    void scenarioFailureSkipsTransferAndReset_data();
    void scenarioFailureSkipsTransferAndReset();
    void unknownCodesDoNothing_data();
    void unknownCodesDoNothing();
    void connectReportsTheIdentity();
    void readSettingsShowsTheDeviceTable();
    void writeSettingsStoresTheImage();
    void firmwareIsWrittenInPlaceTwice();
    void keyIdentifierIsPublishedBeforePlacing();
};

void TestOperationLogic::stepsOfEachOperation_data() {
    QTest::addColumn<Operation>("code");
    QTest::addColumn<QStringList>("device");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("succeeded");

    const QByteArray none;
    const QByteArray settings = AsQBytes(SettingsPattern());
    const QByteArray key5 = AsQBytes({5});
    const QByteArray firmware = AsQBytes(FirmwareImage());
    const QStringList connected{"status 8 type 10", "adapt 10"};

    QTest::newRow("connect settings: model 580")
        << Operation::ConnectSettings << QStringList{} << none
        << connected + QStringList{"buttons ConnectedSettings"} << true;
    QTest::newRow("connect settings: Velor-Vorsan device, 8 then 32")
        << Operation::ConnectSettings << QStringList{"version=2.1.0"} << none
        << connected + QStringList{"buttons ConnectedSettings", "status 32 type 10"} << false;
    QTest::newRow("connect settings: no identification reply")
        << Operation::ConnectSettings << QStringList{"fault=no-reply:identify"} << none
        << QStringList{"status 33", "buttons FailureConnectSettings"} << false;
    QTest::newRow("connect settings: identification with a bad checksum")
        << Operation::ConnectSettings << QStringList{"fault=bad-crc:identify"} << none
        << QStringList{"status 33", "buttons FailureConnectSettings"} << false;
    QTest::newRow("connect settings: type 570, buttons untouched")
        << Operation::ConnectSettings << QStringList{"type=570"} << none << QStringList{"status 2"}
        << false;
    QTest::newRow("connect firmware: model 580")
        << Operation::ConnectFirmware << QStringList{} << none
        << connected + QStringList{"buttons ConnectedFirmware"} << true;
    QTest::newRow("connect firmware: Velor-Vorsan device is not examined")
        << Operation::ConnectFirmware << QStringList{"version=2.1.0"} << none
        << connected + QStringList{"buttons ConnectedFirmware"} << true;
    QTest::newRow("connect firmware: short identification reply")
        << Operation::ConnectFirmware << QStringList{"fault=short:identify"} << none
        << QStringList{"status 33", "buttons FailureConnectFirmware"} << false;
    QTest::newRow("connect firmware: type 570")
        << Operation::ConnectFirmware << QStringList{"type=570"} << none << QStringList{"status 2"}
        << false;

    QTest::newRow("write settings")
        << Operation::WriteSettings << QStringList{} << settings
        << QStringList{"status 10", "buttons ConnectedSettings", "reset"} << true;
    QTest::newRow("write settings: block 2 refused")
        << Operation::WriteSettings << QStringList{"refuse=2"} << settings
        << QStringList{"status 36", "reset", "buttons FailureWriteSettings"} << false;
    QTest::newRow("write settings: image not 257 bytes is not sent")
        << Operation::WriteSettings << QStringList{} << AsQBytes(Bytes(256))
        << QStringList{"status 36", "reset", "buttons FailureWriteSettings"} << false;

    QTest::newRow("read settings: box first, then the settings")
        << Operation::ReadSettings << QStringList{} << none
        << QStringList{"status 11", "settings 257", "buttons ConnectedSettings", "reset"} << true;
    QTest::newRow("read settings: third block damaged")
        << Operation::ReadSettings << QStringList{"fault=bad-crc:read:3"} << none
        << QStringList{"status 37", "reset", "buttons FailureReadSettings"} << false;

    QTest::newRow("read key: new identifier placed into edit 5")
        << Operation::ReadKey << QStringList{"key=0123456789AB"} << key5
        << QStringList{"place 0123456789AB 5", "status 12", "buttons ConnectedSettingsWithLoadId",
                       "reset"}
        << true;
    QTest::newRow("read key: leading zero digits kept")
        << Operation::ReadKey << QStringList{"key=00000000000A"} << key5
        << QStringList{"place 00000000000A 5", "status 12", "buttons ConnectedSettingsWithLoadId",
                       "reset"}
        << true;
    QTest::newRow("read key: no key on the reader")
        << Operation::ReadKey << QStringList{} << key5
        << QStringList{"status 5", "buttons ConnectedSettingsWithLoadId", "reset"} << false;
    QTest::newRow("read key: six FF bytes, reported as no key, nothing placed")
        << Operation::ReadKey << QStringList{"key=FFFFFFFFFFFF"} << key5
        << QStringList{"status 5", "buttons ConnectedSettingsWithLoadId", "reset"} << false;
    QTest::newRow("read key: no reply to the read request")
        << Operation::ReadKey << QStringList{"fault=no-reply:read"} << key5
        << QStringList{"status 38", "reset", "buttons FailureReadKey"} << false;

    QTest::newRow("write firmware")
        << Operation::WriteFirmware << QStringList{} << firmware
        << QStringList{"status 15", "buttons FirmwareWritten", "reset"} << true;
    QTest::newRow("write firmware: payload block 1 refused")
        << Operation::WriteFirmware << QStringList{"refuse=1"} << firmware
        << QStringList{"status 34", "reset", "buttons FailureWriteFirmware"} << false;
    QTest::newRow("write firmware: file for another device type refused by the device")
        << Operation::WriteFirmware << QStringList{} << AsQBytes(FirmwareImage(570))
        << QStringList{"status 34", "reset", "buttons FailureWriteFirmware"} << false;
    QTest::newRow("write firmware: payload with a partial block")
        << Operation::WriteFirmware << QStringList{} << AsQBytes(FirmwareImage(580, 2, 10))
        << QStringList{"status 34", "reset", "buttons FailureWriteFirmware"} << false;
    QTest::newRow("write firmware: image shorter than 13 bytes")
        << Operation::WriteFirmware << QStringList{} << AsQBytes(Bytes(12, 0x44))
        << QStringList{"status 34", "reset", "buttons FailureWriteFirmware"} << false;
}

void TestOperationLogic::stepsOfEachOperation() {
    QFETCH(Operation, code);
    QFETCH(QStringList, device);
    QFETCH(QByteArray, input);
    QFETCH(QStringList, steps);
    QFETCH(bool, succeeded);

    Rig rig(device);
    const OperationResult result = rig.Run(code, AsBytes(input));

    QCOMPARE(rig.host.steps, steps);
    QCOMPARE(result.Succeeded(), succeeded);
    QCOMPARE(result.StatusCode, rig.host.reports.back().StatusCode);
}

// A failed selection ends the operation before any transfer and without a progress reset.
void TestOperationLogic::scenarioFailureSkipsTransferAndReset_data() {
    QTest::addColumn<Operation>("code");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("failureButtons");

    QTest::newRow("write settings") << Operation::WriteSettings << AsQBytes(SettingsPattern())
                                    << "buttons FailureWriteSettings";
    QTest::newRow("read settings")
        << Operation::ReadSettings << QByteArray() << "buttons FailureReadSettings";
    QTest::newRow("read key") << Operation::ReadKey << AsQBytes({1}) << "buttons FailureReadKey";
    QTest::newRow("write firmware")
        << Operation::WriteFirmware << AsQBytes(FirmwareImage()) << "buttons FailureWriteFirmware";
}

void TestOperationLogic::scenarioFailureSkipsTransferAndReset() {
    QFETCH(Operation, code);
    QFETCH(QByteArray, input);
    QFETCH(QString, failureButtons);

    Rig rig({"fault=no-reply:select"});
    rig.Run(code, AsBytes(input));

    QCOMPARE(rig.host.steps, (QStringList{"status 35", failureButtons}));
    QCOMPARE(rig.port.writes, 1); // the selection request only
}

void TestOperationLogic::unknownCodesDoNothing_data() {
    QTest::addColumn<Operation>("code");
    QTest::newRow("-1") << static_cast<Operation>(-1);
    QTest::newRow("6") << static_cast<Operation>(6);
}

void TestOperationLogic::unknownCodesDoNothing() {
    QFETCH(Operation, code);
    Rig rig;
    const OperationResult result = rig.Run(code, SettingsPattern());
    QVERIFY(rig.host.steps.isEmpty());
    QCOMPARE(rig.port.writes, 0);
    QCOMPARE(result.StatusCode, 0);
}

// Status 8 carries the identity the dispatcher shows in its labels.
void TestOperationLogic::connectReportsTheIdentity() {
    Rig rig({"version=2.1.10"});
    rig.Run(Operation::ConnectFirmware);
    const StatusReport& report = rig.host.reports.front();
    QCOMPARE(report.Descriptor.Type, uint16_t(580));
    QCOMPARE(report.Descriptor.Platform, uint16_t(5));
    QCOMPARE(VersionText(report.Descriptor), QStringLiteral("2_1_10"));
}

void TestOperationLogic::readSettingsShowsTheDeviceTable() {
    Rig rig;
    rig.Run(Operation::ReadSettings);
    QCOMPARE(rig.host.settings, SettingsPattern());
    QCOMPARE(rig.readTable.Bytes(), SettingsPattern());
}

void TestOperationLogic::writeSettingsStoresTheImage() {
    Rig rig;
    rig.port.device.State().settings.assign(257, 0);
    const OperationResult result = rig.Run(Operation::WriteSettings, SettingsPattern());
    QVERIFY(result.Succeeded());
    QCOMPARE(rig.port.device.State().settings, SettingsPattern());
    QCOMPARE(rig.writeTable.Bytes(), SettingsPattern());
}

// The upload reads the caller's image where it lies and leaves it as it was, so the same image
// can be written again.
void TestOperationLogic::firmwareIsWrittenInPlaceTwice() {
    Rig rig;
    const Bytes image = FirmwareImage(580, 4);
    for (int round = 0; round < 2; ++round) {
        rig.port.device.State().firmware.reset();
        QVERIFY(rig.Run(Operation::WriteFirmware, image).Succeeded());
        QVERIFY(rig.port.device.State().firmware.has_value());
        QCOMPARE(rig.port.device.State().firmware->header,
                 Bytes(image.begin(), image.begin() + 11));
        QCOMPARE(rig.port.device.State().firmware->payload,
                 Bytes(image.begin() + 11, image.end() - 2));
    }
    QCOMPARE(image, FirmwareImage(580, 4));
}

void TestOperationLogic::keyIdentifierIsPublishedBeforePlacing() {
    Rig placed({"key=A1B2C3D4E5F6"});
    placed.Run(Operation::ReadKey, {7});
    QCOMPARE(placed.host.lastKeyIdentifierAtPlace, 0xA1B2C3D4E5F6ull);

    Rig blank({"key=FFFFFFFFFFFF"});
    blank.Run(Operation::ReadKey, {7});
    QCOMPARE(LastKeyIdentifier(), kBlankKeyIdentifier);
}

QTEST_GUILESS_MAIN(TestOperationLogic)
#include "tst_operation_logic.moc"
