#include "ui/pages/command_column.h"

#include "link/bridge_roots.h"
#include "settings/window_captions.h"
#include "ui/control_index.h"
#include "ui/pages/port_list.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/command_button.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using velor::window::WindowText;

namespace {
constexpr int kColumnWidth = 118;
constexpr int kGroupMargin = 3;
// Tight spacing keeps the column, "История" included, within the pages' height.
constexpr int kColumnSpacing = 2;

using Command = CommandColumn::Command;

// A button's name and caption. The captions carry their mnemonics ("&" before the letter that
// Alt takes): each letter is used once in the window, in Russian and in English, and no Russian
// letter shares its key with the Latin mnemonics H and L on a Russian keyboard.
struct ButtonDesign {
    Command command;
    const char* name;
    const char* caption;
};
constexpr ButtonDesign kButtons[CommandColumn::kCommandCount] = {
    {Command::Connect, "ConnectButton", QT_TRANSLATE_NOOP("TMainForm", "&Установить")},
    {Command::Cancel, "CancelButton", QT_TRANSLATE_NOOP("TMainForm", "Разор&вать")},
    {Command::Write, "WriteButton", QT_TRANSLATE_NOOP("TMainForm", "&Записать в")},
    {Command::Read, "ReadButton", QT_TRANSLATE_NOOP("TMainForm", "С&читать из")},
    {Command::Save, "SaveButton", QT_TRANSLATE_NOOP("TMainForm", "&Сохранить")},
    {Command::Load, "LoadButton", QT_TRANSLATE_NOOP("TMainForm", "За&грузить")},
    {Command::History, "HistoryButton", QT_TRANSLATE_NOOP("TMainForm", "&История")},
    {Command::Report, "ReportButton", QT_TRANSLATE_NOOP("TMainForm", "Отч&ёт")},
    {Command::SiteBook, "SiteBookButton", QT_TRANSLATE_NOOP("TMainForm", "Объ&екты")},
    {Command::Default, "DefaultButton", QT_TRANSLATE_NOOP("TMainForm", "Завод. &настр.")},
    {Command::LoadId, "LoadIdButton", QT_TRANSLATE_NOOP("TMainForm", "Считать &ТМ")},
    {Command::Help, "HelpBitBtn", QT_TRANSLATE_NOOP("TMainForm", "&Help  ")},
    {Command::About, "BtnAbout", QT_TRANSLATE_NOOP("TMainForm", "&О программе")},
    {Command::SelectLanguage, "BitBtn_SelectLang",
     QT_TRANSLATE_NOOP("TMainForm", "Select &language")},
};

// The column's group boxes, top to bottom, with their titles and the buttons in each; the box of
// the remaining commands has no title.
struct GroupDesign {
    const char* name;
    const char* title;
    int firstButton;
    int buttonCount;
};
constexpr int kPortGroup = 0;
constexpr int kWorkModeGroup = 1;
constexpr GroupDesign kGroups[] = {
    {"PortGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Порт связи"), 0, 0},
    {"WorkModeGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Режим работы:"), 0, 0},
    {"LinkGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Связь"), static_cast<int>(Command::Connect),
     2},
    {"DeviceGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Прибор"), static_cast<int>(Command::Write),
     2},
    {"FileGroupBox", QT_TRANSLATE_NOOP("TMainForm", "Файл"), static_cast<int>(Command::Save), 5},
    {"ToolsGroupBox", nullptr, static_cast<int>(Command::Default), 4},
};

constexpr const char* kPortCaption = QT_TRANSLATE_NOOP("TMainForm", "USB - порт");
constexpr const char* kWindowModeItems[] = {
    QT_TRANSLATE_NOOP("TMainForm", "Смена настроек"),
    QT_TRANSLATE_NOOP("TMainForm", "Смена ПО"),
    QT_TRANSLATE_NOOP("TMainForm", "Демо-режим"),
};

QStringList WindowModeItems() {
    QStringList items;
    for (const char* item : kWindowModeItems) {
        items << WindowText(item);
    }
    return items;
}

QGroupBox* NewGroup(QWidget* parent, const char* name) {
    auto* group = Named(new QGroupBox(parent), QLatin1String(name));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
    layout->setSpacing(kColumnSpacing);
    return group;
}

// Each row of kButtons sits at its command's place.
constexpr bool ButtonsInCommandOrder() {
    for (int i = 0; i < CommandColumn::kCommandCount; ++i) {
        if (static_cast<int>(kButtons[i].command) != i) {
            return false;
        }
    }
    return true;
}
static_assert(ButtonsInCommandOrder());

// "Отчёт" and "Объекты" share one row of the file group, so that the column keeps within the
// pages' height at the window's design size.
bool SharesRow(Command command) {
    return command == Command::Report || command == Command::SiteBook;
}

// The width a button's caption takes, for sharing a row in that measure.
int CaptionWidth(const QPushButton* button) {
    return button->fontMetrics().horizontalAdvance(
        QString(button->text()).remove(QLatin1Char('&')));
}

QPushButton* NewButton(QWidget* parent, int index) {
    return Named(new CommandButton(parent), QLatin1String(kButtons[index].name));
}

} // namespace

CommandColumn::CommandColumn(QWidget* parent) : QWidget(parent) {
    static_assert(std::size(kGroups) == kGroupCount);
    setObjectName(QStringLiteral("CommandPanel"));
    setFixedWidth(kColumnWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kColumnSpacing);
    for (int group = 0; group < kGroupCount; ++group) {
        layout->addWidget(BuildGroup(group));
    }
    layout->addStretch(1);
    const int language = static_cast<int>(Command::SelectLanguage);
    buttons_[language] = NewButton(this, language);
    layout->addWidget(buttons_[language]);
    connect(usb_, &QRadioButton::toggled, this, &CommandColumn::UsbPortToggled);
}

QGroupBox* CommandColumn::BuildGroup(int group) {
    const GroupDesign& design = kGroups[group];
    QGroupBox* box = NewGroup(this, design.name);
    groups_[group] = box;
    if (group == kPortGroup) {
        usb_ = Named(new QRadioButton(box), QStringLiteral("USB"));
        box->layout()->addWidget(usb_);
        ports_ = new PortList(velor::link::SystemSysfsRoot(), velor::link::SystemDevRoot(), box);
        box->layout()->addWidget(ports_);
    } else if (group == kWorkModeGroup) {
        windowModes_ = Named(new ComboList(false, box), QStringLiteral("WorkMode"));
        windowModes_->SetWrapsText(true); // "Смена настроек" is wider than the column
        windowModes_->SetItems(WindowModeItems());
        windowModes_->SetItemIndex(-1);
        box->layout()->addWidget(windowModes_);
    }
    for (int i = design.firstButton; i < design.firstButton + design.buttonCount; ++i) {
        buttons_[i] = NewButton(box, i);
        if (!SharesRow(static_cast<Command>(i))) {
            box->layout()->addWidget(buttons_[i]);
            continue;
        }
        if (sharedRow_ == nullptr) {
            sharedRow_ = new QHBoxLayout;
            sharedRow_->setSpacing(kColumnSpacing);
            static_cast<QVBoxLayout*>(box->layout())->addLayout(sharedRow_);
        }
        buttons_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        sharedRow_->addWidget(buttons_[i]);
    }
    return box;
}

void CommandColumn::Retranslate() {
    for (int group = 0; group < kGroupCount; ++group) {
        const char* title = kGroups[group].title;
        groups_[group]->setTitle(title != nullptr ? WindowText(title) : QString());
    }
    usb_->setText(WindowText(kPortCaption));
    ports_->Retranslate();
    windowModes_->SetItems(WindowModeItems());
    for (const ButtonDesign& button : kButtons) {
        Button(button.command)->setText(WindowText(button.caption));
    }
    // The buttons sharing a row take its width in the measure of their captions.
    for (const ButtonDesign& button : kButtons) {
        if (SharesRow(button.command)) {
            sharedRow_->setStretchFactor(Button(button.command),
                                         CaptionWidth(Button(button.command)));
        }
    }
}

void CommandColumn::UsbPortToggled() {
    if (usb_->isChecked()) {
        usb_->setStyleSheet(QStringLiteral("color: red;"));
    }
}
