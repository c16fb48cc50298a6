#include "pictures/button_glyphs.h"

#include "pictures/pixel_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>
#include <numbers>

QImage DrawChannelSwitchGlyph() {
  return FourFrameGlyph(32, 36, SwitchUpInk, SwitchDownInk, [](QPainter &painter, QRect frame, QColor ink) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QPointF left = frame.topLeft() + QPointF(9, 22), right = frame.topLeft() + QPointF(23, 22);
    painter.drawLine(left - QPointF(6, 0), left - QPointF(2.5, 0));
    painter.drawLine(right + QPointF(2.5, 0), right + QPointF(6, 0));
    painter.drawEllipse(left, 2.5, 2.5);
    painter.drawEllipse(right, 2.5, 2.5);
    painter.drawLine(left + QPointF(1.5, -2), frame.topLeft() + QPointF(22, 10)); // the open lever
  });
}

QImage DrawTestGlyph() {
  QImage strip =
      FourFrameGlyph(37, 35, QColor(0, 0, 0), QColor(0, 0, 128), [](QPainter &painter, QRect frame, QColor ink) {
        const QRectF box(frame.left() + 5.5, frame.top() + 3.5, 26, 18);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(ink, 1));
        painter.setBrush(QColor(224, 224, 224));
        painter.drawRoundedRect(box, 3, 3);
        QPainterPath wave;
        for (int i = 0; i <= 40; ++i) {
          const double x = box.left() + 4 + i * 0.45, y = box.center().y() - 5 * std::sin(i * std::numbers::pi / 10);
          i == 0 ? wave.moveTo(x, y) : wave.lineTo(x, y);
        }
        painter.setPen(QPen(QColor(220, 0, 0), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);
        painter.setPen(QPen(ink, 1));
        painter.drawEllipse(QPointF(box.right() - 4, box.bottom() - 4), 1.5, 1.5); // output socket
      });
  // The label goes on afterwards in pixels, so it stays crisp.
  const QColor inks[] = {QColor(0, 0, 0), QColor(128, 128, 128), QColor(0, 0, 128), QColor(0, 0, 128)};
  for (int frame = 0; frame < 4; ++frame) {
    const int shift = frame >= 2 ? 1 : 0;
    DrawPixelText(strip, frame * 37 + 9 + shift, 25 + shift, "1 kHz", inks[frame]);
  }
  return strip;
}

QImage DrawHoldGlyph() {
  return FourFrameGlyph(37, 35, QColor(0, 0, 0), QColor(0, 0, 128), [](QPainter &painter, QRect frame, QColor ink) {
    const QPoint o = frame.topLeft();
    painter.setPen(QPen(ink, 1));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(QRect(o + QPoint(4, 3), QSize(28, 28))); // the window
    painter.fillRect(QRect(o + QPoint(5, 4), QSize(27, 4)), ink == QColor(128, 128, 128) ? ink : QColor(0, 0, 128));
    painter.setBrush(QColor(64, 64, 64));
    painter.drawRect(QRect(o + QPoint(9, 14), QSize(18, 12))); // camera body
    painter.drawRect(QRect(o + QPoint(12, 12), QSize(5, 2)));  // viewfinder
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 160, 200));
    painter.setPen(QPen(QColor(220, 220, 220), 1));
    painter.drawEllipse(QPointF(o.x() + 18.5, o.y() + 20.5), 4, 4); // lens
  });
}

QImage DrawSyncGlyph() {
  QImage strip = NewStrip(2, 16, 16);
  QPainter painter(&strip);
  const QPolygon peak{{3, 12}, {5, 12}, {6, 11}, {7, 8}, {8, 3}, {9, 8}, {10, 11}, {11, 12}, {14, 12}};
  const QColor axes[] = {QColor(0, 0, 0), QColor(128, 128, 128)};
  const QColor curves[] = {QColor(255, 0, 0), QColor(128, 128, 128)};
  for (int frame = 0; frame < 2; ++frame) {
    painter.save();
    painter.translate(frame * 16, 0);
    if (frame == 1) { // the disabled look: a white relief under grey
      painter.translate(1, 1);
      painter.setPen(QColor(255, 255, 255));
      painter.drawPolyline(peak);
      painter.translate(-1, -1);
    }
    painter.setPen(axes[frame]);
    painter.drawLine(2, 1, 2, 14);
    painter.drawLine(1, 13, 14, 13);
    painter.setPen(curves[frame]);
    painter.drawPolyline(peak);
    painter.restore();
  }
  painter.end();
  return ToSixteenColours(strip);
}
