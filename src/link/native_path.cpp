#include "link/native_path.h"

namespace velor {
namespace {

constexpr char16_t kEscapeBase = 0xDC00; // U+DC80 … U+DCFF stand for the bytes 0x80 … 0xFF
constexpr unsigned kFirstEscapedByte = 0x80;
constexpr unsigned kLastEscapedByte = 0xFF;

// The length of the valid UTF-8 sequence starting at data[0], or 0 when it is not one (overlong
// forms, surrogates and values beyond U+10FFFF are not valid).
int ValidSequenceLength(const unsigned char* data, qsizetype left) {
    const unsigned char lead = data[0];
    struct Form {
        unsigned char mask; // the lead byte's marker bits
        unsigned char marker;
        int length;
        char32_t min; // the smallest value this length may carry
    };
    static constexpr Form kForms[] = {{0x80, 0x00, 1, 0},
                                      {0xE0, 0xC0, 2, 0x80},
                                      {0xF0, 0xE0, 3, 0x800},
                                      {0xF8, 0xF0, 4, 0x10000}};
    const Form* form = nullptr;
    for (const Form& candidate : kForms) {
        if ((lead & candidate.mask) == candidate.marker) {
            form = &candidate;
            break;
        }
    }
    if (form == nullptr) {
        return 0;
    }
    const int length = form->length;
    const char32_t min = form->min;
    char32_t value = lead & static_cast<unsigned char>(~form->mask);
    if (left < length) {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if ((data[i] & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (data[i] & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < min || value > 0x10FFFF || surrogate ? 0 : length;
}

} // namespace

QString PathFromNative(const QByteArray& native) {
    QString text;
    text.reserve(native.size());
    const auto* data = reinterpret_cast<const unsigned char*>(native.constData());
    qsizetype i = 0;
    while (i < native.size()) {
        const int length = ValidSequenceLength(data + i, native.size() - i);
        if (length == 0) {
            text += QChar(char16_t(kEscapeBase + data[i]));
            ++i;
            continue;
        }
        text += QString::fromUtf8(native.constData() + i, length);
        i += length;
    }
    return text;
}

QByteArray NativePath(const QString& path) {
    QByteArray native;
    native.reserve(path.size());
    qsizetype start = 0; // the text not yet converted
    for (qsizetype i = 0; i < path.size(); ++i) {
        const int byte = EscapedNameByte(path[i]);
        // A low surrogate after a high one is half of a character beyond U+FFFF, no escape.
        if (byte < 0 || (i > 0 && path[i - 1].isHighSurrogate())) {
            continue;
        }
        native += path.mid(start, i - start).toUtf8();
        native += char(byte);
        start = i + 1;
    }
    native += path.mid(start).toUtf8();
    return native;
}

int EscapedNameByte(QChar unit) {
    const char16_t code = unit.unicode();
    if (code < kEscapeBase + kFirstEscapedByte || code > kEscapeBase + kLastEscapedByte) {
        return -1;
    }
    return code - kEscapeBase;
}

} // namespace velor
