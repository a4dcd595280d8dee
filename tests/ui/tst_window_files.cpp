// The window and the technician's files: a question before changed settings are replaced (by the
// factory settings, a loaded file or the close) with Ctrl+Z as the way back, where the file
// dialogs start and which settings files the load offers again, and a file dropped onto the
// window.

#include "recording_dialogs.h"
#include "window_driver.h"
#include "window_test_support.h"

#include "catalogue/message_catalogue.h"
#include "settings/cfg_format.h"
#include "settings/settings_history.h"
#include "ui/main_form.h"
#include "ui/shell_services.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

constexpr int kDemoWindowMode = 2;
constexpr int kFirmwareWindowMode = 1;
const QString kSaveQuestion = QStringLiteral("Сохранить изменения в файл?");

// Shell services that keep the file places in memory, as the INI file would.
class PlacesShell : public ShellServices {
public:
    HelpLocation HelpFile() const override { return {}; }
    void ShowAboutBox() override {}
    void CheckLanguageLibraries() const override {}
    LanguageChoice SelectResourceLocale(QWidget*) override { return {}; }
    velor::FilePlaces FilePlaces() const override { return places; }
    QString SetFilePlaces(const velor::FilePlaces& kept) override {
        places = kept;
        return {};
    }
    velor::FilePlaces places;
};

// The window as the program opens it, in the demo window mode, shown and active so that clicks
// and keys reach it as a technician's do.
struct FilesWindow {
    explicit FilesWindow(const QString& startFolder = {}, velor::FilePlaces places = {},
                         const QString& historyFolder = {}) {
        shell.places = std::move(places);
        driver = std::make_unique<WindowDriver>([&](MainFormDeps& deps) {
            deps.shell = &shell;
            deps.startFolder = startFolder;
            deps.historyFolder = historyFolder;
        });
        form = driver->form.get();
        form->FormCreate();
        form->show();
        form->activateWindow();
        active = QTest::qWaitForWindowActive(form);
        form->FormActivate();
    }

    // A click on the button lock's other choice: the settings now differ from the factory ones.
    void Change() {
        for (QRadioButton* button :
             form->FindControl("KBBlockRadioGroup")->findChildren<QRadioButton*>()) {
            if (!button->isChecked()) {
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
                return;
            }
        }
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form->windowHandle(), key, modifiers);
    }
    QStringList Boxes() const {
        QStringList texts;
        for (const MessageBoxRequest& box : dialogs().boxes) {
            texts << box.text;
        }
        return texts;
    }
    RecordingDialogs& dialogs() const { return driver->dialogs; }

    PlacesShell shell;
    std::unique_ptr<WindowDriver> driver;
    TMainForm* form = nullptr;
    bool active = false;
};

// Settings other than the factory ones, as a file.
SettingsImage OtherSettings() {
    SettingsImage image = LoadCfgFile(FactoryDefaultsFile());
    image[251] = 40; // the re-arm time
    return image;
}

QMimeData* FileDrop(const QString& path) {
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(path)});
    return data;
}

// Drags the file onto the window and drops it there; false when the window refused the drag.
bool Drop(TMainForm& form, const QString& path) {
    std::unique_ptr<QMimeData> data(FileDrop(path));
    const QPoint at(form.width() / 2, form.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &drop);
    return drop.isAccepted();
}

} // namespace

class TestWindowFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void replacingChangedSettingsAsksFirst_data();
    void replacingChangedSettingsAsksFirst();
    void keptSettingsCloseWithoutAQuestion_data();
    void keptSettingsCloseWithoutAQuestion();
    void undoBringsBackWhatWasReplaced_data();
    void undoBringsBackWhatWasReplaced();
    void fileDialogsStartWhereTheUserKeepsFiles_data();
    void fileDialogsStartWhereTheUserKeepsFiles();
    void recentSettingsFilesAreOffered();
    void droppedFileOpens_data();
    void droppedFileOpens();

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString File(const QString& name) const { return folder_->filePath(name); }
};

void TestWindowFiles::init() {
    LoadBuiltInCatalogue();
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(PrepareFactoryFolder(*folder_));
    SaveCfgFile(File("other.cfg"), OtherSettings());
}

// command: the button pressed, or "close". answer: the button of the question (Save with a file
// chosen, or with the save dialog cancelled when "cancelSave"). proceeds: the command ran.
void TestWindowFiles::replacingChangedSettingsAsksFirst_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("cancelSave");
    QTest::addColumn<bool>("proceeds");
    for (const char* command : {"DefaultButton", "LoadButton", "close"}) {
        const QString name = QString::fromLatin1(command);
        QTest::addRow("%s: unchanged, no question", command)
            << name << false << int(BoxResult::Cancel) << false << true;
        QTest::addRow("%s: changed, Не сохранять", command)
            << name << true << int(BoxResult::Discard) << false << true;
        QTest::addRow("%s: changed, Отмена", command)
            << name << true << int(BoxResult::Cancel) << false << false;
        QTest::addRow("%s: changed, Сохранить", command)
            << name << true << int(BoxResult::Save) << false << true;
        QTest::addRow("%s: changed, Сохранить, save dialog cancelled", command)
            << name << true << int(BoxResult::Save) << true << false;
    }
}

void TestWindowFiles::replacingChangedSettingsAsksFirst() {
    QFETCH(QString, command);
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(bool, cancelSave);
    QFETCH(bool, proceeds);
    FilesWindow w;
    QVERIFY(w.active);
    if (changed) {
        w.Change();
    }
    const SettingsImage before = w.form->EncodeSettings();
    QCOMPARE(before == LoadCfgFile(FactoryDefaultsFile()), !changed);
    w.dialogs().answers.enqueue(static_cast<BoxResult>(answer));
    if (!cancelSave) {
        w.dialogs().saveAnswers.enqueue(File("kept.cfg"));
    }
    w.dialogs().openAnswers.enqueue(File("other.cfg"));

    bool ran = false;
    if (command == "close") {
        ran = w.form->close();
        QCOMPARE(w.form->isVisible(), !ran);
    } else {
        QTest::mouseClick(w.form->Control<QPushButton>(command), Qt::LeftButton);
        ran = command == "LoadButton" ? !w.dialogs().openRequests.isEmpty()
                                      : w.form->StatusText() == velor::BuiltInMessageText(10007);
    }

    QCOMPARE(ran, proceeds);
    QCOMPARE(w.Boxes(), changed ? QStringList{kSaveQuestion} : QStringList{});
    if (changed) {
        const MessageBoxRequest& box = w.dialogs().boxes.first();
        QCOMPARE(box.buttons, BoxButtons::SaveDiscardCancel);
        QCOMPARE(box.icon, BoxIcon::Question);
    }
    const bool saved = answer == int(BoxResult::Save) && !cancelSave && changed;
    QCOMPARE(QFile::exists(File("kept.cfg")), saved);
    if (saved) {
        QCOMPARE(LoadCfgFile(File("kept.cfg")), before);
    }
    if (!proceeds) {
        QCOMPARE(w.form->EncodeSettings(), before); // nothing replaced
    } else if (command == "LoadButton") {
        QCOMPARE(w.form->EncodeSettings(), OtherSettings());
    }
}

// Settings just saved, loaded or reset... are no reason to ask: the close goes without a box.
void TestWindowFiles::keptSettingsCloseWithoutAQuestion_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("saved after the change") << "save";
    QTest::newRow("loaded over the change") << "load";
    QTest::newRow("changed back by hand") << "back";
}

void TestWindowFiles::keptSettingsCloseWithoutAQuestion() {
    QFETCH(QString, how);
    FilesWindow w;
    QVERIFY(w.active);
    w.Change();
    if (how == "save") {
        w.dialogs().saveAnswers.enqueue(File("kept.cfg"));
        w.Press(Qt::Key_S, Qt::ControlModifier);
    } else if (how == "load") {
        w.dialogs().answers.enqueue(BoxResult::Discard);
        w.dialogs().openAnswers.enqueue(File("other.cfg"));
        w.Press(Qt::Key_O, Qt::ControlModifier);
    } else {
        w.Change(); // the fingerprint, not a flag: the same settings again are no change
    }
    const int boxesBefore = w.dialogs().boxes.size();
    QVERIFY(w.form->close());
    QCOMPARE(w.dialogs().boxes.size(), boxesBefore);
}

// One step back with Ctrl+Z after the factory settings or a load replaced changed settings: the
// settings come back, and so does the question on closing.
void TestWindowFiles::undoBringsBackWhatWasReplaced_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("factory settings") << "DefaultButton";
    QTest::newRow("settings file") << "LoadButton";
    QTest::newRow("history snapshot") << "HistoryButton";
}

void TestWindowFiles::undoBringsBackWhatWasReplaced() {
    QFETCH(QString, command);
    const QString history = File("history");
    SettingsHistory(history).Save(OtherSettings(), TVelorDevDesc{}, OtherSettings(),
                                  QDateTime::currentDateTime());
    FilesWindow w({}, {}, history);
    QVERIFY(w.active);
    w.Change();
    const SettingsImage edited = w.form->EncodeSettings();
    w.dialogs().answers.enqueue(BoxResult::Discard);
    w.dialogs().openAnswers.enqueue(File("other.cfg"));
    w.dialogs().historyAnswers.enqueue({HistoryAction::Load, 0, true});
    QTest::mouseClick(w.form->Control<QPushButton>(command), Qt::LeftButton);
    QVERIFY(w.form->EncodeSettings() != edited);
    QCOMPARE(w.Boxes(), QStringList{kSaveQuestion});

    w.Press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.form->EncodeSettings(), edited);
    QCOMPARE(w.form->StatusText(), QString("Прежние настройки возвращены в окно"));
    w.dialogs().answers.enqueue(BoxResult::Cancel);
    QVERIFY(!w.form->close());
    QCOMPARE(w.Boxes().last(), kSaveQuestion);

    w.Change(); // another edit, then Ctrl+Z again: one step only
    const SettingsImage later = w.form->EncodeSettings();
    w.Press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.form->EncodeSettings(), later);
}

// start: the folder the program names for the user's files (empty in a writable program folder);
// kept: the folders remembered from earlier choices. Then a file chosen in another folder is
// remembered for its kind only.
void TestWindowFiles::fileDialogsStartWhereTheUserKeepsFiles_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keptSettings");
    QTest::addColumn<QString>("keptFirmware");
    QTest::addColumn<QString>("settingsDialog");
    QTest::addColumn<QString>("firmwareDialog");
    QTest::newRow("program folder writable, first use") << ""
                                                        << ""
                                                        << ""
                                                        << ""
                                                        << "Base";
    QTest::newRow("program folder not writable, first use") << "%docs"
                                                            << ""
                                                            << ""
                                                            << "%docs"
                                                            << "%docs";
    QTest::newRow("folders chosen before") << "%docs"
                                           << "%cfgs"
                                           << "%fws"
                                           << "%cfgs"
                                           << "%fws";
    QTest::newRow("a folder chosen before that is gone") << "%docs"
                                                         << "%gone"
                                                         << "%fws"
                                                         << "%docs"
                                                         << "%fws";
}

void TestWindowFiles::fileDialogsStartWhereTheUserKeepsFiles() {
    QFETCH(QString, start);
    QFETCH(QString, keptSettings);
    QFETCH(QString, keptFirmware);
    QFETCH(QString, settingsDialog);
    QFETCH(QString, firmwareDialog);
    for (const char* sub : {"docs", "cfgs", "fws", "elsewhere"}) {
        QVERIFY(QDir(folder_->path()).mkpath(sub));
    }
    const auto place = [this](QString text) { return text.replace("%", folder_->path() + "/"); };
    velor::FilePlaces places;
    places.settingsFolder = place(keptSettings);
    places.firmwareFolder = place(keptFirmware);
    FilesWindow w(place(start), places);
    QVERIFY(w.active);

    w.Press(Qt::Key_O, Qt::ControlModifier); // cancelled
    w.Press(Qt::Key_S, Qt::ControlModifier); // cancelled
    w.driver->PickWorkMode(kFirmwareWindowMode);
    w.form->LoadButtonClick(); // cancelled
    QCOMPARE(w.dialogs().openRequests.size(), 2);
    QCOMPARE(w.dialogs().openRequests.at(0).directory, place(settingsDialog));
    QCOMPARE(w.dialogs().saveRequests.at(0).directory, place(settingsDialog));
    QCOMPARE(w.dialogs().openRequests.at(1).directory, place(firmwareDialog));

    w.driver->PickWorkMode(kDemoWindowMode);
    const QString elsewhere = folder_->filePath("elsewhere/other.cfg");
    QVERIFY(QFile::copy(File("other.cfg"), elsewhere));
    w.dialogs().openAnswers.enqueue(elsewhere);
    w.Press(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(w.shell.places.settingsFolder, folder_->filePath("elsewhere"));
    QCOMPARE(w.shell.places.firmwareFolder, place(keptFirmware));
    w.Press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w.dialogs().saveRequests.last().directory, folder_->filePath("elsewhere"));
}

// The last eight settings files loaded or saved, newest first and each once, in the menu of
// "Загрузить" (Ctrl+Shift+O); a number key loads that file.
void TestWindowFiles::recentSettingsFilesAreOffered() {
    FilesWindow w;
    QVERIFY(w.active);
    QStringList files;
    for (int n = 1; n <= 9; ++n) {
        SettingsImage image = OtherSettings();
        image[253] = static_cast<uint8_t>(n); // a file of its own settings each
        files << File(QString("f%1.cfg").arg(n));
        SaveCfgFile(files.last(), image);
        w.dialogs().openAnswers.enqueue(files.last());
        w.Press(Qt::Key_O, Qt::ControlModifier);
    }
    w.dialogs().openAnswers.enqueue(files.at(4)); // f5 again: it moves to the top
    w.Press(Qt::Key_O, Qt::ControlModifier);
    const QStringList expected{files[4], files[8], files[7], files[6],
                               files[5], files[3], files[2], files[1]};
    QCOMPARE(w.shell.places.recentFiles, expected);

    w.Press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    auto* menu = w.form->findChild<QMenu*>("RecentFilesMenu");
    QVERIFY(menu != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QStringList offered;
    for (const QAction* action : menu->actions()) {
        if (!action->data().toString().isEmpty()) {
            offered << action->data().toString();
        }
    }
    QCOMPARE(offered, expected);
    QTest::keyClick(menu, Qt::Key_3); // "&3": f8
    QCOMPARE(w.form->EncodeSettings(), LoadCfgFile(files[7]));
    QVERIFY(w.dialogs().boxes.isEmpty()); // loaded settings replaced: nothing to ask
}

// A .cfg dropped onto the window loads as "Загрузить" loads it (the demo window mode when no
// device is connected); a .tsk switches to the firmware window mode and waits for the device;
// other files are refused at the drag.
void TestWindowFiles::droppedFileOpens_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("startMode");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("windowMode");
    QTest::newRow("settings file in the demo window mode")
        << "other.cfg" << kDemoWindowMode << true << kDemoWindowMode;
    QTest::newRow("settings file in the firmware window mode")
        << "other.cfg" << kFirmwareWindowMode << true << kDemoWindowMode;
    QTest::newRow("firmware file")
        << "update.tsk" << kDemoWindowMode << true << kFirmwareWindowMode;
    QTest::newRow("another file") << "notes.txt" << kDemoWindowMode << false << kDemoWindowMode;
}

void TestWindowFiles::droppedFileOpens() {
    QFETCH(QString, file);
    QFETCH(int, startMode);
    QFETCH(bool, accepted);
    QFETCH(int, windowMode);
    FilesWindow w;
    QVERIFY(w.active);
    w.driver->PickWorkMode(startMode);
    QFile other(File(file));
    if (!other.exists()) {
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("\x44\x02\x05\x00\x03\x01\x08");
        other.close();
    }

    QCOMPARE(Drop(*w.form, File(file)), accepted);
    QCOMPARE(w.form->IsDemoMode(), windowMode == kDemoWindowMode);
    QCOMPARE(w.form->IsFirmwareMode(), windowMode == kFirmwareWindowMode);
    if (file.endsWith(".cfg")) {
        QCOMPARE(w.form->EncodeSettings(), OtherSettings());
    }
    if (file.endsWith(".tsk")) {
        QCOMPARE(w.form->Control<QLabel>("FileLabel")->text(),
                 QDir::toNativeSeparators(File(file)));
        QVERIFY2(w.form->StatusText().contains("будет проверен после подключения"),
                 qPrintable(w.form->StatusText()));
        QVERIFY(!w.form->FindControl("WriteButton")->isEnabled());
    }
    QVERIFY(w.dialogs().boxes.isEmpty());
}

QTEST_MAIN(TestWindowFiles)
#include "tst_window_files.moc"
