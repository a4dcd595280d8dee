#pragma once

#include "operations/device_session.h"
#include "operations/operation_logic.h"
#include "settings/settings_diff.h"
#include "settings/settings_history.h"
#include "settings/settings_image.h"

#include <QString>

#include <optional>
#include <vector>

// A settings write a technician can trust, as one state machine for the window and the
// command-line tool: connect (when the front end is not connected yet), read the device's
// settings, review the changes, keep the device's settings as a snapshot, write, connect again,
// read the settings back and compare them with what was sent. Each state that runs an operation
// starts it on the session and continues when the session calls back with its end; so the
// window returns to its event loop between the states, and the command-line tool, whose session
// runs each operation to its end at once, goes through all of them within Start.

enum class SafeWriteState {
    Idle,
    Connecting,
    ReadingDevice,
    Reviewing,
    Snapshotting,
    Writing,
    Reconnecting,
    ReadingBack,
    Comparing,
    Done,
};

// How the write ended.
enum class SafeWriteEnd {
    Verified,           // written, and the settings read back equal what was sent
    WrittenNotVerified, // written; the read back did not happen (reason says why)
    Mismatch,           // written; the device keeps other settings than were sent (differences)
    Refused,            // stopped before the first block: nothing written (reason says why)
    WriteFailed,        // the write itself failed: the device may hold part of it (the snapshot)
};

enum class SafeWriteReason {
    None,
    PortNotOpened,    // the port could not be opened for the first connection
    NotConnected,     // the first connection failed
    SettingsNotRead,  // the device's settings could not be read before the write
    ReviewDeclined,   // the technician chose not to write
    ReviewNotShown,   // the change list did not reach the technician
    DryRun,           // only the change list was asked for
    SnapshotNotSaved, // the device's settings could not be kept: there would be no way back
    Cancelled,        // the owner cancelled the job (a closing window)
    VerifySkipped,    // the read back was not asked for
    NoLink,           // the connection after the write could not be made
    ReadBackFailed,   // the settings could not be read back
    DeviceLost,       // the device went during the write
};

struct SafeWriteOutcome {
    SafeWriteEnd end = SafeWriteEnd::Refused;
    SafeWriteReason reason = SafeWriteReason::None;
    SafeWriteState stoppedIn = SafeWriteState::Idle; // the state the job ended in
    std::optional<SettingsImage> before;             // the device's settings, once read
    SettingsImage written;                           // what was (or would have been) sent
    std::optional<SettingsImage> readBack;
    std::vector<velor::settings::FieldChange> differences; // sent → kept, for a mismatch
    QString snapshotPath;                                  // the way back, once kept
    QString snapshotError;                                 // why the snapshot could not be kept

    // Whether no block has been sent.
    bool NothingWritten() const { return end == SafeWriteEnd::Refused; }
};

// The technician's answer to the change list.
enum class ReviewAnswer { Write, Declined, NotShown, DryRun };

// What the front end shows and answers while the job runs. Each call runs on the session's
// thread between two operations.
class SafeWriteFront {
public:
    virtual ~SafeWriteFront() = default;
    // Opens the session's port for a connection; when it cannot, says why and returns false.
    virtual bool OpenPort() = 0;
    // A settings read of the job starts: the device's settings, or the read back after the write.
    virtual void ReadStarting(bool readBack) = 0;
    // The changes from the device's settings to the settings to be written.
    virtual ReviewAnswer Review(const SettingsImage& device, const SettingsImage& next) = 0;
    // The snapshot is kept; the first block follows.
    virtual void WriteStarting(const QString& snapshotPath) = 0;
    // The write has ended and the link has been closed; reconnects: a connection and the read
    // back follow.
    virtual void Disconnected(bool reconnects) = 0;
    // The job's end. The job must not be destroyed within this call.
    virtual void Finished(const SafeWriteOutcome& outcome) = 0;
};

struct SafeWritePlan {
    SettingsImage image;
    bool connectFirst = false; // the command-line tool starts unconnected
    bool verify = true;        // connect again and read back after a successful write
    // Connect again after a failed write too (the window ends every write connected).
    bool reconnectAfterFailedWrite = false;
    QString historyFolder;
    SettingsHistory::Clock clock; // the present; the system's clock when empty
};

class SafeWriteJob {
public:
    SafeWriteJob(DeviceSession& session, SafeWriteFront& front, SafeWritePlan plan);

    // Runs the job from its first state. With a session that runs its operations where they are
    // started, the job has ended when Start returns.
    void Start();
    // Stops the job at its next state: the operation running now ends as it would; nothing is
    // started after it. An operation that is a write still completes and reports.
    void Cancel() { cancelled_ = true; }
    bool IsActive() const {
        return state_ != SafeWriteState::Idle && state_ != SafeWriteState::Done;
    }
    SafeWriteState State() const { return state_; }

private:
    void Connect();
    void ReadDevice();
    void Review();
    void Snapshot();
    void Write();
    void AfterWrite(bool written);
    void Reconnect(bool written);
    void AfterReconnect(bool written, bool connected);
    void ReadBack();
    void Compare();
    void Finish(SafeWriteEnd end, SafeWriteReason reason);
    void RunThen(Operation operation, std::vector<uint8_t> data, OperationOptions options,
                 void (SafeWriteJob::*next)(const OperationResult&));
    void ConnectEnded(const OperationResult& result);
    void ReadDeviceEnded(const OperationResult& result);
    void WriteEnded(const OperationResult& result);
    void ReadBackEnded(const OperationResult& result);

    DeviceSession& session_;
    SafeWriteFront& front_;
    SafeWritePlan plan_;
    SafeWriteState state_ = SafeWriteState::Idle;
    SafeWriteOutcome outcome_;
    bool written_ = false;
    bool cancelled_ = false;
};
