#include "ui/widgets/command_button.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent) {}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enterKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (enterKey && modifiers == Qt::NoModifier) {
        if (!event->isAutoRepeat()) {
            click();
        }
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
