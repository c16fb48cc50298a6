#pragma once

#include "device/device_base.h"
#include "platform/draw/draw_interfaces.h"

#include <memory>

class TDirectDraw;

// Cuts blits into a surface to a window's visible area.
class TDirectDrawClipper : public TDirectX {
public:
  explicit TDirectDrawClipper(TDirectDraw *ddraw); // EDirectDrawClipperError "Clipper cannot be made"
  TDirectDrawClipper(const TDirectDrawClipper &) = delete;
  TDirectDrawClipper &operator=(const TDirectDrawClipper &) = delete;

  void SetHandle(HWND window);
  TDirectDraw *DDraw() const { return FDDraw; }
  const std::shared_ptr<IDirectDrawClipper> &IDDClipper() const; // raises when absent

private:
  TDirectDraw *FDDraw;
  std::shared_ptr<IDirectDrawClipper> FIDDClipper;
};
