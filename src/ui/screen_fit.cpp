#include "ui/screen_fit.h"

#include <algorithm>

namespace velor::window {

QSize FittedWindowSize(QSize design, QSize unscrolled, QSize room, int scrollBarExtent) {
    const bool tooLow = room.height() < unscrolled.height();
    const int widthWithBar = unscrolled.width() + (tooLow ? scrollBarExtent : 0);
    const bool tooNarrow = room.width() < widthWithBar;
    const int heightWithBar = unscrolled.height() + (tooNarrow && !tooLow ? scrollBarExtent : 0);
    const QSize wanted(std::max(design.width(), widthWithBar),
                       std::max(design.height(), heightWithBar));
    return wanted.boundedTo(room);
}

QPoint FramePosition(const QRect& available, QSize frameSize) {
    const QPoint centred(available.x() + (available.width() - frameSize.width()) / 2,
                         available.y() + (available.height() - frameSize.height()) / 2);
    return {std::max(centred.x(), available.x()), std::max(centred.y(), available.y())};
}

} // namespace velor::window
