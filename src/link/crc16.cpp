#include "link/crc16.h"

uint16_t TCrc16::Compute(const uint8_t* data, std::size_t count) {
    Value = Initial;
    for (std::size_t i = 0; i < count; ++i) {
        Value ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            Value = (Value & 1u) ? static_cast<uint16_t>((Value >> 1) ^ Polynomial)
                                 : static_cast<uint16_t>(Value >> 1);
        }
    }
    return Value;
}
