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
    SetGaugeMax(kSettingsBlocks);
    for (std::size_t block = 0; block < kStreamBlocks; ++block) {
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

// Refused when bit 0x20 is set; accepted unless the wait field says busy. When busy, up to three
// polls, each after the status's delay: the first poll reply that arrives decides (a valid one
// accepts, an invalid one refuses); a poll that cannot be sent or gets no reply spends an attempt.
bool TVelorDevice::AcceptWriteStatus(uint8_t status) {
    if ((status & kStatusRefused) != 0) {
        return false;
    }
    if (((status >> kStatusWaitShift) & kStatusWaitMask) != kStatusWaitBusy) {
        return true;
    }
    const int delayMs = WriteDelayMs(status);
    for (int attempt = 0; attempt < kPollAttempts; ++attempt) {
        Wait(delayMs);
        if (!SendFrame(kStatusPollHead.data(), nullptr)) {
            continue;
        }
        Wait(kReplyWaitMs);
        std::array<uint8_t, kWriteReplySize> reply{};
        if (ReadWhole(reply.data(), kWriteReplySize)) {
            return IsAcceptedReply(reply.data(), reply.size());
        }
    }
    return false;
}
