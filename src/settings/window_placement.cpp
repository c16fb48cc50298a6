#include "settings/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {

// What the frame adds to the client area on each side, as far as the window system said.
QMargins FrameMargins(const QWidget *window) {
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

} // namespace

TWindowPlacement GetWindowPlacement(const QWidget *window) {
  TWindowPlacement placement;
  if (!window->isVisible())
    placement.ShowCmd = SW_HIDE;
  else if (window->isMinimized())
    placement.ShowCmd = SW_SHOWMINIMIZED;
  else if (window->isMaximized())
    placement.ShowCmd = SW_SHOWMAXIMIZED;
  else
    placement.ShowCmd = SW_SHOWNORMAL;
  if (window->isMinimized() && window->isMaximized())
    placement.Flags |= WPF_RESTORETOMAXIMIZED;
  const bool normal = !window->isMinimized() && !window->isMaximized();
  const QRect frame = normal ? window->frameGeometry() : window->normalGeometry() + FrameMargins(window);
  placement.NormalPosition = {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
  return placement;
}

void SetWindowPlacement(QWidget *window, const TWindowPlacement &placement) {
  const TPlacementRect &rect = placement.NormalPosition;
  const QMargins margins = FrameMargins(window);
  window->move(rect.Left, rect.Top); // a window's position is its frame's
  window->resize(rect.Right - rect.Left - margins.left() - margins.right(),
                 rect.Bottom - rect.Top - margins.top() - margins.bottom());
}

int ScreenPixelsPerInch() {
  const QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
}

int ScreenWidth() {
  const QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 0;
}

int ScreenHeight() {
  const QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 0;
}
