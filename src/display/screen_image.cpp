#include "display/screen_image.h"

#include <QCoreApplication>
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

bool TScreenImage::ShowsLent() const { return FShown && FImage.constBits() == FShown->Bytes.data(); }

void TScreenImage::Show(std::shared_ptr<const TPixelBuffer> pixels, int pitch) {
  const QSize size = Size();
  // Where the image still shows lent pixels unchanged, only the rows the new ones may change.
  const bool showing = ShowsLent() && FImage.size() == size;
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
  if (FPresenter) {
    FPresenter->Put(pixels, pitch, size, QRect(0, changed.Top, size.width(), changed.Bottom - changed.Top));
    // The lender may write the pixels shown until now again once we let them go.
    if (FShown && FShown != pixels)
      FPresenter->Settle(*FShown);
    FShown = std::move(pixels);
  } else {
    FShown = std::move(pixels);
    if (!changed.Empty())
      FWindow->update(0, changed.Top, size.width(), changed.Bottom - changed.Top);
  }
  emit Shown();
}

void TScreenImage::Changed(const TRect &rect) {
  if (!Paint(QRect(rect.Left, rect.Top, rect.Width(), rect.Height())))
    FWindow->update(rect.Left, rect.Top, rect.Width(), rect.Height());
  emit Shown();
}

void TScreenImage::PaintOnScreen() {
  if (FPresenter)
    return;
  // The widget and its parents need windows of their own; the widgets beside them do not.
  QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
  FPresenter = TXPresenter::For(FWindow);
  if (FPresenter)
    FWindow->setAttribute(Qt::WA_PaintOnScreen);
}

bool TScreenImage::Paint(const QRect &rect) {
  if (!FPresenter)
    return false;
  if (ShowsLent())
    FPresenter->Put(FShown, static_cast<int>(FImage.bytesPerLine()), FImage.size(), rect);
  else
    FPresenter->Put(Image(), rect);
  return true;
}
