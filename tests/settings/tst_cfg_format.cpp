#include "settings/cfg_format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>
#include <stdexcept>

using ByteMap = std::map<int, int>; // offset -> value; every other byte is zero
Q_DECLARE_METATYPE(ByteMap)

namespace {

enum class Bom { None, Utf8, Utf16LE, Utf16BE };

// A configuration file whose first lines are `head`, padded with "0" lines up to `count`.
QByteArray CfgContent(const QStringList& head, int count = 257, const QString& eol = "\r\n",
                      Bom bom = Bom::None) {
    QString text;
    for (int i = 0; i < count; ++i) {
        text += (i < head.size() ? head.at(i) : QStringLiteral("0")) + eol;
    }
    switch (bom) {
    case Bom::None:
        return text.toUtf8();
    case Bom::Utf8:
        return "\xEF\xBB\xBF" + text.toUtf8();
    case Bom::Utf16LE:
        return QByteArray("\xFF\xFE") + QStringEncoder(QStringConverter::Utf16LE).encode(text);
    case Bom::Utf16BE:
        return QByteArray("\xFE\xFF") + QStringEncoder(QStringConverter::Utf16BE).encode(text);
    }
    return {};
}

SettingsImage WithBytes(const ByteMap& bytes) {
    SettingsImage image;
    for (const auto& [offset, value] : bytes) {
        image[static_cast<std::size_t>(offset)] = static_cast<uint8_t>(value);
    }
    return image;
}

SettingsImage Patterned() {
    SettingsImage image;
    for (std::size_t i = 0; i < kSettingsImageSize; ++i) {
        image[i] = static_cast<uint8_t>(i * 37 + 11);
    }
    return image;
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::runtime_error& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

} // namespace

class CfgFormatTest : public QObject {
    Q_OBJECT

private slots:
    void loadsFile_data();
    void loadsFile();
    void decodesLines_data();
    void decodesLines();
    void writesExactText_data();
    void writesExactText();
    void saveReplacesFileAndLoadsBack();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void unreadableFileIsReported_data();
    void unreadableFileIsReported();

private:
    QTemporaryDir m_dir;
};

// A file's content and either the image bytes it gives or the error it raises.
void CfgFormatTest::loadsFile_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<ByteMap>("expected");
    QTest::addColumn<QString>("error");

    auto value = [](const char* name, const QString& line, int byte) {
        QTest::newRow(name) << CfgContent({line}) << ByteMap{{0, byte}} << QString();
    };
    value("300 keeps low 8 bits", "300", 44);
    value("-1 gives 255", "-1", 255);
    value("leading blanks", "  7", 7);
    value("plus sign", "+5", 5);
    value("leading zeros", "007", 7);
    value("$FF", "$FF", 255);
    value("x prefix", "x1f", 31);
    value("X prefix", "X1F", 31);
    value("0x prefix", "0x1F", 31);
    value("0X prefix", "0X1f", 31);
    value("negative hexadecimal", "-$1", 255);
    value("32-bit hexadecimal pattern", "$FFFFFFFF", 255);
    value("largest decimal", "2147483647", 255);
    value("smallest decimal", "-2147483648", 0);

    auto invalid = [](const char* name, const QString& line) {
        QTest::newRow(name) << CfgContent({"1", line}) << ByteMap{}
                            << QStringLiteral("''%1'' is not a valid integer value").arg(line);
    };
    invalid("blank after the number", "7 ");
    invalid("empty line", "");
    invalid("blanks only", "   ");
    invalid("tab is not a blank", "\t7");
    invalid("sign only", "-");
    invalid("two signs", "--1");
    invalid("blank after sign", "- 1");
    invalid("$ only", "$");
    invalid("0x only", "0x");
    invalid("hexadecimal digit without prefix", "1F");
    invalid("exponent", "1e3");
    invalid("decimal point", "1.0");
    invalid("decimal beyond 32 bits", "2147483648");
    invalid("negative decimal beyond 32 bits", "-2147483649");
    invalid("hexadecimal beyond 32 bits", "$100000000");
    invalid("very long number", "99999999999999999999999");
    invalid("non-ASCII digit", QStringLiteral("\uFF17"));
    invalid("text", QStringLiteral("Ошибка"));

    QTest::newRow("last line is byte 256")
        << CfgContent(QStringList(256, "0") << "9") << ByteMap{{256, 9}} << QString();
    QTest::newRow("258 lines: the last is ignored")
        << CfgContent(QStringList(257, "0") << "junk", 258) << ByteMap{} << QString();
    QTest::newRow("256 lines") << CfgContent({}, 256) << ByteMap{}
                               << QStringLiteral("List index out of bounds (256)");
    QTest::newRow("empty file") << QByteArray() << ByteMap{}
                                << QStringLiteral("List index out of bounds (0)");
    QTest::newRow("bad line reported before missing lines")
        << CfgContent({"1", "x"}, 10) << ByteMap{}
        << QStringLiteral("''x'' is not a valid integer value");
    QTest::newRow("LF line ends") << CfgContent({"1", "2"}, 257, "\n") << ByteMap{{0, 1}, {1, 2}}
                                  << QString();
    QTest::newRow("CR line ends") << CfgContent({"1", "2"}, 257, "\r") << ByteMap{{0, 1}, {1, 2}}
                                  << QString();
    QTest::newRow("no line end after the last line")
        << CfgContent(QStringList(256, "0") << "3").chopped(2) << ByteMap{{256, 3}} << QString();
    QTest::newRow("UTF-8 byte-order mark")
        << CfgContent({"12"}, 257, "\r\n", Bom::Utf8) << ByteMap{{0, 12}} << QString();
    QTest::newRow("UTF-16 LE byte-order mark")
        << CfgContent({"12"}, 257, "\r\n", Bom::Utf16LE) << ByteMap{{0, 12}} << QString();
    QTest::newRow("UTF-16 BE byte-order mark, LF")
        << CfgContent({"12"}, 257, "\n", Bom::Utf16BE) << ByteMap{{0, 12}} << QString();
}

void CfgFormatTest::loadsFile() {
    QFETCH(QByteArray, content);
    QFETCH(ByteMap, expected);
    QFETCH(QString, error);

    const QString path = m_dir.filePath("load.cfg");
    WriteFile(path, content);
    if (error.isEmpty()) {
        QVERIFY(LoadCfgFile(path) == WithBytes(expected));
    } else {
        QCOMPARE(ErrorText([&] { LoadCfgFile(path); }), error);
    }
}

void CfgFormatTest::decodesLines_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed, no final end")
        << QByteArray("a\nb\rc\r\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty line kept") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("nothing") << QByteArray() << QStringList{};
    QTest::newRow("UTF-8 without mark")
        << QStringLiteral("Ввод\r\n").toUtf8() << QStringList{QStringLiteral("Ввод")};
    QTest::newRow("UTF-8 mark dropped") << QByteArray("\xEF\xBB\xBF"
                                                      "7\r\n")
                                        << QStringList{"7"};
    QTest::newRow("UTF-8 mark only") << QByteArray("\xEF\xBB\xBF") << QStringList{};
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE\x12\x04\r\0\n\0", 8)
                               << QStringList{QStringLiteral("В")};
    QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\x04\x12\0\r", 6)
                               << QStringList{QStringLiteral("В")};
    QTest::newRow("invalid UTF-8 becomes a replacement character")
        << QByteArray("\x80"
                      "7")
        << QStringList{QStringLiteral("\uFFFD7")};
}

void CfgFormatTest::decodesLines() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);

    QCOMPARE(DecodeCfgText(content), lines);
}

void CfgFormatTest::writesExactText_data() {
    QTest::addColumn<ByteMap>("bytes");
    QTest::addColumn<QByteArray>("text");

    ByteMap all255;
    for (int i = 0; i < 257; ++i) {
        all255[i] = 255;
    }
    QTest::newRow("all zero, 771 bytes") << ByteMap{} << QByteArray("0\r\n").repeated(257);
    QTest::newRow("all 255, 1285 bytes") << all255 << QByteArray("255\r\n").repeated(257);
    QTest::newRow("byte 0 first, byte 256 last")
        << ByteMap{{0, 255}, {1, 7}, {2, 10}, {3, 100}, {256, 1}}
        << QByteArray("255\r\n7\r\n10\r\n100\r\n") + QByteArray("0\r\n").repeated(252) + "1\r\n";
}

void CfgFormatTest::writesExactText() {
    QFETCH(ByteMap, bytes);
    QFETCH(QByteArray, text);

    QCOMPARE(CfgText(WithBytes(bytes)), text);
    const QString path = m_dir.filePath("exact.cfg");
    SaveCfgFile(path, WithBytes(bytes));
    QCOMPARE(FileBytes(path), text);
}

void CfgFormatTest::saveReplacesFileAndLoadsBack() {
    const QString path = m_dir.filePath("replace.cfg");
    WriteFile(path, QByteArray(5000, '9'));

    SaveCfgFile(path, Patterned());

    QCOMPARE(FileBytes(path), CfgText(Patterned()));
    QVERIFY(LoadCfgFile(path) == Patterned());
}

// The target of each save is chosen so that the save cannot complete; whatever is at the target
// must stay as it was and no temporary file may be left behind.
void CfgFormatTest::failedSaveKeepsOldFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isFolder");

    // The temporary file's name (target name plus a suffix) exceeds the 255-byte name limit.
    QTest::newRow("temporary file cannot be created") << QString(250, 'a') + ".cfg" << false;
    QTest::newRow("target is a folder") << QStringLiteral("folder.cfg") << true;
    QTest::newRow("folder missing") << QStringLiteral("missing/new.cfg") << false;
}

void CfgFormatTest::failedSaveKeepsOldFile() {
    QFETCH(QString, name);
    QFETCH(bool, isFolder);

    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QByteArray old = CfgText(Patterned());
    const bool hasOld = !isFolder && !name.contains('/');
    if (isFolder) {
        QVERIFY(QDir(dir.path()).mkdir(name));
    } else if (hasOld) {
        WriteFile(path, old);
    }

    const QString error = ErrorText([&] { SaveCfgFile(path, SettingsImage()); });

    const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
    QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size(), qPrintable(error));
    const QStringList left = QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    QCOMPARE(left, hasOld || isFolder ? QStringList{name} : QStringList{});
    if (hasOld) {
        QCOMPARE(FileBytes(path), old);
    }
    QCOMPARE(QFileInfo(path).isDir(), isFolder);
}

void CfgFormatTest::unreadableFileIsReported_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isFolder");

    QTest::newRow("missing file") << QStringLiteral("absent.cfg") << false;
    QTest::newRow("folder") << QStringLiteral("folder.cfg") << true;
}

void CfgFormatTest::unreadableFileIsReported() {
    QFETCH(QString, name);
    QFETCH(bool, isFolder);

    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (isFolder) {
        QVERIFY(QDir(dir.path()).mkdir(name));
    }

    const QString error = ErrorText([&] { LoadCfgFile(path); });

    const QString prefix = QStringLiteral("Cannot open file \"%1\". ").arg(path);
    QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size(), qPrintable(error));
}

QTEST_GUILESS_MAIN(CfgFormatTest)
#include "tst_cfg_format.moc"
