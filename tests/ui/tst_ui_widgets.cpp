// The small widget classes the window's rules rely on: when their signals fire (user input,
// program changes, neither), and how the spinner keeps its position in step with its edit.

#include "ui/gauge_sink.h"
#include "ui/widgets/click_label.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/elided_label.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/up_down.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <thread>

namespace {
QList<int> IntArguments(const QSignalSpy& spy) {
    QList<int> values;
    for (const QList<QVariant>& call : spy) {
        values << call.at(0).toInt();
    }
    return values;
}

// Types text key by key, Cyrillic included.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
} // namespace

class TestUiWidgets : public QObject {
    Q_OBJECT
private slots:
    void radioGroupReportsEachChangeOnce_data();
    void radioGroupReportsEachChangeOnce();
    void radioGroupKeepsIndexWhenTextsChange();
    void radioGroupSetSilentlyWithBlocker();

    void upDownStepsAndFollowsItsEdit_data();
    void upDownStepsAndFollowsItsEdit();

    void exitEditReportsLeavingTheField_data();
    void exitEditReportsLeavingTheField();
    void exitEditTurnsTypedInputUpperCase();
    void exitEditReportsLeftClicks();

    void comboListRunsNothingOnProgramSelection();
    void comboListTypedTextSelectsMatchingEntry_data();
    void comboListTypedTextSelectsMatchingEntry();
    void comboListKeepsIndexWhenTextsChange();

    void pageControlReportsOnlyUserChanges();
    void pageControlSheetVisibilityIsItsOwn();

    void clickLabelReportsClicks();
    void elidedLabelFollowsItsWidth();
    void gaugeSinkMovesBarOnItsThread();
};

// Steps: "p<n>" the program sets index n, "u<n>" the user clicks item n.
void TestUiWidgets::radioGroupReportsEachChangeOnce_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("signalled");
    QTest::addColumn<int>("finalIndex");

    QTest::newRow("program selects from none") << QStringList{"p1"} << QList<int>{1} << 1;
    QTest::newRow("program moves, one signal") << QStringList{"p0", "p2"} << QList<int>{0, 2} << 2;
    QTest::newRow("program repeats the index") << QStringList{"p1", "p1"} << QList<int>{1} << 1;
    QTest::newRow("program clears") << QStringList{"p1", "p-1"} << QList<int>{1, -1} << -1;
    QTest::newRow("program clears when none") << QStringList{"p-1"} << QList<int>{} << -1;
    QTest::newRow("out of range ignored") << QStringList{"p0", "p3", "p-2"} << QList<int>{0} << 0;
    QTest::newRow("user picks") << QStringList{"u2"} << QList<int>{2} << 2;
    QTest::newRow("user moves") << QStringList{"u0", "u1"} << QList<int>{0, 1} << 1;
    QTest::newRow("user clicks the checked item") << QStringList{"u0", "u0"} << QList<int>{0} << 0;
    QTest::newRow("user after program") << QStringList{"p2", "u0"} << QList<int>{2, 0} << 0;
}

void TestUiWidgets::radioGroupReportsEachChangeOnce() {
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, signalled);
    QFETCH(int, finalIndex);

    RadioGroup group;
    group.SetItems({"a", "b", "c"});
    group.show();
    QSignalSpy spy(&group, &RadioGroup::itemIndexChanged);
    for (const QString& step : steps) {
        const int index = step.mid(1).toInt();
        if (step.startsWith('p')) {
            group.SetItemIndex(index);
        } else {
            QTest::mouseClick(group.Button(index), Qt::LeftButton);
        }
    }
    QCOMPARE(IntArguments(spy), signalled);
    QCOMPARE(group.ItemIndex(), finalIndex);
    for (int i = 0; i < group.Count(); ++i) {
        QCOMPARE(group.Button(i)->isChecked(), i == finalIndex);
    }
}

void TestUiWidgets::radioGroupKeepsIndexWhenTextsChange() {
    RadioGroup group;
    group.SetItems({"Нет", "Да"});
    group.SetItemIndex(1);
    QSignalSpy spy(&group, &RadioGroup::itemIndexChanged);
    group.SetItems({"No", "Yes"});
    QCOMPARE(group.Items(), (QStringList{"No", "Yes"}));
    QCOMPARE(group.ItemIndex(), 1);
    QCOMPARE(spy.count(), 0);
    group.SetItems({"x", "y", "z"}); // another count rebuilds the items, nothing selected
    QCOMPARE(group.Count(), 3);
    QCOMPARE(group.ItemIndex(), -1);
}

void TestUiWidgets::radioGroupSetSilentlyWithBlocker() {
    RadioGroup group;
    group.SetItems({"a", "b", "c"});
    QSignalSpy spy(&group, &RadioGroup::itemIndexChanged);
    {
        const QSignalBlocker detached(group);
        group.SetItemIndex(2);
    }
    QCOMPARE(group.ItemIndex(), 2);
    QCOMPARE(spy.count(), 0);
    group.SetItemIndex(0); // attached again: the next change is reported
    QCOMPARE(IntArguments(spy), QList<int>{0});
}

// Actions: "up", "down", "key-up", "pos<n>" (program), "type<text>" (user replaces the text).
void TestUiWidgets::upDownStepsAndFollowsItsEdit_data() {
    QTest::addColumn<QList<int>>("range"); // min, max, increment
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("textChanges");

    const QList<int> reArm{5, 1275, 5};
    const QList<int> delay{0, 255, 1};
    QTest::newRow("step up") << reArm << "5" << QStringList{"up", "up"} << "15" << 15 << 2;
    QTest::newRow("step down") << delay << "1" << QStringList{"down"} << "0" << 0 << 1;
    QTest::newRow("stays at max") << reArm << "1275" << QStringList{"up"} << "1275" << 1275 << 0;
    QTest::newRow("stays at min") << delay << "0" << QStringList{"down"} << "0" << 0 << 0;
    QTest::newRow("arrow key steps") << delay << "7" << QStringList{"key-up"} << "8" << 8 << 1;
    QTest::newRow("program position shown")
        << delay << "1" << QStringList{"pos200"} << "200" << 200 << 1;
    QTest::newRow("program position clamped")
        << delay << "1" << QStringList{"pos300"} << "255" << 255 << 1;
    QTest::newRow("follows typed number")
        << delay << "1" << QStringList{"type42", "up"} << "43" << 43 << 2;
    QTest::newRow("keeps last valid position on letters")
        << delay << "9" << QStringList{"typeab", "up"} << "10" << 10 << 2;
    QTest::newRow("keeps last valid position out of range")
        << delay << "9" << QStringList{"type300"} << "300" << 9 << 1;
    QTest::newRow("empty edit keeps position")
        << reArm << "20" << QStringList{"type"} << "" << 20 << 1;
}

void TestUiWidgets::upDownStepsAndFollowsItsEdit() {
    QFETCH(QList<int>, range);
    QFETCH(QString, startText);
    QFETCH(QStringList, actions);
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(int, textChanges);

    QLineEdit edit;
    edit.setText(startText);
    UpDown upDown(&edit, range[0], range[1], range[2]);
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    for (const QString& action : actions) {
        if (action == "up") {
            upDown.StepUp();
        } else if (action == "down") {
            upDown.StepDown();
        } else if (action == "key-up") {
            QTest::keyClick(&edit, Qt::Key_Up);
        } else if (action.startsWith("pos")) {
            upDown.SetPosition(action.mid(3).toInt());
        } else {
            edit.setText(action.mid(4));
        }
    }
    QCOMPARE(edit.text(), text);
    QCOMPARE(upDown.Position(), position);
    QCOMPARE(changes.count(), textChanges);
}

void TestUiWidgets::exitEditReportsLeavingTheField_data() {
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("exited");

    QTest::newRow("tab") << int(Qt::TabFocusReason) << true;
    QTest::newRow("back tab") << int(Qt::BacktabFocusReason) << true;
    QTest::newRow("mouse elsewhere") << int(Qt::MouseFocusReason) << true;
    QTest::newRow("program moves focus") << int(Qt::OtherFocusReason) << true;
    QTest::newRow("window deactivated") << int(Qt::ActiveWindowFocusReason) << false;
    QTest::newRow("context menu") << int(Qt::PopupFocusReason) << false;
}

void TestUiWidgets::exitEditReportsLeavingTheField() {
    QFETCH(int, reason);
    QFETCH(bool, exited);

    ExitEdit edit;
    QSignalSpy spy(&edit, &ExitEdit::exited);
    QFocusEvent focusOut(QEvent::FocusOut, static_cast<Qt::FocusReason>(reason));
    QCoreApplication::sendEvent(&edit, &focusOut);
    QCOMPARE(spy.count(), exited ? 1 : 0);
}

void TestUiWidgets::exitEditTurnsTypedInputUpperCase() {
    ExitEdit edit;
    edit.SetUpperCaseInput(true);
    edit.setMaxLength(12);
    QTest::keyClicks(&edit, "ab12cdef-x");
    QCOMPARE(edit.text(), QString("AB12CDEF-X"));
    QTest::keyClicks(&edit, "abcdef"); // the 13th character on is refused
    QCOMPARE(edit.text(), QString("AB12CDEF-XAB"));
    edit.setText("abc0f"); // text set by program as well
    QCOMPARE(edit.text(), QString("ABC0F"));
    edit.SetUpperCaseInput(false);
    edit.clear();
    QTest::keyClicks(&edit, "ab");
    QCOMPARE(edit.text(), QString("ab"));
}

void TestUiWidgets::exitEditReportsLeftClicks() {
    ExitEdit edit;
    QSignalSpy spy(&edit, &ExitEdit::clicked);
    QTest::mouseClick(&edit, Qt::RightButton);
    QCOMPARE(spy.count(), 0);
    QTest::mouseClick(&edit, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

void TestUiWidgets::comboListRunsNothingOnProgramSelection() {
    for (const bool typed : {false, true}) {
        ComboList combo(typed);
        combo.SetItems({"---", "1 сек", "пост."});
        QSignalSpy user(&combo, &ComboList::changedByUser);
        QSignalSpy activated(&combo, &QComboBox::activated);
        combo.SetItemIndex(2);
        combo.SetItemIndex(-1);
        combo.SetItemIndex(7); // out of range: no entry selected
        QCOMPARE(combo.ItemIndex(), -1);
        QCOMPARE(user.count(), 0);
        QCOMPARE(activated.count(), 0);
        // A user's pick from the keyboard is reported.
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(combo.ItemIndex(), 0);
        QVERIFY(user.count() >= 1);
        QCOMPARE(activated.count(), 1);
    }
}

void TestUiWidgets::comboListTypedTextSelectsMatchingEntry_data() {
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("index");

    QTest::newRow("entry typed") << 0 << "1 сек" << 1;
    QTest::newRow("other text") << 1 << "7 сек" << -1;
    QTest::newRow("entry prefix only") << 2 << "1" << -1;
    QTest::newRow("case differs") << 0 << "ПОСТ." << -1;
}

void TestUiWidgets::comboListTypedTextSelectsMatchingEntry() {
    QFETCH(int, startIndex);
    QFETCH(QString, typed);
    QFETCH(int, index);

    ComboList combo(true);
    combo.SetItems({"---", "1 сек", "пост."});
    combo.SetItemIndex(startIndex);
    QSignalSpy user(&combo, &ComboList::changedByUser);
    combo.lineEdit()->selectAll();
    TypeText(combo.lineEdit(), typed);
    QCOMPARE(combo.currentText(), typed); // no completion, nothing inserted
    QCOMPARE(combo.ItemIndex(), index);
    QCOMPARE(combo.count(), 3);
    QCOMPARE(user.count(), typed.size()); // one report per keystroke
}

void TestUiWidgets::comboListKeepsIndexWhenTextsChange() {
    ComboList combo(false);
    combo.SetItems({"Да ", "Нет"});
    combo.SetItemIndex(1);
    combo.SetItems({"Yes", "No"});
    QCOMPARE(combo.ItemIndex(), 1);
    QCOMPARE(combo.currentText(), QString("No"));
}

void TestUiWidgets::pageControlReportsOnlyUserChanges() {
    PageControl pages;
    for (const char* name : {"A", "B", "C"}) {
        auto* sheet = new QLabel(name);
        sheet->setObjectName(name);
        pages.AddPage(sheet, name);
    }
    pages.resize(300, 200);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    QSignalSpy user(&pages, &PageControl::changedByUser);

    pages.SetActivePageIndex(2);
    pages.SetTabVisible(2, false); // the active tab goes; another page becomes active silently
    QVERIFY(pages.ActivePageIndex() != 2);
    QCOMPARE(user.count(), 0);

    pages.SetActivePageIndex(0);
    QTabBar* bar = pages.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QCOMPARE(pages.ActivePageIndex(), 1);
    QCOMPARE(IntArguments(user), QList<int>{1});
}

void TestUiWidgets::pageControlSheetVisibilityIsItsOwn() {
    PageControl pages;
    auto* sheet = new QLabel("content");
    pages.AddPage(sheet, "A");
    pages.AddPage(new QLabel("other"), "B");
    QCOMPARE(pages.Sheet(0), sheet);

    pages.SetSheetVisible(0, false); // the active page goes blank, its tab stays
    QVERIFY(!pages.SheetVisible(0));
    QVERIFY(pages.TabVisible(0));
    pages.SetActivePageIndex(0); // already active: stays blank
    QVERIFY(!pages.SheetVisible(0));
    pages.SetActivePageIndex(1);
    pages.SetActivePageIndex(0); // becoming active again shows the sheet
    QVERIFY(pages.SheetVisible(0));

    pages.SetTabVisible(1, false);
    pages.SetSheetVisible(1, false);
    pages.SetTabVisible(1, true); // the tab alone comes back; the page shows once activated
    QVERIFY(!pages.SheetVisible(1));
    pages.SetActivePageIndex(1);
    QVERIFY(pages.SheetVisible(1));
}

void TestUiWidgets::clickLabelReportsClicks() {
    ClickLabel label;
    label.setText("www.velor.example");
    label.SetLinkStyle();
    label.resize(120, 20);
    QSignalSpy spy(&label, &ClickLabel::clicked);
    QTest::mouseClick(&label, Qt::LeftButton);
    QTest::mouseClick(&label, Qt::RightButton);
    QCOMPARE(spy.count(), 1);
    QVERIFY(label.font().underline());
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
}

void TestUiWidgets::gaugeSinkMovesBarOnItsThread() {
    QProgressBar bar;
    bar.setValue(0);
    GaugeSink sink;
    sink.SetBar(&bar);
    std::thread worker([&sink] {
        sink.SetMax(5);
        for (int block = 0; block < 3; ++block) {
            sink.Advance();
        }
    });
    worker.join();
    QCOMPARE(bar.value(), 0); // queued onto the bar's thread, not touched from the worker
    QTRY_COMPARE(bar.value(), 3);
    QCOMPARE(bar.maximum(), 5);
    sink.Advance(); // on the bar's own thread: at once
    QCOMPARE(bar.value(), 4);
}

// Shortened in the middle only when too wide, again at every width; its size never follows the
// text.
void TestUiWidgets::elidedLabelFollowsItsWidth() {
    ElidedLabel label;
    label.resize(200, 20);
    const QSize emptyHint = label.sizeHint();
    label.setText("/home/technician/Base/fw.tsk");
    QCOMPARE(label.DisplayedText(), label.text());

    const QString path = "/home/technician/" + QString("objects/").repeated(20) + "firmware.tsk";
    label.setText(path);
    QCOMPARE(label.sizeHint(), emptyHint);
    QCOMPARE(label.text(), path);
    const QString at200 = label.DisplayedText();
    QVERIFY(at200.startsWith("/home/") && at200.endsWith("firmware.tsk"));
    QVERIFY(at200.contains(QChar(0x2026)));
    QVERIFY(label.fontMetrics().horizontalAdvance(at200) <= 200);

    label.resize(120, 20);
    const QString at120 = label.DisplayedText();
    QVERIFY(at120.size() < at200.size());
    QVERIFY(label.fontMetrics().horizontalAdvance(at120) <= 120);
    label.resize(label.fontMetrics().horizontalAdvance(path) + 1, 20);
    QCOMPARE(label.DisplayedText(), path);
}

QTEST_MAIN(TestUiWidgets)
#include "tst_ui_widgets.moc"
