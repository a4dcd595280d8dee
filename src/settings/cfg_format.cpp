#include "settings/cfg_format.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <stdexcept>

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr int kLowByteMask = 0xFF;

struct TextEncoding {
    QStringConverter::Encoding encoding;
    qsizetype bomSize;
};

// The byte-order mark at the start of the content, if any, and the encoding it selects.
TextEncoding DetectEncoding(const QByteArray& content) {
    if (content.startsWith("\xEF\xBB\xBF")) {
        return {QStringConverter::Utf8, 3};
    }
    if (content.startsWith("\xFF\xFE")) {
        return {QStringConverter::Utf16LE, 2};
    }
    if (content.startsWith("\xFE\xFF")) {
        return {QStringConverter::Utf16BE, 2};
    }
    return {QStringConverter::Utf8, 0};
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c != kCr && c != kLf) {
            continue;
        }
        lines.append(text.mid(start, i - start));
        if (c == kCr && i + 1 < text.size() && text.at(i + 1) == kLf) {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.append(text.mid(start));
    }
    return lines;
}

std::runtime_error FileError(const char* what, const QString& path, const QString& reason) {
    return std::runtime_error(
        QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), path, reason).toStdString());
}

} // namespace

QStringList CfgLines(const SettingsImage& image) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(kSettingsImageSize));
    for (const uint8_t byte : image.bytes()) {
        lines.append(QString::number(byte));
    }
    return lines;
}

QByteArray CfgText(const SettingsImage& image) {
    QByteArray text;
    for (const QString& line : CfgLines(image)) {
        text += line.toLatin1();
        text += kLineEnd;
    }
    return text;
}

void SaveCfgFile(const QString& path, const SettingsImage& image) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError("Cannot create file", path, file.errorString());
    }
    const QByteArray text = CfgText(image);
    if (file.write(text) != text.size() || !file.commit()) {
        throw FileError("Cannot create file", path, file.errorString());
    }
}

QStringList DecodeCfgText(const QByteArray& content) {
    const TextEncoding found = DetectEncoding(content);
    QStringDecoder decoder(found.encoding, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(content).sliced(found.bomSize));
    return SplitLines(text);
}

QStringList ReadCfgLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError("Cannot open file", path, file.errorString());
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw FileError("Cannot open file", path, file.errorString());
    }
    return DecodeCfgText(content);
}

SettingsImage ImageFromCfgLines(const QStringList& lines) {
    SettingsImage image;
    for (std::size_t offset = 0; offset < kSettingsImageSize; ++offset) {
        const auto index = static_cast<qsizetype>(offset);
        if (index >= lines.size()) {
            throw std::runtime_error(
                QStringLiteral("List index out of bounds (%1)").arg(lines.size()).toStdString());
        }
        image[offset] = static_cast<uint8_t>(StrToInt(lines.at(index)) & kLowByteMask);
    }
    return image;
}

SettingsImage LoadCfgFile(const QString& path) {
    return ImageFromCfgLines(ReadCfgLines(path));
}
