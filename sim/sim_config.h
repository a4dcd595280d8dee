#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// What the simulated model-580 device is and how it behaves on the line. Plain values: the
// program fills them from its command line, tests fill them directly.
namespace velor::sim {

using Bytes = std::vector<uint8_t>;

constexpr uint16_t kDefaultType = 580;
constexpr uint16_t kDefaultPlatform = 5;
constexpr int kScenarioCount = 4; // 1 key read, 2 settings read, 3 settings write, 4 firmware

// The five values the device reports to identify and matches against a firmware header.
struct SimIdentity {
    uint16_t type = kDefaultType;
    uint16_t platform = kDefaultPlatform;
    std::array<uint8_t, 3> version{3, 1, 7};
};

// What the device answers to "select scenario n": the code and parameter the following transfer
// must carry, and a further 32-bit value the program ignores.
struct ScenarioEntry {
    uint16_t code = 0;
    uint32_t param = 0;
    uint32_t extra = 0;
};

// Index 0 is scenario 1.
using ScenarioTable = std::array<ScenarioEntry, kScenarioCount>;
ScenarioTable DefaultScenarios();

// How the device answers one write block (by block number, settings and firmware alike).
struct BlockResponse {
    enum class Kind { Accept, Busy, Refuse };
    Kind kind = Kind::Accept;
    uint8_t delayCode = 1;    // Busy: index into the delay table the program waits by
    int busyPolls = 1;        // Busy: the k-th status poll decides; earlier ones answer busy
    bool pollRefuses = false; // Busy: the deciding poll refuses the block instead of storing it
};

// A damaged or missing reply, injected on the n-th reply (counted from 1) the device gives to
// one command since it was started.
struct ReplyFault {
    enum class Kind { NoReply, WrongStart, BadCrc, Short };
    Kind kind = Kind::NoReply;
    uint8_t command = 0;
    int nth = 1;
};

// A byte the device keeps wrong: each settings table written is stored with value at offset
// (0..256), whatever arrived, as a failing memory would; a verifying read-back sees it.
struct StoreCorruption {
    std::size_t offset = 0;
    uint8_t value = 0;
};

struct SimBehaviour {
    std::map<int, BlockResponse> blockResponses; // blocks not listed are accepted at once
    std::vector<ReplyFault> faults;
    std::optional<int> hangUpAfterFrames; // serve this many frames, then drop the line
    std::vector<StoreCorruption> storeCorruptions;
};

// The 48-bit identifier of the key held to the reader; none reads as six zero bytes.
using KeyIdentifier = std::optional<uint64_t>;
constexpr uint64_t kKeyIdentifierMask = 0xFFFF'FFFF'FFFFull;

// Firmware as it reached the device: the 11 header bytes and the payload blocks.
struct ReceivedFirmware {
    Bytes header;
    Bytes payload;
};

// Everything the device holds: set up before serving, read back by whoever inspects it.
struct SimState {
    SimIdentity identity;
    ScenarioTable scenarios = DefaultScenarios();
    Bytes settings; // the 257-byte settings table; shorter is padded with zeros
    KeyIdentifier key;
    std::optional<ReceivedFirmware> firmware; // the last upload that was complete and correct
    SimBehaviour behaviour;
};

} // namespace velor::sim
