#pragma once

#include "platform/draw/draw_interfaces.h"
#include "platform/draw/window_handle.h"

#include <QPointer>

// Binds blits into the primary surface to one window: they land in that window's image and
// are cut to its client area. A window that is gone clips everything away.
class TSoftwareClipper : public IDirectDrawClipper {
public:
  HRESULT SetHWnd(uint32_t, HWND window) override {
    FWindow = window;
    return S_OK;
  }
  HRESULT GetHWnd(HWND &window) override {
    window = FWindow.data();
    return S_OK;
  }
  TWindowHandle *Window() const { return FWindow.data(); }

private:
  QPointer<TWindowHandle> FWindow;
};
