// The safe write and the firmware write as jobs of a device session, against the simulated model
// 580: each state's failure, a cancel at each state, the outcome values, the operations each end
// has run, what the device stores and what the session announces. The session runs each
// operation where it is started (as the command-line tool's does), so a job has ended when Start
// returns; one case runs the job on the worker thread, driven by the operations' ends.

#include "fake_sysfs.h"
#include "recording_host.h"
#include "sim_device_items.h"
#include "sim_ftdi_driver.h"

#include "link/protocol.h"
#include "operations/device_session.h"
#include "operations/firmware_write_job.h"
#include "operations/safe_write_job.h"
#include "settings/cfg_format.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using velor::sim::Bytes;
using velor::sim::SimDevice;

Q_DECLARE_METATYPE(SafeWriteEnd)
Q_DECLARE_METATYPE(SafeWriteReason)
Q_DECLARE_METATYPE(SafeWriteState)
Q_DECLARE_METATYPE(ReviewAnswer)
Q_DECLARE_METATYPE(FirmwareWriteEnd)
Q_DECLARE_METATYPE(FirmwareWriteReason)

namespace {

constexpr std::size_t kEntryLoop1Offset = 248;
constexpr uint8_t kDeviceValue = 20;
constexpr uint8_t kWindowValue = 0;

// C: connect, R: read, W: write settings, F: write firmware, c: connect in the firmware mode.
QString Letter(Operation operation) {
    switch (operation) {
    case Operation::ConnectSettings:
        return "C";
    case Operation::ReadSettings:
        return "R";
    case Operation::WriteSettings:
        return "W";
    case Operation::ConnectFirmware:
        return "c";
    case Operation::WriteFirmware:
        return "F";
    default:
        return "?";
    }
}

// What the device holds before the write, and what is sent: one byte apart.
SettingsImage DeviceImage() {
    SettingsImage image;
    image[kEntryLoop1Offset] = kDeviceValue;
    return image;
}

SettingsImage SentImage() {
    SettingsImage image;
    image[kEntryLoop1Offset] = kWindowValue;
    return image;
}

SettingsImage StoredImage(const SimDevice& device) {
    SettingsImage image;
    const Bytes& bytes = device.State().settings;
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.bytes().begin());
    return image;
}

// A session over the simulated device, its operations as letters and its announcements.
struct SimSession {
    SimSession(const QStringList& items, int opens,
               SessionThreading threading = SessionThreading::Caller) {
        const SettingsImage before = DeviceImage();
        auto driver = std::make_unique<SimFtdiDriver>(
            SimDeviceFromItems(items, Bytes(before.bytes().begin(), before.bytes().end())), opens);
        device = driver->Device();
        SessionSeams seams;
        seams.driver = std::move(driver);
        seams.sleeper = [](int) {};
        seams.host = &host;
        seams.threading = threading;
        seams.sysfsRoot = QStringLiteral("/nonexistent");
        session = std::make_unique<DeviceSession>(std::move(seams));
        QObject::connect(session.get(), &DeviceSession::operationStarted,
                         [this](Operation operation) { started += Letter(operation); });
        QObject::connect(session.get(), &DeviceSession::deviceConnected,
                         [this](const DeviceIdentity& identity) { connected << identity; });
        QObject::connect(session.get(), &DeviceSession::settingsWritten,
                         [this](const SettingsWriteRecord& record) { writes << record; });
        QObject::connect(session.get(), &DeviceSession::firmwareWritten,
                         [this](const FirmwareWriteRecord& record) { firmware << record; });
    }

    RecordingHost host;
    std::shared_ptr<SimDevice> device;
    std::unique_ptr<DeviceSession> session;
    QString started;
    QList<DeviceIdentity> connected;
    QList<SettingsWriteRecord> writes;
    QList<FirmwareWriteRecord> firmware;
};

// The front end of a test: answers the review as told, cancels the job on entering the state
// named, records the outcome.
class ScriptedFront : public SafeWriteFront {
public:
    ScriptedFront(DeviceSession& session, ReviewAnswer answer, SafeWriteState cancelIn)
        : session_(session), answer_(answer), cancelIn_(cancelIn) {}

    // A cancel "while writing" comes once the write operation has started, as a window's close
    // during the transfer does.
    void Attach(SafeWriteJob& job) {
        job_ = &job;
        QObject::connect(&session_, &DeviceSession::operationStarted, [this](Operation started) {
            if (started == Operation::WriteSettings) {
                CancelIn(SafeWriteState::Writing);
            }
        });
    }

    bool OpenPort() override {
        CancelIn(job_->State());
        return session_.Port().Open() != 0;
    }
    void ReadStarting(bool) override { CancelIn(job_->State()); }
    ReviewAnswer Review(const SettingsImage& device, const SettingsImage&) override {
        reviewed = device;
        CancelIn(SafeWriteState::Reviewing);
        return answer_;
    }
    // "While snapshotting": once the snapshot is kept, before the first block.
    void WriteStarting(const QString&) override { CancelIn(SafeWriteState::Snapshotting); }
    void Disconnected(bool) override { CancelIn(SafeWriteState::Reconnecting); }
    void Finished(const SafeWriteOutcome& ended) override { outcome = ended; }

    std::optional<SettingsImage> reviewed;
    std::optional<SafeWriteOutcome> outcome;

private:
    void CancelIn(SafeWriteState state) {
        if (state == cancelIn_) {
            job_->Cancel();
        }
    }

    DeviceSession& session_;
    ReviewAnswer answer_;
    SafeWriteState cancelIn_;
    SafeWriteJob* job_ = nullptr;
};

// A front end that confirms as told and cancels the upload once it has started, if told.
class ScriptedFirmwareFront : public FirmwareWriteFront {
public:
    ScriptedFirmwareFront(DeviceSession& session, bool confirm, bool cancelInUpload)
        : session_(session), confirm_(confirm), cancelInUpload_(cancelInUpload) {}

    void Attach(FirmwareWriteJob& job) { job_ = &job; }
    bool OpenPort() override { return session_.Port().Open() != 0; }
    bool Confirm(const TVelorDevDesc&) override { return confirm_; }
    void UploadStarting() override {
        if (cancelInUpload_) {
            job_->Cancel();
        }
    }
    void Disconnected(bool) override {}
    void Reconnecting() override {}
    void Finished(const FirmwareWriteOutcome& ended) override { outcome = ended; }

    std::optional<FirmwareWriteOutcome> outcome;

private:
    DeviceSession& session_;
    bool confirm_;
    bool cancelInUpload_;
    FirmwareWriteJob* job_ = nullptr;
};

// The firmware image of a model 580 on platform 5: descriptor, four further header bytes, one
// payload block, two trailing bytes.
std::vector<uint8_t> FirmwareFile() {
    std::vector<uint8_t> image{0x44, 0x02, 0x05, 0x00, 3, 1, 8, 0xA1, 0xA2, 0xA3, 0xA4};
    image.insert(image.end(), 64, 0x5A);
    image.insert(image.end(), {0xEE, 0xFF});
    return image;
}

enum class Stored { Before, Sent, Corrupted };

} // namespace

Q_DECLARE_METATYPE(Stored)

class TestSafeWriteJob : public QObject {
    Q_OBJECT
private slots:
    void outcomes_data();
    void outcomes();
    void drivenByOperationEndsOnTheWorker();
    void firmwareOutcomes_data();
    void firmwareOutcomes();
    void identityOfTheConnectedDevice_data();
    void identityOfTheConnectedDevice();
};

void TestSafeWriteJob::outcomes_data() {
    QTest::addColumn<QStringList>("device"); // simulated device items
    QTest::addColumn<int>("opens");          // opens of the port that succeed; -1: all
    QTest::addColumn<bool>("verify");
    QTest::addColumn<bool>("reconnectAfterFailure");
    QTest::addColumn<bool>("historyBlocked");
    QTest::addColumn<ReviewAnswer>("answer");
    QTest::addColumn<SafeWriteState>("cancelIn");
    QTest::addColumn<SafeWriteEnd>("end");
    QTest::addColumn<SafeWriteReason>("reason");
    QTest::addColumn<SafeWriteState>("stoppedIn");
    QTest::addColumn<QString>("started");
    QTest::addColumn<Stored>("stored");

    using S = SafeWriteState;
    using E = SafeWriteEnd;
    using R = SafeWriteReason;
    const ReviewAnswer write = ReviewAnswer::Write;
    const QStringList plain;
    const auto row = [&](const char* name, const QStringList& device, int opens, bool verify,
                         bool reconnect, bool blocked, ReviewAnswer answer, S cancelIn, E end,
                         R reason, S stoppedIn, const char* started, Stored stored) {
        QTest::newRow(name) << device << opens << verify << reconnect << blocked << answer
                            << cancelIn << end << reason << stoppedIn << QString(started) << stored;
    };

    // Every state's end, in order.
    row("verified", plain, -1, true, false, false, write, S::Idle, E::Verified, R::None,
        S::Comparing, "CRWCR", Stored::Sent);
    row("port not opened", plain, 0, true, false, false, write, S::Idle, E::Refused,
        R::PortNotOpened, S::Connecting, "", Stored::Before);
    row("connection fails", {"fault=bad-crc:identify"}, -1, true, false, false, write, S::Idle,
        E::Refused, R::NotConnected, S::Connecting, "C", Stored::Before);
    row("device's settings not read", {"fault=bad-crc:read"}, -1, true, false, false, write,
        S::Idle, E::Refused, R::SettingsNotRead, S::ReadingDevice, "CR", Stored::Before);
    row("review declined", plain, -1, true, false, false, ReviewAnswer::Declined, S::Idle,
        E::Refused, R::ReviewDeclined, S::Reviewing, "CR", Stored::Before);
    row("review not shown", plain, -1, true, false, false, ReviewAnswer::NotShown, S::Idle,
        E::Refused, R::ReviewNotShown, S::Reviewing, "CR", Stored::Before);
    row("dry run", plain, -1, true, false, false, ReviewAnswer::DryRun, S::Idle, E::Refused,
        R::DryRun, S::Reviewing, "CR", Stored::Before);
    row("snapshot not saved", plain, -1, true, false, true, write, S::Idle, E::Refused,
        R::SnapshotNotSaved, S::Snapshotting, "CR", Stored::Before);
    row("first block refused", {"refuse=0"}, -1, true, false, false, write, S::Idle, E::WriteFailed,
        R::None, S::Writing, "CRW", Stored::Before);
    row("first block refused, connected again", {"refuse=0"}, -1, true, true, false, write, S::Idle,
        E::WriteFailed, R::None, S::Reconnecting, "CRWC", Stored::Before);
    // Identify, acknowledge, the read (scenario, acknowledge, request, five acknowledges), the
    // write's scenario and acknowledge; the first block finds the line dropped.
    row("device lost during the write", {"hang-up=12"}, -1, true, true, false, write, S::Idle,
        E::WriteFailed, R::DeviceLost, S::Writing, "CRW", Stored::Before);
    row("not verified: asked not to", plain, -1, false, false, false, write, S::Idle,
        E::WrittenNotVerified, R::VerifySkipped, S::Writing, "CRW", Stored::Sent);
    row("not verified: port not opened again", plain, 1, true, false, false, write, S::Idle,
        E::WrittenNotVerified, R::NoLink, S::Reconnecting, "CRW", Stored::Sent);
    row("not verified: connection fails", {"fault=bad-crc:identify:2"}, -1, true, false, false,
        write, S::Idle, E::WrittenNotVerified, R::NoLink, S::Reconnecting, "CRWC", Stored::Sent);
    // The read back's first block is the sixth reply to a read request (five blocks a read).
    row("not verified: read back fails", {"fault=bad-crc:read:6"}, -1, true, false, false, write,
        S::Idle, E::WrittenNotVerified, R::ReadBackFailed, S::ReadingBack, "CRWCR", Stored::Sent);
    row("mismatch", {"store-corrupt=248:77"}, -1, true, false, false, write, S::Idle, E::Mismatch,
        R::None, S::Comparing, "CRWCR", Stored::Corrupted);

    // A cancel stops the job at its next state; an operation running ends as it would, a write
    // included.
    row("cancel while connecting", plain, -1, true, false, false, write, S::Connecting, E::Refused,
        R::Cancelled, S::Connecting, "C", Stored::Before);
    row("cancel while reading", plain, -1, true, false, false, write, S::ReadingDevice, E::Refused,
        R::Cancelled, S::ReadingDevice, "CR", Stored::Before);
    row("cancel while reviewing", plain, -1, true, false, false, write, S::Reviewing, E::Refused,
        R::Cancelled, S::Reviewing, "CR", Stored::Before);
    row("cancel once the snapshot is kept", plain, -1, true, false, false, write, S::Snapshotting,
        E::Refused, R::Cancelled, S::Writing, "CR", Stored::Before);
    row("cancel while writing", plain, -1, true, false, false, write, S::Writing,
        E::WrittenNotVerified, R::Cancelled, S::Writing, "CRW", Stored::Sent);
    row("cancel while connecting again", plain, -1, true, false, false, write, S::Reconnecting,
        E::WrittenNotVerified, R::Cancelled, S::Reconnecting, "CRWC", Stored::Sent);
    row("cancel while reading back", plain, -1, true, false, false, write, S::ReadingBack,
        E::WrittenNotVerified, R::Cancelled, S::ReadingBack, "CRWCR", Stored::Sent);
}

void TestSafeWriteJob::outcomes() {
    QFETCH(QStringList, device);
    QFETCH(int, opens);
    QFETCH(bool, verify);
    QFETCH(bool, reconnectAfterFailure);
    QFETCH(bool, historyBlocked);
    QFETCH(ReviewAnswer, answer);
    QFETCH(SafeWriteState, cancelIn);
    QFETCH(SafeWriteEnd, end);
    QFETCH(SafeWriteReason, reason);
    QFETCH(SafeWriteState, stoppedIn);
    QFETCH(QString, started);
    QFETCH(Stored, stored);
    using E = SafeWriteEnd;
    using R = SafeWriteReason;

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString history = folder.filePath("history");
    if (historyBlocked) { // a file stands where the folder would be
        QFile blocker(history);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    SimSession sim(device, opens);
    ScriptedFront front(*sim.session, answer, cancelIn);
    SafeWritePlan plan;
    plan.image = SentImage();
    plan.connectFirst = true;
    plan.verify = verify;
    plan.reconnectAfterFailedWrite = reconnectAfterFailure;
    plan.historyFolder = history;
    SafeWriteJob job(*sim.session, front, plan);
    front.Attach(job);
    job.Start();

    QVERIFY(!job.IsActive());
    QVERIFY(front.outcome.has_value());
    const SafeWriteOutcome& outcome = *front.outcome;
    QCOMPARE(outcome.end, end);
    QCOMPARE(outcome.reason, reason);
    QCOMPARE(outcome.stoppedIn, stoppedIn);
    QCOMPARE(sim.started, started);
    QCOMPARE(outcome.written, SentImage());

    SettingsImage corrupted = SentImage();
    corrupted[kEntryLoop1Offset] = 77;
    const SettingsImage expected = stored == Stored::Before ? DeviceImage()
                                   : stored == Stored::Sent ? SentImage()
                                                            : corrupted;
    QCOMPARE(StoredImage(*sim.device), expected);

    // The device's settings were read before anything was written, and kept before the first
    // block: the snapshot is the way back.
    const bool read = started.startsWith("CR") && reason != R::SettingsNotRead;
    QCOMPARE(outcome.before.has_value(), read);
    if (read) {
        QCOMPARE(*outcome.before, DeviceImage());
    }
    const bool wrote = started.contains('W');
    const bool kept = outcome.stoppedIn >= SafeWriteState::Writing; // a cancel may come between
    QCOMPARE(!outcome.snapshotPath.isEmpty(), kept);
    QCOMPARE(outcome.NothingWritten(), !wrote);
    if (kept) {
        QCOMPARE(LoadCfgFile(outcome.snapshotPath), DeviceImage());
    }
    QCOMPARE(outcome.snapshotError.isEmpty(), reason != R::SnapshotNotSaved);
    QCOMPARE(outcome.readBack.has_value(), end == E::Verified || end == E::Mismatch);
    if (end == E::Mismatch) {
        QCOMPARE(outcome.differences.size(), std::size_t(1));
        QCOMPARE(*outcome.readBack, corrupted);
    } else {
        QVERIFY(outcome.differences.empty());
    }

    // Announced once each: every connection with its identity, a write with its images.
    const bool lastConnectFailed =
        reason == R::NotConnected || (reason == R::NoLink && started.endsWith('C'));
    QCOMPARE(int(sim.connected.size()), int(started.count('C')) - (lastConnectFailed ? 1 : 0));
    for (const DeviceIdentity& identity : sim.connected) {
        QCOMPARE(identity.descriptor.Type, uint16_t(580));
        QCOMPARE(identity.portPath, QString(SimFtdiDriver::kPath));
        QVERIFY(identity.usbSerial.isEmpty()); // not an FTDI bridge
    }
    QCOMPARE(int(sim.writes.size()), wrote ? 1 : 0);
    if (wrote) {
        const SettingsWriteRecord& record = sim.writes.first();
        QCOMPARE(record.before, DeviceImage());
        QCOMPARE(record.written, SentImage());
        QCOMPARE(record.succeeded, end != E::WriteFailed);
        QCOMPARE(record.verified, end == E::Verified);
        QCOMPARE(record.snapshotPath, outcome.snapshotPath);
    }
    QVERIFY(!sim.session->IsBusy());
}

// On the worker thread the job returns from Start with the first operation running and goes on
// from each operation's end, which the event loop delivers; the reads are kept apart from the
// front end's steps (no settings shown) and their success, like the write's, is quiet.
void TestSafeWriteJob::drivenByOperationEndsOnTheWorker() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    SimSession sim({}, -1, SessionThreading::Worker);
    ScriptedFront front(*sim.session, ReviewAnswer::Write, SafeWriteState::Idle);
    SafeWritePlan plan;
    plan.image = SentImage();
    plan.connectFirst = true;
    plan.historyFolder = folder.filePath("history");
    SafeWriteJob job(*sim.session, front, plan);
    front.Attach(job);
    job.Start();

    QVERIFY(job.IsActive());
    QVERIFY(sim.session->IsBusy());
    QCOMPARE(sim.started, QString("C"));
    QTRY_VERIFY_WITH_TIMEOUT(!job.IsActive(), 10000);

    QVERIFY(front.outcome.has_value());
    QCOMPARE(front.outcome->end, SafeWriteEnd::Verified);
    QCOMPARE(sim.started, QString("CRWCR"));
    QCOMPARE(StoredImage(*sim.device), SentImage());
    QVERIFY(sim.host.settings.empty());
    QVERIFY(!sim.host.steps.contains("settings 257"));
    int quiet = 0;
    for (const StatusReport& report : sim.host.reports) {
        quiet += report.Quiet ? 1 : 0;
    }
    QCOMPARE(quiet, 3); // the two reads and the write
}

void TestSafeWriteJob::firmwareOutcomes_data() {
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("cancelInUpload");
    QTest::addColumn<FirmwareWriteEnd>("end");
    QTest::addColumn<FirmwareWriteReason>("reason");
    QTest::addColumn<QString>("started");
    QTest::addColumn<bool>("received");

    QTest::newRow("written, connected again")
        << true << false << FirmwareWriteEnd::Written << FirmwareWriteReason::None << "cFc" << true;
    QTest::newRow("not confirmed") << false << false << FirmwareWriteEnd::Refused
                                   << FirmwareWriteReason::NotConfirmed << "c" << false;
    // The upload running completes; nothing follows it.
    QTest::newRow("cancel while uploading") << true << true << FirmwareWriteEnd::Written
                                            << FirmwareWriteReason::Cancelled << "cF" << true;
}

void TestSafeWriteJob::firmwareOutcomes() {
    QFETCH(bool, confirm);
    QFETCH(bool, cancelInUpload);
    QFETCH(FirmwareWriteEnd, end);
    QFETCH(FirmwareWriteReason, reason);
    QFETCH(QString, started);
    QFETCH(bool, received);

    SimSession sim({}, -1);
    ScriptedFirmwareFront front(*sim.session, confirm, cancelInUpload);
    const std::vector<uint8_t> image = FirmwareFile();
    FirmwareWriteJob job(*sim.session, front, {&image, true, true});
    front.Attach(job);
    job.Start();

    QVERIFY(front.outcome.has_value());
    QCOMPARE(front.outcome->end, end);
    QCOMPARE(front.outcome->reason, reason);
    QCOMPARE(sim.started, started);
    QCOMPARE(sim.device->State().firmware.has_value(), received);
    QCOMPARE(int(sim.firmware.size()), received ? 1 : 0);
    if (received) {
        const FirmwareWriteRecord& record = sim.firmware.first();
        QCOMPARE(int(record.fileFingerprint.size()), 64);
        QVERIFY(record.succeeded);
        QCOMPARE(record.before.Type, uint16_t(580));
        QCOMPARE(record.after.has_value(), started.endsWith("Fc"));
    }
}

void TestSafeWriteJob::identityOfTheConnectedDevice_data() {
    QTest::addColumn<QString>("vendor"); // of the USB device above ttyUSB0 in sysfs
    QTest::addColumn<QString>("node");   // the device node the port opened
    QTest::addColumn<QString>("serial"); // the serial number announced

    QTest::newRow("FTDI bridge") << "0403"
                                 << "/dev/ttyUSB0"
                                 << "FT4ABCDE";
    QTest::newRow("another adapter") << "067b"
                                     << "/dev/ttyUSB0"
                                     << "";
    QTest::newRow("pseudo-terminal") << "0403"
                                     << "/dev/pts/7"
                                     << "";
}

// A connection announces the device's descriptor, the node the port opened and, for an FTDI
// bridge, its USB serial number, which tells two bridges on one computer apart.
void TestSafeWriteJob::identityOfTheConnectedDevice() {
    QFETCH(QString, vendor);
    QFETCH(QString, node);
    QFETCH(QString, serial);

    FakeSysfs sysfs;
    sysfs.AddTty("ttyUSB0", vendor, true, true, "FT4ABCDE");
    RecordingHost host;
    SessionSeams seams;
    seams.driver = std::make_unique<SimFtdiDriver>(velor::sim::SimState{}, -1, node.toStdString());
    seams.sleeper = [](int) {};
    seams.host = &host;
    seams.threading = SessionThreading::Caller;
    seams.sysfsRoot = sysfs.root();
    DeviceSession session(std::move(seams));
    QList<DeviceIdentity> announced;
    QObject::connect(&session, &DeviceSession::deviceConnected,
                     [&announced](const DeviceIdentity& identity) { announced << identity; });
    QVERIFY(session.Port().Open() != 0);
    QVERIFY(session.Start(Operation::ConnectSettings, {}));

    QCOMPARE(announced.size(), 1);
    QCOMPARE(announced.first().descriptor.Type, uint16_t(580));
    QCOMPARE(announced.first().portPath, node);
    QCOMPARE(announced.first().usbSerial, serial);
    QCOMPARE(session.Identity().usbSerial, serial);
    QVERIFY(session.IsConnected());
}

QTEST_MAIN(TestSafeWriteJob)
#include "tst_safe_write_job.moc"
