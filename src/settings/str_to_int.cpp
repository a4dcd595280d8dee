#include "settings/str_to_int.h"

#include "link/hex_text.h"

#include <QCoreApplication>

#include <cstdint>
#include <optional>

namespace {

constexpr int kDecimalBase = 10;
constexpr uint64_t kMaxHexMagnitude = 0xFFFFFFFFu;
constexpr uint64_t kMaxPositiveDecimal = 2147483647u;
constexpr uint64_t kMaxNegativeDecimal = 2147483648u;
constexpr uint64_t kHexWrap = 0x100000000u; // a hexadecimal pattern is read modulo 2^32

std::optional<int> DigitValue(QChar c, int base) {
    const std::optional<int> value = velor::HexDigitValue(c);
    if (!value || *value >= base) {
        return std::nullopt;
    }
    return value;
}

// Length of the hexadecimal prefix at pos, or 0 for a decimal number.
qsizetype HexPrefixLength(const QString& text, qsizetype pos) {
    const QStringView rest = QStringView(text).mid(pos);
    if (rest.startsWith(u'$') || rest.startsWith(u'x') || rest.startsWith(u'X')) {
        return 1;
    }
    if (rest.startsWith(u"0x") || rest.startsWith(u"0X")) {
        return 2;
    }
    return 0;
}

// Magnitude of the digits from pos to the end; empty when a character is no digit of the base
// or the value exceeds limit.
std::optional<uint64_t> Magnitude(const QString& text, qsizetype pos, int base, uint64_t limit) {
    if (pos >= text.size()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const std::optional<int> digit = DigitValue(text.at(pos), base);
        if (!digit) {
            return std::nullopt;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(*digit);
        if (value > limit) {
            return std::nullopt;
        }
    }
    return value;
}

int HexValue(uint64_t magnitude, bool negative) {
    const uint64_t pattern = negative ? (kHexWrap - magnitude) % kHexWrap : magnitude;
    return static_cast<int32_t>(static_cast<uint32_t>(pattern));
}

int DecimalValue(uint64_t magnitude, bool negative) {
    const auto value = static_cast<int64_t>(magnitude);
    return static_cast<int>(negative ? -value : value);
}

} // namespace

std::runtime_error InvalidIntegerError(const QString& text) {
    return std::runtime_error(
        QCoreApplication::translate("StrToInt", "''%1'' не является целым числом")
            .arg(text)
            .toStdString());
}

int StrToInt(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && text.at(pos) == u' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text.at(pos) == u'+' || text.at(pos) == u'-')) {
        negative = text.at(pos) == u'-';
        ++pos;
    }
    const qsizetype prefix = HexPrefixLength(text, pos);
    const bool hex = prefix > 0;
    const uint64_t limit =
        hex ? kMaxHexMagnitude : (negative ? kMaxNegativeDecimal : kMaxPositiveDecimal);
    const std::optional<uint64_t> magnitude =
        Magnitude(text, pos + prefix, hex ? velor::kHexBase : kDecimalBase, limit);
    if (!magnitude) {
        throw InvalidIntegerError(text);
    }
    return hex ? HexValue(*magnitude, negative) : DecimalValue(*magnitude, negative);
}
