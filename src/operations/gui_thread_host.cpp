#include "operations/gui_thread_host.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <exception>
#include <stdexcept>

void GuiThreadHost::Call(const std::function<void()>& step) {
    if (QThread::currentThread() == context_->thread()) {
        step();
        return;
    }
    std::exception_ptr error;
    const bool delivered = QMetaObject::invokeMethod(
        context_,
        [&step, &error] {
            try {
                step();
            } catch (...) {
                error = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (!delivered) {
        throw std::runtime_error("the window's thread did not take the operation's step");
    }
    if (error) {
        std::rethrow_exception(error);
    }
}

void GuiThreadHost::ShowStatus(const StatusReport& report) {
    Call([this, &report] { host_->ShowStatus(report); });
}

void GuiThreadHost::AdaptToDeviceType(int deviceTypeCode) {
    Call([this, deviceTypeCode] { host_->AdaptToDeviceType(deviceTypeCode); });
}

void GuiThreadHost::ResetProgress() {
    Call([this] { host_->ResetProgress(); });
}

void GuiThreadHost::ShowSettings(const std::vector<uint8_t>& image) {
    Call([this, &image] { host_->ShowSettings(image); });
}

void GuiThreadHost::PlaceKeyIdentifier(uint64_t identifier, int keyNumber) {
    Call([this, identifier, keyNumber] { host_->PlaceKeyIdentifier(identifier, keyNumber); });
}

void GuiThreadHost::SetButtons(ButtonOutcome outcome) {
    Call([this, outcome] { host_->SetButtons(outcome); });
}
