#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace quillmoor {

// Where a window's outer frame goes so that it sits at the centre of `screen`.
// The frame's size is first clamped to the screen's, so a frame larger than
// the screen starts at the screen's top-left corner instead of above or left
// of it, which keeps the caption and its close button reachable.
inline QPoint CentredFramePosition(const QRect& screen, QSize frame) {
  frame = frame.boundedTo(screen.size());
  return {screen.x() + (screen.width() - frame.width()) / 2,
          screen.y() + (screen.height() - frame.height()) / 2};
}

}  // namespace quillmoor
