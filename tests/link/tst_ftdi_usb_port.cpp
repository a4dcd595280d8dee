// The USB port over a scripted bridge driver: open sequence, reads, writes, I/O error reports,
// closing.
#include "fake_ftdi_driver.h"

#include "link/ftdi_usb_port.h"

#include <QTest>

#include <array>
#include <memory>

namespace {

const QStringList kOpenSequence = {"OpenByIndex(0)", "SetBaudRate(7,9600)", "ResetDevice(7)",
                                   "SetDataCharacteristics(7,8,0,0)", "SetTimeouts(7,3000,3000)"};

struct Rig {
    std::shared_ptr<FakeFtdiScript> script = std::make_shared<FakeFtdiScript>();
    int ioErrors = 0;
    QStringList lostReports; // "device: reason" of each lost-device report
    std::unique_ptr<TFTDIUsbPort> port = std::make_unique<TFTDIUsbPort>(
        std::make_unique<FakeFtdiDriver>(script), [this] { ++ioErrors; },
        [this](const QString& device, const QString& reason) {
            lostReports << device + ": " + reason;
        });
};

// Calls one port operation on an 8-byte buffer: "read", "counted" or "write".
bool Transfer(TFTDIUsbPort& port, const QString& operation) {
    std::array<uint8_t, 8> buffer{};
    uint32_t count = 0;
    if (operation == "read") {
        return port.Read(buffer.data(), 8);
    }
    if (operation == "counted") {
        return port.ReadCounted(buffer.data(), 8, count);
    }
    return port.Write(buffer.data(), 8);
}

} // namespace

class TestFtdiUsbPort : public QObject {
    Q_OBJECT

private slots:
    void openSequence_data();
    void openSequence();
    void failedOpen_data();
    void failedOpen();
    void transfer_data();
    void transfer();
    void oneReportPerFailedCall();
    void lostDevice_data();
    void lostDevice();
    void lostDeviceWithoutItsReport();
    void closeCallsTheDriverOnce();
    void destructorCloses_data();
    void destructorCloses();
    void reopenClosesTheOldHandle();
    void purgeBothDirectionsAndNoOpSlots();
};

void TestFtdiUsbPort::openSequence_data() {
    QTest::addColumn<QString>("failingCall");
    QTest::newRow("all succeed") << "";
    for (const char* call :
         {"SetBaudRate", "ResetDevice", "SetDataCharacteristics", "SetTimeouts"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 fails, ignored").arg(call))) << call;
    }
}

// Bridge 0, then baud rate before reset, 8N1, 3000 ms time-outs; configuration statuses ignored.
void TestFtdiUsbPort::openSequence() {
    QFETCH(QString, failingCall);
    Rig rig;
    if (!failingCall.isEmpty()) {
        rig.script->status[failingCall.toStdString()] = kFtIoError;
    }
    QCOMPARE(rig.port->Open(), 1);
    QCOMPARE(rig.script->calls, kOpenSequence);
    QCOMPARE(rig.port->Handle, 7u);
    QCOMPARE(rig.ioErrors, 0);
}

void TestFtdiUsbPort::failedOpen_data() {
    QTest::addColumn<uint>("status");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("group");
    QTest::newRow("no bridge") << uint(kFtDeviceNotFound) << ""
                               << ""
                               << "";
    QTest::newRow("permission denied") << uint(kFtDeviceNotOpened) << "/dev/ttyUSB0"
                                       << "Permission denied"
                                       << "dialout";
}

// A failed open makes no further driver call, leaves the port closed and keeps the reason.
void TestFtdiUsbPort::failedOpen() {
    QFETCH(uint, status);
    QFETCH(QString, device);
    QFETCH(QString, reason);
    QFETCH(QString, group);
    Rig rig;
    rig.script->status["OpenByIndex"] = status;
    rig.script->openFailure = {device.toStdString(), reason.toStdString(), group.toStdString()};
    QCOMPARE(rig.port->Open(), 0);
    QCOMPARE(rig.port->Handle, 0u);
    QCOMPARE(rig.port->LastOpenError(), reason);
    QCOMPARE(rig.port->LastOpenDevice(), device);
    QCOMPARE(rig.port->LastOpenDeviceGroup(), group);
    rig.port.reset();
    QCOMPARE(rig.script->calls, QStringList{"OpenByIndex(0)"});
}

void TestFtdiUsbPort::transfer_data() {
    QTest::addColumn<QString>("operation"); // read, counted or write
    QTest::addColumn<uint>("status");
    QTest::addColumn<int>("available"); // bytes the driver delivers or takes
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("count"); // count stored by ReadCounted (-1: untouched)
    QTest::addColumn<int>("reports");
    QTest::newRow("read: all 11 bytes") << "read" << uint(kFtOk) << 11 << true << -1 << 0;
    QTest::newRow("read: 9 of 11 at time-out is a plain false")
        << "read" << uint(kFtOk) << 9 << false << -1 << 0;
    QTest::newRow("read: driver error") << "read" << uint(kFtIoError) << 11 << false << -1 << 1;
    QTest::newRow("counted: all") << "counted" << uint(kFtOk) << 11 << true << 11 << 0;
    QTest::newRow("counted: short, count kept") << "counted" << uint(kFtOk) << 9 << false << 9 << 0;
    QTest::newRow("counted: driver error, count untouched")
        << "counted" << uint(kFtIoError) << 11 << false << -1 << 1;
    QTest::newRow("write: all") << "write" << uint(kFtOk) << 11 << true << -1 << 0;
    QTest::newRow("write: short count") << "write" << uint(kFtOk) << 10 << false << -1 << 0;
    QTest::newRow("write: driver error") << "write" << uint(kFtIoError) << 11 << false << -1 << 1;
    QTest::newRow("write: rejected handle")
        << "write" << uint(kFtInvalidHandle) << 11 << false << -1 << 1;
}

void TestFtdiUsbPort::transfer() {
    QFETCH(QString, operation);
    QFETCH(uint, status);
    QFETCH(int, available);
    QFETCH(bool, result);
    QFETCH(int, count);
    QFETCH(int, reports);
    Rig rig;
    rig.port->Open();
    const std::string call = operation == "write" ? "Write" : "Read";
    rig.script->status[call] = status;
    rig.script->incoming.assign(static_cast<std::size_t>(available), 0x5A);
    rig.script->writeShortBy = static_cast<uint32_t>(11 - available);
    std::array<uint8_t, 11> buffer{};
    uint32_t counted = uint32_t(-1);

    bool got = false;
    if (operation == "read") {
        got = rig.port->Read(buffer.data(), 11);
    } else if (operation == "counted") {
        got = rig.port->ReadCounted(buffer.data(), 11, counted);
    } else {
        got = rig.port->Write(buffer.data(), 11);
    }
    QCOMPARE(got, result);
    QCOMPARE(int(counted), count);
    QCOMPARE(rig.ioErrors, reports);
    QCOMPARE(rig.script->calls.last(),
             QStringLiteral("%1(7,11)").arg(QString::fromStdString(call)));
    if (status == kFtOk) {
        QCOMPARE(operation == "write" ? rig.port->LastWritten : rig.port->LastRead,
                 uint32_t(available));
    }
}

void TestFtdiUsbPort::oneReportPerFailedCall() {
    Rig rig;
    rig.port->Open();
    rig.script->status["Read"] = kFtIoError;
    rig.script->status["Write"] = kFtIoError;
    std::array<uint8_t, 8> buffer{};
    QVERIFY(!rig.port->Read(buffer.data(), 8));
    QVERIFY(!rig.port->Write(buffer.data(), 8));
    QVERIFY(!rig.port->Read(buffer.data(), 8));
    QCOMPARE(rig.ioErrors, 3);
    QVERIFY(!rig.port->DeviceLost());
    QCOMPARE(rig.lostReports, QStringList());
}

void TestFtdiUsbPort::lostDevice_data() {
    QTest::addColumn<QString>("operation"); // the call that meets the gone device
    QTest::newRow("read") << "read";
    QTest::newRow("counted read") << "counted";
    QTest::newRow("write") << "write";
}

// The driver says the device is gone: one report naming the device and the system's reason, and
// from then on every transfer fails without reaching the driver or the technician; the next Open
// starts afresh.
void TestFtdiUsbPort::lostDevice() {
    QFETCH(QString, operation);
    Rig rig;
    rig.port->Open();
    rig.script->status["Read"] = kFtDeviceNotFound;
    rig.script->status["Write"] = kFtDeviceNotFound;
    rig.script->ioFailure = {"/dev/ttyUSB0", "Input/output error"};
    QVERIFY(!rig.port->DeviceLost());

    QVERIFY(!Transfer(*rig.port, operation));
    QVERIFY(rig.port->DeviceLost());
    QCOMPARE(rig.lostReports, QStringList{"/dev/ttyUSB0: Input/output error"});
    const int driverCalls = int(rig.script->calls.size());
    for (const char* next : {"read", "counted", "write"}) {
        QVERIFY(!Transfer(*rig.port, next));
    }
    QCOMPARE(int(rig.script->calls.size()), driverCalls);
    QCOMPARE(rig.lostReports.size(), 1);
    QCOMPARE(rig.ioErrors, 0);

    rig.port->Close();
    QVERIFY(rig.port->DeviceLost()); // disconnecting does not hide what happened
    rig.script->status.clear();
    rig.script->incoming.assign(8, 0x5A);
    QCOMPARE(rig.port->Open(), 1);
    QVERIFY(!rig.port->DeviceLost());
    QVERIFY(Transfer(*rig.port, "read"));
}

// A port given no lost-device report still tells the technician once, as a driver error.
void TestFtdiUsbPort::lostDeviceWithoutItsReport() {
    auto script = std::make_shared<FakeFtdiScript>();
    int ioErrors = 0;
    TFTDIUsbPort port(std::make_unique<FakeFtdiDriver>(script), [&ioErrors] { ++ioErrors; });
    port.Open();
    script->status["Write"] = kFtDeviceNotFound;
    QVERIFY(!Transfer(port, "write"));
    QVERIFY(!Transfer(port, "write"));
    QVERIFY(!Transfer(port, "read"));
    QCOMPARE(ioErrors, 1);
}

void TestFtdiUsbPort::closeCallsTheDriverOnce() {
    Rig rig;
    QCOMPARE(rig.port->Close(), 0); // never opened: no driver call
    QCOMPARE(rig.script->calls, QStringList());
    rig.port->Open();
    rig.script->status["Close"] = kFtIoError;
    QCOMPARE(rig.port->Close(), int(kFtIoError)); // the driver's status comes back
    QCOMPARE(rig.port->Handle, 0u);
    rig.port->Close();
    QCOMPARE(rig.script->calls, kOpenSequence + QStringList{"Close(7)"});
}

void TestFtdiUsbPort::destructorCloses_data() {
    QTest::addColumn<bool>("open");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("open port closed") << true << kOpenSequence + QStringList{"Close(7)"};
    QTest::newRow("closed port: no call") << false << QStringList();
}

void TestFtdiUsbPort::destructorCloses() {
    QFETCH(bool, open);
    QFETCH(QStringList, calls);
    Rig rig;
    if (open) {
        rig.port->Open();
    }
    rig.port.reset();
    QCOMPARE(rig.script->calls, calls);
}

// The window always closes before it opens; an Open on an open port still releases the old handle.
void TestFtdiUsbPort::reopenClosesTheOldHandle() {
    Rig rig;
    rig.port->Open();
    rig.port->Open();
    QCOMPARE(rig.script->calls, kOpenSequence + QStringList{"Close(7)"} + kOpenSequence);
}

void TestFtdiUsbPort::purgeBothDirectionsAndNoOpSlots() {
    Rig rig;
    rig.port->Open();
    rig.script->calls.clear();
    rig.port->Reserved1();
    rig.port->FrameBoundary();
    rig.port->Reserved2();
    rig.port->Purge();
    QCOMPARE(rig.script->calls, QStringList{"Purge(7,3)"});
}

QTEST_GUILESS_MAIN(TestFtdiUsbPort)
#include "tst_ftdi_usb_port.moc"
