#include "pictures/knob_strip.h"

#include "pictures/pixel_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace {

enum TArrowHeads { ahBoth, ahClockwise, ahAnticlockwise };

QPointF OnCircle(QPointF centre, double radius, double degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return centre + QPointF(radius * std::cos(a), -radius * std::sin(a)); // screen rows grow down
}

void DrawHead(QPainter &painter, QPointF tip, QPointF direction, double size) {
  const QPointF normal(-direction.y(), direction.x());
  QPainterPath head;
  head.moveTo(tip + direction * size);
  head.lineTo(tip + normal * (size * 0.8));
  head.lineTo(tip - normal * (size * 0.8));
  head.closeSubpath();
  painter.fillPath(head, painter.pen().color());
}

void DrawArrow(QPainter &painter, QPointF centre, double radius, TArrowHeads heads, double headSize) {
  const double from = 40, to = 140; // an arc over the top of the knob
  painter.setPen(QPen(QColor(220, 0, 0), headSize > 3 ? 2.0 : 1.5));
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), static_cast<int>(from * 16),
                  static_cast<int>((to - from) * 16));
  const double s = std::sin(from * std::numbers::pi / 180), c = std::cos(from * std::numbers::pi / 180);
  if (heads != ahAnticlockwise) // clockwise ends at the right end, heading down and right
    DrawHead(painter, OnCircle(centre, radius, from), QPointF(s, c), headSize);
  if (heads != ahClockwise) // anticlockwise ends at the left end, heading down and left
    DrawHead(painter, OnCircle(centre, radius, to), QPointF(-s, c), headSize);
}

void DrawKnob(QPainter &painter, QPointF centre, double radius) {
  QRadialGradient shade(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
  shade.setColorAt(0, QColor(235, 235, 235));
  shade.setColorAt(1, QColor(105, 105, 105));
  painter.setPen(QPen(QColor(60, 60, 60), 1));
  painter.setBrush(shade);
  painter.drawEllipse(centre, radius, radius);
  // Ribs around the rim, and the pointer.
  painter.setPen(QPen(QColor(80, 80, 80), 1));
  for (int rib = 0; rib < 16; ++rib)
    painter.drawLine(OnCircle(centre, radius - 1, rib * 22.5), OnCircle(centre, radius * 0.72, rib * 22.5));
  painter.setPen(QPen(QColor(40, 40, 40), 2));
  painter.drawLine(centre, OnCircle(centre, radius * 0.6, 90));
}

} // namespace

QImage DrawKnobStrip(int stripWidth) {
  QImage strip(stripWidth, KnobHeight, QImage::Format_RGB32);
  strip.fill(FaceColour);
  const int width = stripWidth / KnobFrames;
  const double radius = std::min(width / 2.0 - 4.5, 17.0);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int frame = 0; frame < KnobFrames; ++frame) {
    const QPointF centre(frame * width + width / 2.0, 27);
    DrawKnob(painter, centre, radius);
    const double headSize = radius > 12 ? 4 : 3.5;
    if (frame == 1)
      DrawArrow(painter, centre, radius + 3.5, ahBoth, headSize);
    else if (frame == 2)
      DrawArrow(painter, centre, radius + 3.5, ahClockwise, headSize);
    else if (frame == 3)
      DrawArrow(painter, centre, radius + 3.5, ahAnticlockwise, headSize);
  }
  return strip;
}
