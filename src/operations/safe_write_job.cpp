#include "operations/safe_write_job.h"

#include "operations/device_session.h"

#include <QDateTime>

#include <utility>

using velor::settings::DiffSettings;

namespace {

std::vector<uint8_t> BytesOf(const SettingsImage& image) {
    return {image.bytes().begin(), image.bytes().end()};
}

// The job's reads are kept apart from the front end's settings and say so only in the status.
constexpr OperationOptions kKeptRead{true, true};

} // namespace

SafeWriteJob::SafeWriteJob(DeviceSession& session, SafeWriteFront& front, SafeWritePlan plan)
    : session_(session), front_(front), plan_(std::move(plan)) {
    outcome_.written = plan_.image;
}

void SafeWriteJob::Start() {
    if (plan_.connectFirst) {
        Connect();
    } else {
        ReadDevice();
    }
}

void SafeWriteJob::RunThen(Operation operation, std::vector<uint8_t> data, OperationOptions options,
                           void (SafeWriteJob::*next)(const OperationResult&)) {
    session_.Start(
        operation, std::move(data),
        [this, next](const OperationResult& result) { (this->*next)(result); }, options);
}

void SafeWriteJob::Connect() {
    state_ = SafeWriteState::Connecting;
    if (!front_.OpenPort()) {
        Finish(SafeWriteEnd::Refused, SafeWriteReason::PortNotOpened);
        return;
    }
    RunThen(Operation::ConnectSettings, {}, {}, &SafeWriteJob::ConnectEnded);
}

void SafeWriteJob::ConnectEnded(const OperationResult& result) {
    if (state_ == SafeWriteState::Reconnecting) {
        AfterReconnect(written_, result.Succeeded());
        return;
    }
    if (cancelled_) {
        Finish(SafeWriteEnd::Refused, SafeWriteReason::Cancelled);
    } else if (!result.Succeeded()) {
        Finish(SafeWriteEnd::Refused, SafeWriteReason::NotConnected);
    } else {
        ReadDevice();
    }
}

void SafeWriteJob::ReadDevice() {
    state_ = SafeWriteState::ReadingDevice;
    front_.ReadStarting(false);
    RunThen(Operation::ReadSettings, {}, kKeptRead, &SafeWriteJob::ReadDeviceEnded);
}

void SafeWriteJob::ReadDeviceEnded(const OperationResult& result) {
    if (result.Succeeded()) {
        outcome_.before = session_.LastSettings();
    }
    if (cancelled_) {
        Finish(SafeWriteEnd::Refused, SafeWriteReason::Cancelled);
    } else if (!outcome_.before) {
        Finish(SafeWriteEnd::Refused, SafeWriteReason::SettingsNotRead);
    } else {
        Review();
    }
}

void SafeWriteJob::Review() {
    state_ = SafeWriteState::Reviewing;
    switch (front_.Review(*outcome_.before, plan_.image)) {
    case ReviewAnswer::Write:
        break;
    case ReviewAnswer::Declined:
        Finish(SafeWriteEnd::Refused, SafeWriteReason::ReviewDeclined);
        return;
    case ReviewAnswer::NotShown:
        Finish(SafeWriteEnd::Refused, SafeWriteReason::ReviewNotShown);
        return;
    case ReviewAnswer::DryRun:
        Finish(SafeWriteEnd::Refused, SafeWriteReason::DryRun);
        return;
    }
    if (cancelled_) {
        Finish(SafeWriteEnd::Refused, SafeWriteReason::Cancelled);
        return;
    }
    Snapshot();
}

// Without the device's settings kept, the write could not be undone: no snapshot, no write.
void SafeWriteJob::Snapshot() {
    state_ = SafeWriteState::Snapshotting;
    const QDateTime now = plan_.clock ? plan_.clock() : QDateTime::currentDateTime();
    const HistorySave saved =
        SettingsHistory(plan_.historyFolder, plan_.clock)
            .Save(*outcome_.before, session_.Device().Descriptor, plan_.image, now);
    if (!saved.Saved()) {
        outcome_.snapshotError = saved.error;
        Finish(SafeWriteEnd::Refused, SafeWriteReason::SnapshotNotSaved);
        return;
    }
    outcome_.snapshotPath = saved.path;
    Write();
}

// The write's success box waits for the read back when there is one.
void SafeWriteJob::Write() {
    state_ = SafeWriteState::Writing;
    front_.WriteStarting(outcome_.snapshotPath);
    if (cancelled_) {
        Finish(SafeWriteEnd::Refused, SafeWriteReason::Cancelled);
        return;
    }
    RunThen(Operation::WriteSettings, BytesOf(plan_.image), OperationOptions{false, plan_.verify},
            &SafeWriteJob::WriteEnded);
}

void SafeWriteJob::WriteEnded(const OperationResult& result) {
    written_ = result.Succeeded();
    if (cancelled_) {
        Finish(written_ ? SafeWriteEnd::WrittenNotVerified : SafeWriteEnd::WriteFailed,
               SafeWriteReason::Cancelled);
        return;
    }
    AfterWrite(written_);
}

// A device that has gone is not asked again: the port has told the technician, and a connection
// could only fail with a second report.
void SafeWriteJob::AfterWrite(bool written) {
    const bool lost = session_.Port().DeviceLost();
    const bool reconnects = !lost && (written ? plan_.verify : plan_.reconnectAfterFailedWrite);
    session_.Close();
    front_.Disconnected(reconnects);
    if (reconnects) {
        Reconnect(written);
        return;
    }
    const SafeWriteReason reason = lost      ? SafeWriteReason::DeviceLost
                                   : written ? SafeWriteReason::VerifySkipped
                                             : SafeWriteReason::None;
    Finish(written ? SafeWriteEnd::WrittenNotVerified : SafeWriteEnd::WriteFailed, reason);
}

void SafeWriteJob::Reconnect(bool written) {
    state_ = SafeWriteState::Reconnecting;
    if (!front_.OpenPort()) {
        AfterReconnect(written, false);
        return;
    }
    RunThen(Operation::ConnectSettings, {}, {}, &SafeWriteJob::ConnectEnded);
}

void SafeWriteJob::AfterReconnect(bool written, bool connected) {
    if (cancelled_) {
        Finish(written ? SafeWriteEnd::WrittenNotVerified : SafeWriteEnd::WriteFailed,
               SafeWriteReason::Cancelled);
    } else if (!written) {
        Finish(SafeWriteEnd::WriteFailed, SafeWriteReason::None);
    } else if (!connected) {
        Finish(SafeWriteEnd::WrittenNotVerified, SafeWriteReason::NoLink);
    } else {
        ReadBack();
    }
}

void SafeWriteJob::ReadBack() {
    state_ = SafeWriteState::ReadingBack;
    front_.ReadStarting(true);
    RunThen(Operation::ReadSettings, {}, kKeptRead, &SafeWriteJob::ReadBackEnded);
}

void SafeWriteJob::ReadBackEnded(const OperationResult& result) {
    if (cancelled_) {
        Finish(SafeWriteEnd::WrittenNotVerified, SafeWriteReason::Cancelled);
    } else if (!result.Succeeded() || !session_.LastSettings()) {
        Finish(SafeWriteEnd::WrittenNotVerified, SafeWriteReason::ReadBackFailed);
    } else {
        outcome_.readBack = session_.LastSettings();
        Compare();
    }
}

// Byte for byte: a difference is a failure, listed field by field (sent → kept).
void SafeWriteJob::Compare() {
    state_ = SafeWriteState::Comparing;
    if (*outcome_.readBack == plan_.image) {
        Finish(SafeWriteEnd::Verified, SafeWriteReason::None);
        return;
    }
    outcome_.differences = DiffSettings(plan_.image, *outcome_.readBack);
    Finish(SafeWriteEnd::Mismatch, SafeWriteReason::None);
}

void SafeWriteJob::Finish(SafeWriteEnd end, SafeWriteReason reason) {
    outcome_.end = end;
    outcome_.reason = reason;
    outcome_.stoppedIn = state_;
    state_ = SafeWriteState::Done;
    if (!outcome_.NothingWritten()) {
        SettingsWriteRecord record;
        record.device = session_.Identity();
        record.before = *outcome_.before;
        record.written = plan_.image;
        record.succeeded = end != SafeWriteEnd::WriteFailed;
        record.verified = end == SafeWriteEnd::Verified;
        record.readBack = outcome_.readBack;
        record.snapshotPath = outcome_.snapshotPath;
        session_.AnnounceSettingsWrite(record);
    }
    front_.Finished(outcome_);
}
