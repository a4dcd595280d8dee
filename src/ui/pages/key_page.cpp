// The page "Идентификаторы ТМ": 28 Touch Memory keys, each with its identifier, its one-key mode
// and the loops it may arm and disarm, under a fixed header with the column titles.

#include "settings/field_records.h"
#include "ui/control_families.h"
#include "ui/main_form.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/page_control.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

using velor::window::kKeys;
using velor::window::kLoops;
using velor::window::Name;
namespace fields = velor::settings::fields;

namespace {
constexpr int kIdentifierLength = 12; // 48 bits as hexadecimal digits
// Columns shared by the header and the rows, so that titles stand above their boxes.
constexpr int kNumberColumn = 0;
constexpr int kCodeColumn = 1;
constexpr int kOneKeyColumn = 2;
constexpr int kFirstArmColumn = 3;
constexpr int kFirstDisarmColumn = kFirstArmColumn + kLoops + 1; // one gap column between
constexpr int kColumnCount = kFirstDisarmColumn + kLoops;
constexpr int kNumberWidth = 24;
constexpr int kCodeWidth = 100;
constexpr int kBoxWidth = 28;
constexpr int kRowsMargin = 4;

void SetColumnWidths(QGridLayout* grid, int leftMargin) {
    grid->setContentsMargins(leftMargin, kRowsMargin, kRowsMargin, kRowsMargin);
    grid->setHorizontalSpacing(0);
    grid->setColumnMinimumWidth(kNumberColumn, kNumberWidth);
    grid->setColumnMinimumWidth(kCodeColumn, kCodeWidth);
    for (int column = kOneKeyColumn; column < kColumnCount; ++column) {
        grid->setColumnMinimumWidth(column, kBoxWidth);
    }
    grid->setColumnStretch(kColumnCount, 1);
}

QLabel* NewLabel(QWidget* parent, const QString& name) {
    return Named(new QLabel(parent), name);
}

// In the window's own font, centred on the column of its loop's boxes.
QLabel* NewLoopTitle(QWidget* parent, const QString& name) {
    QLabel* title = NewLabel(parent, name);
    title->setAlignment(Qt::AlignCenter);
    return title;
}

// A loop title in the window's font ("ШС8") is as wide as a box column: the titles of odd loops
// stand in one row and those of even loops in the next, each centred on its column and free to
// use the columns either side, so that no two titles run together.
void AddLoopTitle(QGridLayout* grid, QLabel* title, int loop, int firstColumn) {
    constexpr int kFirstTitleRow = 2;
    constexpr int kTitleSpan = 3; // the loop's column and one either side
    grid->addWidget(title, kFirstTitleRow + (loop - 1) % 2, firstColumn + loop - 2, 1, kTitleSpan);
}

// rowsOffset: how far the rows' frame moves their columns to the right.
QWidget* BuildHeader(QWidget* page, int rowsOffset) {
    auto* header = Named(new QWidget(page), QStringLiteral("KeyHeaderPanel"));
    auto* grid = new QGridLayout(header);
    SetColumnWidths(grid, kRowsMargin + rowsOffset);
    // One more box-wide column after the last, for the last title to be centred on its boxes.
    grid->setColumnStretch(kColumnCount, 0);
    grid->setColumnMinimumWidth(kColumnCount, kBoxWidth);
    grid->setColumnStretch(kColumnCount + 1, 1);
    grid->addWidget(NewLabel(header, QStringLiteral("RightsTitle")), 0, kFirstArmColumn, 1,
                    kColumnCount - kFirstArmColumn, Qt::AlignCenter);
    grid->addWidget(NewLabel(header, QStringLiteral("KeyNumberTitle")), 1, kNumberColumn, 2, 1);
    grid->addWidget(NewLabel(header, QStringLiteral("KeyCodeTitle")), 1, kCodeColumn, 2, 1,
                    Qt::AlignCenter);
    grid->addWidget(NewLabel(header, QStringLiteral("ArmTitle")), 1, kFirstArmColumn, 1, kLoops,
                    Qt::AlignCenter);
    grid->addWidget(NewLabel(header, QStringLiteral("DisarmTitle")), 1, kFirstDisarmColumn, 1,
                    kLoops, Qt::AlignCenter);
    for (int loop = 1; loop <= kLoops; ++loop) {
        AddLoopTitle(grid, NewLoopTitle(header, Name("shvzlb", loop)), loop, kFirstArmColumn);
        AddLoopTitle(grid, NewLoopTitle(header, Name("shsnlb", loop)), loop, kFirstDisarmColumn);
    }
    auto* all = Named(new QCheckBox(header), QStringLiteral("OnekeymodeAll"));
    all->setStyleSheet(QStringLiteral("color: red;"));
    grid->addWidget(all, 4, kOneKeyColumn, 1, kColumnCount - kOneKeyColumn);
    return header;
}

QCheckBox* AddBox(QWidget* parent, QGridLayout* grid, const QString& name, int row, int column) {
    auto* box = Named(new QCheckBox(parent), name);
    grid->addWidget(box, row, column, Qt::AlignCenter);
    return box;
}

// Each row is a widget of its own, on the columns of the header. (A box being unticked looks
// through its siblings for an exclusive partner: with all rows under one parent, each of the
// decoder's unticks went through some 500 widgets.)
QWidget* BuildKeyRow(QWidget* rows, int key) {
    auto* row = new QWidget(rows);
    auto* grid = new QGridLayout(row);
    SetColumnWidths(grid, kRowsMargin);
    grid->setContentsMargins(kRowsMargin, 0, kRowsMargin, 0); // the rows' column keeps the rest
    grid->addWidget(NewLabel(row, Name("KeyRowLabel", key)), 0, kNumberColumn);
    auto* code = Named(new ExitEdit(row), Name(fields::kKeyCode.control, key));
    code->SetUpperCaseInput(true);
    code->setMaxLength(kIdentifierLength);
    code->setFixedWidth(kCodeWidth);
    SetControlTag(code, key);
    grid->addWidget(code, 0, kCodeColumn);
    AddBox(row, grid, Name("onekeymode", key), 0, kOneKeyColumn);
    for (int loop = 1; loop <= kLoops; ++loop) {
        AddBox(row, grid, Name(fields::kArmRights.control, key, loop), 0,
               kFirstArmColumn + loop - 1);
        AddBox(row, grid, Name(fields::kDisarmRights.control, key, loop), 0,
               kFirstDisarmColumn + loop - 1);
    }
    return row;
}

QScrollArea* BuildRows(QWidget* page) {
    auto* scroll = Named(new QScrollArea(page), QStringLiteral("KeyScrollBox"));
    auto* rows = Named(new QWidget, QStringLiteral("KeyRowsPanel"));
    auto* column = new QVBoxLayout(rows);
    column->setContentsMargins(0, kRowsMargin, 0, kRowsMargin);
    for (int key = 1; key <= kKeys; ++key) {
        column->addWidget(BuildKeyRow(rows, key));
    }
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return scroll;
}
} // namespace

QWidget* TMainForm::BuildKeyPage() {
    auto* page = Named(new QWidget, QStringLiteral("TabSheetTM"));
    auto* column = new QVBoxLayout(page);
    // Narrow side margins: the header's columns and the last loop title use the page's width.
    const QMargins margins = column->contentsMargins();
    column->setContentsMargins(kRowsMargin, margins.top(), kRowsMargin, margins.bottom());
    QScrollArea* rows = BuildRows(page);
    column->addWidget(BuildHeader(page, rows->frameWidth()));
    column->addWidget(rows, 1);
    return page;
}

void TMainForm::RetranslateKeyPage() {
    const auto setText = [this](const QString& name, const QString& text) {
        Control<QLabel>(name)->setText(text);
    };
    setText(QStringLiteral("RightsTitle"), tr("Полномочия идентификаторов"));
    setText(QStringLiteral("KeyNumberTitle"), tr("№"));
    setText(QStringLiteral("KeyCodeTitle"), fields::kKeyCode.caption.Text());
    setText(QStringLiteral("ArmTitle"), fields::kArmRights.caption.Text());
    setText(QStringLiteral("DisarmTitle"), fields::kDisarmRights.caption.Text());
    for (int loop = 1; loop <= kLoops; ++loop) {
        setText(Name("shvzlb", loop), tr("ШС%1").arg(loop));
        setText(Name("shsnlb", loop), tr("ШС%1").arg(loop));
    }
    Control<QCheckBox>(QStringLiteral("OnekeymodeAll"))
        ->setText(tr("<- - - - Взятие/снятие одним ключом ТМ ( для всех ключей сразу )"));
    for (int key = 1; key <= kKeys; ++key) {
        setText(Name("KeyRowLabel", key), tr("%1.").arg(key));
        Control<QCheckBox>(Name("onekeymode", key))
            ->setToolTip(tr("Взятие/снятие одним ключом ТМ"));
    }
}

void TMainForm::WireKeyPage() {
    oneKeyRows_.Resolve(*this);
    for (int key = 1; key <= kKeys; ++key) {
        auto* code = Control<ExitEdit>(Name("CodeTM", key));
        connect(code, &QLineEdit::textChanged, this, [this, code] { Id1Change(code); });
        connect(code, &ExitEdit::clicked, this, [this, code] { Id1Click(code); });
        connect(code, &ExitEdit::exited, this, [this, code] { Id1Exit(code); });
        // Every box of the row marks it changed for the one-key rule; its one-key box and its
        // arm boxes run the rule as well.
        const auto runRule = [this, key] {
            oneKeyRows_.Changed(key);
            OneKeyModeShl();
        };
        const auto markRow = [this, key] { oneKeyRows_.Changed(key); };
        connect(oneKeyRows_.OneKey(key), &QCheckBox::toggled, this, runRule);
        for (int loop = 1; loop <= kLoops; ++loop) {
            connect(oneKeyRows_.Arm(key, loop), &QCheckBox::toggled, this, runRule);
            connect(oneKeyRows_.Disarm(key, loop), &QCheckBox::toggled, this, markRow);
        }
    }
    connect(Control<QCheckBox>(QStringLiteral("OnekeymodeAll")), &QCheckBox::toggled, this,
            &TMainForm::AllKeyModeShl);
    connect(PageControl1, &PageControl::changedByUser, this, &TMainForm::ChangeLoadIdButton);
}

void TMainForm::UncheckOneKeyModes() {
    Control<QCheckBox>(QStringLiteral("OnekeymodeAll"))->setChecked(false);
    for (int key = 1; key <= velor::window::kKeys; ++key) {
        Control<QCheckBox>(velor::window::Name("onekeymode", key))->setChecked(false);
    }
}
