// The visit report from the window against the simulated model 580: what it says the technician
// found and left after a read, after a write and with no device (Ctrl+P: tst_window_keyboard);
// "Сохранить PDF…" writes the file the dialog names, or says why it could not.

#include "recording_dialogs.h"
#include "sim_window_rig.h"
#include "window_test_support.h"

#include "settings/cfg_format.h"
#include "settings/settings_fingerprint.h"
#include "ui/main_form.h"
#include "ui/report/report_preview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using velor::settings::ShortFingerprint;
using velor::sim::SimState;
using namespace sim_window;

namespace {

constexpr int kEntryDelaySeconds = 20; // loop 1's entry delay in the device; the window has 0
constexpr int kDemoMode = 2;

// The factory settings with loop 1's entry delay at 20 s: what the device holds.
SettingsImage DeviceSettings() {
    SettingsImage image = LoadCfgFile(FactoryDefaultsFile());
    image.SetDelaySeconds(Delay::EntryLoop1, kEntryDelaySeconds);
    return image;
}

SimState WithDeviceSettings() {
    SimState state;
    const SettingsImage image = DeviceSettings();
    state.settings.assign(image.bytes().begin(), image.bytes().end());
    return state;
}

// The report's text without its markup, blanks made one.
QString ReportText(const RecordingDialogs& dialogs) {
    if (dialogs.reports.isEmpty()) {
        return {};
    }
    QString html = dialogs.reports.last().report.html;
    return html.replace(QRegularExpression("<[^>]*>"), " ").simplified();
}

} // namespace

class TestWindowReport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void reportFollowsTheVisit();
    void withoutADeviceTheWindowsSettingsAlone();
    void savePdfThroughTheDialog();

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

void TestWindowReport::init() {
    LoadBuiltInCatalogue();
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(PrepareFactoryFolder(*folder_));
}

// After a read both sides are the device's; after a write, as found is the read before it and
// as left the verified settings, the changed field listed; edits after it are not written.
void TestWindowReport::reportFollowsTheVisit() {
    const QString history = folder_->filePath("history");
    Rig rig(WithDeviceSettings(), [history](MainFormDeps& deps) { deps.historyFolder = history; });
    QVERIFY(rig.Connect(kSettingsMode));
    const SettingsImage window = rig.form->EncodeSettings();
    rig.form->ReadButtonClick();
    QVERIFY(rig.WaitIdle());
    rig.form->ReportButtonClick();
    QCOMPARE(rig.dialogs.reports.size(), 1);
    QString text = ReportText(rig.dialogs);
    QVERIFY2(text.contains("Как найдено: отпечаток " + ShortFingerprint(DeviceSettings())),
             qPrintable(text.left(800)));
    QVERIFY(text.contains("Как оставлено: отпечаток " + ShortFingerprint(DeviceSettings())));
    QVERIFY(text.contains("Изменений нет."));
    QVERIFY(text.contains("Прибор 580"));
    QVERIFY(rig.dialogs.reports.last().suggestedPdf.endsWith(".pdf"));

    rig.form->DefaultButtonClick(); // the factory settings in the window again
    QCOMPARE(rig.form->EncodeSettings(), window);
    rig.form->WriteButtonClick();
    QVERIFY(rig.WaitIdle());
    rig.form->ReportButtonClick();
    text = ReportText(rig.dialogs);
    QVERIFY(text.contains("Как найдено: отпечаток " + ShortFingerprint(DeviceSettings())));
    QVERIFY(text.contains("Как оставлено: отпечаток " + ShortFingerprint(window)));
    QVERIFY(text.contains("записаны в прибор и проверены чтением"));
    QVERIFY2(text.contains("ШС1: Задержка на вход 20 с 0 с"), qPrintable(text.left(1500)));

    rig.form->Control<QLineEdit>("DelayInEdit1")->setText("30");
    rig.form->ReportButtonClick();
    text = ReportText(rig.dialogs);
    QVERIFY(text.contains("Настройки не записывались"));
    QVERIFY(text.contains("Как найдено: отпечаток " + ShortFingerprint(DeviceSettings())));
}

void TestWindowReport::withoutADeviceTheWindowsSettingsAlone() {
    Rig rig;
    rig.PickWorkMode(kDemoMode);
    rig.form->ReportButtonClick();
    QVERIFY2(rig.dialogs.reports.size() == 1,
             qPrintable(rig.Boxes().join('|') + rig.form->StatusText()));
    const QString text = ReportText(rig.dialogs);
    QVERIFY(
        text.contains("Как оставлено: отпечаток " + ShortFingerprint(rig.form->EncodeSettings())));
    QVERIFY(!text.contains("Как найдено"));
    QVERIFY(text.contains("Прибор —"));
}

// The file the dialog names gets the PDF; a folder that is not there is named in an error box and
// nothing is left behind.
void TestWindowReport::savePdfThroughTheDialog() {
    RecordingDialogs dialogs;
    velor::report::VisitReportInput input;
    input.asLeft = DeviceSettings();
    const ReportPreviewRequest request{velor::report::BuildVisitReport(input),
                                       folder_->filePath("suggested.pdf")};
    const QString path = folder_->filePath("visit.pdf");
    dialogs.saveAnswers.enqueue(path);
    QVERIFY(SaveReportPdf(dialogs, request));
    QCOMPARE(dialogs.saveRequests.first().directory, request.suggestedPdf);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");

    const QString missing = folder_->filePath("no/visit.pdf");
    dialogs.saveAnswers.enqueue(missing);
    QVERIFY(!SaveReportPdf(dialogs, request));
    QCOMPARE(dialogs.boxes.size(), 1);
    QVERIFY2(dialogs.boxes.first().text.contains(missing), qPrintable(dialogs.boxes.first().text));
    QVERIFY(!QFile::exists(missing));
}

QTEST_MAIN(TestWindowReport)
#include "tst_window_report.moc"
