#include "ui/widgets/up_down.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kArrowWidth = 16;
constexpr int kArrowHeight = 11;

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(kArrowWidth, kArrowHeight);
    return button;
}
} // namespace

UpDown::UpDown(QLineEdit* associate, int min, int max, int increment, QWidget* parent)
    : QWidget(parent), associate_(associate), up_(MakeArrow(Qt::UpArrow, this)),
      down_(MakeArrow(Qt::DownArrow, this)), min_(min), max_(max), increment_(increment),
      position_(min) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    connect(up_, &QToolButton::clicked, this, &UpDown::StepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::StepDown);
    // Connected before any rule of the edit, so the position is current when the rule runs.
    connect(associate_, &QLineEdit::textChanged, this, &UpDown::FollowText);
    associate_->installEventFilter(this); // the arrow keys in the edit step as well
    FollowText(associate_->text());
}

void UpDown::SetPosition(int position) {
    position_ = std::clamp(position, min_, max_);
    associate_->setText(QString::number(position_));
}

void UpDown::StepUp() {
    SetPosition(position_ + increment_);
}

void UpDown::StepDown() {
    SetPosition(position_ - increment_);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == associate_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            key == Qt::Key_Up ? StepUp() : StepDown();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::FollowText(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && value >= min_ && value <= max_) {
        position_ = value;
    }
}
