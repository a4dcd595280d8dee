#include "ui/control_index.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QVariant>
#include <QWidget>

#include <stdexcept>

namespace {
constexpr char kTagProperty[] = "Tag";
} // namespace

namespace {
// Widgets whose inner parts Qt makes and names itself (scroll buttons, list views, edits).
bool HasInnerParts(const QWidget* widget) {
    return qobject_cast<const QTabBar*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr ||
           qobject_cast<const QScrollBar*>(widget) != nullptr ||
           qobject_cast<const QLineEdit*>(widget) != nullptr;
}
} // namespace

void ControlIndex::Build(const QWidget& root) {
    byName_.clear();
    Add(root);
}

void ControlIndex::Add(const QWidget& parent) {
    for (QWidget* widget : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name = widget->objectName();
        // Qt names some inner widgets of its own with a "qt_" prefix; those are not controls.
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            if (byName_.contains(name)) {
                throw std::logic_error("two controls are named " + name.toStdString());
            }
            byName_.insert(name, widget);
        }
        if (!HasInnerParts(widget)) {
            Add(*widget);
        }
    }
}

int ControlTag(const QObject* control) {
    return control->property(kTagProperty).toInt();
}

void SetControlTag(QObject* control, int tag) {
    control->setProperty(kTagProperty, tag);
}
