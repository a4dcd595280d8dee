#include "bench/line_budget.h"

#include "link/protocol.h"
#include "sim/line_pacer.h"

#include <chrono>

namespace protocol = velor::protocol;

namespace {

constexpr std::size_t kAckBytes = protocol::kRequestOverhead + 1;

constexpr std::size_t Request(std::size_t dataBytes) {
    return protocol::kRequestOverhead + dataBytes;
}

// One request and its reply.
LineBudget Exchange(std::size_t requestBytes, std::size_t replyBytes) {
    return {requestBytes + replyBytes, 0, 2};
}

} // namespace

double LineBudget::BoundMs() const {
    const std::chrono::duration<double, std::milli> byteMs = velor::sim::kByteTime;
    return static_cast<double>(bytes) * byteMs.count() + waitMs;
}

LineBudget& LineBudget::operator+=(const LineBudget& other) {
    bytes += other.bytes;
    waitMs += other.waitMs;
    frames += other.frames;
    return *this;
}

LineBudget SelectBudget() {
    LineBudget budget =
        Exchange(Request(protocol::kSelectScenarioDataSize), protocol::kScenarioReplySize);
    budget += {kAckBytes, 0, 1};
    return budget;
}

LineBudget SettingsReadBudget() {
    LineBudget budget = Exchange(Request(protocol::kReadRequestDataSize), 0);
    budget.frames = 1;
    for (std::size_t block = 0; block < protocol::kStreamBlocks; ++block) {
        const std::size_t reply =
            block == 0 ? protocol::kFirstReadBlockReplySize : protocol::kReadBlockReplySize;
        budget += {reply + kAckBytes, 0, 2};
    }
    return budget;
}

LineBudget SettingsWriteBudget() {
    LineBudget budget =
        Exchange(Request(protocol::kFirstSettingsBlockDataSize), protocol::kWriteReplySize);
    for (std::size_t block = 1; block < protocol::kStreamBlocks; ++block) {
        budget += Exchange(Request(protocol::kFurtherBlockDataSize), protocol::kWriteReplySize);
    }
    return budget;
}

LineBudget FirmwareBudget(std::size_t payloadBytes) {
    LineBudget budget =
        Exchange(Request(protocol::kFirstFirmwareBlockDataSize), protocol::kWriteReplySize);
    for (std::size_t block = 0; block < payloadBytes / protocol::kBlockSize; ++block) {
        budget += Exchange(Request(protocol::kFurtherBlockDataSize), protocol::kWriteReplySize);
    }
    return budget;
}
