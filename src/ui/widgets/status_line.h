#pragma once

#include "ui/widgets/elided_label.h"

#include <QString>

// The status bar's text (MainStatusText): bold; an error in red, success and information in the
// window's normal text colour. A text wider than the line (a long path) is shown with its middle
// left out, and the whole text is the tooltip.
class StatusLine : public ElidedLabel {
    Q_OBJECT
public:
    enum class Tone { Information, Error };

    explicit StatusLine(QWidget* parent = nullptr);

    void Show(const QString& text, Tone tone);
    Tone CurrentTone() const { return tone_; }

private:
    Tone tone_ = Tone::Information;
};
