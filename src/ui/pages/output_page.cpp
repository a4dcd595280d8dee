// The output page (OutputPage, "Режимы реле и выходов ОК"): one sub-page per output (relay 1,
// relay 2, open-collector outputs 1 and 2) with its work mode, loop bindings, processed
// notifications and timing.

#include "ui/pages/output_page.h"

#include "settings/field_records.h"
#include "settings/window_captions.h"
#include "ui/control_index.h"
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
using velor::window::Name;
using velor::window::WindowText;

using velor::settings::FieldRecord;
namespace fields = velor::settings::fields;

namespace {
// Sub-pages of PageControl2 by output number.
constexpr const char* kSubPages[OutputPage::kOutputs] = {"Rele1", "Rele2", "OK1", "OK2"};

constexpr const char* kLoopTitle = QT_TRANSLATE_NOOP("TMainForm", "ШС%1");
constexpr const char* kEventsCaption = QT_TRANSLATE_NOOP("TMainForm", "Обрабатываемые извещения");

// Relay 1 takes only list entries in its closing-time, duration and inverse combos; its
// opening-time combo and every combo of the other outputs also take typed text.
bool AcceptsTypedText(const FieldRecord& timing, int output) {
    return output > 1 || &timing == &fields::kOpeningTime;
}
} // namespace

OutputPage::OutputPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    subPages_ = Named(new PageControl(this), QStringLiteral("PageControl2"));
    for (int output = 1; output <= kOutputs; ++output) {
        subPages_->AddPage(BuildSubPage(output), {});
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(subPages_);
    Wire();
}

QWidget* OutputPage::BuildBindingGroup(QWidget* page, int output) {
    OutputControls& controls = Output(output);
    auto* group = Named(new QGroupBox(page), Name("BindingGroup", output));
    controls.bindingGroup = group;
    auto* grid = new QGridLayout(group);
    for (int loop = 1; loop <= kLoops; ++loop) {
        auto* title = Named(new QLabel(group), BindingTitleName(output, loop));
        auto* binding = Named(new QCheckBox(group), Name(fields::kBinding.control, loop, output));
        controls.bindingTitles.at(loop - 1) = title;
        controls.bindings.at(loop - 1) = binding;
        grid->addWidget(title, 0, loop - 1, Qt::AlignCenter);
        grid->addWidget(binding, 1, loop - 1, Qt::AlignCenter);
    }
    return group;
}

QWidget* OutputPage::BuildEventGroup(QWidget* page, int output) {
    OutputControls& controls = Output(output);
    auto* group = Named(new QGroupBox(page), Name("EventGroup", output));
    controls.eventGroup = group;
    auto* column = new QVBoxLayout(group);
    for (int event = 0; event < kEventCount; ++event) {
        const FieldRecord& record = fields::kEvents.at(event);
        auto* box = Named(new QCheckBox(group), Name(record.control, output));
        box->setChecked(record.factory != 0);
        controls.events.at(event) = box;
        column->addWidget(box);
    }
    return group;
}

QLayout* OutputPage::BuildTimingCombos(QWidget* page, int output) {
    OutputControls& controls = Output(output);
    auto* grid = new QGridLayout;
    for (int row = 0; row < kTimingCount; ++row) {
        const FieldRecord& timing = *fields::kTimingLists.at(row);
        const QString name = Name(timing.control, output);
        auto* label = Named(new QLabel(page), name + QLatin1String("Label"));
        auto* combo = Named(new ComboList(AcceptsTypedText(timing, output), page), name);
        combo->SetItems(timing.entries.Texts());
        combo->SetItemIndex(timing.factory);
        controls.timingLabels.at(row) = label;
        controls.timing.at(row) = combo;
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
    }
    grid->setColumnStretch(2, 1);
    return grid;
}

QWidget* OutputPage::BuildSubPage(int output) {
    OutputControls& controls = Output(output);
    auto* page = Named(new QWidget, QLatin1String(kSubPages[output - 1]));
    controls.subPage = page;
    controls.workMode = Named(new RadioGroup(page), velor::window::WorkModeGroupName(output));
    controls.workMode->SetItems(fields::kWorkMode.entries.Texts());
    controls.workMode->SetItemIndex(fields::kWorkMode.factory);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildBindingGroup(page, output));
    right->addWidget(BuildEventGroup(page, output));
    auto* columns = new QHBoxLayout;
    columns->addWidget(controls.workMode, 0, Qt::AlignTop);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(columns);
    layout->addLayout(BuildTimingCombos(page, output));
    layout->addStretch(1);
    return page;
}

void OutputPage::Retranslate() {
    const QStringList captions = velor::window::WindowTexts(velor::window::kOutputCaptions);
    for (int output = 1; output <= kOutputs; ++output) {
        OutputControls& controls = Output(output);
        subPages_->setTabText(output - 1, captions[output - 1]);
        controls.workMode->setTitle(fields::kWorkMode.caption.Text());
        controls.workMode->SetItems(fields::kWorkMode.entries.Texts());
        controls.bindingGroup->setTitle(fields::kBinding.caption.Text());
        for (int loop = 1; loop <= kLoops; ++loop) {
            controls.bindingTitles.at(loop - 1)->setText(WindowText(kLoopTitle).arg(loop));
        }
        controls.eventGroup->setTitle(WindowText(kEventsCaption));
        for (int event = 0; event < kEventCount; ++event) {
            controls.events.at(event)->setText(fields::kEvents.at(event).caption.Text());
        }
        for (int row = 0; row < kTimingCount; ++row) {
            const FieldRecord& timing = *fields::kTimingLists.at(row);
            controls.timingLabels.at(row)->setText(timing.caption.Text());
            controls.timing.at(row)->SetItems(timing.entries.Texts());
        }
    }
}

void OutputPage::Wire() {
    for (int output = 1; output <= kOutputs; ++output) {
        OutputControls& controls = Output(output);
        RadioGroup* workMode = controls.workMode;
        connect(workMode, &RadioGroup::itemIndexChanged, this,
                [this, workMode] { emit workModeChosen(workMode); });
        // Relay 1's timing combos run the rule on a pick from the list; the other outputs' on
        // every change a user makes, typed or picked. The inverse combo has no rule.
        for (int row = 0; row < kTimingCount; ++row) {
            if (fields::kTimingLists.at(row) == &fields::kInverse) {
                continue;
            }
            ComboList* combo = controls.timing.at(row);
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
        for (QCheckBox* binding : controls.bindings) {
            connect(binding, &QCheckBox::toggled, this, [this, binding] { TypeShl(binding); });
        }
    }
}

int OutputPage::ShownOutput() const {
    return subPages_->ActivePageIndex() + 1;
}

int OutputPage::WorkMode(int output) const {
    return Output(output).workMode->ItemIndex();
}
