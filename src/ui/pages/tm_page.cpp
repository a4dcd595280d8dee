// The page "Идентификаторы ТМ": 28 Touch Memory keys, each with its identifier, its one-key mode
// and the loops it may arm and disarm, under a fixed header with the column titles.

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
constexpr int kTitleFontShrink = 2; // points; the loop titles fit above their boxes

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

QLabel* NewLoopTitle(QWidget* parent, const QString& name) {
    QLabel* title = NewLabel(parent, name);
    QFont small = title->font();
    small.setPointSize(small.pointSize() - kTitleFontShrink);
    title->setFont(small);
    return title;
}

// rowsOffset: how far the rows' frame moves their columns to the right.
QWidget* BuildHeader(QWidget* page, int rowsOffset) {
    auto* header = Named(new QWidget(page), QStringLiteral("KeyHeaderPanel"));
    auto* grid = new QGridLayout(header);
    SetColumnWidths(grid, kRowsMargin + rowsOffset);
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
        grid->addWidget(NewLoopTitle(header, Name("shvzlb", loop)), 2, kFirstArmColumn + loop - 1,
                        Qt::AlignCenter);
        grid->addWidget(NewLoopTitle(header, Name("shsnlb", loop)), 2,
                        kFirstDisarmColumn + loop - 1, Qt::AlignCenter);
    }
    auto* all = Named(new QCheckBox(header), QStringLiteral("OnekeymodeAll"));
    all->setStyleSheet(QStringLiteral("color: red;"));
    grid->addWidget(all, 3, kOneKeyColumn, 1, kColumnCount - kOneKeyColumn);
    return header;
}

QCheckBox* AddBox(QWidget* parent, QGridLayout* grid, const QString& name, int row, int column) {
    auto* box = Named(new QCheckBox(parent), name);
    grid->addWidget(box, row, column, Qt::AlignCenter);
    return box;
}

void BuildKeyRow(QWidget* rows, QGridLayout* grid, int key) {
    const int row = key - 1;
    grid->addWidget(NewLabel(rows, Name("KeyRowLabel", key)), row, kNumberColumn);
    auto* code = Named(new ExitEdit(rows), Name("CodeTM", key));
    code->SetUpperCaseInput(true);
    code->setMaxLength(kIdentifierLength);
    code->setFixedWidth(kCodeWidth);
    SetControlTag(code, key);
    grid->addWidget(code, row, kCodeColumn);
    AddBox(rows, grid, Name("onekeymode", key), row, kOneKeyColumn);
    for (int loop = 1; loop <= kLoops; ++loop) {
        AddBox(rows, grid, Name("shvz", key, loop), row, kFirstArmColumn + loop - 1);
        AddBox(rows, grid, Name("shsn", key, loop), row, kFirstDisarmColumn + loop - 1);
    }
}

QScrollArea* BuildRows(QWidget* page) {
    auto* scroll = Named(new QScrollArea(page), QStringLiteral("KeyScrollBox"));
    auto* rows = Named(new QWidget, QStringLiteral("KeyRowsPanel"));
    auto* grid = new QGridLayout(rows);
    SetColumnWidths(grid, kRowsMargin);
    for (int key = 1; key <= kKeys; ++key) {
        BuildKeyRow(rows, grid, key);
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
    setText(QStringLiteral("KeyCodeTitle"), tr("Код ТМ"));
    setText(QStringLiteral("ArmTitle"), tr("Взятие "));
    setText(QStringLiteral("DisarmTitle"), tr("Снятие"));
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
    for (int key = 1; key <= kKeys; ++key) {
        auto* code = Control<ExitEdit>(Name("CodeTM", key));
        connect(code, &QLineEdit::textChanged, this, [this, code] { Id1Change(code); });
        connect(code, &ExitEdit::clicked, this, [this, code] { Id1Click(code); });
        connect(code, &ExitEdit::exited, this, [this, code] { Id1Exit(code); });
        connect(Control<QCheckBox>(Name("onekeymode", key)), &QCheckBox::toggled, this,
                &TMainForm::OneKeyModeShl);
        for (int loop = 1; loop <= kLoops; ++loop) {
            connect(Control<QCheckBox>(Name("shvz", key, loop)), &QCheckBox::toggled, this,
                    &TMainForm::OneKeyModeShl);
        }
    }
    connect(Control<QCheckBox>(QStringLiteral("OnekeymodeAll")), &QCheckBox::toggled, this,
            &TMainForm::AllKeyModeShl);
    connect(PageControl1, &PageControl::changedByUser, this, &TMainForm::ChangeLoadIdButton);
}
