// The tty bridge driver: which bridge each index opens, and real I/O over a pseudo-terminal.
#include "byte_text.h"
#include "fake_sysfs.h"

#include "link/bridge_discovery.h"
#include "link/ftdi_usb_port.h"
#include "link/tty_ftdi_driver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kTimeoutMs = 3000;

// The far end of a pseudo-terminal pair; the driver opens the near end by its path.
class PtyFarEnd {
public:
    PtyFarEnd() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            path_ = QString::fromLocal8Bit(::ptsname(master_));
        }
    }
    ~PtyFarEnd() { HangUp(); }
    PtyFarEnd(const PtyFarEnd&) = delete;
    PtyFarEnd& operator=(const PtyFarEnd&) = delete;

    QString path() const { return path_; }
    bool Send(const QByteArray& bytes) const {
        return ::write(master_, bytes.constData(), static_cast<std::size_t>(bytes.size())) ==
               bytes.size();
    }
    // Up to n bytes, waiting at most a second for them.
    QByteArray Receive(int n) const {
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        while (got.size() < n && timer.elapsed() < 1000) {
            pollfd entry{master_, POLLIN, 0};
            if (::poll(&entry, 1, 50) > 0) {
                char chunk[512];
                const ssize_t r = ::read(master_, chunk, sizeof chunk);
                if (r > 0) {
                    got.append(chunk, static_cast<int>(r));
                }
            }
        }
        return got;
    }
    // The line's settings as the near end has them (a pseudo-terminal's far end reads them too, so
    // a near end held exclusively need not be opened again).
    termios Settings() const {
        termios settings{};
        ::tcgetattr(master_, &settings);
        return settings;
    }
    void HangUp() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

private:
    int master_ = -1;
    QString path_;
};

QByteArray AllByteValues() {
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.append(static_cast<char>(b));
    }
    return bytes;
}

struct PortOver {
    int ioErrors = 0;
    TFTDIUsbPort port;
    explicit PortOver(std::unique_ptr<FtdiDriver> driver)
        : port(std::move(driver), [this] { ++ioErrors; }) {}
};

} // namespace

class TestTtyFtdiDriver : public QObject {
    Q_OBJECT

private slots:
    void indexFollowsDiscoveryAndPathOverrides();
    void opensBridgeZeroFoundInSysfs();
    void movesBytesBothWaysThroughDevicePath();
    void lineIsRaw8N1At9600();
    void dataCharacteristicsAndBaudRate();
    void shortReadReturnsFalseAfterTimeout();
    void hangUpLosesTheDevice_data();
    void hangUpLosesTheDevice();
    void failedOpenKeepsTheReason_data();
    void failedOpenKeepsTheReason();
    void permissionDeniedKeepsTheReason();
    void unknownHandleIsRejected();
    void busyPortIsRefusedAndItsHolderUndisturbed_data();
    void busyPortIsRefusedAndItsHolderUndisturbed();
};

void TestTtyFtdiDriver::indexFollowsDiscoveryAndPathOverrides() {
    FakeSysfs sysfs;
    sysfs.AddTty("ttyUSB3", "0403", true, true);
    sysfs.AddTty("ttyUSB1", "0403", true, true);
    const TtyFtdiDriver listed({}, sysfs.root(), "/devx");
    QCOMPARE(listed.DevicePath(0), std::string("/devx/ttyUSB1"));
    QCOMPARE(listed.DevicePath(1), std::string("/devx/ttyUSB3"));
    QCOMPARE(listed.DevicePath(2), std::string());

    const TtyFtdiDriver overridden("/dev/pts/7", sysfs.root(), "/devx");
    QCOMPARE(overridden.DevicePath(0), std::string("/dev/pts/7"));
    QCOMPARE(overridden.DevicePath(1), std::string());
}

// Index 0 is the first bridge listed; with none listed the open fails without a reason.
void TestTtyFtdiDriver::opensBridgeZeroFoundInSysfs() {
    PtyFarEnd far;
    QVERIFY(!far.path().isEmpty());
    FakeSysfs sysfs;
    QTemporaryDir dev;
    PortOver none(std::make_unique<TtyFtdiDriver>(QString(), sysfs.root(), dev.path()));
    QCOMPARE(none.port.Open(), 0);
    QCOMPARE(none.port.LastOpenError(), QString());
    QCOMPARE(none.port.LastOpenDevice(), QString());

    sysfs.AddTty("ttyUSB0", "067b", true, true);
    sysfs.AddTty("ttyUSB1", "0403", true, true);
    QVERIFY(QFile::link(far.path(), dev.path() + "/ttyUSB1"));
    PortOver found(std::make_unique<TtyFtdiDriver>(QString(), sysfs.root(), dev.path()));
    QCOMPARE(found.port.Open(), 1);
    const QByteArray identify = QByteArray::fromHex("55 01 FF 80 00 5C 00");
    QVERIFY(found.port.Write(reinterpret_cast<const uint8_t*>(identify.constData()), 7));
    QCOMPARE(far.Receive(7), identify);
}

// Every byte value passes unchanged both ways (no CR/LF mapping, no flow-control or signal
// characters), and a read returns once its bytes are in, well before the time-out.
void TestTtyFtdiDriver::movesBytesBothWaysThroughDevicePath() {
    PtyFarEnd far;
    PortOver link(std::make_unique<TtyFtdiDriver>(far.path()));
    QCOMPARE(link.port.Open(), 1);
    QCOMPARE(link.port.LastOpenError(), QString());
    const QByteArray all = AllByteValues();

    QVERIFY(link.port.Write(reinterpret_cast<const uint8_t*>(all.constData()), 256));
    QCOMPARE(link.port.LastWritten, 256u);
    QCOMPARE(far.Receive(256), all);

    std::thread device([&far, &all] {
        far.Send(all.left(100));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        far.Send(all.mid(100));
    });
    QByteArray got(256, '\0');
    QElapsedTimer timer;
    timer.start();
    const bool complete = link.port.Read(reinterpret_cast<uint8_t*>(got.data()), 256);
    const qint64 elapsed = timer.elapsed();
    device.join();
    QVERIFY(complete);
    QCOMPARE(got, all);
    QVERIFY2(elapsed < kTimeoutMs / 2, qPrintable(QString::number(elapsed)));
    QCOMPARE(link.ioErrors, 0);
}

void TestTtyFtdiDriver::lineIsRaw8N1At9600() {
    PtyFarEnd far;
    PortOver link(std::make_unique<TtyFtdiDriver>(far.path()));
    QCOMPARE(link.port.Open(), 1);
    const termios settings = far.Settings();
    QCOMPARE(::cfgetospeed(&settings), speed_t(B9600));
    QCOMPARE(settings.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    QVERIFY((settings.c_cflag & (CLOCAL | CREAD)) == (CLOCAL | CREAD));
    QCOMPARE(settings.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), tcflag_t(0));
    QCOMPARE(settings.c_iflag & (IXON | IXOFF | ICRNL | INLCR | ISTRIP), tcflag_t(0));
    QCOMPARE(settings.c_oflag & OPOST, tcflag_t(0));
}

// A pseudo-terminal always keeps 8 bits without parity, so stop bits and speed are what shows.
void TestTtyFtdiDriver::dataCharacteristicsAndBaudRate() {
    PtyFarEnd far;
    TtyFtdiDriver driver(far.path());
    FtHandle handle = 0;
    QCOMPARE(driver.OpenByIndex(0, handle), kFtOk);
    QCOMPARE(driver.SetDataCharacteristics(handle, kFtBits8, kFtStopBits2, kFtParityNone), kFtOk);
    QCOMPARE(driver.SetBaudRate(handle, 115200), kFtOk);
    QCOMPARE(driver.SetBaudRate(handle, 12345), kFtInvalidBaudRate);
    QCOMPARE(driver.SetDataCharacteristics(handle, 9, kFtStopBits1, kFtParityNone),
             kFtInvalidParameter);
    const termios settings = far.Settings();
    QCOMPARE(settings.c_cflag & (CSIZE | CSTOPB | PARENB), tcflag_t(CS8 | CSTOPB));
    QCOMPARE(::cfgetospeed(&settings), speed_t(B115200));
    QCOMPARE(driver.Close(handle), kFtOk);
}

// The one slow test: 9 of 11 bytes arrive, the read gives up at the 3000 ms time-out.
void TestTtyFtdiDriver::shortReadReturnsFalseAfterTimeout() {
    PtyFarEnd far;
    PortOver link(std::make_unique<TtyFtdiDriver>(far.path()));
    QCOMPARE(link.port.Open(), 1);
    QVERIFY(far.Send(QByteArray::fromHex("AA 07 44 02 05 00 03 01 07")));
    uint8_t reply[11] = {};
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!link.port.Read(reply, 11));
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= kTimeoutMs - 50 && elapsed < kTimeoutMs + 1500,
             qPrintable(QString::number(elapsed)));
    QCOMPARE(link.port.LastRead, 9u);
    QCOMPARE(AsQBytes(reply, 9), QByteArray::fromHex("AA 07 44 02 05 00 03 01 07"));
    QCOMPARE(link.ioErrors, 0);
}

void TestTtyFtdiDriver::hangUpLosesTheDevice_data() {
    QTest::addColumn<QString>("operation");
    QTest::newRow("read") << "read";
    QTest::newRow("write") << "write";
}

// The far end going away (a bridge unplugged) is a lost device, at once: the driver names the
// line and the system's reason, and the port reports it once and then keeps quiet.
void TestTtyFtdiDriver::hangUpLosesTheDevice() {
    QFETCH(QString, operation);
    PtyFarEnd far;
    QStringList lost;
    int ioErrors = 0;
    auto driver = std::make_unique<TtyFtdiDriver>(far.path());
    TtyFtdiDriver& tty = *driver;
    TFTDIUsbPort port(
        std::move(driver), [&ioErrors] { ++ioErrors; },
        [&lost](const QString& device, const QString& reason) { lost << device + ": " + reason; });
    QCOMPARE(port.Open(), 1);
    far.HangUp();
    uint8_t buffer[8] = {};
    uint32_t count = 0;
    QElapsedTimer timer;
    timer.start();
    const FtStatus status = operation == "read" ? tty.Read(port.Handle, buffer, 8, count)
                                                : tty.Write(port.Handle, buffer, 8, count);
    QCOMPARE(status, kFtDeviceNotFound);
    QVERIFY(timer.elapsed() < kTimeoutMs / 2);
    const FtIoFailure failure = tty.LastIoFailure();
    QCOMPARE(QString::fromStdString(failure.device), far.path());
    // The system's reason in the program's language, here the built-in one.
    QVERIFY2(failure.reason.empty() || failure.reason == "Ошибка ввода-вывода",
             failure.reason.c_str());

    QVERIFY(!(operation == "read" ? port.Read(buffer, 8) : port.Write(buffer, 8)));
    QVERIFY(!port.Write(buffer, 8));
    QVERIFY(!port.Read(buffer, 8));
    QVERIFY(port.DeviceLost());
    QCOMPARE(lost.size(), 1);
    QVERIFY2(lost.first().startsWith(far.path() + ": "), qPrintable(lost.first()));
    QCOMPARE(ioErrors, 0);
    QCOMPARE(port.Close(), 0);
}

void TestTtyFtdiDriver::failedOpenKeepsTheReason_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // the system's, in the built-in language
    QTest::newRow("missing device") << "missing"
                                    << "Нет такого файла или папки";
    QTest::newRow("not a terminal") << "file"
                                    << "Неподходящий ioctl для устройства";
}

void TestTtyFtdiDriver::failedOpenKeepsTheReason() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.path() + "/ttyX";
    if (kind == "file") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    PortOver link(std::make_unique<TtyFtdiDriver>(path));
    QCOMPARE(link.port.Open(), 0);
    QCOMPARE(link.port.Handle, 0u);
    QCOMPARE(link.port.LastOpenError(), reason);
    QCOMPARE(link.port.LastOpenDevice(), path);
    QCOMPARE(link.port.LastOpenDeviceGroup().isEmpty(), kind == "missing");
    QVERIFY(!link.port.LastOpenLackedPermission());
}

void TestTtyFtdiDriver::permissionDeniedKeepsTheReason() {
    if (::geteuid() == 0) {
        QSKIP("permissions do not bind the superuser");
    }
    QTemporaryDir dir;
    const QString path = dir.path() + "/ttyUSB0";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(file.setPermissions(QFileDevice::Permissions()));
    PortOver link(std::make_unique<TtyFtdiDriver>(path));
    QCOMPARE(link.port.Open(), 0);
    QCOMPARE(link.port.LastOpenError(), QString("Отказано в доступе"));
    QVERIFY(!link.port.LastOpenDeviceGroup().isEmpty());
    QVERIFY(link.port.LastOpenLackedPermission());
}

void TestTtyFtdiDriver::unknownHandleIsRejected() {
    TtyFtdiDriver driver("/nonexistent");
    uint8_t byte = 0;
    uint32_t count = 0;
    QCOMPARE(driver.Read(0, &byte, 1, count), kFtInvalidHandle);
    QCOMPARE(driver.Write(5, &byte, 1, count), kFtInvalidHandle);
    QCOMPARE(driver.SetTimeouts(5, 1, 1), kFtInvalidHandle);
    QCOMPARE(driver.Purge(5, kFtPurgeRx), kFtInvalidHandle);
    QCOMPARE(driver.Close(5), kFtInvalidHandle);
}

void TestTtyFtdiDriver::busyPortIsRefusedAndItsHolderUndisturbed_data() {
    QTest::addColumn<bool>("heldByTheDriver"); // else by a serial tool's advisory lock alone
    QTest::newRow("another configurator") << true;
    QTest::newRow("another serial tool") << false;
}

// While one program holds a port, a second one is refused at once, marked busy, and leaves the
// line as it was: the holder's speed stays and the bytes waiting for it are not flushed. Once
// the holder closes, the port opens again at once.
void TestTtyFtdiDriver::busyPortIsRefusedAndItsHolderUndisturbed() {
    QFETCH(bool, heldByTheDriver);
    PtyFarEnd far;
    TtyFtdiDriver holder(far.path());
    FtHandle handle = 0;
    int toolFd = -1;
    if (heldByTheDriver) {
        QCOMPARE(holder.OpenByIndex(0, handle), kFtOk);
        QCOMPARE(holder.SetBaudRate(handle, 115200), kFtOk);
    } else {
        toolFd = ::open(far.path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        QVERIFY(toolFd >= 0);
        QCOMPARE(::flock(toolFd, LOCK_EX | LOCK_NB), 0);
        termios settings{};
        QCOMPARE(::tcgetattr(toolFd, &settings), 0);
        ::cfmakeraw(&settings);
        ::cfsetospeed(&settings, B115200);
        QCOMPARE(::tcsetattr(toolFd, TCSANOW, &settings), 0);
    }
    QVERIFY(far.Send("abc"));

    PortOver second(std::make_unique<TtyFtdiDriver>(far.path()));
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(second.port.Open(), 0);
    QVERIFY(timer.elapsed() < kTimeoutMs / 2);
    QVERIFY(second.port.LastOpenBusy());
    QCOMPARE(second.port.LastOpenDevice(), far.path());
    QVERIFY(!second.port.LastOpenLackedPermission());

    const termios settings = far.Settings();
    QCOMPARE(::cfgetospeed(&settings), speed_t(B115200));
    QByteArray waiting(3, '\0');
    uint32_t count = 0;
    if (heldByTheDriver) {
        QCOMPARE(holder.Read(handle, reinterpret_cast<uint8_t*>(waiting.data()), 3, count), kFtOk);
        QCOMPARE(holder.Close(handle), kFtOk);
    } else {
        pollfd entry{toolFd, POLLIN, 0};
        QCOMPARE(::poll(&entry, 1, kTimeoutMs), 1);
        count = static_cast<uint32_t>(::read(toolFd, waiting.data(), 3));
        ::close(toolFd);
    }
    QCOMPARE(count, 3u);
    QCOMPARE(waiting, QByteArray("abc"));

    QCOMPARE(second.port.Open(), 1);
    QVERIFY(!second.port.LastOpenBusy());
}

QTEST_GUILESS_MAIN(TestTtyFtdiDriver)
#include "tst_tty_ftdi_driver.moc"
