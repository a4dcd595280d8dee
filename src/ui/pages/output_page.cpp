// The page "Режимы реле и выходов ОК": one sub-page per output (relay 1, relay 2, open-collector
// outputs 1 and 2) with its work mode, loop bindings, processed notifications and timing.

#include "settings/field_records.h"
#include "settings/window_captions.h"
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

using velor::settings::FieldRecord;
namespace fields = velor::settings::fields;

namespace {
// Sub-pages of PageControl2 by output number.
constexpr const char* kSubPages[kOutputs] = {"Rele1", "Rele2", "OK1", "OK2"};

// Relay 1 takes only list entries in its closing-time, duration and inverse combos; its
// opening-time combo and every combo of the other outputs also take typed text.
bool AcceptsTypedText(const FieldRecord& timing, int output) {
    return output > 1 || &timing == &fields::kOpeningTime;
}

QWidget* BuildBindingGroup(QWidget* page, int output) {
    auto* group = Named(new QGroupBox(page), Name("BindingGroup", output));
    auto* grid = new QGridLayout(group);
    for (int loop = 1; loop <= kLoops; ++loop) {
        grid->addWidget(Named(new QLabel(group), BindingTitleName(output, loop)), 0, loop - 1,
                        Qt::AlignCenter);
        grid->addWidget(Named(new QCheckBox(group), Name(fields::kBinding.control, loop, output)),
                        1, loop - 1, Qt::AlignCenter);
    }
    return group;
}

QWidget* BuildEventGroup(QWidget* page, int output) {
    auto* group = Named(new QGroupBox(page), Name("EventGroup", output));
    auto* column = new QVBoxLayout(group);
    for (const FieldRecord& event : fields::kEvents) {
        auto* box = Named(new QCheckBox(group), Name(event.control, output));
        box->setChecked(event.factory != 0);
        column->addWidget(box);
    }
    return group;
}

QLayout* BuildTimingCombos(QWidget* page, int output) {
    auto* grid = new QGridLayout;
    int row = 0;
    for (const FieldRecord* timing : fields::kTimingLists) {
        const QString name = Name(timing->control, output);
        grid->addWidget(Named(new QLabel(page), name + QLatin1String("Label")), row, 0);
        auto* combo = Named(new ComboList(AcceptsTypedText(*timing, output), page), name);
        combo->SetItems(timing->entries.Texts());
        combo->SetItemIndex(timing->factory);
        grid->addWidget(combo, row++, 1);
    }
    grid->setColumnStretch(2, 1);
    return grid;
}
} // namespace

QWidget* TMainForm::BuildOutputSubPage(int output) {
    auto* page = Named(new QWidget, QLatin1String(kSubPages[output - 1]));
    auto* workMode = Named(new RadioGroup(page), velor::window::WorkModeGroupName(output));
    workMode->SetItems(fields::kWorkMode.entries.Texts());
    workMode->SetItemIndex(fields::kWorkMode.factory);
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
        workMode->setTitle(fields::kWorkMode.caption.Text());
        workMode->SetItems(fields::kWorkMode.entries.Texts());
        Control<QGroupBox>(Name("BindingGroup", output))->setTitle(fields::kBinding.caption.Text());
        for (int loop = 1; loop <= kLoops; ++loop) {
            Control<QLabel>(BindingTitleName(output, loop))->setText(tr("ШС%1").arg(loop));
        }
        Control<QGroupBox>(Name("EventGroup", output))->setTitle(tr("Обрабатываемые извещения"));
        for (const FieldRecord& event : fields::kEvents) {
            Control<QCheckBox>(Name(event.control, output))->setText(event.caption.Text());
        }
        for (const FieldRecord* timing : fields::kTimingLists) {
            const QString name = Name(timing->control, output);
            Control<QLabel>(name + QLatin1String("Label"))->setText(timing->caption.Text());
            Control<ComboList>(name)->SetItems(timing->entries.Texts());
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
        for (const FieldRecord* timing :
             {&fields::kOpeningTime, &fields::kClosingTime, &fields::kNotificationDuration}) {
            auto* combo = Control<ComboList>(Name(timing->control, output));
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
            auto* binding = Control<QCheckBox>(Name(fields::kBinding.control, loop, output));
            connect(binding, &QCheckBox::toggled, this, [this, binding] { TypeShl(binding); });
        }
    }
}
