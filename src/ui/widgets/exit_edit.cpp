#include "ui/widgets/exit_edit.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QValidator>

namespace {
// Accepts everything and turns it into upper case.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        input = input.toUpper();
        return Acceptable;
    }
};
} // namespace

ExitEdit::ExitEdit(QWidget* parent) : QLineEdit(parent) {}

void ExitEdit::SetUpperCaseInput(bool upperCase) {
    if (upperCase == upperCase_) {
        return;
    }
    upperCase_ = upperCase;
    const QValidator* previous = validator();
    setValidator(upperCase ? new UpperCaseValidator(this) : nullptr);
    delete previous;
}

void ExitEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Leaving the window or opening a context menu is not leaving the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        emit exited();
    }
}

void ExitEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit clicked();
    }
}
