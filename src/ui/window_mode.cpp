// The window's side of the command column (pages/command_column.h): its buttons bound to the
// window's commands, the window-mode change and the enabling of the commands per window state.
// The commands themselves are in src/ui/commands/ (connect and disconnect: link_commands.cpp).

#include "catalogue/message_ids.h"
#include "ui/control_families.h"
#include "ui/main_form.h"
#include "ui/pages/command_column.h"
#include "ui/pages/port_list.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"

#include <QPushButton>

using namespace velor::window;

void TMainForm::WireCommandColumn() {
    // A hint gives way once its action is taken: the start-up hint to a chosen window mode, the
    // loop-type warning to leaving the page it speaks of.
    connect(column_->WindowModes(), &QComboBox::activated, this, [this] {
        WorkModeClick();
        ReplaceHint(velor::msg::kChooseWorkMode);
        ReplaceHint(velor::msg::kLoopTypeWarning);
    });
    connect(PageControl1, &PageControl::changedByUser, this,
            [this] { ReplaceHint(velor::msg::kLoopTypeWarning); });
    using Command = CommandColumn::Command;
    const std::pair<Command, void (TMainForm::*)()> commands[] = {
        {Command::Connect, &TMainForm::ConnectButtonClick},
        {Command::Cancel, &TMainForm::CancelButtonClick},
        {Command::Write, &TMainForm::WriteButtonClick},
        {Command::Read, &TMainForm::ReadButtonClick},
        {Command::Save, &TMainForm::SaveButtonClick},
        {Command::Load, &TMainForm::LoadButtonClick},
        {Command::Default, &TMainForm::DefaultButtonClick},
        {Command::LoadId, &TMainForm::LoadIdButtonClick},
        {Command::History, &TMainForm::HistoryButtonClick},
        {Command::Report, &TMainForm::ReportButtonClick},
        {Command::SiteBook, &TMainForm::SiteBookButtonClick},
    };
    for (const auto& [command, handler] : commands) {
        connect(column_->Button(command), &QPushButton::clicked, this, handler);
    }
}

void TMainForm::SetButtonState(ButtonState state) {
    buttonState_ = state;
    const ButtonStateRow& row = ButtonRow(state);
    for (int i = 0; i < kCommandControlCount; ++i) {
        if (row[i] != EnableState::Keep) {
            FindControl(QLatin1String(CommandControlName(static_cast<CommandControl>(i))))
                ->setEnabled(row[i] == EnableState::On);
        }
    }
    // The port is chosen while the window-mode list is: not while connected.
    column_->Ports()->setEnabled(column_->WindowModes()->isEnabled());
}

void TMainForm::WorkModeClick() {
    const int windowMode = column_->WindowModes()->ItemIndex();
    if (windowMode < kSettingsWindowMode || windowMode > kDemoWindowMode) {
        return;
    }
    SetButtonState(windowMode == kDemoWindowMode ? ButtonState::DemoMode : ButtonState::ModeChosen);
    SettingsMode = windowMode == kSettingsWindowMode;
    FirmwareMode = windowMode == kFirmwareWindowMode;
    DemoMode = windowMode == kDemoWindowMode;
    SetWindowModePages(windowMode);
}

// The settings pages for the settings and demo window modes, the firmware page alone for the
// firmware window mode. No setting changes with the window mode: looking at the firmware page must
// not alter what a later write sends. The key page's tab follows the TM output type
// (ChangeTypeTM), which hides it in the firmware window mode.
void TMainForm::SetWindowModePages(int windowMode) {
    const bool firmware = windowMode == kFirmwareWindowMode;
    for (const int page : {kMainPage, kLoopPage, kOutputPage}) {
        PageControl1->SetTabVisible(page, !firmware);
        PageControl1->SetSheetVisible(page, !firmware);
    }
    PageControl1->SetTabVisible(kFirmwarePage, firmware);
    PageControl1->SetSheetVisible(kFirmwarePage, firmware);
    PageControl1->SetActivePageIndex(firmware ? kFirmwarePage : kMainPage);
    ChangeTypeTM();
    // Showing a tab can show its sheet; the key page is never the one a window mode opens.
    PageControl1->SetSheetVisible(kKeyPage, false);
}
