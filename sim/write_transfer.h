#pragma once

#include "link/protocol.h"
#include "sim/sim_config.h"

#include <optional>
#include <string>

namespace velor::sim {

// A settings table or a firmware image arriving in numbered write blocks. Block 0 opens the
// transfer and carries the block count, the scenario's code and parameter and the CRC-16 of
// everything that follows; each further block must come in order; the content counts only when
// every block arrived and the checksum agrees.
class WriteTransfer {
public:
    enum class Target { Settings, Firmware };

    // Opens a transfer from its head block; on refusal returns nothing and says why.
    static std::optional<WriteTransfer> Open(Target target, const Bytes& data,
                                             const ScenarioEntry& scenario,
                                             const SimIdentity& identity, std::string& reason);

    // Adds one data block (number and 64 bytes); false, with the reason, when it does not fit.
    bool Append(const Bytes& data, std::string& reason);

    bool Complete() const { return nextBlock_ == blockCount_; }
    // Once complete: whether the head block's checksum covers what arrived.
    bool Verify(std::string& reason) const;

    Target GetTarget() const { return target_; }
    int BlockCount() const { return blockCount_; }
    int NextBlock() const { return nextBlock_; }

    // The 257-byte table carried by a complete settings stream.
    Bytes SettingsTable() const;
    // True when stream bytes that carry no table content were not sent as zeros.
    bool HasStrayStreamBytes() const;
    ReceivedFirmware Firmware() const;

private:
    protocol::SettingsStream Stream() const;

    WriteTransfer(Target target, int blockCount, uint16_t crc)
        : target_(target), blockCount_(blockCount), crc_(crc) {}

    Target target_;
    int blockCount_;
    uint16_t crc_;
    int nextBlock_ = 1;
    Bytes header_; // firmware only
    Bytes body_;   // settings stream or firmware payload
};

} // namespace velor::sim
