#pragma once

#include <QRect>
#include <QSize>
#include <cstdint>
#include <memory>

class QImage;
class QWidget;
struct TPixelBuffer;
struct xcb_connection_t;

// Puts pixels straight onto a widget's own X window, past Qt's backing store: from a pixel
// buffer's memory file, which the X server maps, so that nothing is copied on our side; or sent
// over the connection where the buffer has no file or the server cannot map it. Exists only for
// a widget on an X display whose window takes 0x00RRGGBB pixels of 32 bits as they are.
class TXPresenter {
public:
  // Null where the widget's window is not such an X window. Gives the widget a window of its own.
  static std::unique_ptr<TXPresenter> For(QWidget *widget);
  ~TXPresenter();
  TXPresenter(const TXPresenter &) = delete;
  TXPresenter &operator=(const TXPresenter &) = delete;

  // Puts `rect` of the buffer's `size` pixels, `pitch` bytes a row, at the same place of the
  // window. The server may read the buffer until Settle says it is done.
  void Put(const std::shared_ptr<const TPixelBuffer> &pixels, int pitch, QSize size, const QRect &rect);
  // Puts `rect` of an image in QImage::Format_RGB32, sent over the connection.
  void Put(const QImage &image, const QRect &rect);
  // Returns once the server has read everything put from `pixels`.
  void Settle(const TPixelBuffer &pixels);

private:
  // A buffer the server has mapped, and the request after its last put (a reply to it means the
  // server is done with the put).
  struct TSegment {
    std::weak_ptr<const TPixelBuffer> Pixels;
    uint32_t Id = 0; // 0: not mapped, sent over the connection
    unsigned Sync = 0;
    bool Syncing = false;
  };

  TXPresenter(xcb_connection_t *connection, uint32_t window, bool shareMemory);
  TSegment &SegmentOf(const std::shared_ptr<const TPixelBuffer> &pixels);
  void Settle(TSegment &segment);
  void Forget(TSegment &segment);
  void Send(const uint8_t *pixels, int pitch, const QRect &rect);

  xcb_connection_t *FConnection;
  uint32_t FWindow;
  uint32_t FGC;
  bool FShareMemory;
  size_t FMaxRequestBytes;
  // A present lends one of two buffers, by turns; a third comes with a new surface.
  TSegment FSegments[3];
  int FNextSegment = 0;
};
