#pragma once

#include <QString>

#include <stdexcept>

// The standard integer conversion of the configuration files: optional leading spaces, an
// optional sign "+" or "-", then decimal digits, or hexadecimal digits after one of the prefixes
// "$", "x", "X", "0x", "0X". Nothing may follow the number; an empty text is not a number.
// The result is a 32-bit signed value: a decimal number outside -2147483648..2147483647 is
// refused, a hexadecimal number is a 32-bit pattern (up to FFFFFFFF, so "$FFFFFFFF" is -1) and
// a longer one is refused. Every refusal throws InvalidIntegerError(text).
int StrToInt(const QString& text);

// The conversion error: "''<text>'' не является целым числом" in the technician's language.
std::runtime_error InvalidIntegerError(const QString& text);
