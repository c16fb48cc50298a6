#include "pictures/program_icon.h"

#include "pictures/graticule.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Divisions across the icon's screen: fewer than the real graticule's ten, or the grid would
// turn into a grey wash at the small sizes.
constexpr int IconDivisions = 6;

QPainterPath SineTrace(const QRectF &screen, double amplitude, double cycles, double phase) {
  QPainterPath trace;
  const int steps = 96;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const double x = screen.left() + t * screen.width();
    const double y =
        screen.center().y() - amplitude * screen.height() / 2 * std::sin(2 * std::numbers::pi * cycles * t + phase);
    i == 0 ? trace.moveTo(x, y) : trace.lineTo(x, y);
  }
  return trace;
}

void DrawGrid(QPainter &painter, const QRectF &screen, double line) {
  for (int k = 1; k < IconDivisions; ++k) {
    const double x = screen.left() + screen.width() * k / IconDivisions;
    const double y = screen.top() + screen.height() * k / IconDivisions;
    painter.setPen(QPen(GraticuleLine, k == IconDivisions / 2 ? 2 * line : line)); // the centre axes
    painter.drawLine(QPointF(x, screen.top()), QPointF(x, screen.bottom()));
    painter.drawLine(QPointF(screen.left(), y), QPointF(screen.right(), y));
  }
}

// A light trace on the light screen needs a dark edge to stand out at small sizes.
void DrawTrace(QPainter &painter, const QPainterPath &trace, QColor colour, QColor edge, double width) {
  painter.setPen(QPen(edge, width * 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(trace);
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(trace);
}

} // namespace

QImage DrawProgramIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);

  const double margin = size * 0.04;
  const QRectF bezel(margin, margin, size - 2 * margin, size - 2 * margin);
  painter.setPen(Qt::NoPen);
  painter.setBrush(IconBezel);
  painter.drawRoundedRect(bezel, size * 0.14, size * 0.14);

  const double inset = size * 0.13;
  const QRectF screen = bezel.adjusted(inset - margin, inset - margin, margin - inset, margin - inset);
  painter.setBrush(GraticuleBackground);
  painter.drawRect(screen);
  painter.setBrush(Qt::NoBrush);
  painter.setClipRect(screen);
  const double line = std::max(1.0, size / 128.0);
  DrawGrid(painter, screen, line);

  const double trace = std::max(1.5, size / 56.0);
  DrawTrace(painter, SineTrace(screen, 0.45, 1.5, 0.9), IconTraceII, QColor(0, 0, 96), trace);
  DrawTrace(painter, SineTrace(screen, 0.7, 1.5, 0), IconTraceI, QColor(0, 96, 112), trace);
  painter.end();
  return icon;
}
