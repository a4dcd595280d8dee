#include "ui/widgets/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent), layout_(new QVBoxLayout(this)), group_(new QButtonGroup(this)) {
    layout_->setContentsMargins(6, 2, 6, 2);
    layout_->setSpacing(0);
    connect(group_, &QButtonGroup::idToggled, this, &RadioGroup::ButtonToggled);
}

void RadioGroup::SetItems(const QStringList& items) {
    if (items.size() != Count()) {
        RebuildButtons(static_cast<int>(items.size()));
    }
    for (int i = 0; i < Count(); ++i) {
        buttons_[i]->setText(items[i]);
    }
}

QStringList RadioGroup::Items() const {
    QStringList items;
    for (const QRadioButton* button : buttons_) {
        items << button->text();
    }
    return items;
}

QRadioButton* RadioGroup::Button(int index) const {
    return index >= 0 && index < Count() ? buttons_[index] : nullptr;
}

void RadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= Count() || index == index_) {
        return;
    }
    if (index >= 0) {
        buttons_[index]->setChecked(true); // the toggle handler records the index and signals
        return;
    }
    // An exclusive group cannot uncheck its last checked button, so lift the rule for a moment.
    group_->setExclusive(false);
    buttons_[index_]->setChecked(false);
    group_->setExclusive(true);
}

void RadioGroup::RebuildButtons(int count) {
    SetItemIndex(-1);
    for (QRadioButton* button : buttons_) {
        group_->removeButton(button);
        delete button;
    }
    buttons_.clear();
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(this);
        group_->addButton(button, i);
        layout_->addWidget(button);
        buttons_.push_back(button);
    }
}

void RadioGroup::ButtonToggled(int /*index*/, bool /*checked*/) {
    // Moving from one item to another unchecks the old button as well; the group's checked id
    // is already the new one then, so the index changes (and is reported) once.
    const int newIndex = group_->checkedId();
    if (newIndex == index_) {
        return;
    }
    index_ = newIndex;
    emit itemIndexChanged(index_);
}
