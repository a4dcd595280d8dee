// The right-hand column: the port choice, the work-mode list and the command buttons, with the
// work-mode change and the enabling of the commands per window state. The commands themselves
// are in src/ui/commands/ (connect and disconnect: link_commands.cpp).

#include "ui/control_families.h"
#include "ui/main_form.h"
#include "ui/pages/caption_table.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/page_control.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace velor::window;

namespace {
constexpr int kColumnWidth = 118;
constexpr int kGroupMargin = 3;
// Tight spacing keeps the column, "История" included, within the pages' height.
constexpr int kColumnSpacing = 2;

// The column's group boxes, top to bottom, and the buttons in each.
struct ButtonGroup {
    const char* name;
    std::initializer_list<const char*> buttons;
};
const ButtonGroup kButtonGroups[] = {
    {"LinkGroupBox", {"ConnectButton", "CancelButton"}},
    {"DeviceGroupBox", {"WriteButton", "ReadButton"}},
    {"FileGroupBox", {"SaveButton", "LoadButton", "HistoryButton"}},
    {"ToolsGroupBox", {"DefaultButton", "LoadIdButton", "HelpBitBtn", "BtnAbout"}},
};

// The captions with their mnemonics ("&" before the letter that Alt takes): each letter is used
// once in the window, in Russian and in English, and no Russian letter shares its key with the
// Latin mnemonics H and L on a Russian keyboard.
constexpr CaptionRow kButtonCaptions[] = {
    {"ConnectButton", QT_TRANSLATE_NOOP("TMainForm", "&Установить")},
    {"CancelButton", QT_TRANSLATE_NOOP("TMainForm", "Разор&вать")},
    {"WriteButton", QT_TRANSLATE_NOOP("TMainForm", "&Записать в")},
    {"ReadButton", QT_TRANSLATE_NOOP("TMainForm", "С&читать из")},
    {"SaveButton", QT_TRANSLATE_NOOP("TMainForm", "&Сохранить")},
    {"LoadButton", QT_TRANSLATE_NOOP("TMainForm", "За&грузить")},
    {"HistoryButton", QT_TRANSLATE_NOOP("TMainForm", "&История")},
    {"DefaultButton", QT_TRANSLATE_NOOP("TMainForm", "Завод. &настр.")},
    {"LoadIdButton", QT_TRANSLATE_NOOP("TMainForm", "Считать &ТМ")},
    {"HelpBitBtn", QT_TRANSLATE_NOOP("TMainForm", "&Help  ")},
    {"BtnAbout", QT_TRANSLATE_NOOP("TMainForm", "&О программе")},
    {"BitBtn_SelectLang", QT_TRANSLATE_NOOP("TMainForm", "Select &language")},
};

// The box of the remaining commands has no title.
constexpr CaptionRow kGroupCaptions[] = {
    {"PortGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Порт связи")},
    {"WorkModeGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Режим работы:")},
    {"LinkGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Связь")},
    {"DeviceGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Прибор")},
    {"FileGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Файл")},
};

QStringList WorkModeItems() {
    return {TMainForm::tr("Смена настроек"), TMainForm::tr("Смена ПО"),
            TMainForm::tr("Демо-режим")};
}

QGroupBox* NewGroup(QWidget* parent, const char* name) {
    auto* group = Named(new QGroupBox(parent), QLatin1String(name));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
    layout->setSpacing(kColumnSpacing);
    return group;
}

} // namespace

QWidget* TMainForm::BuildCommandColumn() {
    auto* column = Named(new QWidget(this), QStringLiteral("CommandPanel"));
    column->setFixedWidth(kColumnWidth);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kColumnSpacing);

    QGroupBox* port = NewGroup(column, "PortGroupBox");
    port->layout()->addWidget(Named(new QRadioButton(port), QStringLiteral("USB")));
    layout->addWidget(port);
    QGroupBox* workMode = NewGroup(column, "WorkModeGroupBox");
    auto* modes = Named(new ComboList(false, workMode), QStringLiteral("WorkMode"));
    modes->SetWrapsText(true); // "Смена настроек" is wider than the column
    modes->SetItems(WorkModeItems());
    modes->SetItemIndex(-1);
    workMode->layout()->addWidget(modes);
    layout->addWidget(workMode);
    for (const ButtonGroup& group : kButtonGroups) {
        QGroupBox* box = NewGroup(column, group.name);
        for (const char* name : group.buttons) {
            box->layout()->addWidget(Named(new CommandButton(box), QLatin1String(name)));
        }
        layout->addWidget(box);
    }
    layout->addStretch(1);
    layout->addWidget(Named(new CommandButton(column), QStringLiteral("BitBtn_SelectLang")));
    return column;
}

void TMainForm::RetranslateCommandColumn() {
    for (const char* name : {"PortGroupBox", "WorkModeGroupBox"}) {
        Control<QGroupBox>(QLatin1String(name))
            ->setTitle(CaptionOf(kGroupCaptions, QLatin1String(name)));
    }
    Control<QRadioButton>(QStringLiteral("USB"))->setText(tr("USB - порт"));
    Control<ComboList>(QStringLiteral("WorkMode"))->SetItems(WorkModeItems());
    for (const ButtonGroup& group : kButtonGroups) {
        Control<QGroupBox>(QLatin1String(group.name))
            ->setTitle(CaptionOf(kGroupCaptions, QLatin1String(group.name)));
        for (const char* name : group.buttons) {
            Control<QPushButton>(QLatin1String(name))
                ->setText(CaptionOf(kButtonCaptions, QLatin1String(name)));
        }
    }
    Control<QPushButton>(QStringLiteral("BitBtn_SelectLang"))
        ->setText(CaptionOf(kButtonCaptions, QStringLiteral("BitBtn_SelectLang")));
}

void TMainForm::WireCommandColumn() {
    connect(Control<QRadioButton>(QStringLiteral("USB")), &QRadioButton::toggled, this,
            &TMainForm::USBClick);
    connect(Control<ComboList>(QStringLiteral("WorkMode")), &QComboBox::activated, this,
            &TMainForm::WorkModeClick);
    const std::pair<const char*, void (TMainForm::*)()> commands[] = {
        {"ConnectButton", &TMainForm::ConnectButtonClick},
        {"CancelButton", &TMainForm::CancelButtonClick},
        {"WriteButton", &TMainForm::WriteButtonClick},
        {"ReadButton", &TMainForm::ReadButtonClick},
        {"SaveButton", &TMainForm::SaveButtonClick},
        {"LoadButton", &TMainForm::LoadButtonClick},
        {"DefaultButton", &TMainForm::DefaultButtonClick},
        {"LoadIdButton", &TMainForm::LoadIdButtonClick},
        {"HistoryButton", &TMainForm::HistoryButtonClick},
    };
    for (const auto& [name, handler] : commands) {
        connect(Control<QPushButton>(QLatin1String(name)), &QPushButton::clicked, this, handler);
    }
}

void TMainForm::SetButtonState(ButtonState state) {
    const ButtonStateRow& row = ButtonRow(state);
    for (int i = 0; i < kCommandControlCount; ++i) {
        if (row[i] != EnableState::Keep) {
            FindControl(QLatin1String(CommandControlName(static_cast<CommandControl>(i))))
                ->setEnabled(row[i] == EnableState::On);
        }
    }
}

void TMainForm::WorkModeClick() {
    const int workMode = Control<ComboList>(QStringLiteral("WorkMode"))->ItemIndex();
    if (workMode < kSettingsWorkMode || workMode > kDemoWorkMode) {
        return;
    }
    SetButtonState(workMode == kDemoWorkMode ? ButtonState::DemoMode : ButtonState::ModeChosen);
    SettingsMode = workMode == kSettingsWorkMode;
    FirmwareMode = workMode == kFirmwareWorkMode;
    DemoMode = workMode == kDemoWorkMode;
    SetWorkModePages(workMode);
}

// The settings pages for the settings and demo work modes, the firmware page alone for the
// firmware work mode. No setting changes with the work mode: looking at the firmware page must
// not alter what a later write sends. The identifier page's tab follows the TM output type
// (ChangeTypeTM), which hides it in the firmware work mode.
void TMainForm::SetWorkModePages(int workMode) {
    const bool firmware = workMode == kFirmwareWorkMode;
    for (const int page : {kMainPage, kLoopPage, kOutputPage}) {
        PageControl1->SetTabVisible(page, !firmware);
        PageControl1->SetSheetVisible(page, !firmware);
    }
    PageControl1->SetTabVisible(kFirmwarePage, firmware);
    PageControl1->SetSheetVisible(kFirmwarePage, firmware);
    PageControl1->SetActivePageIndex(firmware ? kFirmwarePage : kMainPage);
    ChangeTypeTM();
    // Showing a tab can show its sheet; the identifier page is never the one a work mode opens.
    PageControl1->SetSheetVisible(kKeyPage, false);
}

void TMainForm::USBClick() {
    auto* usb = Control<QRadioButton>(QStringLiteral("USB"));
    if (usb->isChecked()) {
        usb->setStyleSheet(QStringLiteral("color: red;"));
    }
}
