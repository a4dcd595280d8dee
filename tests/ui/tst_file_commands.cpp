// The window's file commands: the factory settings read at construction and restored by their
// button, saving and loading configuration files with their failures and cancel paths, and
// loading a firmware file with its four outcomes and the refusal of files no upload could send.

#include "file_faults.h"
#include "recording_dialogs.h"
#include "window_driver.h"
#include "window_test_support.h"

#include "catalogue/message_catalogue.h"
#include "settings/cfg_format.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
constexpr int kKeys = 28;
constexpr int kSettingsWindowMode = 0;
constexpr int kFirmwareWindowMode = 1;
constexpr int kDemoWindowMode = 2;
constexpr uint16_t kModel580 = 580;

QString Text(int id) {
    return velor::BuiltInMessageText(id);
}

struct Window : WindowDriver {
    Window() {
        form->FormCreate();
        form->FormActivate(); // the demo work mode
    }

    bool Checked(const QString& name) const { return form->Control<QCheckBox>(name)->isChecked(); }
    void Tick(const QString& name) { form->Control<QCheckBox>(name)->setChecked(true); }
    // The settings as the window's last loaded ones, loaded from a file as "Загрузить" does:
    // replacing them asks nothing.
    void Hold(const SettingsImage& image) {
        QTemporaryDir folder;
        const QString path = folder.filePath("held.cfg");
        SaveCfgFile(path, image);
        dialogs.openAnswers.enqueue(path);
        form->LoadButtonClick();
        dialogs.openRequests.clear();
    }
    QStringList ListLines(const char* name) const {
        QStringList lines;
        const auto* list = form->Control<QListWidget>(name);
        for (int row = 0; row < list->count(); ++row) {
            lines << list->item(row)->text();
        }
        return lines;
    }
};

// Settings that differ from the factory ones in every part of the image and that the page rules
// keep as they are: two keys, loop 3 a fire loop, other bindings, events, timing and options.
SettingsImage OtherSettings() {
    SettingsImage image = LoadCfgFile(FactoryDefaultsFile());
    const QList<QPair<int, int>> bytes = {
        {0, 2},      {1, 0x01},   {2, 0x23},   {3, 0x45},   {4, 0x67},   {5, 0x89},   {6, 0xAB},
        {7, 0x0F},   {8, 0xF0},   {9, 0x0C},   {10, 0x0D},  {11, 0x0E},  {12, 0x0F},  {13, 0x00},
        {14, 0x01},  {15, 0x80},  {16, 0x01},  {225, 0x0F}, {226, 0x49}, {229, 0x30}, {241, 0x04},
        {243, 0x04}, {244, 0x04}, {246, 0x02}, {247, 0x80}, {248, 10},   {249, 20},   {250, 5},
        {251, 0},    {252, 40},   {253, 12},   {254, 0xFB}, {255, 0x52}};
    for (const auto& [offset, value] : bytes) {
        image[static_cast<std::size_t>(offset)] = static_cast<uint8_t>(value);
    }
    return image;
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

// A firmware file: device type and platform (little-endian), three version bytes, four further
// header bytes, the payload and two trailing bytes.
QByteArray FirmwareFile(uint16_t type, uint16_t platform, int payload, int version = 0x010203) {
    QByteArray file;
    file += char(type & 0xFF);
    file += char(type >> 8);
    file += char(platform & 0xFF);
    file += char(platform >> 8);
    file += char((version >> 16) & 0xFF);
    file += char((version >> 8) & 0xFF);
    file += char(version & 0xFF);
    file += QByteArray("\xA1\xA2\xA3\xA4", 4);
    for (int i = 0; i < payload; ++i) {
        file += char(i * 7);
    }
    file += QByteArray("\xEE\xEF", 2);
    return file;
}

std::vector<uint8_t> Bytes(const QByteArray& content) {
    return std::vector<uint8_t>(content.begin(), content.end());
}

// Puts what a row names at path: "" the content as a file (none when empty), "fifo" a FIFO,
// "sparse" a file of size bytes that starts with the content; a device path is used as it is.
void MakeFile(const QString& source, const QString& path, const QByteArray& content,
              qint64 size = 0) {
    if (source == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (source == "sparse") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(content) == content.size() && file.resize(size));
    } else if (source.isEmpty() && !content.isEmpty()) {
        WriteFile(path, content);
    }
}

const QString kNotRegular = QStringLiteral("это не обычный файл (устройство, канал или сокет)");
constexpr qint64 kLargestCountableFirmware = 13 + 65535 * 64 - 1; // block count 65535
} // namespace

Q_DECLARE_METATYPE(SettingsImage)

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void constructionAppliesFactoryDefaults();
    void constructionFailsWithReaderError_data();
    void constructionFailsWithReaderError();
    void defaultButtonRestoresFactorySettings();

    void saveWritesWindowSettings_data();
    void saveWritesWindowSettings();
    void saveThenLoadRestoresSettings_data();
    void saveThenLoadRestoresSettings();
    void saveCancelledChangesNothing();
    void saveFailureShowsExceptionBox_data();
    void saveFailureShowsExceptionBox();

    void loadFailureChangesNothing_data();
    void loadFailureChangesNothing();
    void loadUnticksOneKeyModesAlsoOnCancel_data();
    void loadUnticksOneKeyModesAlsoOnCancel();
    void loadWithoutWorkModeDoesNothing();
    void loadKeepsDisarmRightsOfKeysInOneKeyMode();
    void loadingFewerKeysEmptiesRemainingRows();

    void firmwareFileOutcomes_data();
    void firmwareFileOutcomes();
    void laterFirmwareFileKeepsAcceptedImage_data();
    void laterFirmwareFileKeepsAcceptedImage();
    void acceptedFirmwareFileReplacesRefusalInStatusBar_data();
    void acceptedFirmwareFileReplacesRefusalInStatusBar();
    void firmwareDateLabelShowsDateAndTime();
    void configurationLoadAfterFirmwareStartsInBase();

private:
    QTemporaryDir folder_;
    std::unique_ptr<QTemporaryDir> files_; // per test
};

void TestFileCommands::initTestCase() {
    QVERIFY(PrepareFactoryFolder(folder_));
    LoadBuiltInCatalogue();
}

void TestFileCommands::init() {
    QVERIFY(QDir::setCurrent(folder_.path()));
    files_ = std::make_unique<QTemporaryDir>();
    QVERIFY(files_->isValid());
}

void TestFileCommands::constructionAppliesFactoryDefaults() {
    Window window;
    QFile file(FactoryDefaultsFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(window.ListLines("ListBox1"), DecodeCfgText(file.readAll()));
    QVERIFY(window.form->EncodeSettings() == LoadCfgFile(FactoryDefaultsFile()));
    QVERIFY(QDir("Base").exists());
}

void TestFileCommands::constructionFailsWithReaderError_data() {
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("error");      // the whole error text

    QByteArray lines256;
    for (int i = 0; i < 256; ++i) {
        lines256 += "0\r\n";
    }
    // The file by its full path (%path), so that the technician sees where it was looked for.
    QTest::newRow("missing file")
        << QByteArray() << "Не удалось открыть файл \"%path\". Нет такого файла или папки";
    QTest::newRow("256 lines") << lines256
                               << "В файле \"%path\" строк: 256, а в файле настроек их 257";
    QTest::newRow("number followed by a blank")
        << QByteArray("7 \r\n") + lines256
        << "''7 '' не является целым числом (файл \"%path\", строка 1)";
}

void TestFileCommands::constructionFailsWithReaderError() {
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    if (!content.isEmpty()) {
        WriteFile(files_->filePath("580default.cfg"), content);
    }
    QVERIFY(QDir::setCurrent(files_->path()));
    try {
        Window window;
        QFAIL("the window was built");
    } catch (const std::runtime_error& e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 error.replace("%path", files_->filePath("580default.cfg")));
    }
}

void TestFileCommands::defaultButtonRestoresFactorySettings() {
    Window window;
    window.Hold(OtherSettings()); // the settings last loaded
    window.Tick("onekeymode5");
    window.form->Control<QPushButton>("DefaultButton")->click();

    QVERIFY(window.form->EncodeSettings() == LoadCfgFile(FactoryDefaultsFile()));
    QCOMPARE(window.form->StatusText(), Text(10007));
    QVERIFY(window.Checked("onekeymode5"));
    QVERIFY(window.dialogs.boxes.isEmpty());
}

void TestFileCommands::saveWritesWindowSettings_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");

    QTest::newRow("name with .cfg") << "settings.cfg"
                                    << "settings.cfg";
    QTest::newRow("bare name gets .cfg") << "settings"
                                         << "settings.cfg";
    QTest::newRow("other extension kept") << "settings.txt"
                                          << "settings.txt";
}

void TestFileCommands::saveWritesWindowSettings() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    Window window;
    window.form->DecodeSettings(OtherSettings());
    window.dialogs.saveAnswers.enqueue(files_->filePath(typed));
    window.form->Control<QPushButton>("SaveButton")->click();

    QFile file(files_->filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), CfgText(OtherSettings()));
    QCOMPARE(window.ListLines("ListBox2"), CfgLines(OtherSettings()));
    QCOMPARE(window.form->StatusText(), Text(10014));
    QCOMPARE(window.dialogs.saveRequests.size(), 1);
    const FileDialogRequest& request = window.dialogs.saveRequests.constFirst();
    QCOMPARE(request.filters, QStringList({"Файлы конфигурации (*.cfg)", "Все файлы (*)"}));
    QCOMPARE(request.selectedFilter, 0);
    QCOMPARE(request.defaultSuffix, QStringLiteral("cfg"));
    QVERIFY(window.dialogs.boxes.isEmpty());
}

void TestFileCommands::saveThenLoadRestoresSettings_data() {
    QTest::addColumn<int>("workMode");
    QTest::addColumn<QByteArray>("extraText"); // appended to the saved file

    QTest::newRow("demo mode") << kDemoWindowMode << QByteArray();
    QTest::newRow("settings mode") << kSettingsWindowMode << QByteArray();
    QTest::newRow("258 lines, the last ignored") << kDemoWindowMode << QByteArray("junk\r\n");
}

void TestFileCommands::saveThenLoadRestoresSettings() {
    QFETCH(int, workMode);
    QFETCH(QByteArray, extraText);
    Window window;
    window.PickWorkMode(workMode);
    window.Hold(OtherSettings()); // the settings last loaded
    const QString path = files_->filePath("saved.cfg");
    window.dialogs.saveAnswers.enqueue(path);
    window.form->SaveButtonClick();
    if (!extraText.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write(extraText);
    }
    window.form->DefaultButtonClick();

    window.dialogs.openAnswers.enqueue(path);
    window.form->LoadButtonClick();

    QVERIFY(window.form->EncodeSettings() == OtherSettings());
    QCOMPARE(window.ListLines("ListBox2").mid(0, 257), CfgLines(OtherSettings()));
    // Not the loop-type warning the decoding raised: where the settings came from.
    QCOMPARE(window.form->StatusText(), "Настройки загружены из файла " + path);
    QVERIFY(window.dialogs.boxes.isEmpty());
}

void TestFileCommands::saveCancelledChangesNothing() {
    Window window;
    window.form->SetStatusText("before");
    window.form->Control<QListWidget>("ListBox2")->addItem("line");
    window.form->SaveButtonClick();

    QCOMPARE(window.dialogs.saveRequests.size(), 1);
    QCOMPARE(window.form->StatusText(), QStringLiteral("before"));
    QCOMPARE(window.ListLines("ListBox2"), QStringList{"line"});
    QVERIFY(QDir(files_->path()).isEmpty());
}

// A failed save shows the reason and leaves whatever stood at the target as it was: no file, the
// old file byte for byte (a full disk stops the write part-way), a FIFO.
void TestFileCommands::saveFailureShowsExceptionBox_data() {
    QTest::addColumn<QString>("code");     // typed into the disabled CodeTM3, unfiltered
    QTest::addColumn<QString>("fileName"); // relative to a folder that may not exist
    QTest::addColumn<QString>("source");   // what stands there, see MakeFile
    QTest::addColumn<QByteArray>("old");   // an old file's content
    QTest::addColumn<int>("sizeLimit");    // 0: none
    QTest::addColumn<QString>("error");    // the start of the box text
    QTest::addColumn<QString>("traceStart");

    QTest::newRow("identifier with a blank")
        << "12 4"
        << "saved.cfg" << QString() << QByteArray() << 0 << "'' '' не является целым числом"
        << "Number of TMs = 1";
    QTest::newRow("folder missing")
        << ""
        << "missing/saved.cfg" << QString() << QByteArray() << 0
        << "Не удалось создать файл \"%path\". Нет такого файла или папки"
        << "0";
    QTest::newRow("disk full: the old file stays")
        << ""
        << "saved.cfg" << QString() << CfgText(OtherSettings()) << 200
        << "Не удалось создать файл \"%path\". Файл слишком велик"
        << "0";
    QTest::newRow("FIFO at the target")
        << ""
        << "saved.cfg"
        << "fifo" << QByteArray() << 0
        << QStringLiteral("Не удалось создать файл \"%path\". ") + kNotRegular << "0";
}

void TestFileCommands::saveFailureShowsExceptionBox() {
    QFETCH(QString, code);
    QFETCH(QString, fileName);
    QFETCH(QString, source);
    QFETCH(QByteArray, old);
    QFETCH(int, sizeLimit);
    QFETCH(QString, error);
    QFETCH(QString, traceStart);
    const QString path = files_->filePath(fileName);
    MakeFile(source, path, old);
    Window window;
    auto* edit = window.form->Control<QLineEdit>("CodeTM3");
    edit->setEnabled(false); // the key page's filter leaves a disabled edit alone
    edit->setText(code);
    window.form->SetStatusText("before");
    window.dialogs.saveAnswers.enqueue(path);
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (sizeLimit > 0) {
            limit = std::make_unique<FileSizeLimit>(static_cast<rlim_t>(sizeLimit));
        }
        window.form->SaveButtonClick();
    }

    QCOMPARE(window.dialogs.boxes.size(), 1);
    const QString text = window.dialogs.boxes.constFirst().text;
    QVERIFY2(text.startsWith(error.replace("%path", path)), qPrintable(text));
    QCOMPARE(window.dialogs.boxes.constFirst().icon, BoxIcon::Error);
    QCOMPARE(window.form->StatusText(), QStringLiteral("before"));
    if (!old.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
    } else if (source == "fifo") {
        QVERIFY(IsFifo(path));
    } else {
        QVERIFY(!QFile::exists(path));
    }
    // No temporary file is left beside the target.
    QCOMPARE(QDir(files_->path())
                 .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System)
                 .size(),
             old.isEmpty() && source.isEmpty() ? 0 : 1);
    QCOMPARE(window.ListLines("ListBox2").value(0), traceStart);
}

// The box names the file ("%path") and, for a bad line, the line and its start; files that are
// not files or too large for a settings file are refused before they are read.
void TestFileCommands::loadFailureChangesNothing_data() {
    QTest::addColumn<QString>("source");     // see MakeFile
    QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
    QTest::addColumn<qint64>("size");        // of a sparse file
    QTest::addColumn<QString>("error");

    const QByteArray factory = CfgText(LoadCfgFile(FactoryDefaultsFile()));
    QTest::newRow("missing file")
        << QString() << QByteArray() << qint64(0)
        << "Не удалось открыть файл \"%path\". Нет такого файла или папки";
    QTest::newRow("256 lines") << QString()
                               << factory.left(factory.lastIndexOf("\r\n", factory.size() - 3) + 2)
                               << qint64(0)
                               << "В файле \"%path\" строк: 256, а в файле настроек их 257";
    QTest::newRow("number followed by a blank")
        << QString() << QByteArray("7 \r\n") + factory << qint64(0)
        << "''7 '' не является целым числом (файл \"%path\", строка 1)";
    QTest::newRow("empty line") << QString() << QByteArray("\r\n") + factory << qint64(0)
                                << "'''' не является целым числом (файл \"%path\", строка 1)";
    QTest::newRow("60 kB bad line")
        << QString() << QByteArray("1\r\n") + QByteArray(60 * 1000, '9') + "\r\n" + factory
        << qint64(0)
        << QStringLiteral("''%1\u2026'' не является целым числом (файл \"%path\", строка 2)")
               .arg(QString(40, '9'));
    QTest::newRow("NUL byte in a line")
        << QString()
        << QByteArray("1\r\n\x00"
                      "5\r\n",
                      6) +
               factory
        << qint64(0) << "''\\x005'' не является целым числом (файл \"%path\", строка 2)";
    QTest::newRow("FIFO") << "fifo" << QByteArray() << qint64(0)
                          << QStringLiteral("Не удалось открыть файл \"%path\". ") + kNotRegular;
    QTest::newRow("device node") << "/dev/null" << QByteArray() << qint64(0)
                                 << QStringLiteral("Не удалось открыть файл \"%path\". ") +
                                        kNotRegular;
    QTest::newRow("1 GiB sparse file") << "sparse" << factory << (qint64(1) << 30)
                                       << "Не удалось открыть файл \"%path\". В нём 1073741824 "
                                          "байт, а файл настроек не бывает больше "
                                          "65536 байт";
}

void TestFileCommands::loadFailureChangesNothing() {
    QFETCH(QString, source);
    QFETCH(QByteArray, content);
    QFETCH(qint64, size);
    QFETCH(QString, error);
    const QString path = source.startsWith('/') ? source : files_->filePath("bad.cfg");
    MakeFile(source, path, content, size);
    error.replace("%path", path);
    Window window;
    window.Hold(OtherSettings()); // the settings last loaded
    window.Tick("onekeymode3");
    window.dialogs.openAnswers.enqueue(path);
    window.form->LoadButtonClick();

    QCOMPARE(window.dialogs.boxes.size(), 1);
    QVERIFY2(window.dialogs.boxes.constFirst().text.startsWith(error),
             qPrintable(window.dialogs.boxes.constFirst().text));
    QCOMPARE(window.dialogs.boxes.constFirst().text, error);
    QCOMPARE(window.dialogs.boxes.constFirst().icon, BoxIcon::Error);
    QVERIFY(window.form->EncodeSettings() == OtherSettings());
    QVERIFY(window.Checked("onekeymode3"));
}

void TestFileCommands::loadUnticksOneKeyModesAlsoOnCancel_data() {
    QTest::addColumn<bool>("cancel");

    QTest::newRow("cancelled") << true;
    QTest::newRow("loaded") << false;
}

void TestFileCommands::loadUnticksOneKeyModesAlsoOnCancel() {
    QFETCH(bool, cancel);
    Window window;
    window.Tick("OnekeymodeAll");
    if (!cancel) {
        window.dialogs.openAnswers.enqueue(FactoryDefaultsFile());
    }
    window.form->LoadButtonClick();

    QVERIFY(!window.Checked("OnekeymodeAll"));
    for (int key = 1; key <= kKeys; ++key) {
        QVERIFY2(!window.Checked("onekeymode" + QString::number(key)),
                 qPrintable(QString::number(key)));
    }
    QCOMPARE(window.dialogs.openRequests.size(), 1);
    const FileDialogRequest& request = window.dialogs.openRequests.constFirst();
    QCOMPARE(request.defaultSuffix, QStringLiteral("cfg"));
    QCOMPARE(request.selectedFilter, 0);
    QCOMPARE(request.filters,
             QStringList({"Файлы конфигурации (*.cfg)", "Файлы прошивок (*.tsk)"}));
    QCOMPARE(request.directory, QString());
}

void TestFileCommands::loadWithoutWorkModeDoesNothing() {
    MainFormDeps deps;
    RecordingDialogs dialogs;
    deps.dialogs = &dialogs;
    TMainForm form(std::move(deps));
    form.FormCreate();
    form.LoadButtonClick();
    QVERIFY(dialogs.openRequests.isEmpty());
}

// One-key mode copies a key's arm boxes over its disarm boxes whenever an arm box changes; the
// modes are switched off before the file's keys are set, so the file's disarm rights stay.
void TestFileCommands::loadKeepsDisarmRightsOfKeysInOneKeyMode() {
    Window window;
    window.Tick("onekeymode1");
    window.Tick("onekeymode2");
    const QString path = files_->filePath("keys.cfg");
    SaveCfgFile(path, OtherSettings());
    window.dialogs.openAnswers.enqueue(path);
    window.form->LoadButtonClick();

    QVERIFY(window.form->EncodeSettings() == OtherSettings());
    QVERIFY(!window.Checked("onekeymode1"));
    QVERIFY(!window.Checked("onekeymode2"));
    QVERIFY(window.form->Control<QCheckBox>("shsn11")->isEnabled());
}

void TestFileCommands::loadingFewerKeysEmptiesRemainingRows() {
    Window window;
    SettingsImage many = OtherSettings();
    many[0] = 5;
    for (std::size_t offset = 17; offset <= 40; ++offset) {
        many[offset] = 0x77;
    }
    window.Hold(many); // the settings last loaded
    const QString path = files_->filePath("two keys.cfg");
    SaveCfgFile(path, OtherSettings());
    window.dialogs.openAnswers.enqueue(path);
    window.form->LoadButtonClick();

    QCOMPARE(window.form->Control<QLineEdit>("CodeTM2")->text(), QStringLiteral("0C0D0E0F0001"));
    for (int key = 3; key <= 5; ++key) {
        QCOMPARE(window.form->Control<QLineEdit>("CodeTM" + QString::number(key))->text(),
                 QString());
        QVERIFY(!window.Checked("shvz" + QString::number(key) + "1"));
    }
    QVERIFY(window.form->EncodeSettings() == OtherSettings());
}

void TestFileCommands::firmwareFileOutcomes_data() {
    QTest::addColumn<int>("deviceType");
    QTest::addColumn<int>("devicePlatform");
    QTest::addColumn<QString>("source");     // see MakeFile
    QTest::addColumn<QByteArray>("content"); // empty: no such file
    QTest::addColumn<qint64>("size");        // of a sparse file
    QTest::addColumn<int>("boxMessage");     // 0: no box
    QTest::addColumn<QString>("reason");     // for message 10041: why the file was refused
    QTest::addColumn<QString>("status");     // "=": unchanged
    QTest::addColumn<QString>("fileType");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("accepted");

    const QString error = Text(10001) + " ";
    QTest::newRow("accepted 580 file")
        << 580 << 7 << QString() << FirmwareFile(kModel580, 7, 128) << qint64(0) << 0 << QString()
        << "=" << Text(10012) << "1_2_3" << true;
    QTest::newRow("13 bytes, no payload")
        << 580 << 7 << QString() << FirmwareFile(kModel580, 7, 0, 0x0A0B0C) << qint64(0) << 0
        << QString() << "=" << Text(10012) << "10_11_12" << true;
    QTest::newRow("type mismatch") << 580 << 7 << QString() << FirmwareFile(581, 7, 64) << qint64(0)
                                   << 10010 << QString() << error + Text(10010) << ""
                                   << "" << false;
    QTest::newRow("platform mismatch")
        << 580 << 7 << QString() << FirmwareFile(kModel580, 8, 64) << qint64(0) << 10011
        << QString() << error + Text(10011) << ""
        << "" << false;
    QTest::newRow("type 0 before any identification")
        << 0 << 0 << QString() << FirmwareFile(0, 0, 64) << qint64(0) << 0 << QString()
        << error + Text(10013) << "0"
        << "" << false;
    QTest::newRow("matching type that is not a 580")
        << 581 << 3 << QString() << FirmwareFile(581, 3, 64) << qint64(0) << 0 << QString()
        << error + Text(10013) << "581"
        << "" << false;
    QTest::newRow("shorter than 13 bytes")
        << 580 << 7 << QString() << FirmwareFile(kModel580, 7, 0).left(12) << qint64(0) << 10041
        << "файл поврежден или это не файл ПО прибора (12 байт, меньше заголовка и конца файла ПО: "
           "13 байт)"
        << Text(10041) << ""
        << "" << false;
    QTest::newRow("header cut short")
        << 580 << 7 << QString() << FirmwareFile(kModel580, 7, 0).left(5) << qint64(0) << 10041
        << "файл поврежден или это не файл ПО прибора (5 байт, меньше заголовка и конца файла ПО: "
           "13 байт)"
        << Text(10041) << ""
        << "" << false;
    QTest::newRow("payload not whole blocks")
        << 580 << 7 << QString() << FirmwareFile(kModel580, 7, 70) << qint64(0) << 10041
        << "файл поврежден или это не файл ПО прибора (83 байт, а данные ПО идут целыми блоками по "
           "64 байта)"
        << Text(10041) << ""
        << "" << false;
    QTest::newRow("no such file") << 580 << 7 << QString() << QByteArray() << qint64(0) << 10041
                                  << "Нет такого файла или папки" << Text(10041) << ""
                                  << "" << false;
    const QByteArray header = FirmwareFile(kModel580, 7, 0);
    const QString tooManyBlocks =
        "%1 байт: 65536 блоков, а число блоков должно уместиться в 16 бит (не больше 65535)";
    QTest::newRow("largest size whose block count fits 16 bits")
        << 580 << 7 << "sparse" << header << kLargestCountableFirmware << 10041
        << "файл поврежден или это не файл ПО прибора (4194252 байт, а данные ПО идут целыми "
           "блоками по 64 байта)"
        << Text(10041) << ""
        << "" << false;
    QTest::newRow("one byte more: the block count does not fit 16 bits")
        << 580 << 7 << "sparse" << header << kLargestCountableFirmware + 1 << 10041
        << tooManyBlocks.arg(kLargestCountableFirmware + 1) << Text(10041) << ""
        << "" << false;
    QTest::newRow("1 GiB sparse file")
        << 580 << 7 << "sparse" << header << (qint64(1) << 30) << 10041
        << "1073741824 байт: 16777216 блоков, а число блоков должно уместиться в 16 бит (не больше "
           "65535)"
        << Text(10041) << ""
        << "" << false;
    QTest::newRow("FIFO") << 580 << 7 << "fifo" << QByteArray() << qint64(0) << 10041 << kNotRegular
                          << Text(10041) << ""
                          << "" << false;
    QTest::newRow("device node") << 580 << 7 << "/dev/null" << QByteArray() << qint64(0) << 10041
                                 << kNotRegular << Text(10041) << ""
                                 << "" << false;
}

void TestFileCommands::firmwareFileOutcomes() {
    QFETCH(int, deviceType);
    QFETCH(int, devicePlatform);
    QFETCH(QString, source);
    QFETCH(QByteArray, content);
    QFETCH(qint64, size);
    QFETCH(int, boxMessage);
    QFETCH(QString, reason);
    QFETCH(QString, status);
    QFETCH(QString, fileType);
    QFETCH(QString, version);
    QFETCH(bool, accepted);
    const QString path = source.startsWith('/') ? source : files_->filePath("update.tsk");
    MakeFile(source, path, content, size);
    Window window;
    window.FirmwareModeFor(deviceType, devicePlatform);
    const QString statusBefore = window.form->StatusText();
    window.dialogs.openAnswers.enqueue(path);
    window.form->LoadButtonClick();

    QCOMPARE(window.dialogs.openRequests.size(), 1);
    const FileDialogRequest& request = window.dialogs.openRequests.constFirst();
    QCOMPARE(request.defaultSuffix, QStringLiteral("tsk"));
    QCOMPARE(request.selectedFilter, 1);
    QCOMPARE(request.directory, QStringLiteral("Base"));

    QCOMPARE(window.dialogs.boxes.size(), boxMessage == 0 ? 0 : 1);
    if (boxMessage != 0) {
        const MessageBoxRequest& box = window.dialogs.boxes.constFirst();
        QCOMPARE(box.text, reason.isEmpty() ? Text(boxMessage)
                                            : Text(boxMessage) + "\n" + path + ": " + reason);
        QCOMPARE(box.caption, Text(10001));
        QCOMPARE(box.icon, BoxIcon::Error);
        QCOMPARE(box.buttons, BoxButtons::Ok);
    }
    QCOMPARE(window.form->StatusText(), status == "=" ? statusBefore : status);
    const bool refused = boxMessage == 10041;
    const bool described = !refused && boxMessage == 0;
    QCOMPARE(window.Label("FileLabel"), refused ? QString() : QFileInfo(path).absoluteFilePath());
    QCOMPARE(window.Label("FileTypeLabel"), fileType);
    QCOMPARE(window.Label("VersionLabel"), version);
    QCOMPARE(window.Label("SizeLabel"), described ? QString::number(content.size()) : QString());
    QCOMPARE(window.Label("DateLabel").isEmpty(), !described);
    QCOMPARE(window.form->Control<QPushButton>("WriteButton")->isEnabled(), accepted);
    QCOMPARE(window.form->FirmwareImage(), accepted ? Bytes(content) : std::vector<uint8_t>{});
}

void TestFileCommands::laterFirmwareFileKeepsAcceptedImage_data() {
    QTest::addColumn<QByteArray>("second"); // empty: no such file
    QTest::addColumn<bool>("replaces");
    QTest::addColumn<QString>("version"); // the version label afterwards

    QTest::newRow("type mismatch") << FirmwareFile(581, 7, 64) << false << "";
    QTest::newRow("no such file") << QByteArray() << false << "1_2_3";
    QTest::newRow("ragged payload") << FirmwareFile(kModel580, 7, 65) << false << "1_2_3";
    QTest::newRow("another accepted file")
        << FirmwareFile(kModel580, 7, 192, 0x020000) << true << "2_0_0";
}

void TestFileCommands::laterFirmwareFileKeepsAcceptedImage() {
    QFETCH(QByteArray, second);
    QFETCH(bool, replaces);
    QFETCH(QString, version);
    const QByteArray first = FirmwareFile(kModel580, 7, 64);
    WriteFile(files_->filePath("first.tsk"), first);
    if (!second.isEmpty()) {
        WriteFile(files_->filePath("second.tsk"), second);
    }
    Window window;
    window.FirmwareModeFor(kModel580, 7);
    window.dialogs.openAnswers.enqueue(files_->filePath("first.tsk"));
    window.form->LoadButtonClick();
    QVERIFY(window.form->Control<QPushButton>("WriteButton")->isEnabled());

    window.dialogs.openAnswers.enqueue(files_->filePath("second.tsk"));
    window.form->LoadButtonClick();

    QCOMPARE(window.form->FirmwareImage(), Bytes(replaces ? second : first));
    QVERIFY(window.form->Control<QPushButton>("WriteButton")->isEnabled());
    QCOMPARE(window.Label("VersionLabel"), version);
}

// A refused firmware file, then a good one: the status bar no longer says the firmware was not
// loaded, but that the good file was accepted.
void TestFileCommands::acceptedFirmwareFileReplacesRefusalInStatusBar_data() {
    QTest::addColumn<QByteArray>("refused"); // empty: no such file

    QTest::newRow("no such file") << QByteArray();
    QTest::newRow("ragged payload") << FirmwareFile(kModel580, 7, 65);
    QTest::newRow("type mismatch") << FirmwareFile(581, 7, 64);
    QTest::newRow("platform mismatch") << FirmwareFile(kModel580, 8, 64);
}

void TestFileCommands::acceptedFirmwareFileReplacesRefusalInStatusBar() {
    QFETCH(QByteArray, refused);
    if (!refused.isEmpty()) {
        WriteFile(files_->filePath("refused.tsk"), refused);
    }
    const QString good = files_->filePath("good.tsk");
    WriteFile(good, FirmwareFile(kModel580, 7, 64));
    Window window;
    window.FirmwareModeFor(kModel580, 7);
    window.dialogs.openAnswers.enqueue(files_->filePath("refused.tsk"));
    window.form->LoadButtonClick();
    const QString refusal = window.form->StatusText();
    QVERIFY(!refusal.isEmpty());

    window.dialogs.openAnswers.enqueue(good);
    window.form->LoadButtonClick();
    QCOMPARE(window.form->StatusText(), "Файл ПО принят: " + QDir::toNativeSeparators(good));
}

// The file's date and time in the short format of the window's language (Russian here), not the
// time of day alone.
void TestFileCommands::firmwareDateLabelShowsDateAndTime() {
    const QString path = files_->filePath("dated.tsk");
    WriteFile(path, FirmwareFile(kModel580, 7, 64));
    const QDateTime modified(QDate(2021, 3, 4), QTime(13, 47, 9));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    Window window;
    window.FirmwareModeFor(kModel580, 7);
    window.dialogs.openAnswers.enqueue(path);
    window.form->LoadButtonClick();

    QCOMPARE(window.Label("DateLabel"), QString("04.03.2021 13:47"));
}

void TestFileCommands::configurationLoadAfterFirmwareStartsInBase() {
    Window window;
    window.form->LoadButtonClick();
    window.PickWorkMode(kFirmwareWindowMode);
    window.form->LoadButtonClick();
    window.PickWorkMode(kDemoWindowMode);
    window.form->LoadButtonClick();

    QCOMPARE(window.dialogs.openRequests.size(), 3);
    QCOMPARE(window.dialogs.openRequests[0].directory, QString());
    QCOMPARE(window.dialogs.openRequests[1].directory, QStringLiteral("Base"));
    QCOMPARE(window.dialogs.openRequests[2].directory, QStringLiteral("Base"));
    QCOMPARE(window.dialogs.openRequests[2].defaultSuffix, QStringLiteral("cfg"));
}

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
