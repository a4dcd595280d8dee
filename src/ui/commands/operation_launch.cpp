// Starting a device operation on the operation thread, one at a time, and waiting for it: the
// write and read commands, the close request and the window's destruction wait until the thread
// has finished, keeping the window's events (and so the thread's steps) running meanwhile.

#include "operations/operation_logic.h"
#include "operations/usb_thread.h"
#include "ui/main_form.h"

#include <QEventLoop>
#include <QTimer>

#include <memory>
#include <utility>

namespace {
// How often a wait looks at the finished flag; the event loop sleeps in between.
constexpr int kFinishedPollMs = 10;
} // namespace

TMainForm::~TMainForm() {
    // The thread uses the port, the device object, the tables and this window's steps until it
    // ends; none of them may go before it.
    WaitForOperation();
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
    operation_ = operation;
    operationFinished_ = TUsbThread::Launch(std::move(thread));
    emit operationStarted(operation);
    return true;
}

// Runs the window's events until the operation has finished; the event loop sleeps between
// looks at the flag instead of spinning.
void TMainForm::WaitForOperation() {
    if (!IsOperationRunning()) {
        return;
    }
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
        if (!IsOperationRunning()) {
            loop.quit();
        }
    });
    poll.start(kFinishedPollMs);
    loop.exec();
}

// A confirmed close waits for the running operation: its steps may still show boxes on this
// window. (A further close request during the wait never reaches here: the window is closing.)
bool TMainForm::AcceptClose() {
    if (!FormClose()) {
        return false;
    }
    WaitForOperation();
    closeAccepted_ = true;
    return true;
}
