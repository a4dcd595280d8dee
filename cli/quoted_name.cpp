#include "cli/quoted_name.h"

#include "link/native_path.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kDelete = 0x7F;
constexpr int kHexBase = 16;
constexpr int kByteDigits = 2;

// A code unit a line of text cannot show as it is: a control character, or a raw byte a name
// held (see velor::NativePath).
bool NeedsEscape(QChar unit) {
    const char16_t code = unit.unicode();
    return code < kFirstPrintable || code == kDelete || velor::EscapedNameByte(unit) >= 0;
}

QString HexByte(int byte) {
    return QStringLiteral("\\x%1").arg(byte, kByteDigits, kHexBase, QLatin1Char('0'));
}

QString EscapedUnit(QChar unit) {
    switch (unit.unicode()) {
    case u'\n':
        return QStringLiteral("\\n");
    case u'\r':
        return QStringLiteral("\\r");
    case u'\t':
        return QStringLiteral("\\t");
    case u'\\':
        return QStringLiteral("\\\\");
    case u'\'':
        return QStringLiteral("\\'");
    default:
        break;
    }
    const int byte = velor::EscapedNameByte(unit);
    return NeedsEscape(unit) ? HexByte(byte >= 0 ? byte : unit.unicode()) : QString(unit);
}

bool HasEscapes(const QString& name) {
    return std::any_of(name.begin(), name.end(), NeedsEscape);
}

QString DollarQuoted(const QString& name) {
    QString quoted = QStringLiteral("$'");
    for (const QChar unit : name) {
        quoted += EscapedUnit(unit);
    }
    return quoted + QLatin1Char('\'');
}

} // namespace

QString QuotedName(const QString& name) {
    return HasEscapes(name) ? DollarQuoted(name) : name;
}

QString ShellWord(const QString& word) {
    static const QRegularExpression kUnsafe(QStringLiteral("[^A-Za-z0-9_@%+=:,./-]"));
    if (!word.isEmpty() && !word.contains(kUnsafe)) {
        return word;
    }
    if (HasEscapes(word)) {
        return DollarQuoted(word);
    }
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}
