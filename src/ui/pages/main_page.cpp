// The page "Главная": general settings, TM output type and key blocking, the device labels and
// the maker's links.

#include "ui/control_families.h"
#include "ui/main_form.h"
#include "ui/pages/maker_panel.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/up_down.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int kNumberEditWidth = 40;
constexpr int kTimeAlarmMin = 1;
constexpr int kTimeAlarmMax = 1275;
constexpr int kTimeAlarmStep = 5;
constexpr int kTimeAlarmDesign = 180;
constexpr int kDevicePkpMin = 1;
constexpr int kDevicePkpMax = 253;

// The main page's radio groups with their design item index.
struct RadioGroupDesign {
    const char* name;
    int itemIndex;
    bool hidden;
};
constexpr RadioGroupDesign kRadioGroups[] = {
    {"Sound", 0, false},
    {"TypeTMRadioGroup", 0, false},
    {"KBBlockRadioGroup", 0, false},
    {"LineModeRadioGroup", 1, true},
    {"SpeedLineRadioGroup", 0, true},
};

QStringList RadioGroupItems(const QString& name) {
    if (name == QLatin1String("Sound")) {
        return {TMainForm::tr("Все извещения"), TMainForm::tr("Только тревога")};
    }
    if (name == QLatin1String("TypeTMRadioGroup")) {
        return {TMainForm::tr("Идентификатор ТМ"), TMainForm::tr("Переключатель")};
    }
    if (name == QLatin1String("KBBlockRadioGroup")) {
        return {TMainForm::tr("Нет"), TMainForm::tr("Да")};
    }
    if (name == QLatin1String("LineModeRadioGroup")) {
        return {TMainForm::tr("Ведомый"), TMainForm::tr("Ведущий")};
    }
    return {TMainForm::tr("1200 бод"), TMainForm::tr("4800 бод")};
}

QString RadioGroupCaption(const QString& name) {
    if (name == QLatin1String("Sound")) {
        return TMainForm::tr("Режим внутреннего звукового оповещателя: ");
    }
    if (name == QLatin1String("TypeTMRadioGroup")) {
        return TMainForm::tr("Тип выхода ТМ:");
    }
    if (name == QLatin1String("KBBlockRadioGroup")) {
        return TMainForm::tr("Блокирование кнопок:");
    }
    if (name == QLatin1String("LineModeRadioGroup")) {
        return TMainForm::tr("Режим линии расширения: ");
    }
    return TMainForm::tr("Скорость линии расширения:");
}

QLabel* AddLabel(QLayout* layout, QWidget* parent, const char* name) {
    auto* label = Named(new QLabel(parent), QLatin1String(name));
    layout->addWidget(label);
    return label;
}

// An edit with its spinner, the edit showing text.
UpDown* AddSpinEdit(QLayout* layout, QWidget* parent, const char* editName, const char* upDownName,
                    int min, int max, int step, int design) {
    auto* edit = Named(new ExitEdit(parent), QLatin1String(editName));
    edit->setFixedWidth(kNumberEditWidth);
    edit->setText(QString::number(design));
    auto* upDown = Named(new UpDown(edit, min, max, step, parent), QLatin1String(upDownName));
    layout->addWidget(edit);
    layout->addWidget(upDown);
    return upDown;
}

QWidget* BuildTimeAlarmGroup(QWidget* page) {
    auto* group = Named(new QGroupBox(page), QStringLiteral("TimeAlarmGroupBox"));
    auto* row = new QHBoxLayout(group);
    AddLabel(row, group, "TimeAlarmUnitLabel");
    AddSpinEdit(row, group, "TimeAlarmEdit", "TimeAlarm", kTimeAlarmMin, kTimeAlarmMax,
                kTimeAlarmStep, kTimeAlarmDesign);
    AddLabel(row, group, "TimeAlarmRangeLabel");
    row->addStretch(1);
    return group;
}

// The device number: kept in the settings controls but never shown.
QWidget* BuildDeviceNumberGroup(QWidget* page) {
    auto* group = Named(new QGroupBox(page), QStringLiteral("NumberPKPGroupBox"));
    auto* row = new QHBoxLayout(group);
    AddSpinEdit(row, group, "NumberPKPEdit", "NumberPKP", kDevicePkpMin, kDevicePkpMax, 1,
                kDevicePkpMin);
    group->hide();
    return group;
}

QWidget* BuildDeviceLabels(QWidget* page) {
    auto* box = Named(new QWidget(page), QStringLiteral("DeviceInfoPanel"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(Named(new QLabel(box), QStringLiteral("SettingsTypeCaption")), 0, 0);
    grid->addWidget(Named(new QLabel(box), QStringLiteral("SettingsTypeLabel")), 0, 1);
    grid->addWidget(Named(new QLabel(box), QStringLiteral("SettingsVersionCaption")), 1, 0);
    grid->addWidget(Named(new QLabel(box), QStringLiteral("SettingsVersionLabel")), 1, 1);
    grid->setColumnStretch(1, 1);
    return box;
}
} // namespace

QWidget* TMainForm::BuildMainPage() {
    auto* page = Named(new QWidget, QStringLiteral("TabSheet1"));
    auto* columns = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    for (const RadioGroupDesign& design : kRadioGroups) {
        const QString name = QLatin1String(design.name);
        auto* group = Named(new RadioGroup(page), name);
        group->SetItems(RadioGroupItems(name));
        group->SetItemIndex(design.itemIndex);
        group->setVisible(!design.hidden);
        left->addWidget(group);
        if (name == QLatin1String("Sound")) {
            left->addWidget(BuildTimeAlarmGroup(page));
        }
    }
    left->addWidget(BuildDeviceNumberGroup(page));
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(velor::BuildMakerPanel(page, 1));
    right->addWidget(BuildDeviceLabels(page));
    right->addStretch(1);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    return page;
}

void TMainForm::RetranslateMainPage() {
    for (const RadioGroupDesign& design : kRadioGroups) {
        const QString name = QLatin1String(design.name);
        auto* group = Control<RadioGroup>(name);
        group->setTitle(RadioGroupCaption(name));
        group->SetItems(RadioGroupItems(name));
    }
    Control<QGroupBox>(QStringLiteral("TimeAlarmGroupBox"))
        ->setTitle(tr("Длительность извещений внутреннего звукового"));
    Control<QLabel>(QStringLiteral("TimeAlarmUnitLabel"))->setText(tr("(сек)"));
    Control<QLabel>(QStringLiteral("TimeAlarmRangeLabel"))->setText(tr("(1 сек--21 мин)"));
    Control<QGroupBox>(QStringLiteral("NumberPKPGroupBox"))->setTitle(tr("Номер ПКП:"));
    Control<QLabel>(QStringLiteral("SettingsTypeCaption"))->setText(tr("Тип прибора:"));
    Control<QLabel>(QStringLiteral("SettingsVersionCaption"))->setText(tr("Версия ПО прибора:"));
    velor::RetranslateMakerPanel(*Control<QWidget>(QStringLiteral("MakerPanel1")));
}

void TMainForm::WireMainPage() {
    connect(Control<ExitEdit>(QStringLiteral("TimeAlarmEdit")), &QLineEdit::textChanged, this,
            &TMainForm::TimeAlarmEditChange);
    connect(Control<ExitEdit>(QStringLiteral("TimeAlarmEdit")), &ExitEdit::exited, this,
            &TMainForm::TimeAlarmExit);
    for (const char* name : {"TypeTMRadioGroup", "KBBlockRadioGroup"}) {
        connect(Control<RadioGroup>(QLatin1String(name)), &RadioGroup::itemIndexChanged, this,
                &TMainForm::ChangeTypeTM);
    }
    auto* number = Control<ExitEdit>(QStringLiteral("NumberPKPEdit"));
    connect(number, &QLineEdit::textChanged, this, &TMainForm::NumberEditChange);
    connect(number, &ExitEdit::exited, this, [this, number] { AnyOutExit(number); });
}
