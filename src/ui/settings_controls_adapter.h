#pragma once

#include "settings/settings_controls.h"

class TMainForm;

// The main window's controls behind the settings codec: each name is looked up in the window's
// name index, and each value is set the way the window's own controls run their rules.
class WindowSettingsControls : public SettingsControls {
public:
    explicit WindowSettingsControls(TMainForm& form) : form_(form) {}

    QString Text(const QString& name) const override;
    void SetText(const QString& name, const QString& text) override;
    bool Checked(const QString& name) const override;
    void SetChecked(const QString& name, bool checked) override;
    void SetCheckedDetached(const QString& name, bool checked) override;
    int ItemIndex(const QString& name) const override;
    void SetItemIndex(const QString& name, int index) override;
    void SetItemIndexDetached(const QString& name, int index) override;
    int Position(const QString& name) const override;
    void SetPosition(const QString& name, int position) override;
    void RunLoopTypeRule(const QString& buttonName) override;
    void ShowFirstOutputTab() override;
    void RefreshAllOutputs() override;
    void AddTrace(const QString& line) override;

private:
    TMainForm& form_;
};

// The same controls for an encoding that only looks: no trace lines in ListBox2, which keeps the
// lines of the last file or write (the fingerprint of the window's settings).
class UntracedWindowControls : public WindowSettingsControls {
public:
    using WindowSettingsControls::WindowSettingsControls;
    void AddTrace(const QString&) override {}
};
