#pragma once

#include "sim/request_parser.h"
#include "sim/sim_config.h"
#include "sim/write_transfer.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velor::sim {

// The model-580 device behind its receiver, as strict as the real one: it answers identify,
// scenario selection, settings and key reads, settings and firmware writes and status polls,
// insists on the acknowledge after each reply that asks for one, refuses whatever does not fit
// and logs why. Byte level only; a transport (the pty server, a test) moves the bytes.
class SimDevice {
public:
    // One request that got through the receiver and what the device sends back for it.
    struct Exchange {
        std::size_t requestSize = 0; // bytes of the request on the line
        Bytes reply;                 // empty when the device stays silent
    };

    explicit SimDevice(SimState state = {});
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    std::vector<Exchange> Receive(const uint8_t* data, std::size_t count);
    std::vector<Exchange> Receive(const Bytes& bytes) {
        return Receive(bytes.data(), bytes.size());
    }

    // The receiver gives up a frame that stopped arriving.
    bool HasPartialFrame() const { return parser_.HasPartial(); }
    void DropPartialFrame() { parser_.DropPartial(); }

    // After the configured number of frames the device drops the line and hears nothing more.
    bool HungUp() const { return hungUp_; }
    int FramesServed() const { return framesServed_; }

    SimState& State() { return state_; }
    const SimState& State() const { return state_; }

    // Refusals, injected faults and completed transfers, oldest first (the last kLogLimit).
    const std::vector<std::string>& Log() const { return log_; }
    void SetLogSink(LogSink sink) { sink_ = std::move(sink); }
    // Adds a line to the log (and the sink); the transport notes its own events here too.
    void Note(const std::string& line);
    // Called with the 257-byte table each time a settings write is stored.
    void SetSettingsStored(std::function<void(const Bytes&)> stored) {
        settingsStored_ = std::move(stored);
    }

    static constexpr std::size_t kLogLimit = 1000;

private:
    enum class AfterAck { Nothing, ScenarioSelected, NextReadBlock };

    Bytes Handle(const RequestFrame& frame);
    Bytes HandleAck(const RequestFrame& frame);
    Bytes HandleIdentify(const RequestFrame& frame);
    Bytes HandleSelect(const RequestFrame& frame);
    Bytes HandleRead(const RequestFrame& frame);
    Bytes HandleWriteBlock(const RequestFrame& frame);
    Bytes HandlePoll(const RequestFrame& frame);
    std::string OpenWrite(const Bytes& data);
    std::string AppendWrite(const Bytes& data);
    Bytes AnswerBlock(uint16_t block);
    void StoreIfComplete();

    Bytes ReadBlockReply(int block);
    Bytes KeyReply();
    Bytes WriteReply(uint16_t block, uint8_t status);
    Bytes RefuseBlock(uint16_t block, const std::string& reason);
    BlockResponse ResponseFor(int block) const;
    void StoreTransfer(const WriteTransfer& transfer);

    // Builds a reply to command and applies the fault injected for it, if any.
    Bytes Deliver(uint8_t command, const Bytes& payload, bool needsAck, AfterAck afterAck);
    bool WrongSize(const RequestFrame& frame, std::size_t expected);
    void Abandon(const std::string& why);

    SimState state_;
    RequestParser parser_;
    std::vector<std::string> log_;
    LogSink sink_;
    std::function<void(const Bytes&)> settingsStored_;

    bool awaitingAck_ = false;
    AfterAck afterAck_ = AfterAck::Nothing;
    uint8_t ackedCommand_ = 0;
    std::optional<int> offeredScenario_;  // replied to, waiting for its acknowledge
    std::optional<int> selectedScenario_; // acknowledged, waiting for its transfer
    int nextReadBlock_ = 0;
    std::optional<WriteTransfer> write_;
    int busyPollsLeft_ = 0;
    uint8_t busyStatus_ = 0;
    uint16_t busyBlock_ = 0;
    bool busyPollRefuses_ = false; // the deciding poll of the busy block refuses it
    std::map<uint8_t, int> replyCounts_;
    int framesServed_ = 0;
    bool hungUp_ = false;
};

} // namespace velor::sim
