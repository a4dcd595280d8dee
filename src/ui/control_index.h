#pragma once

#include <QHash>
#include <QString>

class QObject;
class QWidget;

// Finds the window's controls by their names. Built once after the controls exist; logic that
// works on a family of controls composes a member's name ("shl" + loop + output) and looks it up.
class ControlIndex {
public:
    // Indexes every named widget beneath root. Two controls with the same name are a
    // programming error (std::logic_error).
    void Build(const QWidget& root);

    // The control of that name, or nullptr.
    QWidget* Find(const QString& name) const { return byName_.value(name, nullptr); }
    int Size() const { return static_cast<int>(byName_.size()); }

private:
    void Add(const QWidget& parent);

    QHash<QString, QWidget*> byName_;
};

// Gives a new control its name and returns it.
template <class T> T* Named(T* control, const QString& name) {
    control->setObjectName(name);
    return control;
}

// The integer tag a control carries (0 unless set): the index of a family member that its
// rule needs, such as the key number of CodeTM5.
int ControlTag(const QObject* control);
void SetControlTag(QObject* control, int tag);
