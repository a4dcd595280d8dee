#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

// Hexadecimal text as the program reads and writes it: settings pairs, key identifiers and
// integers in the ".cfg" format.
namespace velor {

constexpr int kHexBase = 16;

// The value of one hexadecimal digit, 0-9, A-F or a-f; none for any other character.
std::optional<int> HexDigitValue(QChar c);

// value in upper-case hexadecimal, padded with leading zeros to digits characters.
QString HexText(uint64_t value, int digits);

} // namespace velor
