#include "operations/firmware_write_job.h"

#include "settings/settings_fingerprint.h"

FirmwareWriteJob::FirmwareWriteJob(DeviceSession& session, FirmwareWriteFront& front,
                                   FirmwareWritePlan plan)
    : session_(session), front_(front), plan_(plan) {}

void FirmwareWriteJob::Start() {
    record_.fileFingerprint = velor::settings::Fingerprint(*plan_.image);
    if (plan_.connectFirst) {
        Connect();
    } else {
        Confirm();
    }
}

void FirmwareWriteJob::Connect() {
    state_ = FirmwareWriteState::Connecting;
    if (!front_.OpenPort()) {
        Finish(FirmwareWriteEnd::Refused, FirmwareWriteReason::PortNotOpened);
        return;
    }
    session_.Start(Operation::ConnectFirmware, {},
                   [this](const OperationResult& result) { ConnectEnded(result); });
}

void FirmwareWriteJob::ConnectEnded(const OperationResult& result) {
    if (cancelled_) {
        Finish(FirmwareWriteEnd::Refused, FirmwareWriteReason::Cancelled);
    } else if (!result.Succeeded()) {
        Finish(FirmwareWriteEnd::Refused, FirmwareWriteReason::NotConnected);
    } else {
        Confirm();
    }
}

void FirmwareWriteJob::Confirm() {
    state_ = FirmwareWriteState::Confirming;
    record_.before = session_.Device().Descriptor;
    if (!front_.Confirm(record_.before)) {
        Finish(FirmwareWriteEnd::Refused, FirmwareWriteReason::NotConfirmed);
        return;
    }
    if (cancelled_) {
        Finish(FirmwareWriteEnd::Refused, FirmwareWriteReason::Cancelled);
        return;
    }
    Upload();
}

void FirmwareWriteJob::Upload() {
    state_ = FirmwareWriteState::Uploading;
    front_.UploadStarting();
    session_.Start(
        Operation::WriteFirmware, {},
        [this](const OperationResult& result) { UploadEnded(result); }, {}, plan_.image);
}

// A device that has gone is not asked again: the port has told the technician already.
void FirmwareWriteJob::UploadEnded(const OperationResult& result) {
    record_.succeeded = result.Succeeded();
    const FirmwareWriteEnd end =
        record_.succeeded ? FirmwareWriteEnd::Written : FirmwareWriteEnd::Failed;
    if (cancelled_) {
        Finish(end, FirmwareWriteReason::Cancelled);
        return;
    }
    const bool lost = session_.Port().DeviceLost();
    if (!plan_.reconnect) {
        Finish(end, lost ? FirmwareWriteReason::DeviceLost : FirmwareWriteReason::None);
        return;
    }
    session_.Close();
    front_.Disconnected(!lost);
    if (lost) {
        front_.Reconnecting();
        Finish(end, FirmwareWriteReason::DeviceLost);
        return;
    }
    state_ = FirmwareWriteState::Reconnecting;
    const bool opened = front_.OpenPort();
    if (opened) {
        session_.Start(Operation::ConnectFirmware, {},
                       [this](const OperationResult& connected) { ReconnectEnded(connected); });
    }
    front_.Reconnecting();
    if (!opened) {
        Finish(end, FirmwareWriteReason::None);
    }
}

void FirmwareWriteJob::ReconnectEnded(const OperationResult& result) {
    if (result.Succeeded()) {
        record_.after = session_.Device().Descriptor;
    }
    Finish(record_.succeeded ? FirmwareWriteEnd::Written : FirmwareWriteEnd::Failed,
           cancelled_ ? FirmwareWriteReason::Cancelled : FirmwareWriteReason::None);
}

void FirmwareWriteJob::Finish(FirmwareWriteEnd end, FirmwareWriteReason reason) {
    outcome_.end = end;
    outcome_.reason = reason;
    outcome_.stoppedIn = state_;
    state_ = FirmwareWriteState::Done;
    if (end != FirmwareWriteEnd::Refused) {
        session_.AnnounceFirmwareWrite(record_);
    }
    front_.Finished(outcome_);
}
