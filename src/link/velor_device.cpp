#include "link/velor_device.h"

#include "link/link_log.h"
#include "link/port.h"
#include "link/protocol.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>
#include <utility>

using namespace velor::protocol;

namespace {
constexpr RequestHead kIdentifyHead = MakeRequestHead(kCmdIdentify, 0);
constexpr RequestHead kAcknowledgeHead = MakeRequestHead(kCmdAcknowledge, 1);
} // namespace

Sleeper DefaultSleeper() {
    return [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

TVelorDevice::TVelorDevice(Sleeper sleeper)
    : sleep_(sleeper ? std::move(sleeper) : DefaultSleeper()) {}

bool TVelorDevice::Connect(TPort* port) {
    Port = port;
    return Identify();
}

bool TVelorDevice::Identify() {
    if (!SendFrame(kIdentifyHead.data(), nullptr)) {
        return false;
    }
    Wait(kReplyWaitMs);
    std::array<uint8_t, kIdentifyReplySize> reply{};
    if (!Receive(reply.data(), kIdentifyReplySize)) {
        return false;
    }
    Descriptor.Type = ReadLe16(&reply[kIdentifyTypeOffset]);
    Descriptor.Platform = ReadLe16(&reply[kIdentifyPlatformOffset]);
    Descriptor.Version1 = reply[kIdentifyVersion1Offset];
    Descriptor.Version2 = reply[kIdentifyVersion2Offset];
    Descriptor.Version3 = reply[kIdentifyVersion3Offset];
    Wait(kReplyWaitMs);
    return Acknowledge();
}

bool TVelorDevice::SendFrame(const uint8_t head[5], const uint8_t* data) {
    if (Port == nullptr) {
        return false;
    }
    RequestHead requestHead{};
    std::copy_n(head, kRequestHeadSize, requestHead.begin());
    const std::vector<uint8_t> frame = BuildRequestFrame(requestHead, data);
    Port->FrameBoundary();
    const bool written = Port->Write(frame.data(), static_cast<uint32_t>(frame.size()));
    velor::link::LogSent(frame.data(), frame.size(), written);
    if (written) {
        Port->FrameBoundary();
    }
    return written;
}

bool TVelorDevice::SendRequest(uint8_t command, const std::vector<uint8_t>& data) {
    const RequestHead head = MakeRequestHead(command, static_cast<uint8_t>(data.size()));
    return SendFrame(head.data(), data.data());
}

bool TVelorDevice::Acknowledge() {
    return SendFrame(kAcknowledgeHead.data(), &kAcknowledgeData);
}

bool TVelorDevice::ReadWhole(uint8_t* reply, uint32_t size) {
    if (Port == nullptr) {
        return false;
    }
    const bool complete = Port->Read(reply, size);
    velor::link::LogReceived(reply, size, complete);
    return complete;
}

bool TVelorDevice::Receive(uint8_t* reply, uint32_t size) {
    return ReadWhole(reply, size) && IsAcceptedReply(reply, size);
}

bool TVelorDevice::ReceiveCounted(uint8_t* reply, uint32_t size) {
    if (Port == nullptr) {
        return false;
    }
    uint32_t count = 0; // not used: only a complete reply counts
    const bool complete = Port->ReadCounted(reply, size, count);
    velor::link::LogReceived(reply, size, complete);
    return complete && IsAcceptedReply(reply, size);
}

// No protocol wait is worth its time once the device is gone.
void TVelorDevice::Wait(int ms) {
    if (ms > 0 && !PortLost()) {
        sleep_(ms);
    }
}

bool TVelorDevice::PortLost() const {
    return Port != nullptr && Port->DeviceLost();
}

void TVelorDevice::SetGaugeMax(int max) {
    if (Gauge != nullptr) {
        Gauge->SetMax(max);
    }
}

void TVelorDevice::AdvanceGauge() {
    if (Gauge != nullptr) {
        Gauge->Advance();
    }
}

bool TVelorDevice::StopBeforeBlock() {
    stopped_ = StopRequested && StopRequested();
    return stopped_;
}
