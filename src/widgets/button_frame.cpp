#include "widgets/button_frame.h"

#include <QPainter>

namespace {

// A ring the way window-system 3D frames are drawn: the top-left colour takes the top and left
// edges up to the far corners, the bottom-right colour the right and bottom edges with them.
QRect Ring(QPainter &painter, const QRect &rect, TColor topLeft, TColor bottomRight) {
  const QColor tl = ColorToQColor(topLeft);
  const QColor br = ColorToQColor(bottomRight);
  const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
  painter.fillRect(QRect(QPoint(l, t), QPoint(r - 1, t)), tl);
  painter.fillRect(QRect(QPoint(l, t), QPoint(l, b - 1)), tl);
  painter.fillRect(QRect(QPoint(r, t), QPoint(r, b)), br);
  painter.fillRect(QRect(QPoint(l, b), QPoint(r, b)), br);
  return rect.adjusted(1, 1, -1, -1);
}

} // namespace

QRect DrawButtonFrame(QPainter &painter, QRect rect, TRxButtonState look, bool newLook, bool flat) {
  const bool pressed = look == rbsDown || look == rbsExclusive;
  if (pressed) {
    if (flat) {
      rect = Ring(painter, rect, clWindowFrame, clBtnHighlight);
    } else if (newLook) {
      rect = Ring(painter, rect, clWindowFrame, clBtnHighlight);
      rect = Ring(painter, rect, clBtnShadow, clBtnFace);
    } else {
      rect = Ring(painter, rect, clWindowFrame, clWindowFrame);
      const QColor shadow = ColorToQColor(clBtnShadow);
      painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), shadow);
      painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), shadow);
      rect.adjust(1, 1, -1, -1);
    }
  } else if (flat) {
    rect =
        newLook ? Ring(painter, rect, clBtnHighlight, clBtnShadow) : Ring(painter, rect, clBtnHighlight, clWindowFrame);
  } else if (newLook) {
    rect = Ring(painter, rect, clBtnHighlight, clWindowFrame);
    rect = Ring(painter, rect, clBtnFace, clBtnShadow);
  } else {
    rect = Ring(painter, rect, clWindowFrame, clWindowFrame);
    rect = Ring(painter, rect, clBtnHighlight, clBtnShadow);
  }
  return rect.adjusted(1, 1, -1, -1);
}
