#include "operations/gui_thread_host.h"

#include <stdexcept>

void GuiThreadHost::Call(const std::function<void()>& step) {
    if (!relay_->Run(step)) {
        throw std::runtime_error("the window's thread did not take the operation's step");
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
