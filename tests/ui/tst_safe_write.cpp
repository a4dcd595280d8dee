// The safeguards of the window's writes against the simulated model 580 on a pseudo-terminal:
// the device's settings read first and the changes reviewed ("Отмена" writes nothing), the
// device's settings kept in the history before the first block, the settings read back and
// compared after the write, the firmware write confirmed, and the history's list, views, load
// and save; a close during the read back ends the write with nothing after it.

#include "recording_dialogs.h"
#include "settings_model_support.h"
#include "sim_window_rig.h"
#include "window_test_support.h"

#include "settings/cfg_format.h"
#include "settings/settings_diff.h"
#include "settings/settings_fingerprint.h"
#include "ui/main_form.h"
#include "ui/shell_services.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

using velor::settings::DiffSettings;
using velor::settings::FieldChange;
using velor::settings::ShortFingerprint;
using velor::sim::Bytes;
using velor::sim::SimDevice;
using velor::sim::SimState;
using namespace sim_window;

namespace {

constexpr int kEntryDelaySeconds = 20; // loop 1's entry delay in the device; the window has 0
constexpr std::size_t kEntryLoop1Offset = 248;
constexpr uint8_t kCorruptValue = 77;

Bytes BytesOf(const SettingsImage& image) {
    return {image.bytes().begin(), image.bytes().end()};
}

SettingsImage ImageOf(const Bytes& bytes) {
    SettingsImage image;
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.bytes().begin());
    return image;
}

// The factory settings with one field changed: what the device holds before the write.
SettingsImage DeviceSettings() {
    SettingsImage image = LoadCfgFile(FactoryDefaultsFile());
    image.SetDelaySeconds(Delay::EntryLoop1, kEntryDelaySeconds);
    return image;
}

// Shell services that only keep the review choice, as the INI file would.
class ReviewChoiceShell : public ShellServices {
public:
    HelpLocation HelpFile() const override { return {}; }
    void ShowAboutBox() override {}
    void CheckLanguageLibraries() const override {}
    LanguageChoice SelectResourceLocale(QWidget*) override { return {}; }
    bool ReviewBeforeWrite() const override { return review; }
    QString SetReviewBeforeWrite(bool on) override {
        review = on;
        return {};
    }
    bool review = true;
};

// The window connected in the settings work mode to a device holding DeviceSettings(), its
// history in a folder of the test's own.
class SafeRig : public Rig {
public:
    explicit SafeRig(const QString& historyFolder, SimState state = WithDeviceSettings(),
                     ShellServices* shell = nullptr)
        : Rig(std::move(state), [historyFolder, shell](MainFormDeps& deps) {
              deps.historyFolder = historyFolder;
              deps.shell = shell;
          }) {}

    static SimState WithDeviceSettings() {
        SimState state;
        state.settings = BytesOf(DeviceSettings());
        return state;
    }
    SettingsImage Stored() {
        return ImageOf(Sim([](SimDevice& d) { return d.State().settings; }));
    }
    QStringList BoxesWith(const QString& text) const { return Boxes().filter(text); }
};

QStringList Snapshots(const QString& folder) {
    return QDir(folder).entryList({"*.cfg"}, QDir::Files);
}

} // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT

private slots:
    void init();
    void reviewListsTheChangesAndCancelWritesNothing();
    void writeKeepsTheDevicesSettingsAndVerifies();
    void verifyMismatchIsAFailure();
    void reviewCanBeTurnedOff();
    void snapshotThatCannotBeSavedStopsTheWrite();
    void firmwareWriteIsConfirmed();
    void historyShowsComparesLoadsAndSaves();
    void closeDuringTheReadBackEndsTheWrite();
    void reviewWarnsOfWhatTheDeviceWouldNotKeep_data();
    void reviewWarnsOfWhatTheDeviceWouldNotKeep();
    void firmwareOpenedBeforeTheConnectionIsCheckedThen();

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString history_;
};

void TestSafeWrite::init() {
    LoadBuiltInCatalogue();
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(PrepareFactoryFolder(*folder_));
    history_ = folder_->filePath("history");
}

// The list holds exactly the field the window changes, device value → window value, with both
// fingerprints; "Отмена" sends no write block and keeps no snapshot.
void TestSafeWrite::reviewListsTheChangesAndCancelWritesNothing() {
    SafeRig rig(history_);
    QVERIFY(rig.Connect(kSettingsMode));
    const SettingsImage window = rig.form->EncodeSettings();
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);
    rig.dialogs.reviewAnswers.enqueue({false, true});
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());

    QCOMPARE(rig.dialogs.reviews.size(), 1);
    const WriteReviewRequest& review = rig.dialogs.reviews.first();
    QCOMPARE(ChangeKeys(review.changes), QStringList{"loops[1].entry_delay_s"});
    QCOMPARE(review.changes.front().before, QString("20 с"));
    QCOMPARE(review.changes.front().after, QString("0 с"));
    QCOMPARE(review.deviceFingerprint, ShortFingerprint(DeviceSettings()));
    QCOMPARE(review.windowFingerprint, ShortFingerprint(window));
    QVERIFY(review.device.startsWith("580"));

    QCOMPARE(Started(spy), QList<int>{int(Operation::ReadSettings)});
    QCOMPARE(rig.Stored(), DeviceSettings());
    QVERIFY(Snapshots(history_).isEmpty());
    QVERIFY(rig.Boxes().isEmpty()); // the read's success box is left out
    QCOMPARE(rig.form->StatusText(), QString("Запись отменена: в прибор ничего не записано"));
    QCOMPARE(rig.form->EncodeSettings(), window); // the window is as it was
    QVERIFY(rig.form->FindControl("WriteButton")->isEnabled());
}

// The snapshot is the device's previous settings byte for byte, with its record beside it; the
// read back matches and the write's box comes after it.
void TestSafeWrite::writeKeepsTheDevicesSettingsAndVerifies() {
    SafeRig rig(history_);
    QVERIFY(rig.Connect(kSettingsMode));
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());

    const QStringList snapshots = Snapshots(history_);
    QCOMPARE(snapshots.size(), 1);
    QVERIFY2(snapshots.first().endsWith("_580_3_1_7.cfg"), qPrintable(snapshots.first()));
    const QString snapshot = QDir(history_).filePath(snapshots.first());
    QCOMPARE(LoadCfgFile(snapshot), DeviceSettings());
    QFile record(QString(snapshot).replace(".cfg", ".json"));
    QVERIFY(record.open(QIODevice::ReadOnly));
    QVERIFY(record.readAll().contains(velor::settings::Fingerprint(DeviceSettings()).toLatin1()));

    QCOMPARE(rig.Stored(), rig.form->EncodeSettings());
    QCOMPARE(Started(spy),
             (QList<int>{int(Operation::ReadSettings), int(Operation::WriteSettings),
                         int(Operation::ConnectSettings), int(Operation::ReadSettings)}));
    QCOMPARE(rig.Boxes(), QStringList{Text(10035)});
    QVERIFY2(rig.form->StatusText().startsWith("Запись настроек проверена"),
             qPrintable(rig.form->StatusText()));
}

// A device that keeps another value than it was sent: the write is a failure, the box names
// the field with the value sent and the value kept, and the snapshot is the way back.
void TestSafeWrite::verifyMismatchIsAFailure() {
    SimState state = SafeRig::WithDeviceSettings();
    state.behaviour.storeCorruptions.push_back({kEntryLoop1Offset, kCorruptValue});
    SafeRig rig(history_, state);
    QVERIFY(rig.Connect(kSettingsMode));
    const SettingsImage sent = rig.form->EncodeSettings();
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());

    SettingsImage kept = sent;
    kept[kEntryLoop1Offset] = kCorruptValue;
    const std::vector<FieldChange> differences = DiffSettings(sent, kept);
    QCOMPARE(ChangeKeys(differences), QStringList{"loops[1].entry_delay_s"});
    QCOMPARE(rig.Boxes().size(), 1);
    const MessageBoxRequest& box = rig.dialogs.boxes.first();
    QCOMPARE(box.icon, BoxIcon::Error);
    QVERIFY2(box.text.startsWith("Прибор сохранил не то, что было записано"), qPrintable(box.text));
    QVERIFY2(box.text.contains(velor::settings::ChangeLine(differences.front())),
             qPrintable(box.text));
    QVERIFY2(box.text.contains(Snapshots(history_).value(0)), qPrintable(box.text));
    QCOMPARE(rig.form->StatusText(), QString("Прибор сохранил не то, что было записано"));
    QVERIFY(rig.BoxesWith(Text(10035)).isEmpty());
}

// The choice not to see the list is kept; the read before the write and the snapshot stay.
void TestSafeWrite::reviewCanBeTurnedOff() {
    ReviewChoiceShell shell;
    SafeRig rig(history_, SafeRig::WithDeviceSettings(), &shell);
    QVERIFY(rig.Connect(kSettingsMode));
    rig.dialogs.reviewAnswers.enqueue({true, false});
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());
    QVERIFY(!shell.review);
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());

    QCOMPARE(rig.dialogs.reviews.size(), 1);
    QCOMPARE(Snapshots(history_).size(), 2);
    QCOMPARE(rig.Boxes(), QStringList(2, Text(10035)));
}

// Without a way back the write does not start: a file stands where the folder would be.
void TestSafeWrite::snapshotThatCannotBeSavedStopsTheWrite() {
    QFile blocker(history_);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SafeRig rig(history_);
    QVERIFY(rig.Connect(kSettingsMode));
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());

    QCOMPARE(Started(spy), QList<int>{int(Operation::ReadSettings)});
    QCOMPARE(rig.Stored(), DeviceSettings());
    QCOMPARE(rig.Boxes().size(), 1);
    QVERIFY2(rig.Boxes().first().contains("Запись не начата"), qPrintable(rig.Boxes().first()));
    QCOMPARE(rig.form->StatusText(),
             QString("Запись отменена: снимок настроек прибора не сохранен"));
}

// Before the first firmware block: the file's name, size, type, platform and fingerprint and the
// device's identity, with "Прошить" and "Отмена"; "Отмена" (the default) sends nothing.
void TestSafeWrite::firmwareWriteIsConfirmed() {
    SafeRig rig(history_);
    QVERIFY(rig.Connect(kFirmwareMode));
    std::vector<uint8_t> image{0x44, 0x02, 0x05, 0x00, 3, 1, 8, 0xA1, 0xA2, 0xA3, 0xA4};
    image.insert(image.end(), 64, 0x5A);
    image.insert(image.end(), {0xEE, 0xFF});
    const QString path = folder_->filePath("Base/update.tsk");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(image.data()), qint64(image.size()));
    file.close();
    rig.dialogs.openAnswers.enqueue(path);
    rig.form->LoadButtonClick();
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());

    QCOMPARE(rig.dialogs.boxes.size(), 1);
    const MessageBoxRequest& box = rig.dialogs.boxes.first();
    QCOMPARE(box.buttons, BoxButtons::OkCancel);
    QCOMPARE(box.defaultButton, BoxResult::Cancel);
    QCOMPARE(box.okText, QString("&Прошить"));
    for (const QString& part : {QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                                QString("Размер: %1 байт").arg(image.size()),
                                QString("Тип устройства: 580, платформа: 5"),
                                QString("Отпечаток файла: %1").arg(ShortFingerprint(image)),
                                QString("Подключенный прибор: тип 580, версия ПО 3_1_7")}) {
        QVERIFY2(box.text.contains(part), qPrintable(box.text + "\n-- " + part));
    }
    QVERIFY(Started(spy).isEmpty());
    QVERIFY(!rig.Sim([](SimDevice& d) { return d.State().firmware.has_value(); }));
    QCOMPARE(rig.form->StatusText(), QString("Смена ПО отменена: в прибор ничего не записано"));
}

// After a write the history lists its snapshot; its report and its comparison with the window
// read as the technician expects; it loads into the window and saves elsewhere unchanged.
void TestSafeWrite::historyShowsComparesLoadsAndSaves() {
    SafeRig rig(history_);
    QVERIFY(rig.Connect(kSettingsMode));
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());
    const QString snapshot = QDir(history_).filePath(Snapshots(history_).value(0));

    QString report;
    QString comparison;
    rig.dialogs.onHistory = [&](const HistoryRequest& request) {
        report = request.report(0);
        comparison = request.compare(0);
    };
    const QString copy = folder_->filePath("copy.cfg");
    rig.dialogs.saveAnswers.enqueue(copy);
    rig.dialogs.historyAnswers.enqueue({HistoryAction::SaveAs, 0, true});
    rig.form->HistoryButtonClick();

    QCOMPARE(rig.dialogs.histories.size(), 1);
    const HistoryRequest& request = rig.dialogs.histories.first();
    QCOMPARE(request.entries.size(), std::size_t(1));
    QCOMPARE(request.entries.front().fingerprint, ShortFingerprint(DeviceSettings()));
    QCOMPARE(request.entries.front().device, QString("580, версия ПО 3_1_7"));
    QVERIFY2(report.contains(ShortFingerprint(DeviceSettings())) && report.contains("Настройки ШС"),
             qPrintable(report));
    const std::vector<FieldChange> changes =
        DiffSettings(DeviceSettings(), rig.form->EncodeSettings());
    QVERIFY2(comparison.contains(velor::settings::ChangeLine(changes.front())),
             qPrintable(comparison));
    QCOMPARE(LoadCfgFile(copy), DeviceSettings());

    rig.dialogs.historyAnswers.enqueue({HistoryAction::Load, 0, true});
    rig.form->HistoryButtonClick();
    QCOMPARE(rig.form->EncodeSettings(), DeviceSettings());
    QVERIFY(rig.form->StatusText().contains(QDir::toNativeSeparators(snapshot)));
}

// The technician confirms the close while the settings are read back after the write: the window
// waits for the read, closes, and nothing follows it (no comparison, no box of the write). The
// device keeps what was written.
void TestSafeWrite::closeDuringTheReadBackEndsTheWrite() {
    SafeRig rig(history_);
    QVERIFY(rig.Connect(kSettingsMode));
    rig.form->show();
    rig.ConfirmClose();
    const SettingsImage sent = rig.form->EncodeSettings();
    QSignalSpy spy(rig.form.get(), &TMainForm::operationStarted);
    int reads = 0;
    std::optional<bool> closed;
    bool runningAfterClose = true;
    QObject::connect(rig.form.get(), &TMainForm::operationStarted, rig.form.get(),
                     [&](Operation started) {
                         if (started == Operation::ReadSettings && ++reads == 2) {
                             QTimer::singleShot(0, rig.form.get(), [&] {
                                 closed = rig.form->close();
                                 runningAfterClose = rig.form->IsOperationRunning();
                             });
                         }
                     });
    rig.form->WriteButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(closed.has_value(), kWaitMs);

    QVERIFY(*closed);
    QVERIFY(!runningAfterClose);
    QCOMPARE(Started(spy),
             (QList<int>{int(Operation::ReadSettings), int(Operation::WriteSettings),
                         int(Operation::ConnectSettings), int(Operation::ReadSettings)}));
    QCOMPARE(rig.Boxes(), QStringList{Text(kMsgConfirmClose)});
    QCOMPARE(rig.Stored(), sent);
    QVERIFY2(!rig.form->StatusText().startsWith("Запись настроек проверена"),
             qPrintable(rig.form->StatusText()));
}

// The check's findings in the settings about to be written come with the change list, as
// warnings; the write stays the technician's choice ("Записать" writes them).
void TestSafeWrite::reviewWarnsOfWhatTheDeviceWouldNotKeep_data() {
    QTest::addColumn<QStringList>("codes"); // typed into CodeTM1, CodeTM2, ...
    QTest::addColumn<QStringList>("warnings");
    QTest::newRow("nothing to warn of") << QStringList{} << QStringList{};
    QTest::newRow("a key with no rights")
        << QStringList{"0123456789AB"}
        << QStringList{"у ключа нет прав ни на взятие, ни на снятие"};
    QTest::newRow("two keys with one code")
        << QStringList{"0123456789AB", "0123456789AB"}
        << QStringList{"у ключа нет прав ни на взятие, ни на снятие", "тот же код, что у ключа 1",
                       "у ключа нет прав ни на взятие, ни на снятие"};
}

void TestSafeWrite::reviewWarnsOfWhatTheDeviceWouldNotKeep() {
    QFETCH(QStringList, codes);
    QFETCH(QStringList, warnings);
    SafeRig rig(history_);
    QVERIFY(rig.Connect(kSettingsMode));
    for (int key = 1; key <= codes.size(); ++key) {
        rig.Code(key)->setText(codes.at(key - 1));
    }
    const SettingsImage window = rig.form->EncodeSettings();
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());

    QCOMPARE(rig.dialogs.reviews.size(), 1);
    const QStringList shown = rig.dialogs.reviews.first().warnings;
    QCOMPARE(shown.size(), warnings.size());
    for (int i = 0; i < warnings.size(); ++i) {
        QVERIFY2(shown.at(i).contains(warnings.at(i)), qPrintable(shown.join('\n')));
    }
    QCOMPARE(rig.Stored(), window); // answered "Записать": written all the same
}

// A firmware file opened before any connection (dropped, or named on the command line) waits
// in the firmware window mode; the connection checks it against the device and makes it ready.
void TestSafeWrite::firmwareOpenedBeforeTheConnectionIsCheckedThen() {
    SafeRig rig(history_);
    std::vector<uint8_t> image{0x44, 0x02, 0x05, 0x00, 3, 1, 8, 0xA1, 0xA2, 0xA3, 0xA4};
    image.insert(image.end(), 64, 0x5A);
    image.insert(image.end(), {0xEE, 0xFF});
    const QString path = folder_->filePath("update.tsk");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(image.data()), qint64(image.size()));
    file.close();
    rig.form->OpenFile(path);
    QVERIFY(rig.form->IsFirmwareMode());
    QVERIFY(!rig.form->FindControl("WriteButton")->isEnabled());

    rig.form->ConnectButtonClick();
    QVERIFY(rig.WaitIdle());
    QTRY_COMPARE_WITH_TIMEOUT(rig.Label("FileTypeLabel"), QString("ПО для Велор-580"), kWaitMs);
    QCOMPARE(rig.Label("VersionLabel"), QString("3_1_8"));
    QVERIFY(rig.form->FindControl("WriteButton")->isEnabled());
    QVERIFY(rig.Boxes().isEmpty());
}

QTEST_MAIN(TestSafeWrite)
#include "tst_safe_write.moc"
