#include "file_faults.h"

#include "settings/cfg_format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>

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

// What stands at a path before a load or a save.
enum class Entry { None, OldFile, Folder, Fifo, LinkToFifo, DeviceNode, Sized };

void MakeEntry(Entry entry, const QString& path, const QByteArray& old = QByteArray(),
               qint64 size = 0) {
    switch (entry) {
    case Entry::None:
    case Entry::DeviceNode: // the path names /dev/null itself
        return;
    case Entry::OldFile:
        WriteFile(path, old);
        return;
    case Entry::Folder:
        QVERIFY(QDir().mkdir(path));
        return;
    case Entry::Fifo:
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        return;
    case Entry::LinkToFifo:
        QCOMPARE(::mkfifo(QFile::encodeName(path + ".fifo").constData(), 0644), 0);
        QVERIFY(QFile::link(QFileInfo(path).fileName() + ".fifo", path));
        return;
    case Entry::Sized: { // sparse where the file system allows
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(old) == old.size() && file.resize(size));
        return;
    }
    }
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

Q_DECLARE_METATYPE(Entry)

class TestCfgFormat : public QObject {
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
    void saveFollowsLinksToTheirTarget_data();
    void saveFollowsLinksToTheirTarget();
    void linesWithoutFileNameAreReported_data();
    void linesWithoutFileNameAreReported();

private:
    QTemporaryDir dir_;
};

// A file's content and either the image bytes it gives or the error it raises ("%path" stands for
// the file's path). A bad line's error shows at most its first 40 characters, control characters
// as \xNN, and names the file and the line.
void TestCfgFormat::loadsFile_data() {
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

    auto invalid = [](const char* name, const QString& line, const QString& shown = QString()) {
        QTest::newRow(name) << CfgContent({"1", line}) << ByteMap{}
                            << QStringLiteral("''%1'' не является целым числом "
                                              "(файл \"%path\", строка 2)")
                                   .arg(shown.isNull() ? line : shown);
    };
    invalid("blank after the number", "7 ");
    invalid("empty line", "");
    invalid("blanks only", "   ");
    invalid("tab is not a blank", "\t7", "\\x097");
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
    invalid("NUL byte shown, the line not cut short", QStringLiteral("7\0005"), "7\\x005");
    invalid("DEL and C1 control characters", QStringLiteral("\u007F\u0085\u009F1"),
            "\\x7F\\x85\\x9F1");
    invalid("escape sequence of a terminal", "\x1B[2J", "\\x1B[2J");
    invalid("40 characters shown whole", QString(39, 'a') + 'b', QString(39, 'a') + 'b');
    invalid("41 characters cut to 40", QString(40, 'a') + 'b', QString(40, 'a') + u'\u2026');
    invalid("60 kB line cut to 40 characters", QString(60 * 1024, 'z'),
            QString(40, 'z') + u'\u2026');
    invalid("escape not split at the cut", QString(38, 'c') + '\x01', QString(38, 'c') + u'\u2026');
    invalid("character pair not split at the cut", QString(39, 'd') + QStringLiteral("\U0001F600"),
            QString(39, 'd') + u'\u2026');
    QTest::newRow("binary content")
        << CfgContent({}).prepend(QByteArray("\x01\xFF\x00\x7F\r\n", 6)) << ByteMap{}
        << QStringLiteral("''\\x01\uFFFD\\x00\\x7F'' не является целым числом "
                          "(файл \"%path\", строка 1)");
    QTest::newRow("bad last line")
        << CfgContent(QStringList(256, "0") << "x") << ByteMap{}
        << QStringLiteral("''x'' не является целым числом (файл \"%path\", строка 257)");

    QTest::newRow("last line is byte 256")
        << CfgContent(QStringList(256, "0") << "9") << ByteMap{{256, 9}} << QString();
    QTest::newRow("258 lines: the last is ignored")
        << CfgContent(QStringList(257, "0") << "junk", 258) << ByteMap{} << QString();
    QTest::newRow("256 lines") << CfgContent({}, 256) << ByteMap{}
                               << QStringLiteral(
                                      "В файле \"%path\" строк: 256, а в файле настроек их 257");
    QTest::newRow("empty file") << QByteArray() << ByteMap{}
                                << QStringLiteral(
                                       "В файле \"%path\" строк: 0, а в файле настроек их 257");
    QTest::newRow("bad line reported before missing lines")
        << CfgContent({"1", "x"}, 10) << ByteMap{}
        << QStringLiteral("''x'' не является целым числом (файл \"%path\", строка 2)");
    const QByteArray valid = CfgContent({"5"});
    QTest::newRow("64 KiB with ignored lines")
        << valid + QByteArray(64 * 1024 - valid.size(), '#') << ByteMap{{0, 5}} << QString();
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

void TestCfgFormat::loadsFile() {
    QFETCH(QByteArray, content);
    QFETCH(ByteMap, expected);
    QFETCH(QString, error);

    const QString path = dir_.filePath("load.cfg");
    WriteFile(path, content);
    if (error.isEmpty()) {
        QVERIFY(LoadCfgFile(path) == WithBytes(expected));
    } else {
        QCOMPARE(ErrorText([&] { LoadCfgFile(path); }), QString(error).replace("%path", path));
    }
}

void TestCfgFormat::decodesLines_data() {
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

void TestCfgFormat::decodesLines() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);

    QCOMPARE(DecodeCfgText(content), lines);
}

void TestCfgFormat::writesExactText_data() {
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

void TestCfgFormat::writesExactText() {
    QFETCH(ByteMap, bytes);
    QFETCH(QByteArray, text);

    QCOMPARE(CfgText(WithBytes(bytes)), text);
    const QString path = dir_.filePath("exact.cfg");
    SaveCfgFile(path, WithBytes(bytes));
    QCOMPARE(FileBytes(path), text);
}

void TestCfgFormat::saveReplacesFileAndLoadsBack() {
    const QString path = dir_.filePath("replace.cfg");
    WriteFile(path, QByteArray(5000, '9'));
    const auto permissions =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(path, permissions));

    SaveCfgFile(path, Patterned());

    QCOMPARE(FileBytes(path), CfgText(Patterned()));
    QVERIFY(LoadCfgFile(path) == Patterned());
    QCOMPARE(QFile::permissions(path) & 0x7077, permissions); // owner, group, others
}

// The target of each save is chosen so that the save cannot complete; whatever is at the target
// must stay as it was and no temporary file may be left behind. A file size limit stops the write
// part-way as a full disk does.
void TestCfgFormat::failedSaveKeepsOldFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<int>("sizeLimit");  // 0: none
    QTest::addColumn<QString>("reason"); // empty: any

    // The temporary file's name (target name plus a suffix) exceeds the 255-byte name limit.
    QTest::newRow("temporary file cannot be created")
        << QString(250, 'a') + ".cfg" << Entry::OldFile << 0 << QString();
    QTest::newRow("target is a folder")
        << QStringLiteral("folder.cfg") << Entry::Folder << 0 << QStringLiteral("Это папка");
    QTest::newRow("folder missing")
        << QStringLiteral("missing/new.cfg") << Entry::None << 0 << QString();
    const QString notRegular = QStringLiteral("это не обычный файл (устройство, канал или сокет)");
    QTest::newRow("target is a FIFO")
        << QStringLiteral("pipe.cfg") << Entry::Fifo << 0 << notRegular;
    QTest::newRow("target is a link to a FIFO")
        << QStringLiteral("link.cfg") << Entry::LinkToFifo << 0 << notRegular;
    QTest::newRow("disk full after the first bytes") << QStringLiteral("full.cfg") << Entry::OldFile
                                                     << 100 << QStringLiteral("Файл слишком велик");
    QTest::newRow("disk full at the first byte") << QStringLiteral("full.cfg") << Entry::OldFile
                                                 << 1 << QStringLiteral("Файл слишком велик");
    QTest::newRow("disk full, no old file")
        << QStringLiteral("new.cfg") << Entry::None << 100 << QStringLiteral("Файл слишком велик");
}

void TestCfgFormat::failedSaveKeepsOldFile() {
    QFETCH(QString, name);
    QFETCH(Entry, entry);
    QFETCH(int, sizeLimit);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const QByteArray old = CfgText(Patterned());
    const bool hasOld = entry == Entry::OldFile;
    MakeEntry(entry, path, old);
    const QStringList before =
        QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);

    QString error;
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (sizeLimit > 0) {
            limit = std::make_unique<FileSizeLimit>(static_cast<rlim_t>(sizeLimit));
        }
        error = ErrorText([&] { SaveCfgFile(path, SettingsImage()); });
    }

    const QString prefix = QStringLiteral("Не удалось создать файл \"%1\". ").arg(path);
    QVERIFY2(error.startsWith(prefix) && error.size() > prefix.size(), qPrintable(error));
    if (!reason.isEmpty()) {
        QCOMPARE(error, prefix + reason);
    }
    const QStringList left =
        QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
    QCOMPARE(left, before);
    if (hasOld) {
        QCOMPARE(FileBytes(path), old);
    }
    QCOMPARE(QFileInfo(path).isDir(), entry == Entry::Folder);
    QCOMPARE(IsFifo(path), entry == Entry::Fifo || entry == Entry::LinkToFifo);
    QCOMPARE(QFileInfo(path).isSymLink(), entry == Entry::LinkToFifo);
}

// A save through a symbolic link replaces the file the link leads to; the link stays a link.
void TestCfgFormat::saveFollowsLinksToTheirTarget_data() {
    QTest::addColumn<QStringList>("links"); // link name -> what it points at, in pairs
    QTest::addColumn<QString>("saved");     // the name the save is given
    QTest::addColumn<QString>("target");    // the file that receives the content

    QTest::newRow("link to a file") << QStringList{"link.cfg", "real.cfg"} << "link.cfg"
                                    << "real.cfg";
    QTest::newRow("link to a link")
        << QStringList{"first.cfg", "second.cfg", "second.cfg", "sub/real.cfg"} << "first.cfg"
        << "sub/real.cfg";
    QTest::newRow("link to a file not yet there")
        << QStringList{"dangling.cfg", "sub/new.cfg"} << "dangling.cfg"
        << "sub/new.cfg";
}

void TestCfgFormat::saveFollowsLinksToTheirTarget() {
    QFETCH(QStringList, links);
    QFETCH(QString, saved);
    QFETCH(QString, target);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    if (!saved.startsWith("dangling")) {
        WriteFile(dir.filePath(target), QByteArray("old\r\n"));
    }
    for (qsizetype i = 0; i + 1 < links.size(); i += 2) {
        QVERIFY(QFile::link(links.at(i + 1), dir.filePath(links.at(i))));
    }

    SaveCfgFile(dir.filePath(saved), Patterned());

    QCOMPARE(FileBytes(dir.filePath(target)), CfgText(Patterned()));
    for (qsizetype i = 0; i + 1 < links.size(); i += 2) {
        QVERIFY2(QFileInfo(dir.filePath(links.at(i))).isSymLink(), qPrintable(links.at(i)));
    }
    // Nothing else is left beside the links and the target: no temporary file.
    QStringList expected{"sub"};
    for (const QString& name : links) {
        if (!name.contains('/')) {
            expected << name;
        }
    }
    expected.removeDuplicates();
    expected.sort();
    const auto entries = [&](const QString& folder) {
        return QDir(dir.filePath(folder))
            .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
    };
    QCOMPARE(entries("."), expected);
    QCOMPARE(entries("sub"),
             target.startsWith("sub/") ? QStringList{target.mid(4)} : QStringList{});
}

// Only regular files of at most 64 KiB are read; anything else is refused before it is read, and
// a FIFO without blocking.
void TestCfgFormat::unreadableFileIsReported_data() {
    QTest::addColumn<QString>("name"); // an absolute name is used as it is
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("reason");

    const QString notRegular = QStringLiteral("это не обычный файл (устройство, канал или сокет)");
    QTest::newRow("missing file") << QStringLiteral("absent.cfg") << Entry::None << qint64(0)
                                  << QStringLiteral("Нет такого файла или папки");
    QTest::newRow("folder") << QStringLiteral("folder.cfg") << Entry::Folder << qint64(0)
                            << QStringLiteral("Это папка");
    QTest::newRow("FIFO") << QStringLiteral("pipe.cfg") << Entry::Fifo << qint64(0) << notRegular;
    QTest::newRow("link to a FIFO")
        << QStringLiteral("link.cfg") << Entry::LinkToFifo << qint64(0) << notRegular;
    QTest::newRow("device node") << QStringLiteral("/dev/null") << Entry::DeviceNode << qint64(0)
                                 << notRegular;
    QTest::newRow("one byte beyond 64 KiB")
        << QStringLiteral("big.cfg") << Entry::Sized << qint64(64 * 1024 + 1)
        << QStringLiteral("В нём 65537 байт, а файл настроек не бывает больше 65536 байт");
    QTest::newRow("1 GiB sparse file")
        << QStringLiteral("huge.cfg") << Entry::Sized << (qint64(1) << 30)
        << QStringLiteral("В нём 1073741824 байт, а файл настроек не бывает больше 65536 байт");
}

void TestCfgFormat::unreadableFileIsReported() {
    QFETCH(QString, name);
    QFETCH(Entry, entry);
    QFETCH(qint64, size);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QString path = QDir::isAbsolutePath(name) ? name : dir.filePath(name);
    MakeEntry(entry, path, CfgContent({"1"}), size);

    const QString error = ErrorText([&] { LoadCfgFile(path); });

    QCOMPARE(error, QStringLiteral("Не удалось открыть файл \"%1\". %2").arg(path, reason));
}

// The conversion alone, for lines that come from no file (the factory settings in the window).
void TestCfgFormat::linesWithoutFileNameAreReported_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("error");

    QTest::newRow("three lines") << QStringList{"1", "2", "3"}
                                 << QStringLiteral("Строк: 3, а в файле настроек их 257");
    QTest::newRow("bad second line")
        << QStringList{"1", QString(50, '\x02')}
        << QStringLiteral("''%1…'' не является целым числом (строка 2)")
               .arg(QStringLiteral("\\x02").repeated(10));
}

void TestCfgFormat::linesWithoutFileNameAreReported() {
    QFETCH(QStringList, lines);
    QFETCH(QString, error);

    QCOMPARE(ErrorText([&] { ImageFromCfgLines(lines); }), error);
}

QTEST_GUILESS_MAIN(TestCfgFormat)
#include "tst_cfg_format.moc"
