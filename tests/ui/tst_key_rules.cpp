// Rules of the key page on the real window: typing and leaving identifiers, the target
// of a key read, the one-key mode, the TM output type and the device number.

#include "tst_rules_fixture.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
const QString kReenter = Message(10015);
const QString kDuplicate = Message(10017);
const QString kDeviceNumberRange = Message(10018);

// The TM output type shown again, then the key page picked by the user.
const QStringList kKeyPage = {"set:TypeTMRadioGroup=1", "set:TypeTMRadioGroup=0", "page:3"};
// Connected in the settings work mode, on the key page: where a key read is offered.
const QStringList kConnectedKeyPage = QStringList{"pick:WorkMode=0", "connected"} + kKeyPage;
} // namespace

class TestKeyRules : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { PrepareRulesEnvironment(folder_); }

    void typingAndLeavingIdentifiers_data();
    void typingAndLeavingIdentifiers() { RunRulesRow(); }
    void keyReadTarget_data();
    void keyReadTarget() { RunRulesRow(); }
    void oneKeyMode_data();
    void oneKeyMode() { RunRulesRow(); }
    void outputTypeShowsThePage_data();
    void outputTypeShowsThePage() { RunRulesRow(); }
    void deviceNumber_data();
    void deviceNumber() { RunRulesRow(); }

    void identifierBoxes();
    void keyReadStartsForTheClickedKey();

private:
    QTemporaryDir folder_;
};

void TestKeyRules::typingAndLeavingIdentifiers_data() {
    AddRulesColumns();
    QTest::newRow("digits and A to F stay, in upper case")
        << kKeyPage + QStringList{"type:CodeTM3=1a-2Gb3f"} << QStringList{}
        << QStringList{"CodeTM3=1A2B3F|on"};
    QTest::newRow("a 13th character cannot be typed; 12 are never asked about")
        << kKeyPage + QStringList{"type:CodeTM3=0123456789abc", "leave:CodeTM3"} << QStringList{}
        << QStringList{"CodeTM3=0123456789AB|on", "focus=HelpBitBtn"};
    QTest::newRow("three characters, No: nine zeros in front")
        << kKeyPage + QStringList{"type:CodeTM3=abc", "answer:No", "leave:CodeTM3"}
        << QStringList{kReenter} << QStringList{"CodeTM3=000000000ABC|on", "focus=CodeTM3"};
    QTest::newRow("three characters, Yes: entered again")
        << kKeyPage + QStringList{"type:CodeTM3=abc", "answer:Yes", "leave:CodeTM3"}
        << QStringList{kReenter} << QStringList{"CodeTM3=ABC|on", "focus=CodeTM3"};
    QTest::newRow("padded text held by another key: one error, emptied")
        << kKeyPage + QStringList{"set:CodeTM20=000000000ABC", "type:CodeTM3=abc", "answer:No",
                                  "leave:CodeTM3"}
        << QStringList{kReenter, kDuplicate}
        << QStringList{"CodeTM3=|on", "CodeTM20=000000000ABC|on", "focus=CodeTM3"};
    QTest::newRow("eleven characters held by key 28 once padded")
        << kKeyPage + QStringList{"set:CodeTM28=0123456789AB", "type:CodeTM1=123456789ab",
                                  "answer:No", "leave:CodeTM1"}
        << QStringList{kReenter, kDuplicate} << QStringList{"CodeTM1=|on", "focus=CodeTM1"};
    // Two rows with one key would give the device two conflicting sets of rights.
    QTest::newRow("twelve characters held by another key: emptied")
        << kKeyPage +
               QStringList{"set:CodeTM1=0123456789AB", "type:CodeTM3=0123456789ab", "leave:CodeTM3"}
        << QStringList{kDuplicate}
        << QStringList{"CodeTM3=|on", "CodeTM1=0123456789AB|on", "focus=CodeTM3"};
    QTest::newRow("an empty edit is left alone")
        << kKeyPage + QStringList{"click:CodeTM3", "leave:CodeTM3"} << QStringList{}
        << QStringList{"CodeTM3=|on", "focus=HelpBitBtn"};
}

void TestKeyRules::keyReadTarget_data() {
    AddRulesColumns();
    QTest::newRow("a click into an identifier enables Считать ТМ")
        << kConnectedKeyPage + QStringList{"click:CodeTM5"} << QStringList{}
        << QStringList{"LoadIdButton=-|on"};
    QTest::newRow("not in the demo mode") << kKeyPage + QStringList{"click:CodeTM5"}
                                          << QStringList{} << QStringList{"LoadIdButton=-|off"};
    for (int page : {0, 1, 2}) {
        QTest::addRow("changing to page %d disables it", page)
            << kConnectedKeyPage + QStringList{"click:CodeTM5", "page:" + QString::number(page)}
            << QStringList{} << QStringList{"LoadIdButton=-|off"};
    }
}

void TestKeyRules::oneKeyMode_data() {
    AddRulesColumns();
    const QStringList key3 = {"set:shvz31=X", "set:shvz34=X", "set:shvz38=X", "set:shsn32=X",
                              "set:shsn41=X"};
    QTest::newRow("key 3 disarms what it arms")
        << key3 + QStringList{"click:onekeymode3"} << QStringList{}
        << QStringList{"shsn31=X|off", "shsn32=-|off", "shsn33=-|off",
                       "shsn34=X|off", "shsn38=X|off", "shsn41=X|on"};
    QTest::newRow("key 3 back: enabled, ticks kept")
        << key3 + QStringList{"click:onekeymode3", "click:onekeymode3"} << QStringList{}
        << QStringList{"shsn31=X|on", "shsn32=-|on", "shsn34=X|on"};
    QTest::newRow("arming changes follow in one-key mode")
        << key3 + QStringList{"click:onekeymode3", "click:shvz35", "click:shvz31"} << QStringList{}
        << QStringList{"shsn35=X|off", "shsn31=-|off"};
    const QStringList allKeys = {"set:shvz11=X", "set:shvz288=X", "click:OnekeymodeAll"};
    QTest::newRow("all keys at once")
        << allKeys << QStringList{}
        << QStringList{"onekeymode1=X|on", "onekeymode28=X|on", "shsn11=X|off", "shsn12=-|off",
                       "shsn288=X|off"};
    QTest::newRow("all keys back")
        << allKeys + QStringList{"click:OnekeymodeAll"} << QStringList{}
        << QStringList{"onekeymode1=-|on", "onekeymode28=-|on", "shsn11=X|on", "shsn288=X|on"};
}

void TestKeyRules::outputTypeShowsThePage_data() {
    AddRulesColumns();
    QTest::newRow("Идентификатор ТМ shows the tab")
        << QStringList{"set:TypeTMRadioGroup=1", "set:TypeTMRadioGroup=0"} << QStringList{}
        << QStringList{"tabs=++++-"};
    QTest::newRow("Переключатель hides it") << kKeyPage + QStringList{"set:TypeTMRadioGroup=1"}
                                            << QStringList{} << QStringList{"tabs=+++--"};
    QTest::newRow("key blocking runs the same rule")
        << QStringList{"set:KBBlockRadioGroup=1"} << QStringList{} << QStringList{"tabs=++++-"};
}

void TestKeyRules::deviceNumber_data() {
    AddRulesColumns();
    QTest::newRow("254: 1") << QStringList{"set:NumberPKPEdit=254"}
                            << QStringList{kDeviceNumberRange} << QStringList{"NumberPKPEdit=1|on"};
    QTest::newRow("0: 1") << QStringList{"set:NumberPKPEdit=0"} << QStringList{kDeviceNumberRange}
                          << QStringList{"NumberPKPEdit=1|on"};
    QTest::newRow("253 out of non-digits")
        << QStringList{"set:NumberPKPEdit=2x5-3"} << QStringList{}
        << QStringList{"NumberPKPEdit=253|on", "NumberPKP=253|on"};
    QTest::newRow("emptied: no message")
        << QStringList{"set:NumberPKPEdit="} << QStringList{} << QStringList{"NumberPKPEdit=|on"};
}

void TestKeyRules::identifierBoxes() {
    RulesWindow window;
    window.TakeBoxTexts();
    window.Run(kKeyPage + QStringList{"set:CodeTM2=00000000000F", "type:CodeTM9=f", "answer:No",
                                      "leave:CodeTM9"});
    QCOMPARE(window.dialogs.boxes.size(), 2);
    const MessageBoxRequest question = window.dialogs.boxes[0];
    QCOMPARE(question.caption, Message(10016));
    QCOMPARE(question.icon, BoxIcon::Question);
    QCOMPARE(question.buttons, BoxButtons::YesNo);
    const MessageBoxRequest error = window.dialogs.boxes[1];
    QCOMPARE(error.caption, Message(10001));
    QCOMPARE(error.icon, BoxIcon::Error);
    QCOMPARE(error.buttons, BoxButtons::Ok);
    QCOMPARE(error.owner, BoxOwner::Main);
}

void TestKeyRules::keyReadStartsForTheClickedKey() {
    RulesWindow window;
    window.Run(kConnectedKeyPage + QStringList{"click:CodeTM7"});
    window.form->SetStatusText("x");
    QSignalSpy started(window.form.get(), &TMainForm::operationStarted);
    window.form->Control<QPushButton>("LoadIdButton")->click();
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.first().first().value<Operation>(), Operation::ReadKey);
    QCOMPARE(window.form->StatusText(), QString());
    const QStringList off = {"CancelButton=-|off", "WriteButton=-|off", "ReadButton=-|off",
                             "SaveButton=-|off",   "LoadButton=-|off",  "DefaultButton=-|off"};
    QCOMPARE(window.States(off), off);
}

QTEST_MAIN(TestKeyRules)
#include "tst_key_rules.moc"
