#pragma once

#include "device/device_base.h"
#include "platform/draw/draw_interfaces.h"

#include <memory>

// The 2D device: opened through "DirectDrawCreate" of "DDraw.dll" on a driver (none: the primary
// display). The surfaces, palettes and clippers made on it belong to whoever made them, and each
// must be freed before the device goes.
class TDirectDraw : public TDirectX {
public:
  explicit TDirectDraw(const TGUID *driverGUID); // EDirectDrawError
  TDirectDraw(const TDirectDraw &) = delete;
  TDirectDraw &operator=(const TDirectDraw &) = delete;

  IDirectDraw *IDraw() const;   // EDirectDrawError "IDirectDraw not made" when absent
  IDirectDraw4 *IDraw4() const; // likewise "IDirectDraw4"

  TDDCaps DriverCaps;
  TDDCaps HELCaps;

private:
  std::shared_ptr<IDirectDraw> FIDraw;
  std::shared_ptr<IDirectDraw4> FIDraw4;
};
