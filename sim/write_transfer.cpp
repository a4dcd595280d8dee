#include "sim/write_transfer.h"

#include "link/crc16.h"
#include "link/firmware_image.h"
#include "link/settings_stream.h"
#include "sim/wire.h"

#include <algorithm>

namespace velor::sim {

namespace {

using protocol::kBlockContentOffset;
using protocol::kBlockNumberOffset;
using protocol::kHeadChecksumOffset;
using protocol::kHeadCodeOffset;
using protocol::kHeadCountOffset;
using protocol::kHeadNumberOffset;
using protocol::kHeadParamOffset;
constexpr std::size_t kHeadContent = protocol::kBlockHeaderSize;

std::string Mismatch(const char* what, uint32_t got, uint32_t expected) {
    return std::string(what) + " " + std::to_string(got) + ", expected " + std::to_string(expected);
}

// Why a head block does not open a transfer; empty when it does.
std::string HeadFault(WriteTransfer::Target target, const Bytes& data,
                      const ScenarioEntry& scenario, const SimIdentity& identity) {
    const bool settings = target == WriteTransfer::Target::Settings;
    const std::size_t size =
        settings ? protocol::kFirstSettingsBlockDataSize : protocol::kFirstFirmwareBlockDataSize;
    if (data.size() != size) {
        return Mismatch("head block of", static_cast<uint32_t>(data.size()),
                        static_cast<uint32_t>(size)) +
               " bytes";
    }
    const uint8_t* p = data.data();
    if (protocol::ReadLe16(p + kHeadNumberOffset) != 0) {
        return Mismatch("head block numbered", protocol::ReadLe16(p + kHeadNumberOffset), 0);
    }
    const uint16_t count = protocol::ReadLe16(p + kHeadCountOffset);
    if (settings ? count != protocol::kStreamBlocks : count == 0) {
        return Mismatch("block count", count, settings ? protocol::kStreamBlocks : 1);
    }
    if (protocol::ReadLe16(p + kHeadCodeOffset) != scenario.code) {
        return Mismatch("scenario code", protocol::ReadLe16(p + kHeadCodeOffset), scenario.code);
    }
    if (protocol::ReadLe32(p + kHeadParamOffset) != scenario.param) {
        return Mismatch("scenario parameter", protocol::ReadLe32(p + kHeadParamOffset),
                        scenario.param);
    }
    if (!settings &&
        protocol::ReadLe16(p + kHeadContent + protocol::kFirmwareTypeOffset) != identity.type) {
        return Mismatch("firmware for device type",
                        protocol::ReadLe16(p + kHeadContent + protocol::kFirmwareTypeOffset),
                        identity.type);
    }
    if (!settings && protocol::ReadLe16(p + kHeadContent + protocol::kFirmwarePlatformOffset) !=
                         identity.platform) {
        return Mismatch("firmware for platform",
                        protocol::ReadLe16(p + kHeadContent + protocol::kFirmwarePlatformOffset),
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
    WriteTransfer transfer(target, protocol::ReadLe16(data.data() + kHeadCountOffset),
                           protocol::ReadLe16(data.data() + kHeadChecksumOffset));
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
    if (data.size() != protocol::kFurtherBlockDataSize) {
        reason = Mismatch("data block of", static_cast<uint32_t>(data.size()),
                          protocol::kFurtherBlockDataSize) +
                 " bytes";
        return false;
    }
    const uint16_t number = protocol::ReadLe16(data.data() + kBlockNumberOffset);
    if (number != nextBlock_) {
        reason = Mismatch("block", number, static_cast<uint32_t>(nextBlock_)) + " (out of order)";
        return false;
    }
    body_.insert(body_.end(), data.begin() + kBlockContentOffset, data.end());
    ++nextBlock_;
    return true;
}

bool WriteTransfer::Verify(std::string& reason) const {
    const uint16_t got = TCrc16().Compute(body_.data(), body_.size());
    if (got == crc_) {
        return true;
    }
    reason = "CRC-16 of the " + std::to_string(body_.size()) + " bytes received is " +
             HexWord(got) + ", head block says " + HexWord(crc_);
    return false;
}

Bytes WriteTransfer::SettingsTable() const {
    return protocol::UnpackSettingsStream(Stream());
}

// Repacking the table gives the stream back only when the bytes between its parts were zeros.
bool WriteTransfer::HasStrayStreamBytes() const {
    const protocol::SettingsStream stream = Stream();
    const Bytes table = protocol::UnpackSettingsStream(stream);
    return protocol::PackSettingsStream(table.data()) != stream;
}

protocol::SettingsStream WriteTransfer::Stream() const {
    protocol::SettingsStream stream{};
    std::copy_n(body_.begin(), std::min(body_.size(), stream.size()), stream.begin());
    return stream;
}

ReceivedFirmware WriteTransfer::Firmware() const {
    return {header_, body_};
}

} // namespace velor::sim
