#include "display/screen_image.h"

#include <QPainter>
#include <QWidget>

TScreenImage *TScreenImage::For(QWidget *window) {
  if (auto *existing = window->findChild<TScreenImage *>(QString(), Qt::FindDirectChildrenOnly))
    return existing;
  return new TScreenImage(window);
}

TScreenImage::TScreenImage(QWidget *window) : TWindowHandle(window), FWindow(window) {}

QScreen *TScreenImage::Screen() const { return FWindow->screen(); }

TPoint TScreenImage::ClientOrigin() const {
  const QPoint origin = FWindow->mapToGlobal(QPoint(0, 0));
  return {origin.x(), origin.y()};
}

QSize TScreenImage::Size() const { return FWindow->size().expandedTo(QSize(1, 1)); }

QImage &TScreenImage::Image() {
  const QSize size = Size();
  if (size != FImage.size()) {
    // What was shown stays; the rest is black until the next present.
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(Qt::black);
    if (!FImage.isNull())
      QPainter(&resized).drawImage(0, 0, FImage);
    FImage = std::move(resized);
    FShown.reset();
  }
  return FImage;
}

void TScreenImage::Show(std::shared_ptr<const TPixelBuffer> pixels, int pitch) {
  const QSize size = Size();
  // Where the image still shows lent pixels unchanged, only the rows the new ones may change.
  const bool showing = FShown && FImage.constBits() == FShown->Bytes.data() && FImage.size() == size;
  const TRowSpan changed = showing ? Difference(*FShown, *pixels, size.height()) : TRowSpan{0, size.height()};
  TLentImage *lent = nullptr;
  for (TLentImage &candidate : FLent)
    if (candidate.Pixels.lock() == pixels && candidate.Image.size() == size && candidate.Image.bytesPerLine() == pitch)
      lent = &candidate;
  if (lent == nullptr) {
    // The place of the pixels not shown now; those shown may come again next.
    lent = FLent[0].Pixels.lock() == FShown ? &FLent[1] : &FLent[0];
    lent->Pixels = pixels;
    lent->Image = QImage(pixels->Bytes.data(), size.width(), size.height(), pitch, QImage::Format_RGB32);
  }
  FImage = lent->Image;
  FShown = std::move(pixels);
  if (!changed.Empty())
    Changed({0, changed.Top, size.width(), changed.Bottom});
}

void TScreenImage::Changed(const TRect &rect) { FWindow->update(rect.Left, rect.Top, rect.Width(), rect.Height()); }
