// The loop page (LoopPage, "Настройки ШС"): one column per alarm loop, then the entry and exit
// delays of loops 1 and 2 and the common re-arm time.

#include "ui/pages/loop_page.h"

#include "settings/field_records.h"
#include "settings/window_captions.h"
#include "ui/control_index.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/up_down.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

using velor::settings::FieldRecord;
using velor::window::Name;
using velor::window::WindowText;
namespace fields = velor::settings::fields;

namespace {
constexpr int kNumberEditWidth = 36;
// The panels that hold the second set of delay controls (loop 2).
constexpr char kLoop2DelayPanel[] = "Panel17";
constexpr char kLoop2RelayDelayPanel[] = "Panel15";
constexpr char kLoop2TacticPanel[] = "Panel13";
// The names of the titles above the delay edits; loop 2's are Label119 ... 122.
constexpr int kLoop2FirstTitleLabel = 119;
constexpr const char* kLoop1DelayTitles[] = {"DelayInTitle1", "DelayInUnit1", "DelayOutTitle1",
                                             "DelayOutUnit1"};

constexpr const char* kLoopTitle = QT_TRANSLATE_NOOP("TMainForm", "ШС%1");
constexpr const char* kSecondsCaption = QT_TRANSLATE_NOOP("TMainForm", "(сек)");
constexpr const char* kDelayCaption = QT_TRANSLATE_NOOP("TMainForm", "Задержка ");
constexpr const char* kInOutCaption = QT_TRANSLATE_NOOP("TMainForm", "вход/выход ");
constexpr const char* kReArmUnit = QT_TRANSLATE_NOOP("TMainForm", "с");

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

QString LoopTitle(int loop) {
    return WindowText(kLoopTitle).arg(loop);
}
} // namespace

LoopPage::LoopPage(DialogService& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TabSheet2"));
    BuildControls();
    Wire();
}

void LoopPage::BuildControls() {
    auto* column = new QVBoxLayout(this);
    auto* loops = new QGridLayout;
    BuildLoopColumns(loops);
    auto* entryLoops = new QGridLayout;
    BuildEntryLoops(entryLoops);
    column->addLayout(loops);
    column->addSpacing(kNumberEditWidth / 2);
    column->addLayout(entryLoops);
    column->addStretch(1);
}

// The two loop-type buttons of a loop share a panel of their own, so exactly one is checked.
QWidget* LoopPage::BuildLoopTypePanel(int loop) {
    auto* panel = Named(new QWidget(this), Name("TypePanel", loop));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    const char* prefix = fields::kLoopType.control;
    LoopControls& controls = Loop(loop);
    controls.fire = Named(new QRadioButton(panel), Name(prefix, loop));
    controls.security = Named(new QRadioButton(panel), Name(prefix, loop, 1));
    SetControlTag(controls.fire, loop);
    SetControlTag(controls.security, loop);
    (fields::kLoopType.factory == 0 ? controls.fire : controls.security)->setChecked(true);
    column->addWidget(controls.fire);
    column->addWidget(controls.security);
    return panel;
}

void LoopPage::BuildLoopColumns(QGridLayout* grid) {
    auto* typeCaption = new QVBoxLayout;
    loopTypeLabel_ = NewLabel(this, QStringLiteral("LoopTypeLabel"));
    loopFireLabel_ = NewLabel(this, QStringLiteral("LoopFireLabel"));
    loopSecurityLabel_ = NewLabel(this, QStringLiteral("LoopSecurityLabel"));
    for (QLabel* label : {loopTypeLabel_, loopFireLabel_, loopSecurityLabel_}) {
        typeCaption->addWidget(label);
    }
    grid->addLayout(typeCaption, 1, 0);
    integrationLabel_ = NewLabel(this, QStringLiteral("IntegrationLabel"));
    grid->addWidget(integrationLabel_, 2, 0);
    for (int check = 0; check < kBoxCount; ++check) {
        boxLabels_.at(check) = NewLabel(this, QLatin1String(kCheckRows[check].label));
        grid->addWidget(boxLabels_.at(check), 3 + check, 0);
    }
    const FieldRecord& integrationTime = fields::kIntegration;
    for (int loop = 1; loop <= kLoops; ++loop) {
        LoopControls& controls = Loop(loop);
        controls.title = NewLabel(this, Name("SecLinLabel", loop));
        grid->addWidget(controls.title, 0, loop, Qt::AlignCenter);
        grid->addWidget(BuildLoopTypePanel(loop), 1, loop, Qt::AlignCenter);
        controls.integration =
            Named(new ComboList(false, this), Name(integrationTime.control, loop));
        controls.integration->SetItems(integrationTime.entries.Texts());
        controls.integration->SetItemIndex(integrationTime.factory);
        grid->addWidget(controls.integration, 2, loop);
        for (int check = 0; check < kBoxCount; ++check) {
            const FieldRecord& field = fields::kLoopBoxes.at(check);
            auto* box = Named(new QCheckBox(this), Name(field.control, loop));
            box->setChecked(field.factory != 0);
            box->setEnabled(kCheckRows[check].enabled);
            controls.boxes.at(check) = box;
            grid->addWidget(box, 3 + check, loop, Qt::AlignCenter);
        }
    }
}

// A number field's edit with its spinner side by side; the edit shows the record's value.
LoopPage::NumberField LoopPage::AddSpinEdit(QGridLayout* grid, int row, int column, QWidget* parent,
                                            const FieldRecord& field, const QString& editName,
                                            const QString& upDownName) {
    NumberField number;
    number.edit = Named(new ExitEdit(parent), editName);
    number.edit->setFixedWidth(kNumberEditWidth);
    number.edit->setText(QString::number(field.factory));
    grid->addWidget(number.edit, row, column);
    const velor::settings::NumberRange& range = field.range;
    number.spinner =
        Named(new UpDown(number.edit, range.min, range.max, range.step, parent), upDownName);
    grid->addWidget(number.spinner, row, column + 1);
    return number;
}

// The entry and exit delay of a loop with their titles (edit and spinner named as the record's
// control, the edit with "Edit" before the loop number); loop 2's titles are Label119 ... 122.
QWidget* LoopPage::BuildDelayPanel(int loop) {
    const bool second = loop == kEntryLoops;
    auto* panel = Named(new QWidget(this),
                        second ? QLatin1String(kLoop2DelayPanel) : Name("DelayPanel", loop));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    EntryLoopControls& controls = EntryLoop(loop);
    for (int title = 0; title < kDelayTitleCount; ++title) {
        controls.delayTitles.at(title) = NewLabel(panel, DelayTitleName(loop, title));
        grid->addWidget(controls.delayTitles.at(title), 0, title);
    }
    const auto addDelay = [&](int column, const FieldRecord& field) {
        const QString prefix = QLatin1String(field.control);
        return AddSpinEdit(grid, 1, column, panel, field,
                           prefix + QStringLiteral("Edit%1").arg(loop), Name(field.control, loop));
    };
    controls.entry = addDelay(0, fields::kEntryDelay);
    controls.exit = addDelay(2, fields::kExitDelay);
    return panel;
}

// A combo of an entry loop in a panel of its own (loop 2's are Panel15 and Panel13).
QWidget* LoopPage::BuildEntryLoopCombo(const FieldRecord& field, int loop, ComboList*& combo) {
    const char* prefix = field.control;
    const char* loop2Panel =
        &field == &fields::kEntryRelayDelay ? kLoop2RelayDelayPanel : kLoop2TacticPanel;
    auto* panel =
        Named(new QWidget(this), loop == kEntryLoops ? QLatin1String(loop2Panel)
                                                     : Name(prefix, loop) + QLatin1String("Panel"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    combo = Named(new ComboList(false, panel), Name(prefix, loop));
    combo->SetItems(field.entries.Texts());
    combo->SetItemIndex(field.factory);
    column->addWidget(combo);
    return panel;
}

void LoopPage::BuildReArmTime(QGridLayout* grid) {
    reArmTimeLabel_ = NewLabel(this, QStringLiteral("ReArmTimeLabel"));
    grid->addWidget(reArmTimeLabel_, 0, 4, 1, 3);
    const QString reArm = QLatin1String(fields::kRearmTime.control);
    reArm_ =
        AddSpinEdit(grid, 1, 4, this, fields::kRearmTime, reArm + QLatin1String("Edit"), reArm);
    reArmUnitLabel_ = NewLabel(this, QStringLiteral("ReArmUnitLabel"));
    grid->addWidget(reArmUnitLabel_, 1, 6);
    reArmRangeLabel_ = NewLabel(this, QStringLiteral("ReArmRangeLabel"));
    grid->addWidget(reArmRangeLabel_, 2, 4, 1, 3);
}

void LoopPage::BuildEntryLoops(QGridLayout* grid) {
    auto* delayCaption = new QVBoxLayout;
    delayLabel_ = NewLabel(this, QStringLiteral("DelayLabel"));
    delayRangeLabel_ = NewLabel(this, QStringLiteral("DelayRangeLabel"));
    delayCaption->addWidget(delayLabel_);
    delayCaption->addWidget(delayRangeLabel_);
    grid->addLayout(delayCaption, 1, 0);
    relayDelayLabel_ = NewLabel(this, QStringLiteral("RelayDelayLabel"));
    grid->addWidget(relayDelayLabel_, 2, 0);
    tacticLabel_ = NewLabel(this, QStringLiteral("TacticLabel"));
    grid->addWidget(tacticLabel_, 3, 0);
    for (int loop = 1; loop <= kEntryLoops; ++loop) {
        EntryLoopControls& controls = EntryLoop(loop);
        controls.title = NewLabel(this, Name("DelayLoopLabel", loop));
        grid->addWidget(controls.title, 0, loop, Qt::AlignCenter);
        grid->addWidget(BuildDelayPanel(loop), 1, loop);
        grid->addWidget(BuildEntryLoopCombo(fields::kEntryRelayDelay, loop, controls.relayDelay), 2,
                        loop);
        grid->addWidget(BuildEntryLoopCombo(fields::kTactic, loop, controls.tactic), 3, loop);
    }
    grid->setColumnMinimumWidth(3, kNumberEditWidth);
    BuildReArmTime(grid);
    grid->setColumnStretch(7, 1);
}

void LoopPage::Retranslate() {
    const QStringList loopTypes = fields::kLoopType.entries.Texts();
    loopTypeLabel_->setText(fields::kLoopType.caption.Text());
    loopFireLabel_->setText(loopTypes[0]);
    loopSecurityLabel_->setText(loopTypes[1]);
    integrationLabel_->setText(fields::kIntegration.caption.Text());
    for (int check = 0; check < kBoxCount; ++check) {
        boxLabels_.at(check)->setText(fields::kLoopBoxes.at(check).caption.Text());
    }
    for (int loop = 1; loop <= kLoops; ++loop) {
        Loop(loop).title->setText(LoopTitle(loop));
        Loop(loop).integration->SetItems(fields::kIntegration.entries.Texts());
    }
    delayLabel_->setText(WindowText(kDelayCaption) + '\n' + WindowText(kInOutCaption));
    delayRangeLabel_->setText(WindowText(fields::kEntryDelay.rangeCaption));
    relayDelayLabel_->setText(fields::kEntryRelayDelay.caption.Text());
    tacticLabel_->setText(fields::kTactic.caption.Text());
    const QStringList delayTitles = {fields::kEntryDelay.caption.Text(),
                                     WindowText(kSecondsCaption), fields::kExitDelay.caption.Text(),
                                     WindowText(kSecondsCaption)};
    for (int loop = 1; loop <= kEntryLoops; ++loop) {
        EntryLoopControls& controls = EntryLoop(loop);
        for (int title = 0; title < kDelayTitleCount; ++title) {
            controls.delayTitles.at(title)->setText(delayTitles[title]);
        }
        controls.title->setText(LoopTitle(loop));
        controls.relayDelay->SetItems(fields::kEntryRelayDelay.entries.Texts());
        controls.tactic->SetItems(fields::kTactic.entries.Texts());
    }
    reArmTimeLabel_->setText(fields::kRearmTime.caption.Text());
    reArmUnitLabel_->setText(WindowText(kReArmUnit));
    reArmRangeLabel_->setText(WindowText(fields::kRearmTime.rangeCaption));
}

void LoopPage::Wire() {
    for (LoopControls& controls : loops_) {
        for (QRadioButton* button : {controls.fire, controls.security}) {
            // The rule runs for the button that becomes checked, by a click or by program.
            connect(button, &QRadioButton::toggled, this, [this, button](bool checked) {
                if (checked) {
                    emit loopTypeChecked(button);
                }
            });
        }
        connect(controls.boxes.at(kAllDay), &QCheckBox::toggled, this, &LoopPage::KsModeShl);
    }
    const auto wireDelay = [this](ExitEdit* edit, void (LoopPage::*change)()) {
        connect(edit, &QLineEdit::textChanged, this, change);
        connect(edit, &ExitEdit::exited, this, [this, edit] { AnyOutExit(edit); });
    };
    wireDelay(EntryLoop(1).entry.edit, &LoopPage::DelayInEdit1Change);
    wireDelay(EntryLoop(2).entry.edit, &LoopPage::DelayInEdit2Change);
    wireDelay(EntryLoop(1).exit.edit, &LoopPage::DelayOutEdit1Change);
    wireDelay(EntryLoop(2).exit.edit, &LoopPage::DelayOutEdit2Change);
    connect(reArm_.edit, &QLineEdit::textChanged, this, &LoopPage::TimeAvEditChange);
    connect(reArm_.edit, &ExitEdit::exited, this, &LoopPage::TimeAvEditExit);
}

bool LoopPage::IsFireLoop(int loop) const {
    return Loop(loop).fire->isChecked();
}

QRadioButton* LoopPage::TypeButton(int loop, bool fire) const {
    return fire ? Loop(loop).fire : Loop(loop).security;
}
