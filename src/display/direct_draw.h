#pragma once

#include "display/directx.h"
#include "platform/draw/draw_interfaces.h"

#include <memory>
#include <vector>

class TDirectDrawClipper;
class TDirectDrawPalette;
class TDirectDrawSurface;

// The 2D device: opened through "DirectDrawCreate" of "DDraw.dll" on a driver (none: the primary
// display). It keeps lists of the surfaces, palettes and clippers made on it and frees whatever
// is left of them when it goes.
class TDirectDraw : public TDirectX {
public:
  explicit TDirectDraw(const TGUID *driverGUID); // EDirectDrawError
  ~TDirectDraw() override;
  TDirectDraw(const TDirectDraw &) = delete;
  TDirectDraw &operator=(const TDirectDraw &) = delete;

  IDirectDraw *IDraw() const;   // EDirectDrawError "IDirectDraw not made" when absent
  IDirectDraw4 *IDraw4() const; // likewise "IDirectDraw4"

  TDDCaps DriverCaps;
  TDDCaps HELCaps;

  const std::vector<TDirectDrawSurface *> &Surfaces() const { return FSurfaces; }

  // Called by the objects made on this device as they come and go.
  void Attach(TDirectDrawSurface *surface) { FSurfaces.push_back(surface); }
  void Attach(TDirectDrawPalette *palette) { FPalettes.push_back(palette); }
  void Attach(TDirectDrawClipper *clipper) { FClippers.push_back(clipper); }
  void Detach(TDirectDrawSurface *surface) { std::erase(FSurfaces, surface); }
  void Detach(TDirectDrawPalette *palette) { std::erase(FPalettes, palette); }
  void Detach(TDirectDrawClipper *clipper) { std::erase(FClippers, clipper); }

private:
  std::shared_ptr<IDirectDraw> FIDraw;
  std::shared_ptr<IDirectDraw4> FIDraw4;
  std::vector<TDirectDrawClipper *> FClippers;
  std::vector<TDirectDrawPalette *> FPalettes;
  std::vector<TDirectDrawSurface *> FSurfaces;
};
