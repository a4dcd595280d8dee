#pragma once

#include "link/bridge_roots.h"
#include "link/ftdi_usb_port.h"
#include "link/velor_device.h"
#include "link/velor_table.h"
#include "operations/operation_codes.h"
#include "operations/operation_host.h"
#include "operations/operation_logic.h"
#include "operations/session_events.h"
#include "settings/settings_image.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class FtdiDriver;
class StepRelay;
class TUsbThread;

// How a session runs its operations: on a worker thread whose window-side steps come back to the
// session's thread through the step relay (the window, which keeps its events running), or to
// their end on the calling thread (the command-line tool, which has no event loop to keep).
enum class SessionThreading { Worker, Caller };

// What a session is built from: the bridge driver, the front end's reports of the port (the
// driver's I/O error, the device that has gone), the protocol's sleeper, the front end's steps
// and where the bridges are listed (for the USB serial number of the one connected).
struct SessionSeams {
    std::unique_ptr<FtdiDriver> driver;
    TFTDIUsbPort::IoErrorReport onIoError;
    TFTDIUsbPort::DeviceLostReport onDeviceLost;
    Sleeper sleeper = DefaultSleeper();
    OperationHost* host = nullptr; // not owned; outlives the session
    SessionThreading threading = SessionThreading::Worker;
    QString sysfsRoot = velor::link::SystemSysfsRoot();
    QString devRoot = velor::link::SystemDevRoot();
};

// How one operation's steps reach the front end: a settings read kept apart (not shown, only
// recorded: the reads of a safe write) and a success whose box is left out (the status text
// stays).
struct OperationOptions {
    bool keepSettings = false;
    bool quietSuccess = false;
};

// The link to one device for as long as its owner lives: the port, the device object, the read
// and write tables, the operation's worker and the identity of what is connected. The window
// owns one for its whole life; the command-line tool makes one per command. One operation at a
// time; each ends by calling back whoever started it (a job continues from there), then
// operationEnded.
//
// It announces, once each, what the next features hook into: a device connected (its identity
// with the bridge's USB serial number), the settings read, a settings write finished and a
// firmware written (the last two through the jobs, AnnounceSettingsWrite/AnnounceFirmwareWrite).
class DeviceSession : public QObject {
    Q_OBJECT
public:
    using EndCallback = std::function<void(const OperationResult&)>;

    explicit DeviceSession(SessionSeams seams, QObject* parent = nullptr);
    // Waits for a running operation as FinishBeforeDestruction does.
    ~DeviceSession() override;
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    TFTDIUsbPort& Port() { return port_; }
    TVelorDevice& Device() { return device_; }
    const DeviceIdentity& Identity() const { return identity_; }
    // Whether the last operation left a device connected (its buttons' end says so) and the link
    // has not been closed since.
    bool IsConnected() const { return connected_; }
    // Closes the port: the device is no longer connected.
    void Close();

    // Starts an operation over the session's port, device and tables with its input (none, the
    // key number, the settings image); the firmware write reads firmwareImage in place, which must
    // stay unchanged until the end. Refuses, returning false, while another one has not ended.
    // onEnd runs on the session's thread once the operation has ended, before operationEnded.
    bool Start(Operation operation, std::vector<uint8_t> data, EndCallback onEnd = {},
               OperationOptions options = {}, const std::vector<uint8_t>* firmwareImage = nullptr);
    // From Start until the operation's end has been delivered.
    bool IsBusy() const { return busy_; }
    // The running (or last) operation.
    std::optional<Operation> CurrentOperation() const { return operation_; }
    // The options of the running (or last) operation: a settings read kept apart is one of a
    // job's (the site book records the job's outcome instead).
    const OperationOptions& CurrentOptions() const { return options_; }
    // The settings the last settings read delivered.
    const std::optional<SettingsImage>& LastSettings() const { return lastSettings_; }

    // Runs a report of the port (the driver's I/O error, the lost device) on the session's
    // thread, from whichever thread it comes: the worker's goes through its step relay like the
    // operation's other steps; another thread waits until it has run.
    void RunOnOwnerThread(const std::function<void()>& report);

    // The owner's destruction: runs the worker's steps itself, without an event loop, for at most
    // bound, then refuses the rest and waits for the worker. No end is delivered afterwards.
    void FinishBeforeDestruction(std::chrono::milliseconds bound);

    // The announcements of the jobs (see the class comment).
    void AnnounceSettingsWrite(const SettingsWriteRecord& record);
    void AnnounceFirmwareWrite(const FirmwareWriteRecord& record);

signals:
    void operationStarted(Operation operation);
    // The operation started last has ended and its caller has been called back.
    void operationEnded(Operation operation);
    void deviceConnected(const DeviceIdentity& identity);
    void settingsRead(const SettingsImage& image);
    void settingsWritten(const SettingsWriteRecord& record);
    void firmwareWritten(const FirmwareWriteRecord& record);

private:
    // Between the operation and the front end's steps: records what the session must know and
    // applies the operation's options.
    class StepFilter : public OperationHost {
    public:
        explicit StepFilter(DeviceSession& session) : session_(session) {}
        void ShowStatus(const StatusReport& report) override;
        void AdaptToDeviceType(int deviceTypeCode) override;
        void ResetProgress() override;
        void ShowSettings(const std::vector<uint8_t>& image) override;
        void PlaceKeyIdentifier(uint64_t identifier, int keyNumber) override;
        void SetButtons(ButtonOutcome outcome) override;

    private:
        DeviceSession& session_;
    };

    void RunOnWorker(Operation operation, std::vector<uint8_t> data,
                     const std::vector<uint8_t>* firmwareImage);
    void RunHere(Operation operation, const std::vector<uint8_t>& data,
                 const std::vector<uint8_t>* firmwareImage);
    void End();
    void NoteConnection();
    bool WorkerRunning() const;

    OperationHost* host_;
    SessionThreading threading_;
    QString sysfsRoot_;
    QString devRoot_;
    TFTDIUsbPort port_;
    TVelorDevice device_;
    TVelorTable readTable_;
    TVelorTable writeTable_;
    StepFilter filter_{*this};
    OperationContext context_;

    bool busy_ = false;
    bool connected_ = false;
    std::optional<Operation> operation_;
    OperationOptions options_;
    OperationResult result_;
    EndCallback onEnd_;
    std::optional<SettingsImage> lastSettings_;
    DeviceIdentity identity_;

    std::shared_ptr<const std::atomic_bool> workerFinished_; // of the worker started last
    std::shared_ptr<StepRelay> steps_;                       // its window-side steps
    QPointer<TUsbThread> worker_;                            // until it has deleted itself
};
