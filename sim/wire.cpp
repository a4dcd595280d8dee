#include "sim/wire.h"

#include <cstdio>

namespace velor::sim {

uint8_t BusyStatus(uint8_t delayCode) {
    return static_cast<uint8_t>((protocol::kStatusWaitBusy << protocol::kStatusWaitShift) |
                                (delayCode & protocol::kStatusDelayMask));
}

Bytes BuildReply(const Bytes& payload) {
    return protocol::BuildReplyFrame(payload.data(), static_cast<uint8_t>(payload.size()));
}

std::string HexByte(uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

std::string HexWord(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

std::string HexBytes(const uint8_t* data, std::size_t count) {
    std::string text;
    char digits[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(digits, sizeof digits, i ? " %02X" : "%02X", data[i]);
        text += digits;
    }
    return text;
}

} // namespace velor::sim
