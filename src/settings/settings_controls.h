#pragma once

#include <QString>

// The window's settings controls as the settings codec sees them: found by their composed name
// ("CodeTM5", "shl32", "TimeAv"), read and set by kind. Setting a value by program behaves as
// the user's change would: a check box, a radio button or a radio group runs its click rule when
// its value changes, an edit runs its change rule; a drop-down list runs nothing. The detached
// setters change a value with the control's rule suspended and do not run it afterwards.
//
// A name the window does not have is a programming error; implementations throw
// std::logic_error for it.
class SettingsControls {
public:
    virtual ~SettingsControls() = default;

    // Text edits.
    virtual QString Text(const QString& name) const = 0;
    virtual void SetText(const QString& name, const QString& text) = 0;

    // Check boxes and radio buttons.
    virtual bool Checked(const QString& name) const = 0;
    virtual void SetChecked(const QString& name, bool checked) = 0;
    virtual void SetCheckedDetached(const QString& name, bool checked) = 0;

    // Radio groups and drop-down lists; -1 = no item selected.
    virtual int ItemIndex(const QString& name) const = 0;
    virtual void SetItemIndex(const QString& name, int index) = 0;
    virtual void SetItemIndexDetached(const QString& name, int index) = 0;

    // Up-downs: the position follows the number in the associated edit; setting it writes the
    // edit's text (which runs the edit's change rule).
    virtual int Position(const QString& name) const = 0;
    virtual void SetPosition(const QString& name, int position) = 0;

    // The loop-type rule with the named loop-type radio button as its sender.
    virtual void RunLoopTypeRule(const QString& buttonName) = 0;
    // Shows the sub-page of relay 1 on the outputs page.
    virtual void ShowFirstOutputTab() = 0;
    // Sets the enabled state of every output's controls from its work mode.
    virtual void RefreshAllOutputs() = 0;
    // Appends a diagnostic line to the hidden trace list.
    virtual void AddTrace(const QString& line) = 0;
};
