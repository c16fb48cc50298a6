#pragma once

#include "platform/draw/device_context.h"
#include "platform/draw/draw_interfaces.h"
#include "platform/draw/surface_memory.h"

#include <memory>
#include <vector>

class QImage;
class TSoftwareClipper;

// A surface in plain memory (32-bit 0x00RRGGBB pixels unless its description asks for 8, 16 or
// 24 bits). The primary surface has no memory of its own: it stands for the screen, and a blit
// into it lands in the image of its clipper's window handle. A blit of a whole 32-bit surface
// onto the whole window lends the window that surface's pixels rather than copying them.
class TSoftwareSurface : public IDirectDrawSurface {
public:
  // Off-screen memory; duplicates share `memory`.
  TSoftwareSurface(int width, int height, int bitCount, uint32_t caps,
                   std::shared_ptr<TSurfaceMemory> memory = nullptr);
  // The primary surface over a screen of this size.
  static std::shared_ptr<TSoftwareSurface> Primary(int screenWidth, int screenHeight);

  HRESULT GetSurfaceDesc(TDDSurfaceDesc &desc) override;
  HRESULT Blt(const TRect *destRect, IDirectDrawSurface *source, const TRect *sourceRect, uint32_t flags,
              const TDDBltFx *fx) override;
  HRESULT BltFast(int x, int y, IDirectDrawSurface *source, const TRect *sourceRect, uint32_t flags) override;
  HRESULT Lock(const TRect *rect, TDDSurfaceDesc &desc, uint32_t flags) override;
  HRESULT Unlock(void *bits) override;
  HRESULT GetDC(HDC &dc) override;
  HRESULT ReleaseDC(HDC dc) override;
  HRESULT SetColorKey(uint32_t flags, const TDDColorKey *key) override;
  HRESULT GetClipper(std::shared_ptr<IDirectDrawClipper> &clipper) override;
  HRESULT SetClipper(std::shared_ptr<IDirectDrawClipper> clipper) override;
  HRESULT SetPalette(std::shared_ptr<IDirectDrawPalette> palette) override;
  HRESULT GetAttachedSurface(uint32_t caps, std::shared_ptr<IDirectDrawSurface> &surface) override;
  HRESULT Flip(IDirectDrawSurface *target, uint32_t flags) override;
  HRESULT IsLost() override { return FLost ? DDERR_SURFACELOST : S_OK; }
  HRESULT Restore() override;

  // What a mode change or another program does to video memory; tests call it to reach the
  // lost-and-restore paths.
  void Lose() { FLost = true; }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int BitCount() const { return FBitCount; }
  const std::shared_ptr<TSurfaceMemory> &Memory() const { return FMemory; }

private:
  // Where a blit writes: memory rows (found once the blit knows what it covers), and the part of
  // them the blit may touch.
  struct TTarget {
    uint8_t *Bits = nullptr;
    int Pitch = 0;
    TRect Clip;
    int OffsetX = 0; // subtracted from destination coordinates
    int OffsetY = 0;
    uint32_t Opaque = 0;      // or-ed into every pixel written
    QImage *Screen = nullptr; // the window's image, when the surface is the primary
  };

  HRESULT Transfer(TRect dest, TSoftwareSurface *source, const TRect *sourceRect, bool keyed, uint32_t fx,
                   bool clipToTarget);
  HRESULT Fill(const TRect *destRect, uint32_t color);
  bool TargetOf(TTarget &target);
  // A blit of all of `source` onto the whole window, shown without a copy; false where the blit
  // is anything else.
  bool Lent(const TTarget &target, const TRect &dest, TSoftwareSurface *source, const TRect &from, bool plain);
  // Where a blit or fill into `dest` lands: the target, `dest` in its coordinates, and the part
  // of it to write (empty when there is none). `clipped`: a destination outside the target is cut
  // to it rather than refused.
  HRESULT Aim(TRect &dest, bool clipped, TTarget &target, TRect &visible);
  void Presented(const TRect &rect);
  const uint8_t *Bits() const { return FMemory->Read(); }

  int FWidth;
  int FHeight;
  int FBitCount;
  int FPitch;
  uint32_t FCaps;
  bool FPrimary = false;
  bool FLost = false;
  int FLocks = 0;
  bool FHasColorKey = false;
  uint32_t FColorKey = 0;
  std::shared_ptr<TSurfaceMemory> FMemory;
  std::shared_ptr<TSoftwareClipper> FClipper;
  std::shared_ptr<IDirectDrawPalette> FPalette;
  std::unique_ptr<TDeviceContext> FDC;
  bool FDCHeld = false;
};
