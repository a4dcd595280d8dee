// The page "Главная": general settings, TM output type and key blocking, the device labels and
// the maker's links.

#include "settings/field_records.h"
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

using velor::settings::FieldRecord;
namespace fields = velor::settings::fields;

namespace {
constexpr int kNumberEditWidth = 40;
constexpr int kDevicePkpMin = 1;
constexpr int kDevicePkpMax = 253;

// The expansion line's speed: a choice of the window that the settings image does not hold.
constexpr const char* kSpeedLineCaption =
    QT_TRANSLATE_NOOP("TMainForm", "Скорость линии расширения:");
constexpr const char* kSpeedLineEntries[] = {QT_TRANSLATE_NOOP("TMainForm", "1200 бод"),
                                             QT_TRANSLATE_NOOP("TMainForm", "4800 бод")};

// The main page's radio groups, top to bottom: the field records' groups, then the speed.
struct RadioGroupDesign {
    const FieldRecord* field; // none: the expansion line's speed
    bool hidden;
};
const RadioGroupDesign kRadioGroups[] = {
    {&fields::kSounderMode, false},
    {&fields::kTmOutputType, false},
    {&fields::kButtonLock, false},
    {&fields::kLineMode, true},
    {nullptr, true},
};

QString GroupName(const RadioGroupDesign& design) {
    return design.field != nullptr ? QLatin1String(design.field->control)
                                   : QStringLiteral("SpeedLineRadioGroup");
}

int DesignItemIndex(const RadioGroupDesign& design) {
    return design.field != nullptr ? design.field->factory : 0;
}

QString GroupCaption(const RadioGroupDesign& design) {
    return design.field != nullptr ? design.field->caption.Text()
                                   : TMainForm::tr(kSpeedLineCaption);
}

QStringList RadioGroupItems(const RadioGroupDesign& design) {
    if (design.field != nullptr) {
        return design.field->entries.Texts();
    }
    QStringList items;
    for (const char* item : kSpeedLineEntries) {
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
UpDown* AddSpinEdit(QLayout* layout, QWidget* parent, const QString& editName,
                    const QString& upDownName, int min, int max, int step, int design) {
    auto* edit = Named(new ExitEdit(parent), editName);
    edit->setFixedWidth(kNumberEditWidth);
    edit->setText(QString::number(design));
    auto* upDown = Named(new UpDown(edit, min, max, step, parent), upDownName);
    layout->addWidget(edit);
    layout->addWidget(upDown);
    return upDown;
}

QWidget* BuildTimeAlarmGroup(QWidget* page) {
    auto* group = Named(new QGroupBox(page), QStringLiteral("TimeAlarmGroupBox"));
    auto* row = new QHBoxLayout(group);
    AddLabel(row, group, "TimeAlarmUnitLabel");
    const FieldRecord& duration = fields::kSounderDuration;
    const QString name = QLatin1String(duration.control);
    AddSpinEdit(row, group, name + QLatin1String("Edit"), name, duration.range.min,
                duration.range.max, duration.range.step, duration.factory);
    AddLabel(row, group, "TimeAlarmRangeLabel");
    row->addStretch(1);
    return group;
}

// The device number: kept in the settings controls but never shown.
QWidget* BuildDeviceNumberGroup(QWidget* page) {
    auto* group = Named(new QGroupBox(page), QStringLiteral("NumberPKPGroupBox"));
    auto* row = new QHBoxLayout(group);
    AddSpinEdit(row, group, QStringLiteral("NumberPKPEdit"), QStringLiteral("NumberPKP"),
                kDevicePkpMin, kDevicePkpMax, 1, kDevicePkpMin);
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
        auto* group = Named(new RadioGroup(page), GroupName(design));
        group->SetItems(RadioGroupItems(design));
        group->SetItemIndex(DesignItemIndex(design));
        group->setVisible(!design.hidden);
        left->addWidget(group);
        if (design.field == &fields::kSounderMode) {
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
        auto* group = Control<RadioGroup>(GroupName(design));
        group->setTitle(GroupCaption(design));
        group->SetItems(RadioGroupItems(design));
    }
    Control<QGroupBox>(QStringLiteral("TimeAlarmGroupBox"))
        ->setTitle(fields::kSounderDuration.caption.Text());
    Control<QLabel>(QStringLiteral("TimeAlarmUnitLabel"))->setText(tr("(сек)"));
    Control<QLabel>(QStringLiteral("TimeAlarmRangeLabel"))
        ->setText(tr(fields::kSounderDuration.rangeCaption));
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
