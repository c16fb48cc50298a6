#pragma once

#include "platform/draw/window_handle.h"

#include <QImage>

class QWidget;

// A widget as the 2D device sees it, with the image of the primary surface the widget shows:
// blits into the primary land in the image, and the widget paints it. The image is made on first
// use and follows the widget's size, so a handle that is only bound to the device costs nothing.
class TScreenImage : public TWindowHandle {
  Q_OBJECT
public:
  // The widget's handle, made on first use; it lives as the widget's child.
  static TScreenImage *For(QWidget *window);

  QScreen *Screen() const override;
  TPoint ClientOrigin() const override;
  QImage &Image() override;
  void Changed(const TRect &rect) override;

private:
  explicit TScreenImage(QWidget *window);

  QWidget *FWindow;
  QImage FImage;
};
