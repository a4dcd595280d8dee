#pragma once

#include <QLineEdit>

// A one-line edit that reports when the focus leaves it for another control of the window
// (exit rules) and when it is clicked. Optionally holds its text in upper case.
class ExitEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ExitEdit(QWidget* parent = nullptr);

    // Typed, pasted and program-set text is held in upper case.
    void SetUpperCaseInput(bool upperCase);
    bool UpperCaseInput() const { return upperCase_; }

signals:
    void exited();
    void clicked();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool upperCase_ = false;
};
