#include "sim/write_transfer.h"

#include "sim/wire.h"

namespace velor::sim {

namespace {

// Head block: block number, block count, code, parameter, CRC-16, then the content.
constexpr std::size_t kHeadNumber = 0;
constexpr std::size_t kHeadCount = 2;
constexpr std::size_t kHeadCode = 4;
constexpr std::size_t kHeadParam = 6;
constexpr std::size_t kHeadCrc = 10;
constexpr std::size_t kHeadContent = 12;
// Data block: block number, then 64 bytes.
constexpr std::size_t kDataNumber = 0;
constexpr std::size_t kDataContent = 2;
// Firmware header: type and platform, as the device reports them.
constexpr std::size_t kFirmwareType = 0;
constexpr std::size_t kFirmwarePlatform = 2;

std::string Mismatch(const char* what, uint32_t got, uint32_t expected) {
    return std::string(what) + " " + std::to_string(got) + ", expected " + std::to_string(expected);
}

// Why a head block does not open a transfer; empty when it does.
std::string HeadFault(WriteTransfer::Target target, const Bytes& data,
                      const ScenarioEntry& scenario, const SimIdentity& identity) {
    const bool settings = target == WriteTransfer::Target::Settings;
    const std::size_t size = settings ? kSettingsHeadBlockSize : kFirmwareHeadBlockSize;
    if (data.size() != size) {
        return Mismatch("head block of", static_cast<uint32_t>(data.size()),
                        static_cast<uint32_t>(size)) +
               " bytes";
    }
    const uint8_t* p = data.data();
    if (GetLe16(p + kHeadNumber) != 0) {
        return Mismatch("head block numbered", GetLe16(p + kHeadNumber), 0);
    }
    const uint16_t count = GetLe16(p + kHeadCount);
    if (settings ? count != kSettingsBlocks : count == 0) {
        return Mismatch("block count", count, settings ? kSettingsBlocks : 1);
    }
    if (GetLe16(p + kHeadCode) != scenario.code) {
        return Mismatch("scenario code", GetLe16(p + kHeadCode), scenario.code);
    }
    if (GetLe32(p + kHeadParam) != scenario.param) {
        return Mismatch("scenario parameter", GetLe32(p + kHeadParam), scenario.param);
    }
    if (!settings && GetLe16(p + kHeadContent + kFirmwareType) != identity.type) {
        return Mismatch("firmware for device type", GetLe16(p + kHeadContent + kFirmwareType),
                        identity.type);
    }
    if (!settings && GetLe16(p + kHeadContent + kFirmwarePlatform) != identity.platform) {
        return Mismatch("firmware for platform", GetLe16(p + kHeadContent + kFirmwarePlatform),
                        identity.platform);
    }
    return {};
}

} // namespace

std::optional<WriteTransfer> WriteTransfer::Open(Target target, const Bytes& data,
                                                 const ScenarioEntry& scenario,
                                                 const SimIdentity& identity, std::string& reason) {
    reason = HeadFault(target, data, scenario, identity);
    if (!reason.empty()) {
        return std::nullopt;
    }
    WriteTransfer transfer(target, GetLe16(data.data() + kHeadCount),
                           GetLe16(data.data() + kHeadCrc));
    const auto content = data.begin() + kHeadContent;
    if (target == Target::Settings) {
        transfer.body_.assign(content, data.end());
    } else {
        transfer.header_.assign(content, data.end());
    }
    return transfer;
}

bool WriteTransfer::Append(const Bytes& data, std::string& reason) {
    if (Complete()) {
        reason = "block after the last of " + std::to_string(blockCount_);
        return false;
    }
    if (data.size() != kDataBlockSize) {
        reason = Mismatch("data block of", static_cast<uint32_t>(data.size()), kDataBlockSize) +
                 " bytes";
        return false;
    }
    const uint16_t number = GetLe16(data.data() + kDataNumber);
    if (number != nextBlock_) {
        reason = Mismatch("block", number, static_cast<uint32_t>(nextBlock_)) + " (out of order)";
        return false;
    }
    body_.insert(body_.end(), data.begin() + kDataContent, data.end());
    ++nextBlock_;
    return true;
}

bool WriteTransfer::Verify(std::string& reason) const {
    const uint16_t got = Crc(body_.data(), body_.size());
    if (got == crc_) {
        return true;
    }
    reason = "CRC-16 of the " + std::to_string(body_.size()) + " bytes received is " +
             HexWord(got) + ", head block says " + HexWord(crc_);
    return false;
}

Bytes WriteTransfer::SettingsTable() const {
    Bytes table(body_.begin(), body_.begin() + kSplit);
    const auto second = body_.begin() + kSecondPartOffset;
    table.insert(table.end(), second, second + (kSettingsTableSize - kSplit));
    return table;
}

bool WriteTransfer::HasStrayStreamBytes() const {
    const auto nonZero = [this](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            if (body_[i] != 0) {
                return true;
            }
        }
        return false;
    };
    const std::size_t secondEnd = kSecondPartOffset + (kSettingsTableSize - kSplit);
    return nonZero(kSplit, kSecondPartOffset) || nonZero(secondEnd, kStreamSize);
}

ReceivedFirmware WriteTransfer::Firmware() const {
    return {header_, body_};
}

} // namespace velor::sim
