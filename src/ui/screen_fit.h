#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// How the window fits a screen smaller than its design: it keeps its design size wherever that
// fits, and otherwise takes what the screen offers while its pages scroll.
namespace velor::window {

// The window's inside on a screen that leaves `room` for it (the available geometry less the
// window frame): the design size when it fits; otherwise as much as fits. unscrolled is the
// smallest size at which nothing needs to scroll; below it the room a scroll bar takes is added
// where the screen has it.
QSize FittedWindowSize(QSize design, QSize unscrolled, QSize room, int scrollBarExtent);

// The top-left corner of a window frame of frameSize in `available`: centred, and never above or
// left of the available area, so that the title bar stays reachable.
QPoint FramePosition(const QRect& available, QSize frameSize);

// The frame the window manager is expected to add before it has said what it adds: the title
// bar and thin borders.
constexpr QMargins kFrameAllowance(4, 38, 4, 4);

} // namespace velor::window
