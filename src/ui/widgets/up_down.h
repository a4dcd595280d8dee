#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// An up-down spinner bound to an edit (its associate). Stepping moves the position by the
// increment within [Min, Max] and writes it into the edit, which runs the edit's change rule as
// typing would. Setting the position by program writes the edit's text as well. The position
// follows the number shown in the edit; while the edit holds no number in range, the last valid
// position stays.
class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(QLineEdit* associate, int min, int max, int increment, QWidget* parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Increment() const { return increment_; }
    int Position() const { return position_; }
    QLineEdit* Associate() const { return associate_; }

    // Clamps to [Min, Max] and shows the value in the edit.
    void SetPosition(int position);
    void StepUp();
    void StepDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowText(const QString& text);

    QLineEdit* associate_;
    QToolButton* up_;
    QToolButton* down_;
    int min_;
    int max_;
    int increment_;
    int position_;
};
