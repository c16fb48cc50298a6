#pragma once

#include "platform/draw/draw_types.h"
#include "platform/draw/surface_memory.h"

#include <QObject>
#include <memory>

class QImage;
class QScreen;

// A window as the 2D device sees it: the screen it is on, where its client area starts on that
// screen, and the image it shows of the primary surface. Whoever keeps a handle watches it as a
// QObject, so a window that is gone is noticed.
class TWindowHandle : public QObject {
public:
  using QObject::QObject;

  virtual QScreen *Screen() const = 0;
  // The client area's top left corner in screen coordinates.
  virtual TPoint ClientOrigin() const = 0;
  // Client-sized and QImage::Format_RGB32; blits into the primary land here.
  virtual QImage &Image() = 0;
  // The image becomes these client-sized 0x00RRGGBB pixels, `pitch` bytes a row, shown without a
  // copy (whoever lends them leaves them unchanged while they are held); what they change of
  // the image is shown.
  virtual void Show(std::shared_ptr<const TPixelBuffer> pixels, int pitch) = 0;
  // Part of the image was written and should be shown.
  virtual void Changed(const TRect &rect) = 0;
};
