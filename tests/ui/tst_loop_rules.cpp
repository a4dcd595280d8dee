// Rules of the loop page on the real window: typing into the numeric fields, the re-arm time
// against the entry delays, leaving fields, the loop type and the 24-hour flag.

#include "tst_rules_fixture.h"

#include "ui/widgets/combo_list.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTest>

namespace {
const QString kLoopTypeWarning = Message(10008);
const QString kReArmRange = Message(10019, 5, 1275);
const QString kEntryDelayMissing = Message(10020);
const QString kReArmBelowDelay = Message(10021);
const QString kDelayRange = Message(10022, 0, 255);
const QString kReArmMissing = Message(10023);
const QString kValueMissing = Message(10024);
const QString kAlarmRange = Message(10019, 1, 1275);
const QString kDeviceNumberRange = Message(10018);

// Start of many rows: both entry delays 0, re-arm time at its maximum, so that no delay typed
// below conflicts with it.
const QStringList kFreeDelays = {"set:DelayInEdit1=0", "set:DelayInEdit2=0", "set:TimeAvEdit=1275"};
} // namespace

class TestLoopRules : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { PrepareRulesEnvironment(folder_); }

    void typingIntoNumericFields_data();
    void typingIntoNumericFields() { RunRulesRow(); }
    void digitStringsBeyondAnIntegerAreOutOfRange_data();
    void digitStringsBeyondAnIntegerAreOutOfRange() { RunRulesRow(); }
    void reArmTimeAgainstEntryDelays_data();
    void reArmTimeAgainstEntryDelays() { RunRulesRow(); }
    void leavingFields_data();
    void leavingFields() { RunRulesRow(); }
    void loopType_data();
    void loopType() { RunRulesRow(); }
    void allDayFlag_data();
    void allDayFlag() { RunRulesRow(); }

    void loopTypeRuleAsTheDecoderRunsIt();

private:
    QTemporaryDir folder_;
};

void TestLoopRules::typingIntoNumericFields_data() {
    AddRulesColumns();
    QTest::newRow("non-digits are dropped as they are typed")
        << kFreeDelays +
               QStringList{"set:EnDelaySh1=0", "set:DelayInEdit1=", "type:DelayInEdit1=1a2b3"}
        << QStringList{}
        << QStringList{"DelayInEdit1=123|on", "DelayIn1=123|on", "EnDelaySh1=Да |on"};
    QTest::newRow("two letters in a row")
        << kFreeDelays + QStringList{"set:DelayInEdit2=", "type:DelayInEdit2=1ab2"} << QStringList{}
        << QStringList{"DelayInEdit2=12|on", "DelayIn2=12|on"};
    QTest::newRow("leading zeros give way to the spinner's number")
        << QStringList{"set:DelayOutEdit1=", "type:DelayOutEdit1=007"} << QStringList{}
        << QStringList{"DelayOutEdit1=7|on", "DelayOut1=7|on", "Taktik1=Закрытая дверь|on"};
    QTest::newRow("exit delay 300: 0 and the closed-door tactic")
        << QStringList{"set:Taktik2=1", "set:DelayOutEdit2=", "type:DelayOutEdit2=300"}
        << QStringList{kDelayRange}
        << QStringList{"DelayOutEdit2=0|on", "DelayOut2=0|on", "Taktik2=Закрытая дверь|off"};
    QTest::newRow("entry delay 256: 0 and no relay delay")
        << kFreeDelays +
               QStringList{"set:EnDelaySh1=0", "set:DelayInEdit1=", "type:DelayInEdit1=256"}
        << QStringList{kDelayRange}
        << QStringList{"DelayInEdit1=0|on", "EnDelaySh1=Нет|off", "TimeAvEdit=1275|on"};
    QTest::newRow("a pasted 9x99: filtered, then one range message")
        << kFreeDelays + QStringList{"set:DelayInEdit1=9x99"} << QStringList{kDelayRange}
        << QStringList{"DelayInEdit1=0|on", "DelayIn1=0|on"};
    QTest::newRow("entry delay 255 is the largest")
        << kFreeDelays + QStringList{"set:DelayInEdit1=", "type:DelayInEdit1=255"} << QStringList{}
        << QStringList{"DelayInEdit1=255|on", "DelayIn1=255|on"};
    QTest::newRow("duration 0: 1") << QStringList{"set:TimeAlarmEdit=", "type:TimeAlarmEdit=0"}
                                   << QStringList{kAlarmRange} << QStringList{"TimeAlarmEdit=1|on"};
    QTest::newRow("duration 1276: 1")
        << QStringList{"set:TimeAlarmEdit=", "type:TimeAlarmEdit=1276"} << QStringList{kAlarmRange}
        << QStringList{"TimeAlarmEdit=1|on"};
    QTest::newRow("duration 2 is kept while typing")
        << QStringList{"set:TimeAlarmEdit=", "type:TimeAlarmEdit=2"} << QStringList{}
        << QStringList{"TimeAlarmEdit=2|on"};
}

// A string of digits too long for a 32-bit integer counts as out of range: the field's range
// message and replacement, never a conversion error.
void TestLoopRules::digitStringsBeyondAnIntegerAreOutOfRange_data() {
    AddRulesColumns();
    const QString huge = "99999999999999999999999";
    QTest::newRow("entry delay") << kFreeDelays + QStringList{"set:DelayInEdit1=" + huge}
                                 << QStringList{kDelayRange}
                                 << QStringList{"DelayInEdit1=0|on", "TimeAvEdit=1275|on"};
    QTest::newRow("exit delay, 2^32")
        << QStringList{"set:DelayOutEdit2=4294967296"} << QStringList{kDelayRange}
        << QStringList{"DelayOutEdit2=0|on"};
    QTest::newRow("re-arm time") << QStringList{"set:DelayInEdit1=0", "set:DelayInEdit2=0",
                                                "set:TimeAvEdit=" + huge}
                                 << QStringList{kReArmRange} << QStringList{"TimeAvEdit=5|on"};
    QTest::newRow("duration, 2^31")
        << QStringList{"set:TimeAlarmEdit=2147483648"} << QStringList{kAlarmRange}
        << QStringList{"TimeAlarmEdit=1|on"};
    QTest::newRow("device number, largest integer")
        << QStringList{"set:NumberPKPEdit=2147483647"} << QStringList{kDeviceNumberRange}
        << QStringList{"NumberPKPEdit=1|on"};
    QTest::newRow("device number")
        << QStringList{"set:NumberPKPEdit=" + huge} << QStringList{kDeviceNumberRange}
        << QStringList{"NumberPKPEdit=1|on"};
}

void TestLoopRules::reArmTimeAgainstEntryDelays_data() {
    AddRulesColumns();
    QTest::newRow("entry delay 25 over re-arm 5: 10, still short, 35")
        << QStringList{"set:DelayInEdit1=0", "set:DelayInEdit2=1", "set:TimeAvEdit=5",
                       "set:DelayInEdit1=", "type:DelayInEdit1=25"}
        << QStringList{kReArmBelowDelay}
        << QStringList{"TimeAvEdit=35|on", "TimeAv=35|on", "DelayInEdit1=25|on"};
    QTest::newRow("entry delay equal to the re-arm time: 5 more")
        << QStringList{"set:DelayInEdit1=0", "set:DelayInEdit2=0", "set:TimeAvEdit=60",
                       "set:DelayInEdit1=", "type:DelayInEdit1=60"}
        << QStringList{} << QStringList{"TimeAvEdit=65|on", "DelayInEdit1=60|on"};
    QTest::newRow("delays 7 and 3, re-arm typed 5: 15")
        << QStringList{"set:TimeAvEdit=100", "set:DelayInEdit1=7", "set:DelayInEdit2=3",
                       "set:TimeAvEdit=", "type:TimeAvEdit=5"}
        << QStringList{kReArmBelowDelay} << QStringList{"TimeAvEdit=15|on"};
    QTest::newRow("re-arm equal to the longer delay")
        << QStringList{"set:TimeAvEdit=100", "set:DelayInEdit1=3", "set:DelayInEdit2=20",
                       "set:TimeAvEdit=20"}
        << QStringList{kReArmBelowDelay} << QStringList{"TimeAvEdit=30|on"};
    QTest::newRow("1300 by a digit more: 5, then the delay check on 5")
        << QStringList{"set:TimeAvEdit=100", "set:DelayInEdit1=7", "set:DelayInEdit2=3",
                       "set:TimeAvEdit=130", "type:TimeAvEdit=0"}
        << QStringList{kReArmRange, kReArmBelowDelay} << QStringList{"TimeAvEdit=15|on"};
    QTest::newRow("1300 with short delays: 5")
        << QStringList{"set:DelayInEdit1=0", "set:DelayInEdit2=0", "set:TimeAvEdit=130",
                       "type:TimeAvEdit=0"}
        << QStringList{kReArmRange} << QStringList{"TimeAvEdit=5|on", "TimeAv=5|on"};
    QTest::newRow("first digit below 5 in an emptied field")
        << QStringList{"set:DelayInEdit1=0", "set:DelayInEdit2=0",
                       "set:TimeAvEdit=", "type:TimeAvEdit=3"}
        << QStringList{kReArmRange} << QStringList{"TimeAvEdit=5|on"};
    QTest::newRow("an empty entry delay is reported, the typed value stays")
        << QStringList{"set:DelayInEdit1=0", "set:TimeAvEdit=60",
                       "set:DelayInEdit2=", "type:TimeAvEdit=0"}
        << QStringList{kEntryDelayMissing} << QStringList{"TimeAvEdit=600|on"};
    QTest::newRow("an empty re-arm time is reported, the delay stays")
        << QStringList{"set:TimeAvEdit=", "set:DelayInEdit1=", "type:DelayInEdit1=9"}
        << QStringList{kReArmMissing} << QStringList{"DelayInEdit1=9|on", "TimeAvEdit=|on"};
}

void TestLoopRules::leavingFields_data() {
    AddRulesColumns();
    const QStringList start = {"set:DelayInEdit1=0", "set:DelayInEdit2=0"};
    const struct {
        const char* name;
        const char* field;
        const char* text;
        const char* left;
    } rows[] = {
        {"re-arm 17: 20", "TimeAvEdit", "17", "20"},
        {"re-arm 1271: 1275", "TimeAvEdit", "1271", "1275"},
        {"re-arm 1275 stays", "TimeAvEdit", "1275", "1275"},
        {"re-arm 5 stays", "TimeAvEdit", "5", "5"},
        {"duration 2: 1", "TimeAlarmEdit", "2", "1"},
        {"duration 7: 10", "TimeAlarmEdit", "7", "10"},
        {"duration 1273: 1275", "TimeAlarmEdit", "1273", "1275"},
        {"duration 180 stays", "TimeAlarmEdit", "180", "180"},
        {"duration 1 stays", "TimeAlarmEdit", "1", "1"},
        {"exit delay 7 stays", "DelayOutEdit1", "7", "7"},
        {"entry delay 0 stays", "DelayInEdit2", "0", "0"},
    };
    for (const auto& row : rows) {
        const QString field = row.field;
        QTest::newRow(row.name) << start + QStringList{"set:" + field + "=" + row.text,
                                                       "leave:" + field}
                                << QStringList{}
                                << QStringList{field + "=" + row.left + "|on", "focus=HelpBitBtn"};
    }
    for (const char* field : {"TimeAvEdit", "TimeAlarmEdit", "DelayInEdit2", "DelayOutEdit1"}) {
        QTest::newRow(qPrintable(QString(field) + " left empty"))
            << start + QStringList{"set:" + QString(field) + "=", "leave:" + QString(field)}
            << QStringList{kValueMissing} << QStringList{"focus=" + QString(field)};
    }
}

void TestLoopRules::loopType_data() {
    AddRulesColumns();
    const QStringList loop1 = {
        "set:TimeAvEdit=60", "set:DelayInEdit2=0", "set:DelayInEdit1=10", "set:DelayOutEdit1=20",
        "set:Taktik1=1",     "set:EnDelaySh1=0",   "set:av1=X",           "set:tt1=X",
        "set:pz1=X"};
    const QStringList fire1 = {"ts1=X|on",
                               "ts11=-|on",
                               "ks1=X|off",
                               "DelayInEdit1=0|off",
                               "DelayOutEdit1=0|off",
                               "EnDelaySh1=Нет|off",
                               "Taktik1=Закрытая дверь|off",
                               "pz1=-|off",
                               "av1=-|off",
                               "tt1=-|off",
                               "it1=300|off",
                               "ds1=-|on",
                               "status=" + kLoopTypeWarning};
    QTest::newRow("loop 1 to fire") << loop1 + QStringList{"click:ts1"} << QStringList{} << fire1;
    QTest::newRow("loop 1 back to security")
        << loop1 + QStringList{"click:ts1", "click:ds1", "click:ts11"} << QStringList{}
        << QStringList{"ts1=-|on",
                       "ts11=X|on",
                       "ks1=-|on",
                       "DelayInEdit1=0|on",
                       "DelayOutEdit1=0|on",
                       "EnDelaySh1=Нет|off",
                       "Taktik1=Закрытая дверь|off",
                       "pz1=-|on",
                       "av1=-|on",
                       "tt1=-|on",
                       "it1=70|on",
                       "ds1=-|off"};
    QTest::newRow("loop 1 back to security, delays typed again")
        << loop1 + QStringList{"click:ts1",          "click:ts11",
                               "set:DelayOutEdit1=", "type:DelayOutEdit1=5",
                               "set:DelayInEdit1=",  "type:DelayInEdit1=4"}
        << QStringList{}
        << QStringList{"Taktik1=Закрытая дверь|on", "EnDelaySh1=Нет|on", "DelayOutEdit1=5|on",
                       "DelayInEdit1=4|on"};

    // Bindings of loop 3: output 1 in mode 0, 2 in mode 5, 3 in mode 4, 4 in mode 2.
    const QStringList loop3 = {"mode:1=0",    "mode:2=5",    "mode:3=4",
                               "mode:4=2",    "set:shl31=X", "set:shl32=X",
                               "set:shl33=X", "set:shl34=X", "set:shl42=X"};
    QTest::newRow("loop 3 to fire: bindings of modes 2 and 5 off")
        << loop3 + QStringList{"click:ts3"} << QStringList{}
        << QStringList{"shl31=X|on", "shl32=-|off", "shl33=X|on", "shl34=-|off", "shl42=X|on"};
    QTest::newRow("loop 3 back to security: enabled, still unticked")
        << loop3 + QStringList{"click:ts3", "click:ts31"} << QStringList{}
        << QStringList{"shl31=X|on", "shl32=-|on", "shl33=X|on", "shl34=-|on"};
}

void TestLoopRules::allDayFlag_data() {
    AddRulesColumns();
    const QStringList loop1 = {"set:TimeAvEdit=60",
                               "set:DelayInEdit2=0",
                               "set:DelayInEdit1=10",
                               "set:DelayOutEdit1=20",
                               "set:Taktik1=1",
                               "set:EnDelaySh1=0",
                               "set:pz1=X"};
    QTest::newRow("24-hour loop 1: no delays, closed door, no pass-through")
        << loop1 + QStringList{"click:ks1"} << QStringList{}
        << QStringList{"DelayInEdit1=0|off", "DelayOutEdit1=0|off",        "DelayIn1=0|on",
                       "DelayOut1=0|on",     "Taktik1=Закрытая дверь|off", "EnDelaySh1=Нет|off",
                       "pz1=-|off"};
    QTest::newRow("24-hour loop 1 unticked: delays stay 0")
        << loop1 + QStringList{"click:ks1", "click:ks1"} << QStringList{}
        << QStringList{"DelayInEdit1=0|on", "DelayOutEdit1=0|on", "Taktik1=Закрытая дверь|off",
                       "EnDelaySh1=Нет|off", "pz1=-|on"};
    QTest::newRow("24-hour loop 2 leaves loop 1 alone")
        << loop1 + QStringList{"click:ks2"} << QStringList{}
        << QStringList{"DelayOutEdit1=20|on", "Taktik1=Любая дверь|on", "pz1=X|on",
                       "DelayOutEdit2=0|off", "pz2=-|off"};
    QTest::newRow("24-hour loop 5: no pass-through")
        << QStringList{"set:pz5=X", "click:ks5"} << QStringList{}
        << QStringList{"pz5=-|off", "pz4=-|on"};
    QTest::newRow("24-hour loop 5 unticked") << QStringList{"set:pz5=X", "click:ks5", "click:ks5"}
                                             << QStringList{} << QStringList{"pz5=-|on"};
    // The rule reads the exit delays of loops 1 and 2; an emptied field counts with the
    // spinner's last valid position.
    QTest::newRow("emptied exit delay 30 counts as 30")
        << QStringList{"set:Taktik1=1", "set:DelayOutEdit1=30", "set:DelayOutEdit1=", "click:ks3"}
        << QStringList{} << QStringList{"DelayOutEdit1=|on", "Taktik1=Любая дверь|on"};
    QTest::newRow("emptied exit delay 0 counts as 0")
        << QStringList{"set:DelayOutEdit1=0", "set:DelayOutEdit1=", "click:ks3"} << QStringList{}
        << QStringList{"DelayOutEdit1=|on", "Taktik1=Закрытая дверь|off"};
}

// The settings decoder sets the loop-type buttons with their rule detached and then runs the
// rule for both buttons of each loop.
void TestLoopRules::loopTypeRuleAsTheDecoderRunsIt() {
    RulesWindow window;
    window.Run({"mode:2=5", "set:shl22=X", "set:TimeAvEdit=60", "set:DelayOutEdit2=9"});
    window.TakeBoxTexts();
    auto* fire = window.form->Control<QRadioButton>("ts2");
    {
        const QSignalBlocker quiet(fire);
        const QSignalBlocker quietToo(window.form->Control<QRadioButton>("ts21"));
        fire->setChecked(true);
    }
    window.form->SetStatusText({});
    window.form->ChangeTypeShl(2, true);
    window.form->ChangeTypeShl(2, false);
    QCOMPARE(window.TakeBoxTexts(), QStringList{});
    const QStringList expected = {"ks2=X|off",           "it2=300|off",
                                  "DelayOutEdit2=0|off", "Taktik2=Закрытая дверь|off",
                                  "shl22=-|off",         "status=" + kLoopTypeWarning};
    QCOMPARE(window.States(expected), expected);
}

QTEST_MAIN(TestLoopRules)
#include "tst_loop_rules.moc"
