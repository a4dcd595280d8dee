// Starting a device operation on the operation thread, one at a time, and waiting for it: the
// write and read commands and the close request wait until the thread has finished, keeping the
// window's events (and so the thread's steps) running meanwhile; the window's destruction waits
// without an event loop, running the thread's steps itself.

#include "operations/operation_logic.h"
#include "operations/status_codes.h"
#include "operations/step_relay.h"
#include "operations/usb_thread.h"
#include "ui/main_form.h"

#include <QEventLoop>

#include <chrono>
#include <memory>
#include <utility>

namespace {
// How long a window being destroyed still runs the steps of the operation it waits for. Longer
// than any connection, key read or settings transfer with its boxes; a firmware write outlasts
// it only in its transfer, whose end then comes without boxes.
constexpr std::chrono::milliseconds kStepsServedOnDestruction{30000};
} // namespace

// The thread uses the port, the device object, the tables and this window's steps until it
// ends; none of them may go before it. A plain wait() would deadlock: while the window's thread
// sleeps in it, the operation thread may sit in a step it has handed to the window's thread. So
// the destruction runs those steps itself, without an event loop (nothing else of the window
// runs meanwhile), until the thread has finished. That service is bounded: once the bound has
// passed, the relay refuses every further step, the operation ends on the first refused one with
// its failure (which reaches no window), and wait() covers only the rest of its exchange, which
// the port's timeouts bound. The window closed through closeEvent has waited already.
TMainForm::~TMainForm() {
    if (operationSteps_ && !operationSteps_->ServeUntilFinished(kStepsServedOnDestruction)) {
        operationSteps_->Close();
    }
    if (operationThread_) {
        operationThread_->wait();
    }
}

bool TMainForm::IsOperationRunning() const {
    return operationFinished_ != nullptr && !operationFinished_->load();
}

bool TMainForm::StartOperation(Operation operation, std::vector<uint8_t> data) {
    if (IsOperationRunning()) {
        return false;
    }
    const OperationContext context{&port_, &device_, &readTable_, &writeTable_, this};
    std::unique_ptr<TUsbThread> thread =
        operation == Operation::WriteFirmware
            ? std::make_unique<TUsbThread>(operation, &firmwareImage_, context, this)
            : std::make_unique<TUsbThread>(operation, std::move(data), context, this);
    // Connected before the start, so that no end, however soon, passes unseen. An end reported
    // while a later operation runs is that of an earlier thread, and is not passed on.
    connect(thread.get(), &QThread::finished, this, [this] {
        if (!IsOperationRunning()) {
            emit operationEnded(QPrivateSignal());
        }
    });
    operation_ = operation;
    deviceLostShown_ = false;
    operationSteps_ = thread->Steps();
    operationThread_ = thread.get();
    operationFinished_ = TUsbThread::Launch(std::move(thread));
    emit operationStarted(operation);
    return true;
}

// Runs the window's events until the operation thread's end reaches the window. A thread still
// running here cannot have delivered its end yet: that comes through this event loop.
void TMainForm::WaitForOperation() {
    if (!IsOperationRunning()) {
        return;
    }
    QEventLoop loop;
    connect(this, &TMainForm::operationEnded, &loop, &QEventLoop::quit);
    loop.exec();
}

// A confirmed close waits for the running operation: its steps may still show boxes on this
// window, except those the close makes pointless (FailureBoxWithheld). (A further close request
// during the wait never reaches here: the window is closing.)
bool TMainForm::AcceptClose() {
    if (!FormClose()) {
        return false;
    }
    closeAccepted_ = true;
    WaitForOperation();
    return true;
}

bool TMainForm::OperationWritesDevice() const {
    return operation_ == Operation::WriteSettings || operation_ == Operation::WriteFirmware;
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
