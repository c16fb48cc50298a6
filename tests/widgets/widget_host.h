#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// A shown top-level window of a known plain colour that the controls under test sit on, so
// a rendering shows what a control paints and what shows through it.
class TWidgetHost {
public:
  static inline const QColor Background{10, 120, 30};

  TWidgetHost();
  QWidget *Window() { return &FWindow; }
  // The window as it looks now, children included.
  QImage Grab();
  // The rendering of one child, cut out of the window's.
  QImage Grab(const QWidget *child);

private:
  QWidget FWindow;
};

// Whether every pixel of `image` inside `area` has the colour `color`.
bool AllPixels(const QImage &image, const QRect &area, QColor color);
bool AnyPixel(const QImage &image, const QRect &area, QColor color);
