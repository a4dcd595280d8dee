// The page "Настройки ШС": one column per alarm loop, then the entry and exit delays of loops 1
// and 2 and the common re-arm time.

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

namespace {
constexpr int kEntryLoops = 2; // loops 1 and 2 have entry and exit delays
constexpr int kNumberEditWidth = 36;
constexpr int kDelayMin = 0;
constexpr int kDelayMax = 255;
constexpr int kDelayDesign = 1;
constexpr int kReArmMin = 5;
constexpr int kReArmMax = 1275;
constexpr int kReArmStep = 5;
constexpr int kReArmDesign = 5;
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

// The per-loop check-box rows, top to bottom, with the row label's name.
struct CheckRow {
    const char* prefix;
    const char* label;
    bool enabled;
};
constexpr CheckRow kCheckRows[] = {
    {"ds", "DoubleTriggerLabel", false}, {"tt", "SilentAlarmLabel", true},
    {"av", "AutoReArmLabel", true},      {"ks", "AllDayLabel", true},
    {"pz", "PassZoneLabel", true},
};

QString CheckRowText(const QString& prefix) {
    if (prefix == QLatin1String("ds")) {
        return TMainForm::tr("Двойная сработка");
    }
    if (prefix == QLatin1String("tt")) {
        return TMainForm::tr("Тихая тревога");
    }
    if (prefix == QLatin1String("av")) {
        return TMainForm::tr("Автоперевзятие");
    }
    if (prefix == QLatin1String("ks")) {
        return TMainForm::tr("Круглосуточно");
    }
    return TMainForm::tr("Проходная зона");
}

QStringList IntegrationTimeItems() {
    return {TMainForm::tr("70"), TMainForm::tr("300")};
}

QStringList RelayDelayItems() {
    return {TMainForm::tr("Да "), TMainForm::tr("Нет")};
}

QStringList TacticItems() {
    return {TMainForm::tr("Закрытая дверь"), TMainForm::tr("Любая дверь")};
}

QLabel* NewLabel(QWidget* parent, const QString& name) {
    return Named(new QLabel(parent), name);
}

// The two loop-type buttons of a loop share a panel of their own, so exactly one is checked.
QWidget* BuildLoopTypePanel(QWidget* page, int loop) {
    auto* panel = Named(new QWidget(page), Name("TypePanel", loop));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    auto* fire = Named(new QRadioButton(panel), Name("ts", loop));
    auto* security = Named(new QRadioButton(panel), Name("ts", loop, 1));
    SetControlTag(fire, loop);
    SetControlTag(security, loop);
    security->setChecked(true);
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
    for (int loop = 1; loop <= kLoops; ++loop) {
        auto* title = NewLabel(page, Name("SecLinLabel", loop));
        grid->addWidget(title, 0, loop, Qt::AlignCenter);
        grid->addWidget(BuildLoopTypePanel(page, loop), 1, loop, Qt::AlignCenter);
        auto* integration = Named(new ComboList(false, page), Name("it", loop));
        integration->SetItems(IntegrationTimeItems());
        integration->SetItemIndex(-1);
        grid->addWidget(integration, 2, loop);
        row = 3;
        for (const CheckRow& check : kCheckRows) {
            auto* box = Named(new QCheckBox(page), Name(check.prefix, loop));
            box->setEnabled(check.enabled);
            grid->addWidget(box, row++, loop, Qt::AlignCenter);
        }
    }
}

// An edit with its spinner side by side; the edit shows the design value.
void AddSpinEdit(QGridLayout* grid, int row, int column, QWidget* parent, const QString& editName,
                 const QString& upDownName, int min, int max, int step, int design) {
    auto* edit = Named(new ExitEdit(parent), editName);
    edit->setFixedWidth(kNumberEditWidth);
    edit->setText(QString::number(design));
    grid->addWidget(edit, row, column);
    grid->addWidget(Named(new UpDown(edit, min, max, step, parent), upDownName), row, column + 1);
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
    AddSpinEdit(grid, 1, 0, panel, Name("DelayInEdit", loop), Name("DelayIn", loop), kDelayMin,
                kDelayMax, 1, kDelayDesign);
    AddSpinEdit(grid, 1, 2, panel, Name("DelayOutEdit", loop), Name("DelayOut", loop), kDelayMin,
                kDelayMax, 1, kDelayDesign);
    return panel;
}

// A combo of an entry loop in a panel of its own (loop 2's are Panel15 and Panel13).
QWidget* BuildEntryLoopCombo(QWidget* page, const char* prefix, const QStringList& items, int loop,
                             const char* loop2Panel) {
    auto* panel =
        Named(new QWidget(page), loop == kEntryLoops ? QLatin1String(loop2Panel)
                                                     : Name(prefix, loop) + QLatin1String("Panel"));
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    auto* combo = Named(new ComboList(false, panel), Name(prefix, loop));
    combo->SetItems(items);
    combo->SetItemIndex(-1);
    column->addWidget(combo);
    return panel;
}

void BuildReArmTime(QWidget* page, QGridLayout* grid) {
    grid->addWidget(NewLabel(page, QStringLiteral("ReArmTimeLabel")), 0, 4, 1, 3);
    AddSpinEdit(grid, 1, 4, page, QStringLiteral("TimeAvEdit"), QStringLiteral("TimeAv"), kReArmMin,
                kReArmMax, kReArmStep, kReArmDesign);
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
            BuildEntryLoopCombo(page, "EnDelaySh", RelayDelayItems(), loop, kLoop2RelayDelayPanel),
            2, loop);
        grid->addWidget(BuildEntryLoopCombo(page, "Taktik", TacticItems(), loop, kLoop2TacticPanel),
                        3, loop);
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
    setText(QStringLiteral("LoopTypeLabel"), tr("Тип ШС:"));
    setText(QStringLiteral("LoopFireLabel"), tr("пожарный"));
    setText(QStringLiteral("LoopSecurityLabel"), tr("охранный"));
    setText(QStringLiteral("IntegrationLabel"), tr("Время") + '\n' + tr("интегрирования "));
    for (const CheckRow& check : kCheckRows) {
        setText(QLatin1String(check.label), CheckRowText(QLatin1String(check.prefix)));
    }
    for (int loop = 1; loop <= kLoops; ++loop) {
        setText(Name("SecLinLabel", loop), tr("ШС%1").arg(loop));
        Control<ComboList>(Name("it", loop))->SetItems(IntegrationTimeItems());
    }
    setText(QStringLiteral("DelayLabel"), tr("Задержка ") + '\n' + tr("вход/выход "));
    setText(QStringLiteral("DelayRangeLabel"), tr("[0 сек-255 сек]"));
    setText(QStringLiteral("RelayDelayLabel"),
            tr("Задержка на") + '\n' + tr("реле на время") + '\n' + tr("входа"));
    setText(QStringLiteral("TacticLabel"), tr("Тактика работы "));
    const QStringList delayTitles = {tr("Вход"), tr("(сек)"), tr("Вых"), tr("(сек)")};
    for (int loop = 1; loop <= kEntryLoops; ++loop) {
        for (int title = 0; title < kDelayTitleCount; ++title) {
            setText(DelayTitleName(loop, title), delayTitles[title]);
        }
        setText(Name("DelayLoopLabel", loop), tr("ШС%1").arg(loop));
        Control<ComboList>(Name("EnDelaySh", loop))->SetItems(RelayDelayItems());
        Control<ComboList>(Name("Taktik", loop))->SetItems(TacticItems());
    }
    setText(QStringLiteral("ReArmTimeLabel"), tr("Автоперевзятие"));
    setText(QStringLiteral("ReArmUnitLabel"), tr("с"));
    setText(QStringLiteral("ReArmRangeLabel"), tr("[5с-21м]"));
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
