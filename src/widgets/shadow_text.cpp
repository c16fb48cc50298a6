#include "widgets/shadow_text.h"

#include <QFontMetrics>
#include <QPainter>

QRect TShadowText::ShadowRect(const QRect &rect) const {
  switch (Position) {
  case TextFormat::spLeftTop:
    return rect.translated(-Size, -Size);
  case TextFormat::spLeftBottom:
    return rect.translated(-Size, Size);
  case TextFormat::spRightBottom:
    return rect.translated(Size, Size);
  case TextFormat::spRightTop:
    break;
  }
  return rect.translated(Size, -Size);
}

int TShadowText::Draw(QPainter &painter, QRect &rect) const {
  const QRect shadow = ShadowRect(rect);
  QRect drawn;
  painter.setPen(ShadowColor);
  painter.drawText(shadow, Flags, Caption, &drawn);
  const int height = drawn.height();
  painter.setPen(TextColor);
  painter.drawText(rect, Flags, Caption);
  rect = rect.united(shadow);
  return Result(height);
}

int TShadowText::Measure(const QFontMetrics &metrics, QRect &rect) const {
  // Extents start at the rectangle's top-left corner whatever the alignment, and an empty or
  // accelerator-only caption still measures one line.
  const int flags = (Flags & ~(Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask)) | Qt::AlignLeft | Qt::AlignTop;
  const bool blank = Caption.isEmpty() || ((Flags & Qt::TextShowMnemonic) && Caption == "&");
  const QString text = blank ? Caption + ' ' : Caption;
  const QSize extent = metrics.boundingRect(QRect(0, 0, rect.width(), 0), flags, text).size();
  const QRect shadow(ShadowRect(rect).topLeft(), extent);
  const QRect own(rect.topLeft(), extent);
  rect = own.united(shadow);
  return Result(extent.height());
}
