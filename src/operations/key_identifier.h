#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// The 48-bit Touch Memory key identifier as the device reports it and as the window shows it.

// Identifier read with no key on the reader: six zero bytes.
constexpr uint64_t kNoKeyIdentifier = 0;
// All 48 bits set: six 0xFF bytes, what a reader line without a proper key can give.
constexpr uint64_t kBlankKeyIdentifier = 0xFFFF'FFFF'FFFFull;
constexpr int kKeyIdentifierBytes = 6;

// The six identifier bytes in reply order as a number: byte 0 least significant, byte 5 most.
// Throws std::out_of_range when fewer than six bytes are given.
uint64_t KeyIdentifierFromBytes(const std::vector<uint8_t>& bytes);

// 12 upper-case hexadecimal digits with leading zeros, the last byte received leftmost; empty
// for the all-ones identifier.
QString KeyIdentifierText(uint64_t identifier);

// The identifier read last (0 before the first read), program-wide. The operation thread writes
// it before the synchronous step that places it, so the window reads a settled value.
uint64_t LastKeyIdentifier();
void SetLastKeyIdentifier(uint64_t identifier);
