// Scenario selection, settings and key transfers, and the write-status rule of TVelorDevice.
#include "link/velor_device.h"

#include "link/crc16.h"
#include "link/port.h"
#include "link/protocol.h"
#include "link/settings_stream.h"

#include <algorithm>
#include <array>

using namespace velor::protocol;

namespace {
constexpr RequestHead kStatusPollHead = MakeRequestHead(kCmdStatusPoll, 0);
constexpr int kSettingsBlocks = static_cast<int>(kStreamBlocks);
constexpr int kKeyBlocks = 1;
} // namespace

bool TVelorDevice::SelectScenario(uint8_t number, int32_t& code, uint32_t& param) {
    if (!SendRequest(kCmdSelectScenario, {number})) {
        return false;
    }
    std::array<uint8_t, kScenarioReplySize> reply{};
    if (!Receive(reply.data(), kScenarioReplySize)) {
        return false;
    }
    code = ReadLe16(&reply[kScenarioCodeOffset]);
    param = ReadLe32(&reply[kScenarioParamOffset]);
    Port->FrameBoundary();
    return Acknowledge();
}

bool TVelorDevice::ReadTable(TVelorTable& table) {
    SettingsStream stream{};
    SetGaugeMax(kSettingsBlocks);
    if (!SendRequest(kCmdReadRequest, BuildReadRequestData(table.Code))) {
        return false;
    }
    for (std::size_t block = 0; block < kStreamBlocks; ++block) {
        if (!ReadSettingsBlock(block, &stream[block * kBlockSize]) || !Acknowledge()) {
            return false;
        }
        AdvanceGauge();
    }
    table.Assign(UnpackSettingsStream(stream));
    return true;
}

// One read-block reply: 72 bytes for block 0, 70 for the others. The 64 data bytes are the last
// 64 payload bytes, located by the payload length N (reply byte 1).
bool TVelorDevice::ReadSettingsBlock(std::size_t block, uint8_t* streamBlock) {
    const uint32_t size = block == 0 ? kFirstReadBlockReplySize : kReadBlockReplySize;
    std::array<uint8_t, kFirstReadBlockReplySize> reply{};
    if (!Receive(reply.data(), size)) {
        return false;
    }
    const std::size_t payloadSize = reply[kReplyLengthOffset];
    if (payloadSize < kMinReadBlockPayload || payloadSize > size - kReplyOverhead) {
        return false;
    }
    std::copy_n(&reply[kReplyPayloadOffset + payloadSize - kBlockSize], kBlockSize, streamBlock);
    return true;
}

bool TVelorDevice::WriteTable(TVelorTable& table) {
    if (table.Length() != kSettingsTableSize) {
        return false;
    }
    const SettingsStream stream = PackSettingsStream(table.Data());
    const uint16_t checksum = TCrc16().Compute(stream.data(), stream.size());
    stopped_ = false;
    SetGaugeMax(kSettingsBlocks);
    for (std::size_t block = 0; block < kStreamBlocks; ++block) {
        if (StopBeforeBlock()) {
            return false;
        }
        AdvanceGauge();
        const uint8_t* bytes = &stream[block * kBlockSize];
        const std::vector<uint8_t> data =
            block == 0 ? BuildFirstBlockData(static_cast<uint16_t>(kStreamBlocks), table.Code,
                                             table.Param, checksum, bytes, kBlockSize)
                       : BuildFurtherBlockData(static_cast<uint16_t>(block), bytes);
        if (!SendBlock(data, true)) {
            return false;
        }
    }
    return true;
}

bool TVelorDevice::ReadKey(TVelorTable& table) {
    SetGaugeMax(kKeyBlocks);
    if (!SendRequest(kCmdReadRequest, BuildReadRequestData(table.Code))) {
        return false;
    }
    std::array<uint8_t, kKeyReplySize> reply{};
    if (!Receive(reply.data(), kKeyReplySize)) {
        return false;
    }
    const std::size_t payloadSize = reply[kReplyLengthOffset];
    if (payloadSize < kKeyIdSize || payloadSize > kMaxKeyPayload || !Acknowledge()) {
        return false;
    }
    AdvanceGauge();
    const uint8_t* id = &reply[kReplyPayloadOffset + payloadSize - kKeyIdSize];
    table.Assign(std::vector<uint8_t>(id, id + kKeyIdSize));
    return true;
}

// Sends one write block and waits for the device to accept it.
bool TVelorDevice::SendBlock(const std::vector<uint8_t>& data, bool counted) {
    return SendRequest(kCmdWriteBlock, data) && ConfirmWrite(counted);
}

// The 8-byte write reply, then its write status (reply byte 5).
bool TVelorDevice::ConfirmWrite(bool counted) {
    std::array<uint8_t, kWriteReplySize> reply{};
    const bool accepted = counted ? ReceiveCounted(reply.data(), kWriteReplySize)
                                  : Receive(reply.data(), kWriteReplySize);
    return accepted && AcceptWriteStatus(reply[kWriteStatusOffset]);
}

namespace {
enum class WriteVerdict { Accepted, Busy, Refused };

// Bit 0x20 refuses the block; a wait field of 1 says busy; anything else accepts it.
WriteVerdict JudgeWriteStatus(uint8_t status) {
    if ((status & kStatusRefused) != 0) {
        return WriteVerdict::Refused;
    }
    return ((status >> kStatusWaitShift) & kStatusWaitMask) == kStatusWaitBusy
               ? WriteVerdict::Busy
               : WriteVerdict::Accepted;
}
} // namespace

// The write reply's status decides, unless it says busy. Then up to three polls, each after the
// delay of the latest status: a poll reply's status is judged by the same rule (a refusal refuses,
// busy spends the attempt and the next one waits its delay, anything else accepts); an invalid
// poll reply refuses at once; a poll that cannot be sent or gets no reply spends an attempt. A
// lost device ends the polling at once: nothing more would reach it.
bool TVelorDevice::AcceptWriteStatus(uint8_t status) {
    WriteVerdict verdict = JudgeWriteStatus(status);
    for (int attempt = 0; attempt < kPollAttempts && verdict == WriteVerdict::Busy; ++attempt) {
        if (PortLost()) {
            return false;
        }
        switch (PollWriteStatus(WriteDelayMs(status), status)) {
        case PollOutcome::Invalid:
            return false;
        case PollOutcome::Answered:
            verdict = JudgeWriteStatus(status);
            break;
        case PollOutcome::Spent:
            break;
        }
    }
    return verdict == WriteVerdict::Accepted;
}

// One status poll after waiting delayMs; status takes the write status of a valid reply.
TVelorDevice::PollOutcome TVelorDevice::PollWriteStatus(int delayMs, uint8_t& status) {
    Wait(delayMs);
    if (!SendFrame(kStatusPollHead.data(), nullptr)) {
        return PollOutcome::Spent;
    }
    Wait(kReplyWaitMs);
    std::array<uint8_t, kWriteReplySize> reply{};
    if (!ReadWhole(reply.data(), kWriteReplySize)) {
        return PollOutcome::Spent;
    }
    if (!IsAcceptedReply(reply.data(), reply.size())) {
        return PollOutcome::Invalid;
    }
    status = reply[kWriteStatusOffset];
    return PollOutcome::Answered;
}
