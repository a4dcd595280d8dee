#include "sim/sim_device.h"

#include "link/crc16.h"
#include "link/settings_stream.h"
#include "sim/wire.h"

#include <algorithm>

namespace velor::sim {

namespace {

constexpr int kKeyScenario = protocol::kScenarioKeyRead;
constexpr int kReadScenario = protocol::kScenarioSettingsRead;
constexpr int kWriteScenario = protocol::kScenarioSettingsWrite;
constexpr int kFirmwareScenario = protocol::kScenarioFirmwareWrite;

std::string FaultName(ReplyFault::Kind kind) {
    switch (kind) {
    case ReplyFault::Kind::NoReply:
        return "no reply";
    case ReplyFault::Kind::WrongStart:
        return "wrong start byte";
    case ReplyFault::Kind::BadCrc:
        return "bad CRC";
    case ReplyFault::Kind::Short:
        return "short reply";
    }
    return "fault";
}

void ApplyFault(ReplyFault::Kind kind, Bytes& reply) {
    switch (kind) {
    case ReplyFault::Kind::NoReply:
        reply.clear();
        break;
    case ReplyFault::Kind::WrongStart: // a consistent frame whose only defect is its start
        reply[0] = protocol::kRequestStart;
        reply.resize(reply.size() - protocol::kCrcSize);
        protocol::AppendLe16(reply, TCrc16().Compute(reply.data(), reply.size()));
        break;
    case ReplyFault::Kind::BadCrc:
        reply.back() ^= 0xFF;
        break;
    case ReplyFault::Kind::Short:
        reply.resize(reply.size() - protocol::kCrcSize);
        break;
    }
}

} // namespace

SimDevice::SimDevice(SimState state)
    : state_(std::move(state)), parser_([this](const std::string& line) { Note(line); }) {
    state_.settings.resize(protocol::kSettingsTableSize, 0);
}

std::vector<SimDevice::Exchange> SimDevice::Receive(const uint8_t* data, std::size_t count) {
    std::vector<Exchange> exchanges;
    if (hungUp_) {
        return exchanges;
    }
    for (const RequestFrame& frame : parser_.Feed(data, count)) {
        const auto limit = state_.behaviour.hangUpAfterFrames;
        if (limit && framesServed_ >= *limit) {
            hungUp_ = true;
            Note("line dropped after " + std::to_string(framesServed_) + " frames");
            break;
        }
        ++framesServed_;
        exchanges.push_back({frame.WireSize(), Handle(frame)});
    }
    return exchanges;
}

Bytes SimDevice::Handle(const RequestFrame& frame) {
    if (frame.command == protocol::kCmdAcknowledge) {
        return HandleAck(frame);
    }
    if (awaitingAck_) {
        Abandon("expected an acknowledge of the " + HexByte(ackedCommand_) + " reply, got " +
                HexByte(frame.command));
    }
    const bool keepsWrite =
        frame.command == protocol::kCmdWriteBlock || frame.command == protocol::kCmdStatusPoll;
    if (write_ && !keepsWrite) {
        Note("refused: write abandoned after block " + std::to_string(write_->NextBlock() - 1) +
             " of " + std::to_string(write_->BlockCount()) + " by command " +
             HexByte(frame.command));
        write_.reset();
        busyPollsLeft_ = 0;
        busyPollRefuses_ = false;
    }
    switch (frame.command) {
    case protocol::kCmdIdentify:
        return HandleIdentify(frame);
    case protocol::kCmdSelectScenario:
        return HandleSelect(frame);
    case protocol::kCmdReadRequest:
        return HandleRead(frame);
    case protocol::kCmdWriteBlock:
        return HandleWriteBlock(frame);
    case protocol::kCmdStatusPoll:
        return HandlePoll(frame);
    default:
        Note("refused: unknown command " + HexByte(frame.command));
        return {};
    }
}

Bytes SimDevice::HandleAck(const RequestFrame& frame) {
    if (WrongSize(frame, kAckDataSize)) {
        return {};
    }
    if (frame.data[0] != 0) {
        Abandon("acknowledge carrying " + HexByte(frame.data[0]));
        return {};
    }
    if (!awaitingAck_) {
        Note("refused: acknowledge when no reply awaited one");
        return {};
    }
    awaitingAck_ = false;
    switch (afterAck_) {
    case AfterAck::ScenarioSelected:
        selectedScenario_ = offeredScenario_;
        offeredScenario_.reset();
        return {};
    case AfterAck::NextReadBlock:
        if (nextReadBlock_ < static_cast<int>(protocol::kStreamBlocks)) {
            return ReadBlockReply(nextReadBlock_++);
        }
        Note("settings table read");
        return {};
    case AfterAck::Nothing:
        return {};
    }
    return {};
}

Bytes SimDevice::HandleIdentify(const RequestFrame& frame) {
    if (WrongSize(frame, 0)) {
        return {};
    }
    const SimIdentity& id = state_.identity;
    Bytes payload;
    protocol::AppendLe16(payload, id.type);
    protocol::AppendLe16(payload, id.platform);
    payload.insert(payload.end(), id.version.begin(), id.version.end());
    return Deliver(protocol::kCmdIdentify, payload, true, AfterAck::Nothing);
}

Bytes SimDevice::HandleSelect(const RequestFrame& frame) {
    if (WrongSize(frame, protocol::kSelectScenarioDataSize)) {
        return {};
    }
    const int number = frame.data[0];
    selectedScenario_.reset();
    if (number < 1 || number > kScenarioCount) {
        Note("refused: unknown scenario " + std::to_string(number));
        return {};
    }
    offeredScenario_ = number;
    const ScenarioEntry& entry = state_.scenarios[static_cast<std::size_t>(number - 1)];
    Bytes payload;
    protocol::AppendLe16(payload, entry.code);
    protocol::AppendLe32(payload, entry.param);
    protocol::AppendLe32(payload, entry.extra);
    return Deliver(protocol::kCmdSelectScenario, payload, true, AfterAck::ScenarioSelected);
}

Bytes SimDevice::HandleRead(const RequestFrame& frame) {
    const std::optional<int> scenario = selectedScenario_;
    selectedScenario_.reset();
    if (WrongSize(frame, protocol::kReadRequestDataSize)) {
        return {};
    }
    if (scenario != kKeyScenario && scenario != kReadScenario) {
        Note("refused: read request without scenario 1 or 2 selected");
        return {};
    }
    const uint16_t expected = state_.scenarios[static_cast<std::size_t>(*scenario - 1)].code;
    const uint16_t code = protocol::ReadLe16(frame.data.data());
    if (code != expected || protocol::ReadLe32(frame.data.data() + 2) != 0) {
        Note("refused: read request " + HexBytes(frame.data.data(), frame.data.size()) +
             ", expected code " + HexWord(expected) + " and a zero word");
        return {};
    }
    if (*scenario == kKeyScenario) {
        return KeyReply();
    }
    nextReadBlock_ = 1;
    return ReadBlockReply(0);
}

// Block 0: number, block count, 64 bytes; further blocks: number, 64 bytes.
Bytes SimDevice::ReadBlockReply(int block) {
    const protocol::SettingsStream stream = protocol::PackSettingsStream(state_.settings.data());
    Bytes payload;
    protocol::AppendLe16(payload, static_cast<uint16_t>(block));
    if (block == 0) {
        protocol::AppendLe16(payload, static_cast<uint16_t>(protocol::kStreamBlocks));
    }
    const auto from = stream.begin() + static_cast<std::ptrdiff_t>(block) * protocol::kBlockSize;
    payload.insert(payload.end(), from, from + protocol::kBlockSize);
    return Deliver(protocol::kCmdReadRequest, payload, true, AfterAck::NextReadBlock);
}

// Block number 0, two reserved bytes, the identifier least significant byte first.
Bytes SimDevice::KeyReply() {
    const uint64_t id = state_.key.value_or(0) & kKeyIdentifierMask;
    Bytes payload;
    protocol::AppendLe16(payload, 0);
    protocol::AppendLe16(payload, 0);
    for (std::size_t i = 0; i < protocol::kKeyIdSize; ++i) {
        payload.push_back(static_cast<uint8_t>(id >> (8 * i)));
    }
    return Deliver(protocol::kCmdReadRequest, payload, true, AfterAck::Nothing);
}

Bytes SimDevice::HandleWriteBlock(const RequestFrame& frame) {
    if (frame.data.size() < sizeof(uint16_t)) {
        Note("refused: write block without a block number");
        return {};
    }
    const uint16_t block = protocol::ReadLe16(frame.data.data());
    if (busyPollsLeft_ > 0) {
        return RefuseBlock(block, "block " + std::to_string(block) +
                                      " arrived while the device was still busy");
    }
    const std::string refusal = block == 0 ? OpenWrite(frame.data) : AppendWrite(frame.data);
    return refusal.empty() ? AnswerBlock(block) : RefuseBlock(block, refusal);
}

// Block 0 opens a transfer under the scenario just selected; the reason when it does not.
std::string SimDevice::OpenWrite(const Bytes& data) {
    const std::optional<int> scenario = selectedScenario_;
    selectedScenario_.reset();
    if (scenario != kWriteScenario && scenario != kFirmwareScenario) {
        return "head block without scenario 3 or 4 selected";
    }
    const auto target = scenario == kWriteScenario ? WriteTransfer::Target::Settings
                                                   : WriteTransfer::Target::Firmware;
    std::string reason;
    write_ =
        WriteTransfer::Open(target, data, state_.scenarios[static_cast<std::size_t>(*scenario - 1)],
                            state_.identity, reason);
    return reason;
}

std::string SimDevice::AppendWrite(const Bytes& data) {
    if (!write_) {
        return "block " + std::to_string(protocol::ReadLe16(data.data())) + " without a head block";
    }
    std::string reason;
    return write_->Append(data, reason) ? std::string() : reason;
}

// The write status of a block that fitted: the configured answer, and once the last block is
// in, whether the whole checks out. A busy block is settled by the status poll that decides it.
Bytes SimDevice::AnswerBlock(uint16_t block) {
    const BlockResponse response = ResponseFor(block);
    if (response.kind == BlockResponse::Kind::Refuse) {
        return RefuseBlock(block, "block " + std::to_string(block) + " refused as configured");
    }
    std::string reason;
    if (write_->Complete() && !write_->Verify(reason)) {
        return RefuseBlock(block, reason);
    }
    if (response.kind == BlockResponse::Kind::Busy) {
        busyBlock_ = block;
        busyPollsLeft_ = std::max(1, response.busyPolls);
        busyStatus_ = BusyStatus(response.delayCode);
        busyPollRefuses_ = response.pollRefuses;
        return WriteReply(block, busyStatus_);
    }
    StoreIfComplete();
    return WriteReply(block, kStatusAccepted);
}

void SimDevice::StoreIfComplete() {
    if (write_ && write_->Complete()) {
        StoreTransfer(*write_);
        write_.reset();
    }
}

// Polls before the deciding one answer busy; the deciding one stores the block or refuses it as
// configured. A poll with nothing pending finds the last block stored.
Bytes SimDevice::HandlePoll(const RequestFrame& frame) {
    if (WrongSize(frame, 0)) {
        return {};
    }
    uint8_t status = kStatusAccepted;
    if (busyPollsLeft_ > 0 && --busyPollsLeft_ > 0) {
        status = busyStatus_;
    } else if (busyPollRefuses_) {
        Note("refused: block " + std::to_string(busyBlock_) + " refused at its status poll" +
             (write_ ? "; write abandoned" : ""));
        write_.reset();
        busyPollRefuses_ = false;
        status = protocol::kStatusRefused;
    } else {
        StoreIfComplete();
    }
    return Deliver(protocol::kCmdStatusPoll, Bytes{0, 0, 0, status}, false, AfterAck::Nothing);
}

// Block number, a reserved byte, the write status.
Bytes SimDevice::WriteReply(uint16_t block, uint8_t status) {
    Bytes payload;
    protocol::AppendLe16(payload, block);
    payload.push_back(0);
    payload.push_back(status);
    return Deliver(protocol::kCmdWriteBlock, payload, false, AfterAck::Nothing);
}

Bytes SimDevice::RefuseBlock(uint16_t block, const std::string& reason) {
    Note("refused: " + reason + (write_ ? "; write abandoned" : ""));
    write_.reset();
    busyPollsLeft_ = 0;
    busyPollRefuses_ = false;
    return WriteReply(block, protocol::kStatusRefused);
}

BlockResponse SimDevice::ResponseFor(int block) const {
    const auto& responses = state_.behaviour.blockResponses;
    const auto it = responses.find(block);
    return it == responses.end() ? BlockResponse{} : it->second;
}

void SimDevice::StoreTransfer(const WriteTransfer& transfer) {
    if (transfer.GetTarget() == WriteTransfer::Target::Firmware) {
        state_.firmware = transfer.Firmware();
        Note("firmware accepted: " + std::to_string(state_.firmware->payload.size()) +
             " payload bytes in " + std::to_string(transfer.BlockCount()) + " blocks");
        return;
    }
    if (transfer.HasStrayStreamBytes()) {
        Note("notice: stream bytes outside the table were not zero (ignored)");
    }
    state_.settings = transfer.SettingsTable();
    Note("settings table stored");
    for (const StoreCorruption& corruption : state_.behaviour.storeCorruptions) {
        state_.settings.at(corruption.offset) = corruption.value;
        Note("settings byte " + std::to_string(corruption.offset) + " stored as " +
             std::to_string(corruption.value) + " instead of what arrived");
    }
    if (settingsStored_) {
        settingsStored_(state_.settings);
    }
}

Bytes SimDevice::Deliver(uint8_t command, const Bytes& payload, bool needsAck, AfterAck afterAck) {
    const int nth = ++replyCounts_[command];
    Bytes reply = BuildReply(payload);
    for (const ReplyFault& fault : state_.behaviour.faults) {
        if (fault.command == command && fault.nth == nth) {
            Note("fault: " + FaultName(fault.kind) + " on reply " + std::to_string(nth) +
                 " to command " + HexByte(command));
            ApplyFault(fault.kind, reply);
        }
    }
    awaitingAck_ = needsAck && !reply.empty();
    afterAck_ = awaitingAck_ ? afterAck : AfterAck::Nothing;
    ackedCommand_ = command;
    return reply;
}

bool SimDevice::WrongSize(const RequestFrame& frame, std::size_t expected) {
    if (frame.data.size() == expected) {
        return false;
    }
    Note("refused: command " + HexByte(frame.command) + " with " +
         std::to_string(frame.data.size()) + " data bytes, expected " + std::to_string(expected));
    return true;
}

void SimDevice::Abandon(const std::string& why) {
    Note("refused: " + why);
    awaitingAck_ = false;
    afterAck_ = AfterAck::Nothing;
    offeredScenario_.reset();
    nextReadBlock_ = 0;
}

void SimDevice::Note(const std::string& line) {
    log_.push_back(line);
    if (log_.size() > kLogLimit) {
        log_.erase(log_.begin());
    }
    if (sink_) {
        sink_(line);
    }
}

} // namespace velor::sim
