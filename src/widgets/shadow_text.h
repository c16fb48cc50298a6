#pragma once

#include "widgets/text_format.h"

#include <QColor>
#include <QRect>
#include <QString>

class QFontMetrics;
class QPainter;

// Text drawn twice: a copy moved by Size pixels towards Position in the shadow colour, then the
// text in place. Measuring takes the same path, so a measured size includes the shadow.
struct TShadowText {
  QString Caption;
  int Flags = 0; // Qt text flags: alignment, word wrap, tabs, accelerator marks
  QColor TextColor;
  QColor ShadowColor;
  int Size = 1;
  TextFormat::TShadowPosition Position = TextFormat::spLeftTop;

  // Draws into `rect`, which becomes the union of the text's and the shadow's rectangles.
  // Returns the shadow copy's text height plus Size (or that height when it is not positive).
  int Draw(QPainter &painter, QRect &rect) const;
  // The same without drawing: `rect` becomes the union of the two text extents.
  int Measure(const QFontMetrics &metrics, QRect &rect) const;

private:
  QRect ShadowRect(const QRect &rect) const;
  int Result(int shadowHeight) const { return shadowHeight > 0 ? shadowHeight + Size : shadowHeight; }
};
