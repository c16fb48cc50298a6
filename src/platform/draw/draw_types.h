#pragma once

#include "platform/result_codes.h"

#include "platform/guid.h"
#include <algorithm>

#include <cstdint>

// Records and codes of the 2D device: the callers fill and read these as the device documents
// them, so values and field order follow the established device interface.

class TDeviceContext;
struct TGdiPalette;
class TWindowHandle;

using HWND = TWindowHandle *;
// What the drawing calls of gdi_functions.h take: a surface's device context, a logical palette.
using HDC = TDeviceContext *;
using HPALETTE = TGdiPalette *;

struct TPoint {
  int X = 0;
  int Y = 0;
};

// Right and bottom are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TRect &) const = default;
};

inline TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

inline TRect IntersectRects(const TRect &a, const TRect &b) {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

// Rows [Top, Bottom) of a surface.
struct TRowSpan {
  int Top = 0;
  int Bottom = 0;

  bool Empty() const { return Bottom <= Top; }
  TRowSpan Union(const TRowSpan &other) const {
    if (Empty())
      return other;
    if (other.Empty())
      return *this;
    return {std::min(Top, other.Top), std::max(Bottom, other.Bottom)};
  }
};

// Colour values as the drawing calls take them: red in the low byte.
using TColorRef = uint32_t;

// Binary raster operations of a pen over the pixels it touches.
enum TRop2 : int {
  R2_BLACK = 1,
  R2_NOTMERGEPEN = 2,
  R2_MASKNOTPEN = 3,
  R2_NOTCOPYPEN = 4,
  R2_MASKPENNOT = 5,
  R2_NOT = 6,
  R2_XORPEN = 7,
  R2_NOTMASKPEN = 8,
  R2_MASKPEN = 9,
  R2_NOTXORPEN = 10,
  R2_NOP = 11,
  R2_MERGENOTPEN = 12,
  R2_COPYPEN = 13,
  R2_MERGEPENNOT = 14,
  R2_MERGEPEN = 15,
  R2_WHITE = 16,
};

// A DIB as the drawing calls read it: header fields, masks and colour table already taken
// apart by the owner; rows bottom-up unless TopDown.
struct TDIBSource {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
  int WidthBytes = 0;
  bool TopDown = false;
  uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;
  const uint8_t *ColorTable = nullptr; // blue, green, red, reserved per entry
  int ColorCount = 0;
  const uint8_t *Bits = nullptr;
};

struct TDDPixelFormat {
  uint32_t dwSize = sizeof(TDDPixelFormat);
  uint32_t dwFlags = 0;
  uint32_t dwFourCC = 0;
  uint32_t dwRGBBitCount = 0;
  uint32_t dwRBitMask = 0;
  uint32_t dwGBitMask = 0;
  uint32_t dwBBitMask = 0;
  uint32_t dwRGBAlphaBitMask = 0;
};

struct TDDColorKey {
  uint32_t dwColorSpaceLowValue = 0;
  uint32_t dwColorSpaceHighValue = 0;
};

struct TDDSurfaceDesc {
  uint32_t dwSize = sizeof(TDDSurfaceDesc);
  uint32_t dwFlags = 0;
  uint32_t dwHeight = 0;
  uint32_t dwWidth = 0;
  int32_t lPitch = 0;
  uint32_t dwBackBufferCount = 0;
  uint32_t dwRefreshRate = 0;
  uint32_t dwAlphaBitDepth = 0;
  uint32_t dwReserved = 0;
  void *lpSurface = nullptr;
  TDDColorKey ddckCKDestOverlay;
  TDDColorKey ddckCKDestBlt;
  TDDColorKey ddckCKSrcOverlay;
  TDDColorKey ddckCKSrcBlt;
  TDDPixelFormat ddpfPixelFormat;
  uint32_t ddsCaps = 0;
};

struct TDDBltFx {
  uint32_t dwSize = sizeof(TDDBltFx);
  uint32_t dwDDFX = 0;
  uint32_t dwFillColor = 0;
};

struct TDDCaps {
  uint32_t dwSize = 0;
  uint32_t dwCaps = 0;
  uint32_t dwCaps2 = 0;
  uint32_t dwCKeyCaps = 0;
  uint32_t dwFXCaps = 0;
  uint32_t dwPalCaps = 0;
  uint32_t dwVidMemTotal = 0;
  uint32_t dwVidMemFree = 0;
};

// Red, green, blue, flags.
struct TPaletteEntry {
  uint8_t peRed = 0;
  uint8_t peGreen = 0;
  uint8_t peBlue = 0;
  uint8_t peFlags = 0;
};

// Surface description flags.
constexpr uint32_t DDSD_CAPS = 0x1;
constexpr uint32_t DDSD_HEIGHT = 0x2;
constexpr uint32_t DDSD_WIDTH = 0x4;
constexpr uint32_t DDSD_PITCH = 0x8;
constexpr uint32_t DDSD_BACKBUFFERCOUNT = 0x20;
constexpr uint32_t DDSD_PIXELFORMAT = 0x1000;
constexpr uint32_t DDSD_LPSURFACE = 0x800;

// Pixel format flags.
constexpr uint32_t DDPF_PALETTEINDEXED8 = 0x20;
constexpr uint32_t DDPF_RGB = 0x40;

// Surface capabilities.
constexpr uint32_t DDSCAPS_BACKBUFFER = 0x4;
constexpr uint32_t DDSCAPS_COMPLEX = 0x8;
constexpr uint32_t DDSCAPS_FLIP = 0x10;
constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr uint32_t DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr uint32_t DDSCAPS_SYSTEMMEMORY = 0x800;
constexpr uint32_t DDSCAPS_3DDEVICE = 0x2000;
constexpr uint32_t DDSCAPS_VIDEOMEMORY = 0x4000;

// Blit flags and effects.
constexpr uint32_t DDBLT_COLORFILL = 0x400;
constexpr uint32_t DDBLT_DDFX = 0x800;
constexpr uint32_t DDBLT_KEYSRC = 0x8000;
constexpr uint32_t DDBLT_WAIT = 0x01000000;
constexpr uint32_t DDBLTFAST_SRCCOLORKEY = 0x1;
constexpr uint32_t DDBLTFAST_WAIT = 0x10;
constexpr uint32_t DDBLTFX_MIRRORLEFTRIGHT = 0x2;
constexpr uint32_t DDBLTFX_MIRRORUPDOWN = 0x4;
constexpr uint32_t DDCKEY_SRCBLT = 0x8;
constexpr uint32_t DDLOCK_WAIT = 0x1;
constexpr uint32_t DDLOCK_READONLY = 0x10;
constexpr uint32_t DDWAITVB_BLOCKBEGIN = 0x1;
constexpr uint32_t DDFLIP_WAIT = 0x1;

// Cooperative levels.
constexpr uint32_t DDSCL_FULLSCREEN = 0x1;
constexpr uint32_t DDSCL_ALLOWREBOOT = 0x2;
constexpr uint32_t DDSCL_NOWINDOWCHANGES = 0x4;
constexpr uint32_t DDSCL_NORMAL = 0x8;
constexpr uint32_t DDSCL_EXCLUSIVE = 0x10;
constexpr uint32_t DDSCL_ALLOWMODEX = 0x40;

// Palette capabilities and entry flags.
constexpr uint32_t DDPCAPS_8BIT = 0x4;
constexpr uint32_t DDPCAPS_INITIALIZE = 0x8;
constexpr uint32_t DDPCAPS_ALLOW256 = 0x40;
constexpr uint32_t DDPCAPS_VSYNC = 0x80;
constexpr uint8_t PC_NOCOLLAPSE = 0x40;

constexpr HRESULT MakeDDError(uint32_t code) { return static_cast<HRESULT>(0x88760000u | code); }
constexpr HRESULT DDERR_CANTCREATEDC = MakeDDError(0x24D);
constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
constexpr HRESULT DDERR_INVALIDRECT = MakeDDError(0x96);
constexpr HRESULT DDERR_NOCLIPPERATTACHED = MakeDDError(0x205);
constexpr HRESULT DDERR_NOFLIPHW = MakeDDError(0xB4);
constexpr HRESULT DDERR_NOTFOUND = MakeDDError(0xFF);
constexpr HRESULT DDERR_NOTLOCKED = MakeDDError(0x24C);
constexpr HRESULT DDERR_SURFACEBUSY = MakeDDError(0x1AE);
constexpr HRESULT DDERR_SURFACELOST = MakeDDError(0x1C2);
constexpr HRESULT DDERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001);
constexpr HRESULT DDERR_UNSUPPORTEDMODE = MakeDDError(0x24E);
constexpr HRESULT DDERR_BLTFASTCANTCLIP = MakeDDError(0x23E);
constexpr HRESULT DDERR_NODC = MakeDDError(0x24F);
