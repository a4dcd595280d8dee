#pragma once

#include <QPushButton>

// A command button of the window. Return and the keypad's Enter click it while it has the focus,
// as Space does; outside a dialog a plain push button ignores them.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
