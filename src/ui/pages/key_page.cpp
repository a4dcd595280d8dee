// The key page (KeyPage, "Идентификаторы ТМ"): 28 Touch Memory keys, each with its identifier, its
// one-key mode and the loops it may arm and disarm, under a fixed header with the column titles.

#include "ui/pages/key_page.h"

#include "settings/field_records.h"
#include "settings/window_captions.h"
#include "ui/control_index.h"
#include "ui/widgets/exit_edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

using velor::window::Name;
using velor::window::WindowText;
namespace fields = velor::settings::fields;

namespace {
constexpr int kIdentifierLength = 12; // 48 bits as hexadecimal digits
constexpr int kKeys = KeyPage::kKeys;
constexpr int kLoops = KeyPage::kLoops;
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

constexpr const char* kRightsCaption = QT_TRANSLATE_NOOP("TMainForm", "Полномочия идентификаторов");
constexpr const char* kNumberCaption = QT_TRANSLATE_NOOP("TMainForm", "№");
constexpr const char* kLoopTitle = QT_TRANSLATE_NOOP("TMainForm", "ШС%1");
constexpr const char* kAllOneKeyCaption = QT_TRANSLATE_NOOP(
    "TMainForm", "<- - - - Взятие/снятие одним ключом ТМ ( для всех ключей сразу )");
constexpr const char* kRowNumber = QT_TRANSLATE_NOOP("TMainForm", "%1.");
constexpr const char* kOneKeyTip = QT_TRANSLATE_NOOP("TMainForm", "Взятие/снятие одним ключом ТМ");

QCheckBox* AddBox(QWidget* parent, QGridLayout* grid, const QString& name, int row, int column) {
    auto* box = Named(new QCheckBox(parent), name);
    grid->addWidget(box, row, column, Qt::AlignCenter);
    return box;
}
} // namespace

KeyPage::KeyPage(DialogService& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TabSheetTM"));
    auto* column = new QVBoxLayout(this);
    // Narrow side margins: the header's columns and the last loop title use the page's width.
    const QMargins margins = column->contentsMargins();
    column->setContentsMargins(kRowsMargin, margins.top(), kRowsMargin, margins.bottom());
    QScrollArea* rows = BuildRows();
    column->addWidget(BuildHeader(rows->frameWidth()));
    column->addWidget(rows, 1);
    Wire();
}

// rowsOffset: how far the rows' frame moves their columns to the right.
QWidget* KeyPage::BuildHeader(int rowsOffset) {
    auto* header = Named(new QWidget(this), QStringLiteral("KeyHeaderPanel"));
    auto* grid = new QGridLayout(header);
    SetColumnWidths(grid, kRowsMargin + rowsOffset);
    // One more box-wide column after the last, for the last title to be centred on its boxes.
    grid->setColumnStretch(kColumnCount, 0);
    grid->setColumnMinimumWidth(kColumnCount, kBoxWidth);
    grid->setColumnStretch(kColumnCount + 1, 1);
    rightsTitle_ = NewLabel(header, QStringLiteral("RightsTitle"));
    grid->addWidget(rightsTitle_, 0, kFirstArmColumn, 1, kColumnCount - kFirstArmColumn,
                    Qt::AlignCenter);
    numberTitle_ = NewLabel(header, QStringLiteral("KeyNumberTitle"));
    grid->addWidget(numberTitle_, 1, kNumberColumn, 2, 1);
    codeTitle_ = NewLabel(header, QStringLiteral("KeyCodeTitle"));
    grid->addWidget(codeTitle_, 1, kCodeColumn, 2, 1, Qt::AlignCenter);
    armTitle_ = NewLabel(header, QStringLiteral("ArmTitle"));
    grid->addWidget(armTitle_, 1, kFirstArmColumn, 1, kLoops, Qt::AlignCenter);
    disarmTitle_ = NewLabel(header, QStringLiteral("DisarmTitle"));
    grid->addWidget(disarmTitle_, 1, kFirstDisarmColumn, 1, kLoops, Qt::AlignCenter);
    for (int loop = 1; loop <= kLoops; ++loop) {
        armLoopTitles_.at(loop - 1) = NewLoopTitle(header, Name("shvzlb", loop));
        disarmLoopTitles_.at(loop - 1) = NewLoopTitle(header, Name("shsnlb", loop));
        AddLoopTitle(grid, armLoopTitles_.at(loop - 1), loop, kFirstArmColumn);
        AddLoopTitle(grid, disarmLoopTitles_.at(loop - 1), loop, kFirstDisarmColumn);
    }
    allOneKey_ = Named(new QCheckBox(header), QStringLiteral("OnekeymodeAll"));
    allOneKey_->setStyleSheet(QStringLiteral("color: red;"));
    grid->addWidget(allOneKey_, 4, kOneKeyColumn, 1, kColumnCount - kOneKeyColumn);
    return header;
}

// Each row is a widget of its own, on the columns of the header. (A box being unticked looks
// through its siblings for an exclusive partner: with all rows under one parent, each of the
// decoder's unticks went through some 500 widgets.)
QWidget* KeyPage::BuildKeyRow(QWidget* rows, int key) {
    auto* row = new QWidget(rows);
    auto* grid = new QGridLayout(row);
    SetColumnWidths(grid, kRowsMargin);
    grid->setContentsMargins(kRowsMargin, 0, kRowsMargin, 0); // the rows' column keeps the rest
    rowLabels_.at(key - 1) = NewLabel(row, Name("KeyRowLabel", key));
    grid->addWidget(rowLabels_.at(key - 1), 0, kNumberColumn);
    auto* code = Named(new ExitEdit(row), Name(velor::settings::fields::kKeyCode.control, key));
    code->SetUpperCaseInput(true);
    code->setMaxLength(kIdentifierLength);
    code->setFixedWidth(kCodeWidth);
    SetControlTag(code, key);
    codes_.at(key - 1) = code;
    grid->addWidget(code, 0, kCodeColumn);
    oneKeyRows_.SetOneKey(key, AddBox(row, grid, Name("onekeymode", key), 0, kOneKeyColumn));
    for (int loop = 1; loop <= kLoops; ++loop) {
        oneKeyRows_.SetArm(key, loop,
                           AddBox(row, grid, Name(fields::kArmRights.control, key, loop), 0,
                                  kFirstArmColumn + loop - 1));
        oneKeyRows_.SetDisarm(key, loop,
                              AddBox(row, grid, Name(fields::kDisarmRights.control, key, loop), 0,
                                     kFirstDisarmColumn + loop - 1));
    }
    return row;
}

QScrollArea* KeyPage::BuildRows() {
    auto* scroll = Named(new QScrollArea(this), QStringLiteral("KeyScrollBox"));
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

void KeyPage::Retranslate() {
    rightsTitle_->setText(WindowText(kRightsCaption));
    numberTitle_->setText(WindowText(kNumberCaption));
    codeTitle_->setText(fields::kKeyCode.caption.Text());
    armTitle_->setText(fields::kArmRights.caption.Text());
    disarmTitle_->setText(fields::kDisarmRights.caption.Text());
    for (int loop = 1; loop <= kLoops; ++loop) {
        armLoopTitles_.at(loop - 1)->setText(WindowText(kLoopTitle).arg(loop));
        disarmLoopTitles_.at(loop - 1)->setText(WindowText(kLoopTitle).arg(loop));
    }
    allOneKey_->setText(WindowText(kAllOneKeyCaption));
    for (int key = 1; key <= kKeys; ++key) {
        rowLabels_.at(key - 1)->setText(WindowText(kRowNumber).arg(key));
        oneKeyRows_.OneKey(key)->setToolTip(WindowText(kOneKeyTip));
    }
}

void KeyPage::Wire() {
    for (int key = 1; key <= kKeys; ++key) {
        ExitEdit* code = Identifier(key);
        connect(code, &QLineEdit::textChanged, this, [this, code] { Id1Change(code); });
        connect(code, &ExitEdit::clicked, this, [this, code] { emit identifierClicked(code); });
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
    connect(allOneKey_, &QCheckBox::toggled, this, &KeyPage::AllKeyModeShl);
}

void KeyPage::UncheckOneKeyModes() {
    allOneKey_->setChecked(false);
    for (int key = 1; key <= kKeys; ++key) {
        oneKeyRows_.OneKey(key)->setChecked(false);
    }
}
