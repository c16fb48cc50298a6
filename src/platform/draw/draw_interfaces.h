#pragma once

#include "platform/draw/draw_types.h"

#include <functional>
#include <memory>

// The 2D device as its callers see it. Objects are shared: a surface keeps its clipper and
// palette alive while they are attached.

class IDirectDrawClipper {
public:
  virtual ~IDirectDrawClipper() = default;
  virtual HRESULT SetHWnd(uint32_t flags, HWND window) = 0;
  virtual HRESULT GetHWnd(HWND &window) = 0;
};

class IDirectDrawPalette {
public:
  virtual ~IDirectDrawPalette() = default;
  virtual HRESULT GetCaps(uint32_t &caps) = 0;
  virtual HRESULT SetEntries(uint32_t flags, uint32_t start, uint32_t count, const TPaletteEntry *entries) = 0;
  virtual HRESULT GetEntries(uint32_t flags, uint32_t start, uint32_t count, TPaletteEntry *entries) = 0;
};

class IDirectDrawSurface {
public:
  virtual ~IDirectDrawSurface() = default;
  virtual HRESULT GetSurfaceDesc(TDDSurfaceDesc &desc) = 0;
  virtual HRESULT Blt(const TRect *destRect, IDirectDrawSurface *source, const TRect *sourceRect, uint32_t flags,
                      const TDDBltFx *fx) = 0;
  virtual HRESULT BltFast(int x, int y, IDirectDrawSurface *source, const TRect *sourceRect, uint32_t flags) = 0;
  virtual HRESULT Lock(const TRect *rect, TDDSurfaceDesc &desc, uint32_t flags) = 0;
  virtual HRESULT Unlock(void *bits) = 0;
  virtual HRESULT GetDC(HDC &dc) = 0;
  virtual HRESULT ReleaseDC(HDC dc) = 0;
  virtual HRESULT SetColorKey(uint32_t flags, const TDDColorKey *key) = 0;
  virtual HRESULT GetClipper(std::shared_ptr<IDirectDrawClipper> &clipper) = 0;
  virtual HRESULT SetClipper(std::shared_ptr<IDirectDrawClipper> clipper) = 0;
  virtual HRESULT SetPalette(std::shared_ptr<IDirectDrawPalette> palette) = 0;
  virtual HRESULT GetAttachedSurface(uint32_t caps, std::shared_ptr<IDirectDrawSurface> &surface) = 0;
  virtual HRESULT Flip(IDirectDrawSurface *target, uint32_t flags) = 0;
  virtual HRESULT IsLost() = 0;
  virtual HRESULT Restore() = 0;
};

using TEnumModesCallback = std::function<bool(const TDDSurfaceDesc &mode)>; // false stops

class IDirectDraw4;

class IDirectDraw {
public:
  virtual ~IDirectDraw() = default;
  // The newer interface of the same device, or E_NOINTERFACE.
  virtual HRESULT QueryDirectDraw4(std::shared_ptr<IDirectDraw4> &device) = 0;
};

class IDirectDraw4 : public IDirectDraw {
public:
  virtual HRESULT GetCaps(TDDCaps *driverCaps, TDDCaps *helCaps) = 0;
  virtual HRESULT SetCooperativeLevel(HWND window, uint32_t flags) = 0;
  virtual HRESULT CreateSurface(const TDDSurfaceDesc &desc, std::shared_ptr<IDirectDrawSurface> &surface) = 0;
  virtual HRESULT CreateClipper(uint32_t flags, std::shared_ptr<IDirectDrawClipper> &clipper) = 0;
  virtual HRESULT CreatePalette(uint32_t caps, const TPaletteEntry *entries,
                                std::shared_ptr<IDirectDrawPalette> &palette) = 0;
  virtual HRESULT DuplicateSurface(IDirectDrawSurface *source, std::shared_ptr<IDirectDrawSurface> &duplicate) = 0;
  virtual HRESULT WaitForVerticalBlank(uint32_t flags, void *event) = 0;
  virtual HRESULT EnumDisplayModes(uint32_t flags, const TDDSurfaceDesc *filter,
                                   const TEnumModesCallback &callback) = 0;
  virtual HRESULT SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitCount, uint32_t refreshRate,
                                 uint32_t flags) = 0;
  virtual HRESULT RestoreDisplayMode() = 0;
  virtual HRESULT FlipToGDISurface() = 0;
};

// The entry point "DirectDrawCreate" of "DDraw.dll"; a null driver means the primary display.
using TDirectDrawCreate = HRESULT(const TGUID *driver, std::shared_ptr<IDirectDraw> *device);
