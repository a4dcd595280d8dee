#include "ui/settings_controls_adapter.h"

#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/up_down.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

#include <stdexcept>
#include <vector>

namespace {
constexpr int kRelay1SubPage = 0; // PageControl2's first sub-page, "Реле №1"

// The buttons whose rules must stay quiet while one of them is set: a radio button shares its
// exclusive panel with its partner, which the change unchecks.
std::vector<QAbstractButton*> DetachedButtons(QAbstractButton* button) {
    auto* radio = qobject_cast<QRadioButton*>(button);
    if (radio == nullptr || !radio->autoExclusive() || radio->parentWidget() == nullptr) {
        return {button};
    }
    const auto partners =
        radio->parentWidget()->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
    return {partners.begin(), partners.end()};
}

std::logic_error NoItemIndex(const QString& name) {
    return std::logic_error("the control " + name.toStdString() + " has no item index");
}
} // namespace

QString WindowSettingsControls::Text(const QString& name) const {
    return form_.Control<QLineEdit>(name)->text();
}

void WindowSettingsControls::SetText(const QString& name, const QString& text) {
    form_.Control<QLineEdit>(name)->setText(text);
}

bool WindowSettingsControls::Checked(const QString& name) const {
    return form_.Control<QAbstractButton>(name)->isChecked();
}

void WindowSettingsControls::SetChecked(const QString& name, bool checked) {
    form_.Control<QAbstractButton>(name)->setChecked(checked);
}

void WindowSettingsControls::SetCheckedDetached(const QString& name, bool checked) {
    auto* button = form_.Control<QAbstractButton>(name);
    std::vector<QSignalBlocker> quiet;
    for (QAbstractButton* detached : DetachedButtons(button)) {
        quiet.emplace_back(detached);
    }
    button->setChecked(checked);
}

int WindowSettingsControls::ItemIndex(const QString& name) const {
    QWidget* control = form_.FindControl(name);
    if (const auto* group = qobject_cast<const RadioGroup*>(control)) {
        return group->ItemIndex();
    }
    if (const auto* list = qobject_cast<const ComboList*>(control)) {
        return list->ItemIndex();
    }
    throw NoItemIndex(name);
}

void WindowSettingsControls::SetItemIndex(const QString& name, int index) {
    QWidget* control = form_.FindControl(name);
    if (auto* group = qobject_cast<RadioGroup*>(control)) {
        group->SetItemIndex(index);
        return;
    }
    if (auto* list = qobject_cast<ComboList*>(control)) {
        list->SetItemIndex(index);
        return;
    }
    throw NoItemIndex(name);
}

void WindowSettingsControls::SetItemIndexDetached(const QString& name, int index) {
    const QSignalBlocker quiet(form_.FindControl(name));
    SetItemIndex(name, index);
}

int WindowSettingsControls::Position(const QString& name) const {
    return form_.Control<UpDown>(name)->Position();
}

void WindowSettingsControls::SetPosition(const QString& name, int position) {
    form_.Control<UpDown>(name)->SetPosition(position);
}

void WindowSettingsControls::RunLoopTypeRule(const QString& buttonName) {
    form_.ChangeTypeShl(form_.FindControl(buttonName));
}

void WindowSettingsControls::ShowFirstOutputTab() {
    form_.Control<PageControl>(QStringLiteral("PageControl2"))->SetActivePageIndex(kRelay1SubPage);
}

void WindowSettingsControls::RefreshAllOutputs() {
    form_.SetAllPagesElementsAbleStatus_WorkModeRele();
}

void WindowSettingsControls::AddTrace(const QString& line) {
    form_.Control<QListWidget>(QStringLiteral("ListBox2"))->addItem(line);
}
