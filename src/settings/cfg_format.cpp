#include "settings/cfg_format.h"

#include "settings/regular_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <stdexcept>

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr int kLowByteMask = 0xFF;
// A settings file is 771 to 1285 bytes; twice that in UTF-16 with blanks, zeros and ignored
// lines to spare still fits. Anything larger is refused before it is read.
constexpr qint64 kMaxCfgFileSize = 64 * 1024;
// How much of a bad line its error shows, and how control characters appear there.
constexpr qsizetype kExcerptLength = 40;
constexpr char16_t kFirstPrintable = u' ';
constexpr char16_t kDelete = 0x7F;
constexpr char16_t kFirstAfterC1 = 0xA0; // U+0080..U+009F are control characters too
constexpr int kHexBase = 16;
constexpr int kEscapeDigits = 2;
constexpr int kWideEscapeDigits = 4;

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

enum class FileAction { Open, Create };

// The file named by its full path, so that the technician sees where the program looked.
QString FileErrorText(FileAction action, const QString& path, const QString& reason) {
    const QString text =
        action == FileAction::Open
            ? QCoreApplication::translate("CfgFormat", "Не удалось открыть файл \"%1\". %2")
            : QCoreApplication::translate("CfgFormat", "Не удалось создать файл \"%1\". %2");
    return text.arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
}

std::runtime_error FileError(FileAction action, const QString& path, const QString& reason) {
    return std::runtime_error(FileErrorText(action, path, reason).toStdString());
}

bool IsControl(char16_t c) {
    return c < kFirstPrintable || (c >= kDelete && c < kFirstAfterC1);
}

QString Escaped(QChar c) {
    const char16_t code = c.unicode();
    if (!IsControl(code)) {
        return QString(c);
    }
    const bool narrow = code <= 0xFF;
    return (narrow ? QStringLiteral("\\x") : QStringLiteral("\\u")) +
           QStringLiteral("%1")
               .arg(code, narrow ? kEscapeDigits : kWideEscapeDigits, kHexBase, QLatin1Char('0'))
               .toUpper();
}

// What an error shows of a bad line: its first characters, control characters written as \xNN,
// and "…" where the line goes on.
QString LineExcerpt(const QString& line) {
    QString shown;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QString next = Escaped(line.at(i));
        const bool pairStarts = line.at(i).isHighSurrogate() && i + 1 < line.size();
        if (shown.size() + next.size() + (pairStarts ? 1 : 0) > kExcerptLength) {
            return shown + QChar(0x2026);
        }
        shown += next;
        if (pairStarts) {
            shown += line.at(++i);
        }
    }
    return shown;
}

std::runtime_error TooFewLinesError(qsizetype lines, const QString& fileName) {
    const QString count = QString::number(lines);
    const QString needed = QString::number(kSettingsImageSize);
    const QString text =
        fileName.isEmpty()
            ? QCoreApplication::translate("CfgFormat", "Строк: %1, а в файле настроек их %2")
                  .arg(count, needed)
            : QCoreApplication::translate("CfgFormat",
                                          "В файле \"%1\" строк: %2, а в файле настроек их %3")
                  .arg(fileName, count, needed);
    return std::runtime_error(text.toStdString());
}

// The conversion's wording with at most the start of the line, then where the line is.
std::runtime_error BadLineError(const QString& line, qsizetype number, const QString& fileName) {
    const QString error = QString::fromUtf8(InvalidIntegerError(LineExcerpt(line)).what());
    const QString lineNumber = QString::number(number);
    const QString text =
        fileName.isEmpty()
            ? QCoreApplication::translate("CfgFormat", "%1 (строка %2)").arg(error, lineNumber)
            : QCoreApplication::translate("CfgFormat", "%1 (файл \"%2\", строка %3)")
                  .arg(error, fileName, lineNumber);
    return std::runtime_error(text.toStdString());
}

// The reason a file cannot be read as a settings file.
QString CfgReadRefusal(const FileRead& read) {
    if (read.refusal == FileRefusal::TooLarge) {
        return QCoreApplication::translate(
                   "CfgFormat", "В нём %1 байт, а файл настроек не бывает больше %2 байт")
            .arg(QString::number(read.size), QString::number(kMaxCfgFileSize));
    }
    return read.reason;
}

} // namespace

QString CreateFileErrorText(const QString& path, const QString& reason) {
    return FileErrorText(FileAction::Create, path, reason);
}

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
    try {
        SaveFileReplacing(path, CfgText(image));
    } catch (const FileSaveError& error) {
        throw FileError(FileAction::Create, path, error.Reason());
    }
}

QStringList DecodeCfgText(const QByteArray& content) {
    const TextEncoding found = DetectEncoding(content);
    QStringDecoder decoder(found.encoding, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(content).sliced(found.bomSize));
    return SplitLines(text);
}

QStringList ReadCfgLines(const QString& path) {
    const FileRead read = ReadRegularFile(path, kMaxCfgFileSize);
    if (read.refusal != FileRefusal::None) {
        throw FileError(FileAction::Open, path, CfgReadRefusal(read));
    }
    return DecodeCfgText(read.content);
}

SettingsImage ImageFromCfgLines(const QStringList& lines, const QString& fileName) {
    SettingsImage image;
    for (std::size_t offset = 0; offset < kSettingsImageSize; ++offset) {
        const auto index = static_cast<qsizetype>(offset);
        if (index >= lines.size()) {
            throw TooFewLinesError(lines.size(), fileName);
        }
        int value = 0;
        try {
            value = StrToInt(lines.at(index));
        } catch (const std::runtime_error&) {
            throw BadLineError(lines.at(index), index + 1, fileName);
        }
        image[offset] = static_cast<uint8_t>(value & kLowByteMask);
    }
    return image;
}

SettingsImage LoadCfgFile(const QString& path) {
    return ImageFromCfgLines(ReadCfgLines(path), path);
}
