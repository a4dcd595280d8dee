// Rules of the outputs page on the real window: the presets and the editable controls of each
// work mode on relays and open-collector outputs, the bindings of fire loops, the timing rule
// of the special mode, and the refresh of all outputs after loading settings.

#include "tst_rules_fixture.h"

#include "ui/widgets/combo_list.h"
#include "ui/widgets/radio_group.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QTest>

namespace {
constexpr int kOutputs = 4;
constexpr int kLoops = 8;
const QString kSoundModeNote = Message(10009);

const QStringList kEvents = {"AlarmEvent",   "ErrorFire", "AttentionFire", "OnOffLine",
                             "OnOffAllLine", "BoxDamage", "ErrorPower"};
const QStringList kTimings = {"TimeRzmk", "TimeZmk", "TimePeriod", "InvRele"};

// What a mode loads: the seven notification boxes (X ticked), then the entries of TimeRzmk,
// TimeZmk, TimePeriod and InvRele.
struct ModeValues {
    const char* events;
    std::array<const char*, 4> timing;
};
const ModeValues kPresets[] = {
    {"X---X--", {"пост.", "---", "---", "нет "}},
    {"X---X--", {"0.5 сек", "0.5 сек", "пост.", "нет "}},
    {"----X--", {"---", "пост.", "---", "нет "}},
    {"X------", {"---", "пост.", "---", "нет "}},
    {"X------", {"пост.", "---", "---", "нет "}},
    {"---X---", {"---", "10 сек", "---", "нет "}},
};

// Every box ticked, every combo on an entry no preset uses.
QStringList Scrambled(int output) {
    const QString n = QString::number(output);
    QStringList steps;
    for (const QString& event : kEvents) {
        steps << "set:" + event + n + "=X";
    }
    for (int loop = 1; loop <= kLoops; ++loop) {
        steps << "set:shl" + QString::number(loop) + n + "=X";
    }
    steps << "set:TimeRzmk" + n + "=2"
          << "set:TimeZmk" + n + "=2"
          << "set:TimePeriod" + n + "=2"
          << "set:InvRele" + n + "=1";
    return steps;
}

QString OnOff(bool enabled) {
    return enabled ? "|on" : "|off";
}

// The states of output n's eleven controls: values and enabling (E editable) of each column.
QStringList OutputStates(int output, const ModeValues& values, const QString& editable) {
    const QString n = QString::number(output);
    QStringList states;
    for (int i = 0; i < kEvents.size(); ++i) {
        states << kEvents[i] + n + '=' + (values.events[i] == 'X' ? "X" : "-") +
                      OnOff(editable[i] == 'E');
    }
    for (int i = 0; i < kTimings.size(); ++i) {
        states << kTimings[i] + n + '=' + values.timing[i] +
                      OnOff(editable[kEvents.size() + i] == 'E');
    }
    return states;
}

QStringList BindingStates(int output, const QString& ticks, const QString& enabled) {
    QStringList states;
    for (int loop = 1; loop <= kLoops; ++loop) {
        states << "shl" + QString::number(loop) + QString::number(output) + '=' + ticks[loop - 1] +
                      OnOff(enabled[loop - 1] == 'E');
    }
    return states;
}
} // namespace

class TestOutputRules : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { PrepareRulesEnvironment(folder_); }

    void workModePresetAndEnabling_data();
    void workModePresetAndEnabling() { RunRulesRow(); }
    void fireLoopsInSecurityModes_data();
    void fireLoopsInSecurityModes() { RunRulesRow(); }
    void specialModeTiming_data();
    void specialModeTiming() { RunRulesRow(); }

    void refreshOfAllOutputsWhateverSubPageIsShown();
    void soundModeNoteWaitsForTheFormToBeReady();

private:
    QTemporaryDir folder_;
};

// Modes 0 to 5 from the special mode, on every output, with every value scrambled first.
void TestOutputRules::workModePresetAndEnabling_data() {
    AddRulesColumns();
    for (int output = 1; output <= kOutputs; ++output) {
        const bool openCollector = output > 2;
        for (int mode = 0; mode < 6; ++mode) {
            const bool sound = openCollector && mode == 3;
            const QStringList steps = QStringList{"mode:" + QString::number(output) + "=6"} +
                                      Scrambled(output) +
                                      QStringList{QString("mode:%1=%2").arg(output).arg(mode)};
            const QString editable = mode == 0 ? "-----E-----" : "-----------";
            QTest::addRow("output %d, mode %d", output, mode)
                << steps << (sound ? QStringList{kSoundModeNote} : QStringList{})
                << OutputStates(output, kPresets[mode], editable) +
                       BindingStates(output, "XXXXXXXX", sound ? "--------" : "EEEEEEEE");
        }
    }
}

void TestOutputRules::fireLoopsInSecurityModes_data() {
    AddRulesColumns();
    const QStringList mixedBindings = {"set:shl12=X", "set:shl22=-", "set:shl32=X", "set:shl72=X",
                                       "set:shl82=-"};
    const QStringList fire37 = {"mode:2=6", "click:ts3", "click:ts7"};
    for (int mode : {2, 5}) {
        QTest::addRow("mode %d picked with fire loops 3 and 7", mode)
            << fire37 + mixedBindings + QStringList{QString("mode:2=%1").arg(mode)} << QStringList{}
            << QStringList{"shl12=X|on", "shl22=-|on", "shl32=-|off", "shl72=-|off", "shl82=-|on"};
    }
    QTest::newRow("mode 4 keeps fire-loop bindings")
        << fire37 + mixedBindings + QStringList{"mode:2=4"} << QStringList{}
        << QStringList{"shl32=X|on", "shl72=X|on"};
    QTest::newRow("a relay in mode 3 keeps its bindings")
        << mixedBindings + QStringList{"mode:2=6", "mode:2=3"} << QStringList{}
        << QStringList{"shl12=X|on", "shl22=-|on", "shl82=-|on"};
}

void TestOutputRules::specialModeTiming_data() {
    AddRulesColumns();
    const QStringList afterMode0 = {"mode:1=1", "mode:1=0", "mode:1=6"};
    QTest::newRow("a: after mode 0, opening constant")
        << afterMode0 << QStringList{} << OutputStates(1, kPresets[0], "EEEEEEEE--E");
    QTest::newRow("c: after mode 1, both times set")
        << QStringList{"mode:1=0", "mode:1=1", "mode:1=6"} << QStringList{}
        << OutputStates(1, kPresets[1], "EEEEEEEEEEE");
    QTest::newRow("d: constant opening left for 1 s")
        << afterMode0 + QStringList{"pick:TimeRzmk1=2"} << QStringList{}
        << QStringList{"TimeRzmk1=1 сек|on", "TimeZmk1=---|on", "TimePeriod1=---|off"};
    QTest::newRow("d then c: closing time 5 s picked")
        << afterMode0 + QStringList{"pick:TimeRzmk1=2", "pick:TimeZmk1=3"} << QStringList{}
        << QStringList{"TimeRzmk1=1 сек|on", "TimeZmk1=5 сек|on", "TimePeriod1=---|on"};
    QTest::newRow("b: after mode 2, closing constant")
        << QStringList{"mode:3=2", "mode:3=6"} << QStringList{}
        << QStringList{"TimeRzmk3=---|off", "TimeZmk3=пост.|on", "TimePeriod3=---|off"};
    QTest::newRow("b then d: closing time 1 s picked")
        << QStringList{"mode:3=2", "mode:3=6", "pick:TimeZmk3=2"} << QStringList{}
        << QStringList{"TimeRzmk3=---|on", "TimeZmk3=1 сек|on", "TimePeriod3=---|off"};
    QTest::newRow("e: a typed closing time that is no entry")
        << QStringList{"mode:2=0", "mode:2=1", "mode:2=6", "pick:TimeRzmk2=2", "type:TimeZmk2=x"}
        << QStringList{}
        << QStringList{"TimeRzmk2=1 сек|on", "TimeZmk2=(none)|on", "TimePeriod2=пост.|off"};
    QTest::newRow("a typed entry text counts as that entry")
        << QStringList{"mode:4=1", "mode:4=6", "set:TimeZmk4=-1", "type:TimeZmk4=---"}
        << QStringList{}
        << QStringList{"TimeRzmk4=0.5 сек|on", "TimeZmk4=---|on", "TimePeriod4=---|off"};
}

// The settings decoder sets the modes without their rule and then refreshes all outputs once;
// each output gets its own enabling, whichever sub-page is shown.
void TestOutputRules::refreshOfAllOutputsWhateverSubPageIsShown() {
    RulesWindow window;
    QStringList ticks = {"set:AlarmEvent1=X"};
    for (int loop = 1; loop <= kLoops; ++loop) {
        for (const char* output : {"1", "4"}) {
            ticks << "set:shl" + QString::number(loop) + output + "=X";
        }
    }
    window.Run(ticks);
    const int modes[kOutputs] = {3, 6, 6, 3};
    for (int output = 1; output <= kOutputs; ++output) {
        auto* group = window.form->Control<RadioGroup>(
            output <= 2 ? "ReleWorkMode" + QString::number(output)
                        : "OKWorkMode" + QString::number(output - 2));
        const QSignalBlocker quiet(group);
        group->SetItemIndex(modes[output - 1]);
    }
    // Output 2: opening constant (case a); output 3: both times set (case c).
    window.Run({"set:TimeRzmk2=7", "set:TimeZmk2=3", "set:TimePeriod2=4", "set:TimeRzmk3=1",
                "set:TimeZmk3=6", "set:TimePeriod3=4"});
    window.TakeBoxTexts();
    window.form->SetAllPagesElementsAbleStatus_WorkModeRele();
    QCOMPARE(window.TakeBoxTexts(), QStringList{kSoundModeNote}); // output 4 only
    const QStringList expected =
        QStringList{"TimeRzmk2=пост.|on",   "TimeZmk2=---|off",   "TimePeriod2=---|off",
                    "TimeRzmk3=0.5 сек|on", "TimeZmk3=30 сек|on", "TimePeriod3=1 м 20 с|on",
                    "AlarmEvent1=X|off",    "BoxDamage4=-|off"} +
        BindingStates(1, "XXXXXXXX", "EEEEEEEE") + BindingStates(4, "XXXXXXXX", "--------");
    window.Run({"set:BoxDamage4=-"});
    QCOMPARE(window.States(expected), expected);
}

// Construction has FormReady false: an open-collector output in the sound mode shows nothing
// then; once the window is created the same refresh shows message 10009.
void TestOutputRules::soundModeNoteWaitsForTheFormToBeReady() {
    RulesWindow window(false);
    window.Run({"mode:3=3", "mode:4=3"});
    window.form->SetAllPagesElementsAbleStatus_WorkModeRele();
    QCOMPARE(window.TakeBoxTexts(), QStringList{});
    QVERIFY(!window.form->Control<QCheckBox>("shl13")->isEnabled());

    window.form->FormCreate();
    window.form->SetAllPagesElementsAbleStatus_WorkModeRele();
    const QList<MessageBoxRequest> boxes = window.dialogs.boxes;
    QCOMPARE(boxes.size(), 2);
    for (const MessageBoxRequest& box : boxes) {
        QCOMPARE(box.text, kSoundModeNote);
        QCOMPARE(box.buttons, BoxButtons::Ok);
        QCOMPARE(box.icon, BoxIcon::None);
    }
}

QTEST_MAIN(TestOutputRules)
#include "tst_output_rules.moc"
