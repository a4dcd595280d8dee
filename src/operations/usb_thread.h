#pragma once

#include "operations/gui_thread_host.h"
#include "operations/operation_logic.h"

#include <QThread>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// The worker thread of one device operation. run() runs the operation's logic over the window's
// port, device and tables; every window-side step runs on the window's thread (guiContext's)
// while the worker waits. Nothing is thrown out of the thread: an error ends the operation with
// its failure status and failure buttons.
//
// Progress: the transfers advance the device's Gauge directly from this thread; the window's
// sink carries each advance to its gauge by a queued call, and the progress reset comes through
// the blocking step after them.
//
// Life: created for one operation, started by Launch, deleted by itself (deleteLater on
// finished). The finished flag and the step relay are shared with the window and stay usable
// after the thread object is gone; the relay finishes right after the flag is set. While the flag
// is false the window keeps the port, device, tables, host, guiContext and (for a firmware write)
// the image alive and unchanged, and starts nothing else.
class TUsbThread : public QThread {
    Q_OBJECT
public:
    using FinishedFlag = std::shared_ptr<const std::atomic_bool>;

    // An operation with input of its own: none, the one-byte key number or the settings image.
    TUsbThread(Operation operationCode, std::vector<uint8_t> buffer,
               const OperationContext& context, QObject* guiContext);
    // The firmware write: the image is read in place, neither copied nor released.
    TUsbThread(Operation operationCode, const std::vector<uint8_t>* image,
               const OperationContext& context, QObject* guiContext);
    ~TUsbThread() override;

    // Starts the thread at normal priority and hands it its own life: it deletes itself once it
    // has finished. Returns its finished flag.
    static FinishedFlag Launch(std::unique_ptr<TUsbThread> thread);

    FinishedFlag Finished() const { return finished_; }
    // The relay of this thread's window-side steps (and of any other call the window's members
    // make onto the window's thread from this thread).
    const std::shared_ptr<StepRelay>& Steps() const { return guiHost_.Relay(); }

    const Operation OperationCode;
    const std::vector<uint8_t> Buffer; // the input this thread owns
    const uint32_t DataLength;         // length of the input (owned or viewed)
    // The operation's last status and device-type code, set when the operation has ended. The
    // window gets both with every status report.
    std::atomic<int> StatusCode{0};
    std::atomic<int> DeviceTypeCode{0};

protected:
    void run() override;

private:
    void Abandon(const char* why, OperationResult& result);
    const std::vector<uint8_t>& Input() const { return view_ != nullptr ? *view_ : Buffer; }

    const std::vector<uint8_t>* view_ = nullptr;
    OperationContext context_;
    GuiThreadHost guiHost_;
    std::shared_ptr<std::atomic_bool> finished_ = std::make_shared<std::atomic_bool>(false);
};
