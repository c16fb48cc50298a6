#include "platform/draw/screen_image.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

TScreenImage *TScreenImage::For(QWidget *window) {
  if (auto *existing = window->findChild<TScreenImage *>(QString(), Qt::FindDirectChildrenOnly))
    return existing;
  return new TScreenImage(window);
}

TScreenImage::TScreenImage(QWidget *window) : QObject(window), FWindow(window) {
  FImage = QImage(window->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  FImage.fill(Qt::black);
  window->setAttribute(Qt::WA_OpaquePaintEvent);
  window->installEventFilter(this);
}

void TScreenImage::Changed(int left, int top, int width, int height) {
  if (!FPainting)
    FWindow->update(left, top, width, height);
}

bool TScreenImage::eventFilter(QObject *watched, QEvent *event) {
  if (watched != FWindow)
    return false;
  if (event->type() == QEvent::Resize) {
    const QSize size = FWindow->size().expandedTo(QSize(1, 1));
    if (size != FImage.size()) {
      QImage resized(size, QImage::Format_RGB32);
      resized.fill(Qt::black);
      QPainter(&resized).drawImage(0, 0, FImage);
      FImage = std::move(resized);
    }
  } else if (event->type() == QEvent::Paint && !FPainting) {
    // The window's own paint runs first (it may present again); then the image is shown.
    FPainting = true;
    QCoreApplication::sendEvent(FWindow, event);
    FPainting = false;
    QPainter painter(FWindow);
    painter.drawImage(static_cast<QPaintEvent *>(event)->rect(), FImage, static_cast<QPaintEvent *>(event)->rect());
    return true;
  }
  return false;
}
