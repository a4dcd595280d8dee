// The settings check against the real window: an image loaded into the window and saved again
// comes back exactly as the check says it would, and the check's findings name exactly the
// fields that changed. The report's names for list entries are the window's own items.

#include "check_cases.h"
#include "codec_test_support.h"
#include "recording_dialogs.h"
#include "settings_model_support.h"
#include "window_test_support.h"

#include "settings/settings_check.h"
#include "settings/settings_diff.h"
#include "settings/settings_fields.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/radio_group.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace velor::settings;

Q_DECLARE_METATYPE(SettingsImage)

namespace {

constexpr quint32 kRandomImages = 48;

// Decodes the image into a freshly built window and encodes the window again, as a load
// followed by a save does.
SettingsImage LoadedAndSaved(const SettingsImage& image) {
    RecordingDialogs dialogs;
    TMainForm form(TestWindowDeps(dialogs));
    form.DecodeSettings(image);
    return form.EncodeSettings();
}

QString FieldValue(const SettingsImage& image, const QString& key) {
    for (const SettingsField& field : DescribeSettings(image)) {
        if (field.key == key) {
            return field.value;
        }
    }
    return {};
}

} // namespace

class TestSettingsCheckWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void checkPredictsTheWindow_data();
    void checkPredictsTheWindow();
    void listEntriesAreTheWindowsItems();

private:
    QTemporaryDir folder_;
};

void TestSettingsCheckWindow::initTestCase() {
    QVERIFY(PrepareFactoryFolder(folder_));
    LoadBuiltInCatalogue();
}

void TestSettingsCheckWindow::checkPredictsTheWindow_data() {
    QTest::addColumn<SettingsImage>("image");
    QTest::addColumn<QStringList>("changed"); // the fields the row expects the window to change
    QTest::addColumn<bool>("fromTable");

    for (const CheckCase& row : CheckCases()) {
        QTest::newRow(row.name) << row.image << row.normalised << true;
    }
    for (quint32 seed = 1; seed <= kRandomImages; ++seed) {
        QTest::addRow("random image %u", seed) << RandomCheckImage(seed) << QStringList() << false;
    }
}

void TestSettingsCheckWindow::checkPredictsTheWindow() {
    QFETCH(SettingsImage, image);
    QFETCH(QStringList, changed);
    QFETCH(bool, fromTable);

    const SettingsImage saved = LoadedAndSaved(image);
    const SettingsCheck check = CheckSettings(image);
    QVERIFY2(check.kept == saved, qPrintable(Differences(check.kept, saved)));

    const QStringList windowChanged = ChangeKeys(DiffSettings(image, saved));
    QCOMPARE(FindingKeys(check, FindingKind::Normalised), windowChanged);
    QCOMPARE(windowChanged.isEmpty(), image == saved);
    if (fromTable) {
        QCOMPARE(windowChanged, changed);
    }
    for (const CheckFinding& finding : check.findings) {
        QVERIFY2(!finding.reason.isEmpty(), qPrintable(finding.key));
    }
}

// Work modes and timing entries read in the report as the window's lists show them.
void TestSettingsCheckWindow::listEntriesAreTheWindowsItems() {
    RecordingDialogs dialogs;
    TMainForm form(TestWindowDeps(dialogs));
    const auto* modes = form.Control<RadioGroup>(QStringLiteral("ReleWorkMode1"));
    for (uint8_t mode = WorkModeNibble(kPcnAlarmMode); mode <= WorkModeNibble(kSpecialMode);
         ++mode) {
        SettingsImage image;
        image.SetWorkMode(kRelay1, mode);
        QCOMPARE(FieldValue(image, "outputs.relay1.work_mode"),
                 modes->Items().at(mode - 1).simplified());
    }
    const auto* opening = form.Control<ComboList>(QStringLiteral("TimeRzmk1"));
    const auto* closing = form.Control<ComboList>(QStringLiteral("TimeZmk1"));
    for (int index = 0; index <= kConstantSwitchTimeIndex; ++index) {
        SettingsImage image;
        image.SetOpeningTimeIndex(kRelay1, index);
        image.SetClosingTimeIndex(kRelay1, index);
        QCOMPARE(FieldValue(image, "outputs.relay1.opening_time"),
                 opening->itemText(index).simplified());
        QCOMPARE(FieldValue(image, "outputs.relay1.closing_time"),
                 closing->itemText(index).simplified());
    }
    const auto* duration = form.Control<ComboList>(QStringLiteral("TimePeriod1"));
    for (int index = 0; index <= kConstantDurationIndex; ++index) {
        SettingsImage image;
        image.SetNotificationDurationIndex(kRelay1, index);
        QCOMPARE(FieldValue(image, "outputs.relay1.notification_duration"),
                 duration->itemText(index).simplified());
    }
}

QTEST_MAIN(TestSettingsCheckWindow)
#include "tst_settings_check_window.moc"
