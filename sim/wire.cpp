#include "sim/wire.h"

#include "link/crc16.h"

#include <algorithm>
#include <cstdio>

namespace velor::sim {

uint16_t GetLe16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t GetLe32(const uint8_t* p) {
    return static_cast<uint32_t>(GetLe16(p)) | (static_cast<uint32_t>(GetLe16(p + 2)) << 16);
}

void PutLe16(Bytes& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutLe32(Bytes& out, uint32_t value) {
    PutLe16(out, static_cast<uint16_t>(value & 0xFFFF));
    PutLe16(out, static_cast<uint16_t>(value >> 16));
}

uint16_t Crc(const uint8_t* data, std::size_t count) {
    TCrc16 crc;
    return crc.Compute(data, count);
}

bool ChecksumMatches(const uint8_t* frame, std::size_t size) {
    if (size < kCrcSize) {
        return false;
    }
    return Crc(frame, size - kCrcSize) == GetLe16(frame + size - kCrcSize);
}

Bytes BuildReply(const Bytes& payload) {
    Bytes frame(payload.size() + kReplyOverhead - kCrcSize);
    frame[0] = kReplyStart;
    frame[1] = static_cast<uint8_t>(payload.size());
    std::copy(payload.begin(), payload.end(), frame.begin() + 2);
    PutLe16(frame, Crc(frame.data(), frame.size()));
    return frame;
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
