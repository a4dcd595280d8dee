#include "link/hex_text.h"

namespace velor {

namespace {
constexpr int kFirstLetterValue = 10; // A and a
} // namespace

std::optional<int> HexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + kFirstLetterValue;
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + kFirstLetterValue;
    }
    return std::nullopt;
}

QString HexText(uint64_t value, int digits) {
    return QStringLiteral("%1").arg(value, digits, kHexBase, QLatin1Char('0')).toUpper();
}

} // namespace velor
