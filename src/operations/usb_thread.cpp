#include "operations/usb_thread.h"

#include <QDebug>

#include <exception>
#include <utility>

TUsbThread::TUsbThread(Operation operationCode, std::vector<uint8_t> buffer,
                       const OperationContext& context, QObject* guiContext)
    : OperationCode(operationCode), Buffer(std::move(buffer)),
      DataLength(static_cast<uint32_t>(Buffer.size())), context_(context),
      guiHost_(guiContext, context.host) {
    context_.host = &guiHost_;
}

TUsbThread::TUsbThread(Operation operationCode, const std::vector<uint8_t>* image,
                       const OperationContext& context, QObject* guiContext)
    : OperationCode(operationCode), DataLength(static_cast<uint32_t>(image->size())), view_(image),
      context_(context), guiHost_(guiContext, context.host) {
    context_.host = &guiHost_;
}

TUsbThread::~TUsbThread() {
    wait(); // only ever reached once run() has returned; never leaves a running thread behind
}

TUsbThread::FinishedFlag TUsbThread::Launch(std::unique_ptr<TUsbThread> thread) {
    TUsbThread* running = thread.release(); // from here on the thread owns itself
    connect(running, &QThread::finished, running, &QObject::deleteLater);
    FinishedFlag flag = running->finished_;
    running->start(QThread::NormalPriority);
    return flag;
}

void TUsbThread::run() {
    OperationResult result;
    try {
        RunOperation(OperationCode, Input(), context_, result);
    } catch (const std::exception& error) {
        Abandon(error.what(), result);
    } catch (...) {
        Abandon("unknown error", result);
    }
    StatusCode = result.StatusCode;
    DeviceTypeCode = result.DeviceTypeCode;
    finished_->store(true);
    guiHost_.Relay()->Finish();
}

// Ends an operation an error broke off with its failure status and buttons; when even that
// cannot reach the window, the operation ends silently (the warning says so).
void TUsbThread::Abandon(const char* why, OperationResult& result) {
    qWarning("operation %d abandoned: %s", static_cast<int>(OperationCode), why);
    try {
        ReportOperationFault(OperationCode, context_, result);
    } catch (...) {
        qWarning("operation %d: its failure could not be reported",
                 static_cast<int>(OperationCode));
    }
}
