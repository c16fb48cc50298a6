#include "widget_host.h"

#include <QPalette>
#include <QTest>

TWidgetHost::TWidgetHost() {
  FWindow.resize(240, 200);
  QPalette palette = FWindow.palette();
  palette.setColor(QPalette::Window, Background);
  FWindow.setPalette(palette);
  FWindow.setAutoFillBackground(true);
  FWindow.show();
  (void)QTest::qWaitForWindowExposed(&FWindow);
}

QImage TWidgetHost::Grab() { return FWindow.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QImage TWidgetHost::Grab(const QWidget *child) { return Grab().copy(child->geometry()); }

namespace {

template <class F> bool CountPixels(const QImage &image, const QRect &area, F &&match, bool all) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (match(QColor(image.pixel(x, y))) != all)
        return !all;
  return all;
}

} // namespace

bool AllPixels(const QImage &image, const QRect &area, QColor color) {
  return CountPixels(
      image, area, [&](QColor c) { return c.rgb() == color.rgb(); }, true);
}

bool AnyPixel(const QImage &image, const QRect &area, QColor color) {
  return CountPixels(
      image, area, [&](QColor c) { return c.rgb() == color.rgb(); }, false);
}
