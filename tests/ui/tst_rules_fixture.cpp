#include "tst_rules_fixture.h"

#include "window_test_support.h"

#include "catalogue/message_catalogue.h"
#include "settings/control_names.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/up_down.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

namespace {
constexpr char kFocusTarget[] = "HelpBitBtn";

// "name=value" split at the first "=".
std::pair<QString, QString> NameAndValue(const QString& text) {
    const qsizetype at = text.indexOf('=');
    return {text.left(at), text.mid(at + 1)};
}
} // namespace

RulesWindow::RulesWindow(bool create) {
    form = std::make_unique<TMainForm>(TestWindowDeps(dialogs));
    if (!create) {
        return;
    }
    form->FormCreate();
    form->show();
    form->activateWindow();
    // Without an active window the focus steps would not run their rules and the rows would
    // pass or fail for the wrong reason.
    QVERIFY2(QTest::qWaitForWindowActive(form.get()),
             "the window did not become active; focus steps would not run their rules");
}

RulesWindow::~RulesWindow() {
    // Closing asks for confirmation; the window is destroyed without it.
    form->hide();
}

void RulesWindow::Run(const QStringList& steps) {
    for (const QString& step : steps) {
        Step(step);
    }
}

void RulesWindow::Step(const QString& step) {
    const qsizetype colon = step.indexOf(':');
    const QString verb = step.left(colon);
    const auto [name, value] = NameAndValue(step.mid(colon + 1));
    if (verb == QLatin1String("click")) {
        QWidget* control = form->FindControl(name);
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->click();
        } else {
            QTest::mouseClick(control, Qt::LeftButton);
        }
    } else if (verb == QLatin1String("answer")) {
        dialogs.answers.enqueue(name == QLatin1String("Yes") ? BoxResult::Yes : BoxResult::No);
    } else if (verb == QLatin1String("set")) {
        QWidget* control = form->FindControl(name);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(value);
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->setChecked(value == QLatin1String("X"));
        } else if (auto* combo = qobject_cast<ComboList*>(control)) {
            combo->SetItemIndex(value.toInt());
        } else {
            form->Control<RadioGroup>(name)->SetItemIndex(value.toInt());
        }
    } else if (verb == QLatin1String("type")) {
        QWidget* control = form->FindControl(name);
        auto* combo = qobject_cast<ComboList*>(control);
        QLineEdit* edit = combo != nullptr ? combo->lineEdit() : form->Control<QLineEdit>(name);
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, value);
    } else if (verb == QLatin1String("leave")) {
        form->Control<QWidget>(name)->setFocus();
        form->Control<QWidget>(QLatin1String(kFocusTarget))->setFocus();
    } else if (verb == QLatin1String("pick")) {
        auto* combo = form->Control<ComboList>(name);
        combo->SetItemIndex(value.toInt());
        emit combo->activated(value.toInt());
    } else if (verb == QLatin1String("mode")) {
        form->Control<PageControl>("PageControl2")->SetActivePageIndex(name.toInt() - 1);
        form->Control<RadioGroup>(velor::window::WorkModeGroupName(name.toInt()))
            ->SetItemIndex(value.toInt());
    } else if (verb == QLatin1String("connected")) {
        form->SetButtons(ButtonOutcome::ConnectedSettings);
    } else if (verb == QLatin1String("page")) {
        auto* tabs = form->Control<PageControl>("PageControl1")->findChild<QTabBar*>();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(name.toInt()).center());
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

QString RulesWindow::State(const QString& name) const {
    if (name == QLatin1String("focus")) {
        return name + '=' + (Focused() != nullptr ? Focused()->objectName() : QString());
    }
    if (name == QLatin1String("status")) {
        return name + '=' + form->StatusText();
    }
    if (name == QLatin1String("tabs")) {
        auto* pages = form->Control<PageControl>("PageControl1");
        QString tabs;
        for (int page = 0; page < pages->count(); ++page) {
            tabs += pages->TabVisible(page) ? '+' : '-';
        }
        return name + '=' + tabs;
    }
    QWidget* control = form->FindControl(name);
    QString value;
    if (auto* spinner = qobject_cast<UpDown*>(control)) {
        value = QString::number(spinner->Position());
    } else if (auto* combo = qobject_cast<ComboList*>(control)) {
        value =
            combo->ItemIndex() < 0 ? QStringLiteral("(none)") : combo->itemText(combo->ItemIndex());
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        value = button->isChecked() ? QStringLiteral("X") : QStringLiteral("-");
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        value = edit->text();
    } else {
        value = QString::number(form->Control<RadioGroup>(name)->ItemIndex());
    }
    return name + '=' + value + (control->isEnabled() ? "|on" : "|off");
}

QStringList RulesWindow::States(const QStringList& expected) const {
    QStringList states;
    for (const QString& state : expected) {
        states << State(NameAndValue(state).first);
    }
    return states;
}

QStringList RulesWindow::TakeBoxTexts() {
    QStringList texts;
    for (const MessageBoxRequest& box : dialogs.boxes) {
        texts << box.text;
    }
    dialogs.boxes.clear();
    return texts;
}

QWidget* RulesWindow::Focused() const {
    return QApplication::focusWidget();
}

void PrepareRulesEnvironment(const QTemporaryDir& folder) {
    QVERIFY(PrepareFactoryFolder(folder));
    LoadBuiltInCatalogue();
}

QString Message(int id) {
    return velor::BuiltInMessageText(id);
}

QString Message(int id, int lower, int upper) {
    QString text = Message(id);
    text.replace(text.indexOf("%s"), 2, QString::number(lower));
    text.replace(text.indexOf("%s"), 2, QString::number(upper));
    return text;
}

void AddRulesColumns() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("states");
}

void RunRulesRow() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, states);
    RulesWindow window;
    if (QTest::currentTestFailed()) {
        return; // the window never became active
    }
    window.TakeBoxTexts(); // whatever the start showed is not the row's
    window.Run(steps);
    QCOMPARE(window.TakeBoxTexts(), boxes);
    QCOMPARE(window.States(states), states);
}
