#pragma once

#include "operations/device_session.h"

#include <QString>

#include <optional>
#include <vector>

// A firmware upload in the same shape as the settings write, for the window and the
// command-line tool: connect (when the front end is not connected yet), confirm what is flashed
// into which device, upload, and (in the window) connect again. Driven by the ends of the
// session's operations, like SafeWriteJob.

enum class FirmwareWriteState { Idle, Connecting, Confirming, Uploading, Reconnecting, Done };

enum class FirmwareWriteEnd {
    Written, // the device took the whole image
    Refused, // nothing sent (reason says why)
    Failed,  // the upload failed: the device may hold part of it
};

enum class FirmwareWriteReason {
    None,
    PortNotOpened, // the port could not be opened for the first connection
    NotConnected,  // the first connection failed
    NotConfirmed,  // the technician (or the file's check) did not let it go ahead
    Cancelled,     // the owner cancelled the job (a closing window)
    DeviceLost,    // the device went during the upload
};

struct FirmwareWriteOutcome {
    FirmwareWriteEnd end = FirmwareWriteEnd::Refused;
    FirmwareWriteReason reason = FirmwareWriteReason::None;
    FirmwareWriteState stoppedIn = FirmwareWriteState::Idle;
};

// What the front end shows and answers while the upload runs.
class FirmwareWriteFront {
public:
    virtual ~FirmwareWriteFront() = default;
    // Opens the session's port for a connection; when it cannot, says why and returns false.
    virtual bool OpenPort() = 0;
    // What will be flashed into the connected device; false stops before the first block.
    virtual bool Confirm(const TVelorDevDesc& device) = 0;
    virtual void UploadStarting() = 0;
    // The upload has ended and the link has been closed; reconnects: a connection follows.
    virtual void Disconnected(bool reconnects) = 0;
    // The connection after the upload has been started (or could not be opened).
    virtual void Reconnecting() = 0;
    // The job's end. The job must not be destroyed within this call.
    virtual void Finished(const FirmwareWriteOutcome& outcome) = 0;
};

struct FirmwareWritePlan {
    const std::vector<uint8_t>* image = nullptr; // read in place; unchanged until the end
    bool connectFirst = false;
    bool reconnect = false; // connect again after the upload, in the firmware work mode
};

class FirmwareWriteJob {
public:
    FirmwareWriteJob(DeviceSession& session, FirmwareWriteFront& front, FirmwareWritePlan plan);

    void Start();
    // Stops the job at its next state; an upload running completes and reports.
    void Cancel() { cancelled_ = true; }
    bool IsActive() const {
        return state_ != FirmwareWriteState::Idle && state_ != FirmwareWriteState::Done;
    }
    FirmwareWriteState State() const { return state_; }

private:
    void Connect();
    void ConnectEnded(const OperationResult& result);
    void Confirm();
    void Upload();
    void UploadEnded(const OperationResult& result);
    void ReconnectEnded(const OperationResult& result);
    void Finish(FirmwareWriteEnd end, FirmwareWriteReason reason);

    DeviceSession& session_;
    FirmwareWriteFront& front_;
    FirmwareWritePlan plan_;
    FirmwareWriteState state_ = FirmwareWriteState::Idle;
    FirmwareWriteOutcome outcome_;
    FirmwareWriteRecord record_;
    bool cancelled_ = false;
};
