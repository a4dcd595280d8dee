#pragma once

#include "operations/operation_host.h"
#include "operations/step_relay.h"

#include <functional>
#include <memory>

class QObject;

// Runs each step of a window-side host on the thread of guiContext (the window's thread) and
// waits for it, through its step relay. Called on that thread itself, it runs the step directly.
// An exception a step throws on the window's thread is carried back and rethrown on the caller's
// thread, so nothing escapes into the window's event loop; a step the window no longer takes
// (its relay closed) fails as std::runtime_error.
//
// guiContext and host must outlive every call; the window keeps both alive until the operation
// thread has finished.
class GuiThreadHost : public OperationHost {
public:
    GuiThreadHost(QObject* guiContext, OperationHost* host)
        : relay_(std::make_shared<StepRelay>(guiContext)), host_(host) {}

    // The relay the steps travel through; the window serves it while it waits without an event
    // loop.
    const std::shared_ptr<StepRelay>& Relay() const { return relay_; }

    void ShowStatus(const StatusReport& report) override;
    void AdaptToDeviceType(int deviceTypeCode) override;
    void ResetProgress() override;
    void ShowSettings(const std::vector<uint8_t>& image) override;
    void PlaceKeyIdentifier(uint64_t identifier, int keyNumber) override;
    void SetButtons(ButtonOutcome outcome) override;

private:
    void Call(const std::function<void()>& step);

    std::shared_ptr<StepRelay> relay_;
    OperationHost* host_;
};
