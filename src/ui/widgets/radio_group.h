#pragma once

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

// A titled group of radio buttons with one item index (-1 = no item selected). The index signal
// fires on every change of the index, whether a user clicked an item or the program set it, and
// only when the index really changes; code that must not run the group's rule blocks the group's
// signals (QSignalBlocker) while it sets the index.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget* parent = nullptr);

    // Replaces the item texts; keeps the buttons and the index when the count stays the same.
    void SetItems(const QStringList& items);
    QStringList Items() const;
    int Count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* Button(int index) const;

    int ItemIndex() const { return index_; }
    void SetItemIndex(int index);

signals:
    void itemIndexChanged(int index);

private:
    void RebuildButtons(int count);
    void ButtonToggled(int index, bool checked);

    QVBoxLayout* layout_;
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
    int index_ = -1;
};
