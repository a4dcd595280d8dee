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

#include <array>

namespace {
constexpr int kNumberEditWidth = 40;
constexpr int kTimeAlarmMin = 1;
constexpr int kTimeAlarmMax = 1275;
constexpr int kTimeAlarmStep = 5;
constexpr int kTimeAlarmDesign = 180;
constexpr int kDevicePkpMin = 1;
constexpr int kDevicePkpMax = 253;

// The main page's radio groups with their design item index, caption and two items.
struct RadioGroupDesign {
    const char* name;
    int itemIndex;
    bool hidden;
    const char* caption;
    std::array<const char*, 2> items;
};
constexpr RadioGroupDesign kRadioGroups[] = {
    {"Sound",
     0,
     false,
     QT_TRANSLATE_NOOP("TMainForm", "Режим внутреннего звукового оповещателя: "),
     {QT_TRANSLATE_NOOP("TMainForm", "Все извещения"),
      QT_TRANSLATE_NOOP("TMainForm", "Только тревога")}},
    {"TypeTMRadioGroup",
     0,
     false,
     QT_TRANSLATE_NOOP("TMainForm", "Тип выхода ТМ:"),
     {QT_TRANSLATE_NOOP("TMainForm", "Идентификатор ТМ"),
      QT_TRANSLATE_NOOP("TMainForm", "Переключатель")}},
    {"KBBlockRadioGroup",
     0,
     false,
     QT_TRANSLATE_NOOP("TMainForm", "Блокирование кнопок:"),
     {QT_TRANSLATE_NOOP("TMainForm", "Нет"), QT_TRANSLATE_NOOP("TMainForm", "Да")}},
    {"LineModeRadioGroup",
     1,
     true,
     QT_TRANSLATE_NOOP("TMainForm", "Режим линии расширения: "),
     {QT_TRANSLATE_NOOP("TMainForm", "Ведомый"), QT_TRANSLATE_NOOP("TMainForm", "Ведущий")}},
    {"SpeedLineRadioGroup",
     0,
     true,
     QT_TRANSLATE_NOOP("TMainForm", "Скорость линии расширения:"),
     {QT_TRANSLATE_NOOP("TMainForm", "1200 бод"), QT_TRANSLATE_NOOP("TMainForm", "4800 бод")}},
};

QStringList RadioGroupItems(const RadioGroupDesign& design) {
    QStringList items;
    for (const char* item : design.items) {
        items << TMainForm::tr(item);
    }
    return items;
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
        group->SetItems(RadioGroupItems(design));
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
        group->setTitle(tr(design.caption));
        group->SetItems(RadioGroupItems(design));
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
