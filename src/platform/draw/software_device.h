#pragma once

#include "platform/draw/draw_interfaces.h"
#include "platform/draw/window_handle.h"

#include <QPointer>
#include <memory>
#include <vector>

class TPlatformModule;
class TSoftwareSurface;

// The 2D device over memory surfaces. It never changes the screen: the one display mode it
// knows is the current one, and page flipping is not offered. Waiting for the vertical blank
// sleeps until the next refresh of the cooperative window's screen.
class TSoftwareDirectDraw : public IDirectDraw4, public std::enable_shared_from_this<TSoftwareDirectDraw> {
public:
  HRESULT QueryDirectDraw4(std::shared_ptr<IDirectDraw4> &device) override;
  HRESULT GetCaps(TDDCaps *driverCaps, TDDCaps *helCaps) override;
  HRESULT SetCooperativeLevel(HWND window, uint32_t flags) override;
  HRESULT CreateSurface(const TDDSurfaceDesc &desc, std::shared_ptr<IDirectDrawSurface> &surface) override;
  HRESULT CreateClipper(uint32_t flags, std::shared_ptr<IDirectDrawClipper> &clipper) override;
  HRESULT CreatePalette(uint32_t caps, const TPaletteEntry *entries,
                        std::shared_ptr<IDirectDrawPalette> &palette) override;
  HRESULT DuplicateSurface(IDirectDrawSurface *source, std::shared_ptr<IDirectDrawSurface> &duplicate) override;
  HRESULT WaitForVerticalBlank(uint32_t flags, void *event) override;
  HRESULT EnumDisplayModes(uint32_t flags, const TDDSurfaceDesc *filter, const TEnumModesCallback &callback) override;
  HRESULT SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitCount, uint32_t refreshRate,
                         uint32_t flags) override;
  HRESULT RestoreDisplayMode() override { return S_OK; }
  HRESULT FlipToGDISurface() override { return S_OK; }

  // Marks every living surface of this device lost, as a mode change elsewhere would.
  void LoseSurfaces();

private:
  TDDSurfaceDesc CurrentMode() const;

  QPointer<TWindowHandle> FWindow;
  uint32_t FLevel = 0;
  std::vector<std::weak_ptr<TSoftwareSurface>> FSurfaces;
};

// The module "DDraw.dll".
std::unique_ptr<TPlatformModule> LoadDrawModule();
