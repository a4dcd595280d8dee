// Handlers whose rules live in files of their own once written: each definition below moves
// to its page's rules file (loop, output and identifier rules, configuration files, device
// commands) and leaves this file. Until then the controls are bound to these empty bodies.

#include "ui/main_form.h"

// Construction steps.
void TMainForm::ApplyOutputPresets() {}

// Device commands.
void TMainForm::WriteButtonClick() {}
void TMainForm::ReadButtonClick() {}
void TMainForm::LoadIdButtonClick() {}

// Loop page.
void TMainForm::ChangeTypeShl(QObject*) {}
void TMainForm::KsModeShl() {}
void TMainForm::DelayInEdit1Change() {}
void TMainForm::DelayInEdit2Change() {}
void TMainForm::DelayOutEdit1Change() {}
void TMainForm::DelayOutEdit2Change() {}
void TMainForm::AnyOutExit(QObject*) {}
void TMainForm::TimeAvEditChange() {}
void TMainForm::TimeAvEditExit() {}
void TMainForm::TimeAlarmEditChange() {}
void TMainForm::TimeAlarmExit() {}

// Output page.
void TMainForm::MakeWorkModeRele(QObject*) {}
void TMainForm::SetPageElementsAbleStatus_WorkModeRele(uint8_t) {}
void TMainForm::SetAllPagesElementsAbleStatus_WorkModeRele() {}
void TMainForm::SpecModeRele(QObject*) {}
void TMainForm::TypeShl(QObject*) {}

// Identifier page.
void TMainForm::Id1Change(QObject*) {}
void TMainForm::Id1Click(QObject*) {}
void TMainForm::Id1Exit(QObject*) {}
void TMainForm::OneKeyModeShl() {}
void TMainForm::AllKeyModeShl() {}
void TMainForm::ChangeTypeTM() {}
void TMainForm::NumberEditChange() {}
void TMainForm::ChangeLoadIdButton() {}
