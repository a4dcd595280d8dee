#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: program picture, product name, version and a first-steps hint, with an OK
// button. Created once at start-up and only shown and hidden afterwards.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void OKButtonClick();

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Comments = nullptr;
    QPushButton* OKButton = nullptr;
};
