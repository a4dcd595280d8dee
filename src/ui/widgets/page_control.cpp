#include "ui/widgets/page_control.h"

#include <QVBoxLayout>

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, &PageControl::ActiveChanged);
}

int PageControl::AddPage(QWidget* sheet, const QString& caption) {
    // The tab holds a bare frame and the sheet sits inside it, so the sheet's own visibility
    // survives the tab widget showing and hiding its pages.
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sheet);
    sheets_.push_back(sheet);
    const bool wasByProgram = byProgram_;
    byProgram_ = true;
    const int index = addTab(holder, caption);
    byProgram_ = wasByProgram;
    return index;
}

QWidget* PageControl::Sheet(int index) const {
    return index >= 0 && index < static_cast<int>(sheets_.size()) ? sheets_[index] : nullptr;
}

void PageControl::SetActivePageIndex(int index) {
    const bool wasByProgram = byProgram_;
    byProgram_ = true;
    setCurrentIndex(index);
    byProgram_ = wasByProgram;
}

void PageControl::SetTabVisible(int index, bool visible) {
    const bool wasByProgram = byProgram_;
    byProgram_ = true;
    setTabVisible(index, visible);
    byProgram_ = wasByProgram;
}

void PageControl::SetSheetVisible(int index, bool visible) {
    if (QWidget* sheet = Sheet(index)) {
        sheet->setVisible(visible);
    }
}

bool PageControl::SheetVisible(int index) const {
    const QWidget* sheet = Sheet(index);
    return sheet != nullptr && !sheet->isHidden();
}

void PageControl::ActiveChanged(int index) {
    SetSheetVisible(index, true);
    if (!byProgram_) {
        emit changedByUser(index);
    }
}
