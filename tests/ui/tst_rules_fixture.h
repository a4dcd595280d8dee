#pragma once

#include "recording_dialogs.h"

#include "ui/main_form.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The window as the program opens it (constructed with the factory settings, created, shown,
// active, in the demo work mode) over a driver that never finds a bridge, every box recorded.
// RulesWindow(false) stops after the construction. The test fails when the window never becomes
// active.
//
// Tables drive it with steps and check it with states:
//   "click:ks1"            a user's click on a check box, radio button or edit
//   "answer:No"            the answer to the next question box (else its default button)
//   "set:TimeAvEdit=5"     by program: a text, a combo entry, a radio-group item, a tick (X, -)
//   "type:DelayInEdit1=25" the edit (or a combo's field) gets the focus and the keys are
//                          typed at the text's end
//   "leave:TimeAvEdit"     the edit gets the focus, and the focus moves on to HelpBitBtn
//   "pick:TimeZmk2=3"      a user's pick of a combo entry
//   "mode:3=5"             sub-page of output 3 shown, then its work mode set to 5
//   "page:0"               a user's change of PageControl1 to that page
//   "connected"            the end of a successful connection in the settings work mode
// A state reads "name=value|on" or "name=value|off": an edit's text, a combo's entry text
// ("(none)" without entry), a box's tick ("X" or "-"), a radio group's item index, a spinner's
// position, and whether the control is enabled. "focus=name" names the control with the focus,
// "status=text" is the status bar's text, "tabs=+++--" which tabs of PageControl1 show.
class RulesWindow {
public:
    explicit RulesWindow(bool create = true);
    ~RulesWindow();

    void Run(const QStringList& steps);
    QString State(const QString& name) const;
    // The states of the names in expected, to compare with expected.
    QStringList States(const QStringList& expected) const;
    // The texts of the boxes shown since the last call.
    QStringList TakeBoxTexts();
    QWidget* Focused() const;

    RecordingDialogs dialogs;
    std::unique_ptr<TMainForm> form;

private:
    void Step(const QString& step);
};

// Runs once per test program: a fresh current folder holding the factory-defaults file, and
// the built-in message catalogue.
void PrepareRulesEnvironment(const QTemporaryDir& folder);

// A catalogue text, with its "%s" bounds filled in when given.
QString Message(int id);
QString Message(int id, int lower, int upper);

// Runs the current row of a table with the columns steps (QStringList), boxes (QStringList,
// the texts shown in order) and states (QStringList, as above).
void RunRulesRow();
void AddRulesColumns();
