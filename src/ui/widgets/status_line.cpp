#include "ui/widgets/status_line.h"

StatusLine::StatusLine(QWidget* parent) : ElidedLabel(parent) {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void StatusLine::Show(const QString& text, Tone tone) {
    tone_ = tone;
    setText(text);
    setToolTip(text);
    setStyleSheet(tone == Tone::Error ? QStringLiteral("color: red;") : QString());
}
