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

QImage &TScreenImage::Image() {
  const QSize size = FWindow->size().expandedTo(QSize(1, 1));
  if (size != FImage.size()) {
    // What was shown stays; the rest is black until the next present.
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(Qt::black);
    if (!FImage.isNull())
      QPainter(&resized).drawImage(0, 0, FImage);
    FImage = std::move(resized);
  }
  return FImage;
}

void TScreenImage::Changed(const TRect &rect) { FWindow->update(rect.Left, rect.Top, rect.Width(), rect.Height()); }
