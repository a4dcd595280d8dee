// The window's pages against the field records: every control of a settings field shows the
// record's caption, lists the record's entries and spins within the record's range and step.

#include "recording_dialogs.h"
#include "window_test_support.h"

#include "settings/control_names.h"
#include "settings/field_records.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/up_down.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <set>
#include <vector>

using velor::settings::FieldRecord;
using velor::window::Name;
namespace fields = velor::settings::fields;

Q_DECLARE_METATYPE(const FieldRecord*)

namespace {

// The text a control shows as its caption: a group's title, a button's or a label's text.
QString ShownCaption(const QWidget* control) {
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->title();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    return QStringLiteral("<no caption on %1>").arg(control->metaObject()->className());
}

QStringList ShownEntries(const QWidget* control) {
    if (const auto* group = qobject_cast<const RadioGroup*>(control)) {
        return group->Items();
    }
    if (const auto* list = qobject_cast<const ComboList*>(control)) {
        return list->Items();
    }
    return {QStringLiteral("<no entries on %1>").arg(control->metaObject()->className())};
}

// A case: the field, the control holding its value, the control showing its caption and the one
// showing its range (none: empty).
struct PageCase {
    QString what;
    const FieldRecord* record;
    QString control;
    QString caption;
    QString range;
};

// Every settings page's controls of a field, page by page.
std::vector<PageCase> PageCases() {
    std::vector<PageCase> cases;
    const auto add = [&cases](const QString& what, const FieldRecord& record,
                              const QString& control, const QString& caption,
                              const QString& range = {}) {
        cases.push_back({what, &record, control, caption, range});
    };
    const auto own = [](const FieldRecord& record) { return QString::fromLatin1(record.control); };

    // Main page.
    for (const FieldRecord* choice : {&fields::kSounderMode, &fields::kTmOutputType,
                                      &fields::kButtonLock, &fields::kLineMode}) {
        add(QStringLiteral("main page: %1").arg(QLatin1String(choice->key)), *choice, own(*choice),
            own(*choice));
    }
    add(QStringLiteral("main page: sounder duration"), fields::kSounderDuration,
        own(fields::kSounderDuration), QStringLiteral("TimeAlarmGroupBox"),
        QStringLiteral("TimeAlarmRangeLabel"));

    // Loop page: the row captions stand once, left of the eight loops' controls.
    for (int loop = 1; loop <= velor::window::kLoops; ++loop) {
        add(QStringLiteral("loop %1: integration time").arg(loop), fields::kIntegration,
            Name(fields::kIntegration.control, loop), QStringLiteral("IntegrationLabel"));
    }
    const char* boxLabels[] = {"DoubleTriggerLabel", "SilentAlarmLabel", "AutoReArmLabel",
                               "AllDayLabel", "PassZoneLabel"};
    for (int box = 0; box < fields::kLoopBoxCount; ++box) {
        const FieldRecord& record = fields::kLoopBoxes[box];
        add(QStringLiteral("loops: %1").arg(QLatin1String(record.key)), record,
            Name(record.control, 1), QString::fromLatin1(boxLabels[box]));
    }
    const QString delayTitles[][2] = {
        {QStringLiteral("DelayInTitle1"), QStringLiteral("DelayOutTitle1")},
        {QStringLiteral("Label119"), QStringLiteral("Label121")},
    };
    for (int loop = 1; loop <= 2; ++loop) {
        add(QStringLiteral("loop %1: entry delay").arg(loop), fields::kEntryDelay,
            Name(fields::kEntryDelay.control, loop), delayTitles[loop - 1][0],
            QStringLiteral("DelayRangeLabel"));
        add(QStringLiteral("loop %1: exit delay").arg(loop), fields::kExitDelay,
            Name(fields::kExitDelay.control, loop), delayTitles[loop - 1][1],
            QStringLiteral("DelayRangeLabel"));
        add(QStringLiteral("loop %1: relay delay").arg(loop), fields::kEntryRelayDelay,
            Name(fields::kEntryRelayDelay.control, loop), QStringLiteral("RelayDelayLabel"));
        add(QStringLiteral("loop %1: tactic").arg(loop), fields::kTactic,
            Name(fields::kTactic.control, loop), QStringLiteral("TacticLabel"));
    }
    add(QStringLiteral("loops: re-arm time"), fields::kRearmTime, own(fields::kRearmTime),
        QStringLiteral("ReArmTimeLabel"), QStringLiteral("ReArmRangeLabel"));

    // Output page, each output's sub-page.
    for (int output = 1; output <= velor::window::kOutputs; ++output) {
        const QString group = velor::window::WorkModeGroupName(output);
        add(QStringLiteral("output %1: work mode").arg(output), fields::kWorkMode, group, group);
        add(QStringLiteral("output %1: binding").arg(output), fields::kBinding,
            Name(fields::kBinding.control, 1, output), Name("BindingGroup", output));
        for (const FieldRecord& event : fields::kEvents) {
            const QString box = Name(event.control, output);
            add(QStringLiteral("output %1: %2").arg(output).arg(QLatin1String(event.key)), event,
                box, box);
        }
        for (const FieldRecord* timing : fields::kTimingLists) {
            const QString list = Name(timing->control, output);
            add(QStringLiteral("output %1: %2").arg(output).arg(QLatin1String(timing->key)),
                *timing, list, list + QLatin1String("Label"));
        }
    }

    // Key page: the column titles above the 28 rows.
    add(QStringLiteral("keys: code"), fields::kKeyCode, Name(fields::kKeyCode.control, 1),
        QStringLiteral("KeyCodeTitle"));
    add(QStringLiteral("keys: arm"), fields::kArmRights, Name(fields::kArmRights.control, 1, 1),
        QStringLiteral("ArmTitle"));
    add(QStringLiteral("keys: disarm"), fields::kDisarmRights,
        Name(fields::kDisarmRights.control, 1, 1), QStringLiteral("DisarmTitle"));
    return cases;
}

} // namespace

class TestPageFieldRecords : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void controlsFollowTheirRecords_data();
    void controlsFollowTheirRecords();
    void everyWindowFieldHasACase();
    void loopTypeLabelsAreItsEntries();

private:
    QTemporaryDir folder_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<TMainForm> form_;
};

void TestPageFieldRecords::initTestCase() {
    QVERIFY(PrepareFactoryFolder(folder_));
    LoadBuiltInCatalogue();
    dialogs_ = std::make_unique<RecordingDialogs>();
    form_ = std::make_unique<TMainForm>(TestWindowDeps(*dialogs_));
}

void TestPageFieldRecords::controlsFollowTheirRecords_data() {
    QTest::addColumn<const FieldRecord*>("record");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("range");
    for (const PageCase& page : PageCases()) {
        QTest::newRow(qPrintable(page.what))
            << page.record << page.control << page.caption << page.range;
    }
}

// A field the window shows (a record with a control) and the cases above leave out would go
// unchecked: every one has a case, the loop type its own test below.
void TestPageFieldRecords::everyWindowFieldHasACase() {
    std::set<const FieldRecord*> checked = {&fields::kLoopType};
    for (const PageCase& page : PageCases()) {
        checked.insert(page.record);
    }
    for (const FieldRecord* record : velor::settings::FieldRecords()) {
        if (record->control != nullptr && checked.count(record) == 0) {
            QFAIL(qPrintable(QStringLiteral("no page case for %1").arg(record->key)));
        }
    }
}

void TestPageFieldRecords::controlsFollowTheirRecords() {
    QFETCH(const FieldRecord*, record);
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QFETCH(QString, range);

    const QWidget* value = form_->FindControl(control);
    QCOMPARE(ShownCaption(form_->FindControl(caption)), record->caption.Text());
    if (record->entries.count > 0) {
        QCOMPARE(ShownEntries(value), record->entries.Texts());
    }
    if (record->range.step > 0) {
        const auto* spinner = qobject_cast<const UpDown*>(value);
        QVERIFY(spinner != nullptr);
        QCOMPARE(spinner->Min(), record->range.min);
        QCOMPARE(spinner->Max(), record->range.max);
        QCOMPARE(spinner->Increment(), record->range.step);
    }
    if (!range.isEmpty()) {
        QCOMPARE(ShownCaption(form_->FindControl(range)),
                 QCoreApplication::translate("TMainForm", record->rangeCaption));
    }
}

// The loop type's two buttons carry no text: the labels left of them name the entries.
void TestPageFieldRecords::loopTypeLabelsAreItsEntries() {
    const FieldRecord& type = fields::kLoopType;
    QCOMPARE(ShownCaption(form_->FindControl(QStringLiteral("LoopTypeLabel"))),
             type.caption.Text());
    QCOMPARE((QStringList{ShownCaption(form_->FindControl(QStringLiteral("LoopFireLabel"))),
                          ShownCaption(form_->FindControl(QStringLiteral("LoopSecurityLabel")))}),
             type.entries.Texts());
    for (int loop = 1; loop <= velor::window::kLoops; ++loop) {
        QVERIFY(form_->FindControl(Name(type.control, loop)) != nullptr);    // fire
        QVERIFY(form_->FindControl(Name(type.control, loop, 1)) != nullptr); // security
    }
}

QTEST_MAIN(TestPageFieldRecords)
#include "tst_page_field_records.moc"
