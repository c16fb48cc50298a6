#pragma once

#include "device/device_base.h"
#include "display/surface_canvas.h"
#include "framework/color.h"
#include "platform/draw/draw_interfaces.h"

#include <QImage>
#include <memory>

class TDIB;
class TDirectDraw;
class TDirectDrawClipper;
class TDirectDrawPalette;

// A rectangle of pixel memory on a device: filled, blitted (colour key, clipping, mirroring),
// read and written pixel by pixel, loaded from a picture and drawn on through its canvas.
// Device calls record their result in DXResult and raise nothing.
class TDirectDrawSurface : public TDirectX {
public:
  explicit TDirectDrawSurface(TDirectDraw *ddraw);
  ~TDirectDrawSurface() override;
  TDirectDrawSurface(const TDirectDrawSurface &) = delete;
  TDirectDrawSurface &operator=(const TDirectDrawSurface &) = delete;

  TDirectDraw *DDraw() const { return FDDraw; }
  // The memory's interface, or none; IDDSurface raises "IDirectDrawSurface not made" instead.
  const std::shared_ptr<IDirectDrawSurface> &Interface() const { return FIDDSurface; }
  IDirectDrawSurface *IDDSurface() const;
  void SetIDDSurface(std::shared_ptr<IDirectDrawSurface> surface);

  bool HasClipper = false;
  bool SystemMemory = false;
  const TDDSurfaceDesc &SurfaceDesc() const { return FSurfaceDesc; }
  int Width() const { return static_cast<int>(FSurfaceDesc.dwWidth); }
  int Height() const { return static_cast<int>(FSurfaceDesc.dwHeight); }
  TRect ClientRect() const { return {0, 0, Width(), Height()}; }

  bool CreateSurface(const TDDSurfaceDesc &desc);
  void SetSize(int width, int height); // EDirectDrawSurfaceError "Surface cannot be made"
  bool Fill(uint32_t deviceColor);
  bool Blt(const TRect &destRect, const TRect &sourceRect, TDirectDrawSurface *source, const TDDBltFx &fx,
           uint32_t flags);
  bool BltFast(int x, int y, TDirectDrawSurface *source, const TRect &sourceRect, uint32_t flags);
  void Draw(int x, int y, TRect sourceRect, TDirectDrawSurface *source, bool transparent);
  bool Lock(const TRect *rect, TDDSurfaceDesc &desc);
  void Unlock(void *bits);
  bool Restore();

  uint32_t Pixels(int x, int y);
  void SetPixel(int x, int y, uint32_t value);
  uint32_t ColorMatch(TColor color);

  void SetColorKey(uint32_t flags, const TDDColorKey &key);
  void SetTransparentColor(uint32_t deviceColor);
  void SetClipper(TDirectDrawClipper *clipper);
  void SetPalette(TDirectDrawPalette *palette);

  void LoadFromGraphic(TDIB &graphic);
  void LoadFromGraphicRect(TDIB &graphic, int width, int height, const TRect &sourceRect);
  // None releases the memory; a surface with memory is duplicated, one without releases it.
  void Assign(TDirectDrawSurface *source);
  // The whole surface into `dib` at 24 bits per pixel.
  void AssignTo(TDIB &dib);
  // The whole surface as a picture, read without writing (a buffer lent to the screen stays lent);
  // a null image when the surface has no memory or other than 32-bit pixels.
  QImage ToImage();

  TDirectDrawSurfaceCanvas &Canvas();

private:
  TDirectDraw *FDDraw;
  std::unique_ptr<TDirectDrawSurfaceCanvas> FCanvas;
  std::shared_ptr<IDirectDrawSurface> FIDDSurface;
  TDDSurfaceDesc FSurfaceDesc;
};

// Cuts a destination rectangle and its source rectangle together to both surfaces' bounds;
// false when nothing is left.
bool ClipBlitRects(TRect &dest, TRect &source, const TRect &destBounds, const TRect &sourceBounds);
