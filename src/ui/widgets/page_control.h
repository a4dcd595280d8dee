#pragma once

#include <QTabWidget>

#include <vector>

// A set of pages with tabs. Each page has two visibilities of its own: its tab in the tab row,
// and its sheet (the page's content). A hidden sheet leaves its page blank while the page stays
// the active one; a page that becomes active shows its sheet again. `changedByUser` reports a
// change of the active page made by the user only; pages selected by program, or reselected because
// the active tab was hidden, stay silent.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    // Adds sheet as the next page; the sheet's objectName is the page's name.
    int AddPage(QWidget* sheet, const QString& caption);
    QWidget* Sheet(int index) const;

    int ActivePageIndex() const { return currentIndex(); }
    void SetActivePageIndex(int index);

    void SetTabVisible(int index, bool visible);
    bool TabVisible(int index) const { return isTabVisible(index); }
    void SetSheetVisible(int index, bool visible);
    bool SheetVisible(int index) const;

signals:
    void changedByUser(int index);

private:
    void ActiveChanged(int index);

    std::vector<QWidget*> sheets_;
    bool byProgram_ = false;
};
