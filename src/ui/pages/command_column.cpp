// The right-hand column: the port choice, the window-mode list and the command buttons, with the
// window-mode change, connect and disconnect, and the enabling of the commands per window state.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "operations/device_lost_text.h"
#include "operations/step_relay.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/caption_table.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/page_control.h"

#include <QGroupBox>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
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

QStringList WindowModeItems() {
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
    modes->SetItems(WindowModeItems());
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
    Control<ComboList>(QStringLiteral("WorkMode"))->SetItems(WindowModeItems());
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
    const int windowMode = Control<ComboList>(QStringLiteral("WorkMode"))->ItemIndex();
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

void TMainForm::USBClick() {
    auto* usb = Control<QRadioButton>(QStringLiteral("USB"));
    if (usb->isChecked()) {
        usb->setStyleSheet(QStringLiteral("color: red;"));
    }
}

void TMainForm::ConnectButtonClick() {
    // The running operation owns the port: closing and reopening it under the worker would cut
    // its exchange short. The demo mode has no device.
    if (!DeviceCommandCanRun()) {
        return;
    }
    SetButtonState(ButtonState::Connecting);
    port_.Close();
    if (port_.Open() == 0) {
        ReportOpenFailure();
        return;
    }
    const int workMode = Control<ComboList>(QStringLiteral("WorkMode"))->ItemIndex();
    if (workMode >= 0) {
        StartOperation(workMode == kFirmwareWindowMode ? Operation::ConnectFirmware
                                                       : Operation::ConnectSettings,
                       {});
    }
    Control<QPushButton>(QStringLiteral("HelpBitBtn"))->setFocus();
}

// No bridge could be opened: the box says the devices are off the USB line; when the system
// named a reason (a device node it would not open), the status bar carries it as well.
void TMainForm::ReportOpenFailure() {
    const QString reason = port_.LastOpenError();
    if (!reason.isEmpty()) {
        const QString device = port_.LastOpenDevice();
        const QString group = port_.LastOpenDeviceGroup();
        QString text = device.isEmpty() ? reason : tr("%1: %2").arg(device, reason);
        if (port_.LastOpenLackedPermission()) {
            text += group.isEmpty()
                        ? tr(" — добавьте своего пользователя в группу, которой принадлежит "
                             "устройство (например, dialout), и войдите в систему заново")
                        : tr(" — добавьте своего пользователя в группу %1 и войдите в систему "
                             "заново")
                              .arg(group);
        }
        SetStatusText(text);
    }
    Dialogs().MessageBox(BoxRequest(velor::MessageText(velor::msg::kNoDevice),
                                    velor::MessageText(velor::msg::kAttention), BoxIcon::Error,
                                    BoxOwner::Main));
}

void TMainForm::CancelButtonClick() {
    connected_ = false;
    port_.Close();
    SetStatusText(velor::MessageText(velor::msg::kLinkInterrupted));
    SetButtonState(ButtonState::Disconnected);
    ClearDeviceLabels();
}

// The port's report of a failed driver read or write.
void TMainForm::ShowPortIoError() {
    RunPortReport([this] {
        Dialogs().MessageBox(BoxRequest(QStringLiteral("FT_IO_ERROR"), QStringLiteral("Error"),
                                        BoxIcon::Error, BoxOwner::Active));
    });
}

// The port's one report of a device that has gone during an operation, in the window's language.
// After a confirmed close only a write still reports it: the device may hold part of the write.
void TMainForm::ShowDeviceLost(const QString& device, const QString& reason) {
    RunPortReport([this, &device, &reason] {
        deviceLostShown_ = true;
        if (closeAccepted_ && !OperationWritesDevice()) {
            return;
        }
        Dialogs().MessageBox(BoxRequest(DeviceLostText(device, reason),
                                        velor::MessageText(velor::msg::kError), BoxIcon::Error,
                                        BoxOwner::Active));
    });
}

// A report the port asks for runs on the window's thread; on another thread, that thread waits
// until it has run (and its box has been closed). The operation thread's report goes through the
// operation's step relay like its other steps, so that a window being destroyed still takes it.
// (operationSteps_ is set before that thread starts and changes only once it has finished.)
void TMainForm::RunPortReport(const std::function<void()>& report) {
    if (QThread::currentThread() == thread()) {
        report();
    } else if (IsOperationRunning()) {
        operationSteps_->Run(report); // refused only late in the window's destruction
    } else {
        QMetaObject::invokeMethod(this, report, Qt::BlockingQueuedConnection);
    }
}
