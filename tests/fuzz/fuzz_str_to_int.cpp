// The integer conversion of the configuration files on arbitrary text (the input as UTF-8),
// against a plain second reading of the same rules: optional spaces, an optional sign, decimal
// digits or hexadecimal ones after "$", "x", "X", "0x" or "0X", and nothing else. Both must agree
// on whether the text is a number and on its value; a refusal carries the conversion error.

#include "settings/str_to_int.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

constexpr uint64_t kBeyond32Bits = 0x1FFFFFFFFull; // any magnitude past this is refused anyway

int Digit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

std::optional<int32_t> ReferenceValue(const std::u16string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (text.compare(i, 2, u"0x") == 0 || text.compare(i, 2, u"0X") == 0) {
        base = 16;
        i += 2;
    } else if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        i += 1;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = Digit(text[i]);
        if (digit < 0 || digit >= base) {
            return std::nullopt;
        }
        magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (magnitude > kBeyond32Bits) {
            magnitude = kBeyond32Bits + 1; // stays out of range whatever follows
        }
    }
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFull) {
            return std::nullopt;
        }
        const auto pattern = static_cast<uint32_t>(magnitude);
        return static_cast<int32_t>(negative ? 0u - pattern : pattern);
    }
    const int64_t value =
        negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<int32_t> expected = ReferenceValue(text.toStdU16String());
    try {
        const int value = StrToInt(text);
        if (!expected || value != *expected) {
            std::abort();
        }
        // Whatever was accepted, its plain decimal text reads back to the same value.
        if (StrToInt(QString::number(value)) != value) {
            std::abort();
        }
    } catch (const std::runtime_error& error) {
        if (expected || std::string(error.what()) != InvalidIntegerError(text).what()) {
            std::abort();
        }
    }
    return 0;
}
