// Starting a device operation or a write job on the window's session, one at a time. The window
// starts it and returns to its events; the session calls back at each operation's end. A
// confirmed close cancels the write job at its next state and waits for the running operation
// (its steps, boxes and progress go on meanwhile); the window's destruction waits without an
// event loop, running the operation's steps itself.

#include "operations/status_codes.h"
#include "ui/book/window_book.h"
#include "ui/commands/window_write_job.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"

#include <chrono>
#include <memory>
#include <utility>

namespace {
// How long a window being destroyed still runs the steps of the operation it waits for. Longer
// than any connection, key read or settings transfer with its boxes; a firmware write outlasts
// it only in its transfer, whose end then comes without boxes.
constexpr std::chrono::milliseconds kStepsServedOnDestruction{30000};
} // namespace

// The operation uses the port, the device object, the tables and this window's steps until it
// ends; none of them may go before it (DeviceSession::FinishBeforeDestruction). The window closed
// through closeEvent has waited already.
TMainForm::~TMainForm() {
    session_.FinishBeforeDestruction(kStepsServedOnDestruction);
}

bool TMainForm::IsOperationRunning() const {
    return session_.IsBusy() || (writeJob_ && writeJob_->IsActive());
}

bool TMainForm::StartOperation(Operation operation, std::vector<uint8_t> data) {
    if (IsOperationRunning()) {
        return false;
    }
    return session_.Start(operation, std::move(data), {}, {},
                          operation == Operation::WriteFirmware ? &firmwareImage_ : nullptr);
}

// The job before replaces nothing that still runs: a job is started only once the one before
// has ended, and it is never destroyed from within its own calls.
void TMainForm::StartWriteJob(std::unique_ptr<WindowWriteJob> job) {
    writeJob_ = std::move(job);
    writeJob_->Start();
}

// A confirmed close stops the write job at its next state and waits for the running operation:
// its steps may still show boxes on this window, except those the close makes pointless
// (FailureBoxWithheld). The wait is a modal one of the dialog seam. (A further close request
// during the wait never reaches here: the window is closing.)
bool TMainForm::AcceptClose() {
    if (!FormClose()) {
        return false;
    }
    closeAccepted_ = true;
    if (writeJob_) {
        writeJob_->Cancel();
    }
    Dialogs().WaitForSession(session_);
    return true;
}

bool TMainForm::OperationWritesDevice() const {
    const std::optional<Operation> operation = session_.CurrentOperation();
    return operation == Operation::WriteSettings || operation == Operation::WriteFirmware;
}

// A connection, a settings read or a key read that fails after the technician has confirmed the
// close has nothing left to tell: its result would only be dropped with the window. A write that
// fails still says so, since the device may hold part of it.
bool TMainForm::FailureBoxWithheld(int statusCode) const {
    if (!velor::status::IsFailure(statusCode)) {
        return false;
    }
    return deviceLostShown_ || (closeAccepted_ && !OperationWritesDevice());
}
