// The page "Настройки ШС": one column per alarm loop, then the entry and exit delays of loops 1
// and 2 and the common re-arm time.

#include "settings/field_records.h"
#include "ui/control_families.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/up_down.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

using velor::window::kLoops;
using velor::window::Name;

using velor::settings::FieldRecord;
namespace fields = velor::settings::fields;

namespace {
constexpr int kNumberEditWidth = 36;
// The panels that hold the second set of delay controls (loop 2).
constexpr char kLoop2DelayPanel[] = "Panel17";
constexpr char kLoop2RelayDelayPanel[] = "Panel15";
constexpr char kLoop2TacticPanel[] = "Panel13";
// Titles above the delay edits: "Вход", "(сек)", "Вых", "(сек)"; loop 2's are Label119 ... 122.
constexpr int kDelayTitleCount = 4;
constexpr int kLoop2FirstTitleLabel = 119;
constexpr const char* kLoop1DelayTitles[kDelayTitleCount] = {"DelayInTitle1", "DelayInUnit1",
                                                             "DelayOutTitle1", "DelayOutUnit1"};

QString DelayTitleName(int loop, int title) {
    return loop == kEntryLoops ? Name("Label", kLoop2FirstTitleLabel + title)
                               : QLatin1String(kLoop1DelayTitles[title]);
}

// The per-loop check-box rows, top to bottom (the loop boxes' records), with the row label's name
// and whether the boxes start enabled.
struct CheckRow {
    const char* label;
    bool enabled;
};
constexpr CheckRow kCheckRows[fields::kLoopBoxCount] = {
    {"DoubleTriggerLabel", false}, {"SilentAlarmLabel", true}, {"AutoReArmLabel", true},
    {"AllDayLabel", true},         {"PassZoneLabel", true},
};

QLabel* NewLabel(QWidget* parent, const QString& name) {
    return Named(new QLabel(parent), name);
}

// The two loop-type buttons of a loop share a panel of their own, so exactly one is checked.
QWidget* BuildLoopTypePanel(QWidget* page, int loop) {
    auto* panel = Named(new QWidget(page), Name("TypePanel", loop));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    const char* prefix = fields::kLoopType.control;
    auto* fire = Named(new QRadioButton(panel), Name(prefix, loop));
    auto* security = Named(new QRadioButton(panel), Name(prefix, loop, 1));
    SetControlTag(fire, loop);
    SetControlTag(security, loop);
    (fields::kLoopType.factory == 0 ? fire : security)->setChecked(true);
    column->addWidget(fire);
    column->addWidget(security);
    return panel;
}

void BuildLoopColumns(QWidget* page, QGridLayout* grid) {
    auto* typeCaption = new QVBoxLayout;
    for (const char* name : {"LoopTypeLabel", "LoopFireLabel", "LoopSecurityLabel"}) {
        typeCaption->addWidget(NewLabel(page, QLatin1String(name)));
    }
    grid->addLayout(typeCaption, 1, 0);
    grid->addWidget(NewLabel(page, QStringLiteral("IntegrationLabel")), 2, 0);
    int row = 3;
    for (const CheckRow& check : kCheckRows) {
        grid->addWidget(NewLabel(page, QLatin1String(check.label)), row++, 0);
    }
    const FieldRecord& integrationTime = fields::kIntegration;
    for (int loop = 1; loop <= kLoops; ++loop) {
        auto* title = NewLabel(page, Name("SecLinLabel", loop));
        grid->addWidget(title, 0, loop, Qt::AlignCenter);
        grid->addWidget(BuildLoopTypePanel(page, loop), 1, loop, Qt::AlignCenter);
        auto* integration = Named(new ComboList(false, page), Name(integrationTime.control, loop));
        integration->SetItems(integrationTime.entries.Texts());
        integration->SetItemIndex(integrationTime.factory);
        grid->addWidget(integration, 2, loop);
        row = 3;
        for (int check = 0; check < fields::kLoopBoxCount; ++check) {
            const FieldRecord& field = fields::kLoopBoxes[check];
            auto* box = Named(new QCheckBox(page), Name(field.control, loop));
            box->setChecked(field.factory != 0);
            box->setEnabled(kCheckRows[check].enabled);
            grid->addWidget(box, row++, loop, Qt::AlignCenter);
        }
    }
}

// A number field's edit with its spinner side by side (edit and spinner named as the record's
// control, the edit with "Edit" before the loop number); the edit shows the record's value.
void AddSpinEdit(QGridLayout* grid, int row, int column, QWidget* parent, const FieldRecord& field,
                 const QString& editName, const QString& upDownName) {
    auto* edit = Named(new ExitEdit(parent), editName);
    edit->setFixedWidth(kNumberEditWidth);
    edit->setText(QString::number(field.factory));
    grid->addWidget(edit, row, column);
    const velor::settings::NumberRange& range = field.range;
    grid->addWidget(Named(new UpDown(edit, range.min, range.max, range.step, parent), upDownName),
                    row, column + 1);
}

void AddDelayEdit(QGridLayout* grid, int column, QWidget* parent, const FieldRecord& field,
                  int loop) {
    const QString prefix = QLatin1String(field.control);
    AddSpinEdit(grid, 1, column, parent, field, prefix + QStringLiteral("Edit%1").arg(loop),
                Name(field.control, loop));
}

// The entry and exit delay of a loop with their titles; loop 2's titles are Label119 ... 122.
QWidget* BuildDelayPanel(QWidget* page, int loop) {
    const bool second = loop == kEntryLoops;
    auto* panel = Named(new QWidget(page),
                        second ? QLatin1String(kLoop2DelayPanel) : Name("DelayPanel", loop));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int title = 0; title < kDelayTitleCount; ++title) {
        grid->addWidget(NewLabel(panel, DelayTitleName(loop, title)), 0, title);
    }
    AddDelayEdit(grid, 0, panel, fields::kEntryDelay, loop);
    AddDelayEdit(grid, 2, panel, fields::kExitDelay, loop);
    return panel;
}

// A combo of an entry loop in a panel of its own (loop 2's are Panel15 and Panel13).
QWidget* BuildEntryLoopCombo(QWidget* page, const FieldRecord& field, int loop,
                             const char* loop2Panel) {
    const char* prefix = field.control;
    auto* panel =
        Named(new QWidget(page), loop == kEntryLoops ? QLatin1String(loop2Panel)
                                                     : Name(prefix, loop) + QLatin1String("Panel"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    auto* combo = Named(new ComboList(false, panel), Name(prefix, loop));
    combo->SetItems(field.entries.Texts());
    combo->SetItemIndex(field.factory);
    column->addWidget(combo);
    return panel;
}

void BuildReArmTime(QWidget* page, QGridLayout* grid) {
    grid->addWidget(NewLabel(page, QStringLiteral("ReArmTimeLabel")), 0, 4, 1, 3);
    const QString reArm = QLatin1String(fields::kRearmTime.control);
    AddSpinEdit(grid, 1, 4, page, fields::kRearmTime, reArm + QLatin1String("Edit"), reArm);
    grid->addWidget(NewLabel(page, QStringLiteral("ReArmUnitLabel")), 1, 6);
    grid->addWidget(NewLabel(page, QStringLiteral("ReArmRangeLabel")), 2, 4, 1, 3);
}

void BuildEntryLoops(QWidget* page, QGridLayout* grid) {
    auto* delayCaption = new QVBoxLayout;
    delayCaption->addWidget(NewLabel(page, QStringLiteral("DelayLabel")));
    delayCaption->addWidget(NewLabel(page, QStringLiteral("DelayRangeLabel")));
    grid->addLayout(delayCaption, 1, 0);
    grid->addWidget(NewLabel(page, QStringLiteral("RelayDelayLabel")), 2, 0);
    grid->addWidget(NewLabel(page, QStringLiteral("TacticLabel")), 3, 0);
    for (int loop = 1; loop <= kEntryLoops; ++loop) {
        grid->addWidget(NewLabel(page, Name("DelayLoopLabel", loop)), 0, loop, Qt::AlignCenter);
        grid->addWidget(BuildDelayPanel(page, loop), 1, loop);
        grid->addWidget(
            BuildEntryLoopCombo(page, fields::kEntryRelayDelay, loop, kLoop2RelayDelayPanel), 2,
            loop);
        grid->addWidget(BuildEntryLoopCombo(page, fields::kTactic, loop, kLoop2TacticPanel), 3,
                        loop);
    }
    grid->setColumnMinimumWidth(3, kNumberEditWidth);
    BuildReArmTime(page, grid);
    grid->setColumnStretch(7, 1);
}
} // namespace

QWidget* TMainForm::BuildLoopPage() {
    auto* page = Named(new QWidget, QStringLiteral("TabSheet2"));
    auto* column = new QVBoxLayout(page);
    auto* loops = new QGridLayout;
    BuildLoopColumns(page, loops);
    auto* entryLoops = new QGridLayout;
    BuildEntryLoops(page, entryLoops);
    column->addLayout(loops);
    column->addSpacing(kNumberEditWidth / 2);
    column->addLayout(entryLoops);
    column->addStretch(1);
    return page;
}

void TMainForm::RetranslateLoopPage() {
    const auto setText = [this](const QString& name, const QString& text) {
        Control<QLabel>(name)->setText(text);
    };
    const QStringList loopTypes = fields::kLoopType.entries.Texts();
    setText(QStringLiteral("LoopTypeLabel"), fields::kLoopType.caption.Text());
    setText(QStringLiteral("LoopFireLabel"), loopTypes[0]);
    setText(QStringLiteral("LoopSecurityLabel"), loopTypes[1]);
    setText(QStringLiteral("IntegrationLabel"), fields::kIntegration.caption.Text());
    for (int check = 0; check < fields::kLoopBoxCount; ++check) {
        setText(QLatin1String(kCheckRows[check].label), fields::kLoopBoxes[check].caption.Text());
    }
    for (int loop = 1; loop <= kLoops; ++loop) {
        setText(Name("SecLinLabel", loop), tr("ШС%1").arg(loop));
        Control<ComboList>(Name(fields::kIntegration.control, loop))
            ->SetItems(fields::kIntegration.entries.Texts());
    }
    setText(QStringLiteral("DelayLabel"), tr("Задержка ") + '\n' + tr("вход/выход "));
    setText(QStringLiteral("DelayRangeLabel"), tr(fields::kEntryDelay.rangeCaption));
    setText(QStringLiteral("RelayDelayLabel"), fields::kEntryRelayDelay.caption.Text());
    setText(QStringLiteral("TacticLabel"), fields::kTactic.caption.Text());
    const QStringList delayTitles = {fields::kEntryDelay.caption.Text(), tr("(сек)"),
                                     fields::kExitDelay.caption.Text(), tr("(сек)")};
    for (int loop = 1; loop <= kEntryLoops; ++loop) {
        for (int title = 0; title < kDelayTitleCount; ++title) {
            setText(DelayTitleName(loop, title), delayTitles[title]);
        }
        setText(Name("DelayLoopLabel", loop), tr("ШС%1").arg(loop));
        for (const FieldRecord* field : {&fields::kEntryRelayDelay, &fields::kTactic}) {
            Control<ComboList>(Name(field->control, loop))->SetItems(field->entries.Texts());
        }
    }
    setText(QStringLiteral("ReArmTimeLabel"), fields::kRearmTime.caption.Text());
    setText(QStringLiteral("ReArmUnitLabel"), tr("с"));
    setText(QStringLiteral("ReArmRangeLabel"), tr(fields::kRearmTime.rangeCaption));
}

void TMainForm::WireLoopPage() {
    for (int loop = 1; loop <= kLoops; ++loop) {
        for (const QString& name : {Name("ts", loop), Name("ts", loop, 1)}) {
            auto* button = Control<QRadioButton>(name);
            // The rule runs for the button that becomes checked, by a click or by program.
            connect(button, &QRadioButton::toggled, this, [this, button](bool checked) {
                if (checked) {
                    ChangeTypeShl(button);
                }
            });
        }
        connect(Control<QCheckBox>(Name("ks", loop)), &QCheckBox::toggled, this,
                &TMainForm::KsModeShl);
    }
    const auto wireDelay = [this](const QString& name, void (TMainForm::*change)()) {
        auto* edit = Control<ExitEdit>(name);
        connect(edit, &QLineEdit::textChanged, this, change);
        connect(edit, &ExitEdit::exited, this, [this, edit] { AnyOutExit(edit); });
    };
    wireDelay(QStringLiteral("DelayInEdit1"), &TMainForm::DelayInEdit1Change);
    wireDelay(QStringLiteral("DelayInEdit2"), &TMainForm::DelayInEdit2Change);
    wireDelay(QStringLiteral("DelayOutEdit1"), &TMainForm::DelayOutEdit1Change);
    wireDelay(QStringLiteral("DelayOutEdit2"), &TMainForm::DelayOutEdit2Change);
    auto* reArm = Control<ExitEdit>(QStringLiteral("TimeAvEdit"));
    connect(reArm, &QLineEdit::textChanged, this, &TMainForm::TimeAvEditChange);
    connect(reArm, &ExitEdit::exited, this, &TMainForm::TimeAvEditExit);
}
