// The page "Режимы реле и выходов ОК": one sub-page per output (relay 1, relay 2, open-collector
// outputs 1 and 2) with its work mode, loop bindings, processed notifications and timing.

#include "ui/control_families.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/radio_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using velor::window::BindingTitleName;
using velor::window::kLoops;
using velor::window::kOutputs;
using velor::window::Name;

namespace {
constexpr int kDesignWorkMode = 6; // "Специальный"
constexpr int kRelayCount = 2;

// Sub-pages of PageControl2 by output number.
constexpr const char* kSubPages[kOutputs] = {"Rele1", "Rele2", "OK1", "OK2"};

// The notification boxes, top to bottom.
constexpr const char* kEventBoxes[] = {"AlarmEvent",   "ErrorFire", "AttentionFire", "OnOffLine",
                                       "OnOffAllLine", "BoxDamage", "ErrorPower"};

// The timing combos, top to bottom.
constexpr const char* kTimingCombos[] = {"TimeRzmk", "TimeZmk", "TimePeriod", "InvRele"};

QStringList WorkModeItems() {
    return {TMainForm::tr("ПЦН тревога"),
            TMainForm::tr("Контр. лампа"),
            TMainForm::tr("Взят/снят ( для охранного ШС)"),
            TMainForm::tr("Звуковой"),
            TMainForm::tr("Тревога"),
            TMainForm::tr("Исполнительный   ( для охранного ШС)"),
            TMainForm::tr("Специальный")};
}

QStringList SwitchTimeItems() {
    return {TMainForm::tr("---"),    TMainForm::tr("0.5 сек"), TMainForm::tr("1 сек"),
            TMainForm::tr("5 сек"),  TMainForm::tr("10 сек"),  TMainForm::tr("20 сек"),
            TMainForm::tr("30 сек"), TMainForm::tr("пост.")};
}

QStringList PeriodItems() {
    return {TMainForm::tr("---"),    TMainForm::tr("20 сек"),   TMainForm::tr("40 сек"),
            TMainForm::tr("1 мин"),  TMainForm::tr("1 м 20 с"), TMainForm::tr("1 м 40 с"),
            TMainForm::tr("2 мин "), TMainForm::tr("2 м 20 с"), TMainForm::tr("2 м 40 с"),
            TMainForm::tr("3 мин "), TMainForm::tr("3 м 20 с"), TMainForm::tr("3 м 40 с"),
            TMainForm::tr("4 мин "), TMainForm::tr("4 м 20 с"), TMainForm::tr("4 м 40 с"),
            TMainForm::tr("пост.")};
}

QStringList InverseItems() {
    return {TMainForm::tr("нет "), TMainForm::tr("да")};
}

QStringList TimingItems(const QString& prefix) {
    if (prefix == QLatin1String("TimePeriod")) {
        return PeriodItems();
    }
    if (prefix == QLatin1String("InvRele")) {
        return InverseItems();
    }
    return SwitchTimeItems();
}

QString TimingCaption(const QString& prefix) {
    if (prefix == QLatin1String("TimeRzmk")) {
        return TMainForm::tr("Размыкание на время");
    }
    if (prefix == QLatin1String("TimeZmk")) {
        return TMainForm::tr("Замыкание на время");
    }
    if (prefix == QLatin1String("TimePeriod")) {
        return TMainForm::tr("Длительность извещения ");
    }
    return TMainForm::tr("Инверсный режим");
}

QString EventCaption(const QString& prefix) {
    if (prefix == QLatin1String("AlarmEvent")) {
        return TMainForm::tr("Тревога/пожар");
    }
    if (prefix == QLatin1String("ErrorFire")) {
        return TMainForm::tr("Неисправность пожарного ШС");
    }
    if (prefix == QLatin1String("AttentionFire")) {
        return TMainForm::tr("Внимание для пожарного ШС");
    }
    if (prefix == QLatin1String("OnOffLine")) {
        return TMainForm::tr("Взятие по одному из ШС/Снятие ");
    }
    if (prefix == QLatin1String("OnOffAllLine")) {
        return TMainForm::tr("Взятие по всем ШС/Снятие ");
    }
    if (prefix == QLatin1String("BoxDamage")) {
        return TMainForm::tr("Вскрытие корпуса");
    }
    return TMainForm::tr("Неисправность питания");
}

// Relay 1 takes only list entries in its closing-time, duration and inverse combos; its
// opening-time combo and every combo of the other outputs also take typed text.
bool AcceptsTypedText(const QString& prefix, int output) {
    return output > 1 || prefix == QLatin1String("TimeRzmk");
}

QWidget* BuildBindingGroup(QWidget* page, int output) {
    auto* group = Named(new QGroupBox(page), Name("BindingGroup", output));
    auto* grid = new QGridLayout(group);
    for (int loop = 1; loop <= kLoops; ++loop) {
        grid->addWidget(Named(new QLabel(group), BindingTitleName(output, loop)), 0, loop - 1,
                        Qt::AlignCenter);
        grid->addWidget(Named(new QCheckBox(group), Name("shl", loop, output)), 1, loop - 1,
                        Qt::AlignCenter);
    }
    return group;
}

QWidget* BuildEventGroup(QWidget* page, int output) {
    auto* group = Named(new QGroupBox(page), Name("EventGroup", output));
    auto* column = new QVBoxLayout(group);
    for (const char* prefix : kEventBoxes) {
        column->addWidget(Named(new QCheckBox(group), Name(prefix, output)));
    }
    return group;
}

QLayout* BuildTimingCombos(QWidget* page, int output) {
    auto* grid = new QGridLayout;
    int row = 0;
    for (const char* prefix : kTimingCombos) {
        const QString name = QLatin1String(prefix);
        grid->addWidget(Named(new QLabel(page), Name(prefix, output) + QLatin1String("Label")), row,
                        0);
        auto* combo =
            Named(new ComboList(AcceptsTypedText(name, output), page), Name(prefix, output));
        combo->SetItems(TimingItems(name));
        combo->SetItemIndex(-1);
        grid->addWidget(combo, row++, 1);
    }
    grid->setColumnStretch(2, 1);
    return grid;
}
} // namespace

QWidget* TMainForm::BuildOutputSubPage(int output) {
    auto* page = Named(new QWidget, QLatin1String(kSubPages[output - 1]));
    auto* workMode = Named(new RadioGroup(page), velor::window::WorkModeGroupName(output));
    workMode->SetItems(WorkModeItems());
    workMode->SetItemIndex(kDesignWorkMode);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildBindingGroup(page, output));
    right->addWidget(BuildEventGroup(page, output));
    auto* columns = new QHBoxLayout;
    columns->addWidget(workMode, 0, Qt::AlignTop);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(columns);
    layout->addLayout(BuildTimingCombos(page, output));
    layout->addStretch(1);
    return page;
}

QWidget* TMainForm::BuildOutputPage() {
    auto* page = Named(new QWidget, QStringLiteral("TabSheet3"));
    PageControl2 = Named(new PageControl(page), QStringLiteral("PageControl2"));
    for (int output = 1; output <= kOutputs; ++output) {
        PageControl2->AddPage(BuildOutputSubPage(output), {});
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageControl2);
    return page;
}

void TMainForm::RetranslateOutputPage() {
    const QStringList captions = {tr("Реле №1"), tr("Реле №2"), tr("OK №1"), tr("OK №2")};
    for (int output = 1; output <= kOutputs; ++output) {
        PageControl2->setTabText(output - 1, captions[output - 1]);
        auto* workMode = Control<RadioGroup>(velor::window::WorkModeGroupName(output));
        workMode->setTitle(tr("Режим работы"));
        workMode->SetItems(WorkModeItems());
        Control<QGroupBox>(Name("BindingGroup", output))->setTitle(tr("Привязки к ШС:"));
        for (int loop = 1; loop <= kLoops; ++loop) {
            Control<QLabel>(BindingTitleName(output, loop))->setText(tr("ШС%1").arg(loop));
        }
        Control<QGroupBox>(Name("EventGroup", output))->setTitle(tr("Обрабатываемые извещения"));
        for (const char* prefix : kEventBoxes) {
            Control<QCheckBox>(Name(prefix, output))->setText(EventCaption(QLatin1String(prefix)));
        }
        for (const char* prefix : kTimingCombos) {
            const QString name = QLatin1String(prefix);
            Control<QLabel>(Name(prefix, output) + QLatin1String("Label"))
                ->setText(TimingCaption(name));
            Control<ComboList>(Name(prefix, output))->SetItems(TimingItems(name));
        }
    }
}

void TMainForm::WireOutputPage() {
    for (int output = 1; output <= kOutputs; ++output) {
        auto* workMode = Control<RadioGroup>(velor::window::WorkModeGroupName(output));
        connect(workMode, &RadioGroup::itemIndexChanged, this,
                [this, workMode] { MakeWorkModeRele(workMode); });
        // Relay 1's timing combos run the rule on a pick from the list; the other outputs' on
        // every change a user makes, typed or picked.
        for (const char* prefix : {"TimeRzmk", "TimeZmk", "TimePeriod"}) {
            auto* combo = Control<ComboList>(Name(prefix, output));
            const auto rule = [this, combo] { SpecModeRele(combo); };
            if (output == 1) {
                connect(combo, &QComboBox::activated, this, rule);
            } else {
                connect(combo, &ComboList::changedByUser, this, rule);
            }
        }
        if (output > kRelayCount) {
            continue;
        }
        for (int loop = 1; loop <= kLoops; ++loop) {
            auto* binding = Control<QCheckBox>(Name("shl", loop, output));
            connect(binding, &QCheckBox::toggled, this, [this, binding] { TypeShl(binding); });
        }
    }
}
