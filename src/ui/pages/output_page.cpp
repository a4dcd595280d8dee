// The page "Режимы реле и выходов ОК": one sub-page per output (relay 1, relay 2, open-collector
// outputs 1 and 2) with its work mode, loop bindings, processed notifications and timing.

#include "settings/window_captions.h"
#include "ui/control_families.h"
#include "ui/main_form.h"
#include "ui/pages/caption_table.h"
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
constexpr int kDesignWorkMode = velor::window::kSpecialMode;

// Sub-pages of PageControl2 by output number.
constexpr const char* kSubPages[kOutputs] = {"Rele1", "Rele2", "OK1", "OK2"};

QStringList WorkModeItems() {
    return velor::window::WindowTexts(velor::window::kWorkModeCaptions);
}

QStringList SwitchTimeItems() {
    return velor::window::WindowTexts(velor::window::kSwitchTimeCaptions);
}

QStringList PeriodItems() {
    return velor::window::WindowTexts(velor::window::kDurationCaptions);
}

QStringList InverseItems() {
    return {TMainForm::tr("нет "), TMainForm::tr("да")};
}

// The entries of a timing list: the notification duration and the inverse mode have their own,
// the opening and closing times share the switch times.
QStringList TimingItems(const QString& prefix) {
    const std::pair<const char*, QStringList (*)()> lists[] = {
        {"TimePeriod", &PeriodItems},
        {"InvRele", &InverseItems},
    };
    for (const auto& [name, items] : lists) {
        if (prefix == QLatin1String(name)) {
            return items();
        }
    }
    return SwitchTimeItems();
}

constexpr CaptionRow kTimingCaptions[] = {
    {"TimeRzmk", QT_TRANSLATE_NOOP("TMainForm", "Размыкание на время")},
    {"TimeZmk", QT_TRANSLATE_NOOP("TMainForm", "Замыкание на время")},
    {"TimePeriod", QT_TRANSLATE_NOOP("TMainForm", "Длительность извещения ")},
    {"InvRele", QT_TRANSLATE_NOOP("TMainForm", "Инверсный режим")},
};

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
    for (const char* prefix : velor::window::kEventBoxPrefixes) {
        column->addWidget(Named(new QCheckBox(group), Name(prefix, output)));
    }
    return group;
}

QLayout* BuildTimingCombos(QWidget* page, int output) {
    auto* grid = new QGridLayout;
    int row = 0;
    for (const char* prefix : velor::window::kTimingListPrefixes) {
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
    const QStringList captions = velor::window::WindowTexts(velor::window::kOutputCaptions);
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
        for (int event = 0; event < velor::window::kEventBoxCount; ++event) {
            Control<QCheckBox>(Name(velor::window::kEventBoxPrefixes[event], output))
                ->setText(velor::window::WindowText(velor::window::kEventBoxCaptions[event]));
        }
        for (const char* prefix : velor::window::kTimingListPrefixes) {
            const QString name = QLatin1String(prefix);
            Control<QLabel>(Name(prefix, output) + QLatin1String("Label"))
                ->setText(CaptionOf(kTimingCaptions, name));
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
        if (output > velor::window::kRelays) {
            continue;
        }
        for (int loop = 1; loop <= kLoops; ++loop) {
            auto* binding = Control<QCheckBox>(Name("shl", loop, output));
            connect(binding, &QCheckBox::toggled, this, [this, binding] { TypeShl(binding); });
        }
    }
}
