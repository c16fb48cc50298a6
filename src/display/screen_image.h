#pragma once

#include "display/x_presenter.h"
#include "platform/draw/window_handle.h"

#include <QImage>
#include <memory>

class QRect;
class QWidget;

// A widget as the 2D device sees it, with the image of the primary surface the widget shows:
// blits into the primary land in the image, and the widget paints it. The image is made on first
// use and follows the widget's size, so a handle that is only bound to the device costs nothing.
// On an X display the widget can instead show the image itself, on a window of its own: what
// changes is put there at once, and a paint puts what was lost.
class TScreenImage : public TWindowHandle {
  Q_OBJECT
public:
  // The widget's handle, made on first use; it lives as the widget's child.
  static TScreenImage *For(QWidget *window);

  QScreen *Screen() const override;
  TPoint ClientOrigin() const override;
  QImage &Image() override;
  void Show(std::shared_ptr<const TPixelBuffer> pixels, int pitch) override;
  void Changed(const TRect &rect) override;

  // Makes the widget show the image on its own window where it can, past Qt's painting; it then
  // paints on screen.
  void PaintOnScreen();
  // Puts `rect` of the image onto the widget's window; false where the widget does not paint
  // on screen, and the image is the widget's to paint.
  bool Paint(const QRect &rect);

signals:
  // What the image shows changed: a frame was presented, or part of one written.
  void Shown();

private:
  // An image over pixels once lent, kept for when the same pixels come again: lenders take
  // turns with two buffers, and making an image each time would cost an allocation a frame.
  struct TLentImage {
    std::weak_ptr<const TPixelBuffer> Pixels;
    QImage Image;
  };

  explicit TScreenImage(QWidget *window);
  QSize Size() const;
  // Whether the image is over the pixels last lent.
  bool ShowsLent() const;

  QWidget *FWindow;
  QImage FImage;
  std::shared_ptr<const TPixelBuffer> FShown; // what FImage shows, when lent
  TLentImage FLent[2];
  std::unique_ptr<TXPresenter> FPresenter;
};
