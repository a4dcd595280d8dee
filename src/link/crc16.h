#pragma once

#include <cstddef>
#include <cstdint>

// CRC-16/ARC as the device computes it over every frame: initial value 0, reflected input and
// output, no final XOR, polynomial 0x8005 in its bit-reversed form 0xA001.
// Check value over the ASCII digits "123456789" is 0xBB3D.
class TCrc16 {
public:
    TCrc16() = default;

    // Checksum of count bytes at data. Every call starts afresh from Initial.
    uint16_t Compute(const uint8_t* data, std::size_t count);

    uint16_t Initial = 0;
    uint16_t Value = 0;
    uint16_t Polynomial = 0xA001;
};
