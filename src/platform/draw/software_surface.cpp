#include "platform/draw/software_surface.h"

#include "platform/draw/packed_pixel.h"
#include "platform/draw/software_clipper.h"

#include <QImage>
#include <cstring>

namespace {

constexpr HRESULT DDERR_DCALREADYCREATED = MakeDDError(0x26C);
constexpr HRESULT DDERR_INVALIDOBJECT = MakeDDError(0x82);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = MakeDDError(0x91);
constexpr HRESULT DDERR_NOTFLIPPABLE = MakeDDError(0x14A);

int PitchOf(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

bool Inside(const TRect &inner, const TRect &outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

// The screen image takes 32-bit pixels with the top byte set. Sixteen at a time, since the
// compiler leaves a loop of unknown length unvectorised at our optimisation level; the primary
// never overlaps a memory surface, so one pass reads and writes.
void CopyOpaqueRow(uint32_t *out, const uint32_t *in, int count, uint32_t opaque) {
  using TFour = uint32_t __attribute__((vector_size(16)));
  int i = 0;
  auto load = [&](int at) {
    TFour four;
    std::memcpy(&four, in + at, sizeof four);
    return four | opaque;
  };
  for (; i + 16 <= count; i += 16) {
    const TFour a = load(i), b = load(i + 4), c = load(i + 8), d = load(i + 12);
    std::memcpy(out + i, &a, sizeof a);
    std::memcpy(out + i + 4, &b, sizeof b);
    std::memcpy(out + i + 8, &c, sizeof c);
    std::memcpy(out + i + 12, &d, sizeof d);
  }
  for (; i + 4 <= count; i += 4) {
    const TFour a = load(i);
    std::memcpy(out + i, &a, sizeof a);
  }
  for (; i < count; ++i)
    out[i] = in[i] | opaque;
}

} // namespace

TSoftwareSurface::TSoftwareSurface(int width, int height, int bitCount, uint32_t caps,
                                   std::shared_ptr<TSurfaceMemory> memory)
    : FWidth(width), FHeight(height), FBitCount(bitCount), FPitch(PitchOf(width, bitCount)), FCaps(caps),
      FMemory(std::move(memory)) {
  if (!FMemory)
    FMemory = std::make_shared<TSurfaceMemory>(static_cast<size_t>(FPitch) * FHeight, FHeight);
}

std::shared_ptr<TSoftwareSurface> TSoftwareSurface::Primary(int screenWidth, int screenHeight) {
  auto primary = std::make_shared<TSoftwareSurface>(0, 0, 32, DDSCAPS_PRIMARYSURFACE | DDSCAPS_VIDEOMEMORY);
  primary->FWidth = screenWidth;
  primary->FHeight = screenHeight;
  primary->FPrimary = true;
  return primary;
}

HRESULT TSoftwareSurface::GetSurfaceDesc(TDDSurfaceDesc &desc) {
  desc = TDDSurfaceDesc();
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
  desc.dwWidth = FWidth;
  desc.dwHeight = FHeight;
  desc.lPitch = FPrimary ? FWidth * 4 : FPitch;
  desc.ddsCaps = FCaps;
  desc.ddckCKSrcBlt = {FColorKey, FColorKey};
  TDDPixelFormat &format = desc.ddpfPixelFormat;
  format.dwRGBBitCount = FBitCount;
  if (FBitCount <= 8) {
    format.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
  } else {
    format.dwFlags = DDPF_RGB;
    format.dwRBitMask = FBitCount == 16 ? 0xF800 : 0xFF0000;
    format.dwGBitMask = FBitCount == 16 ? 0x7E0 : 0xFF00;
    format.dwBBitMask = FBitCount == 16 ? 0x1F : 0xFF;
  }
  return S_OK;
}

bool TSoftwareSurface::TargetOf(TTarget &target) {
  if (!FPrimary) {
    target = {nullptr, FPitch, {0, 0, FWidth, FHeight}, 0, 0, 0, nullptr};
    return true;
  }
  TWindowHandle *window = FClipper ? FClipper->Window() : nullptr;
  if (window == nullptr)
    return false;
  QImage &image = window->Image();
  const TPoint origin = window->ClientOrigin();
  target = {nullptr,
            static_cast<int>(image.bytesPerLine()),
            {0, 0, image.width(), image.height()},
            origin.X,
            origin.Y,
            0xFF000000u,
            &image};
  return true;
}

bool TSoftwareSurface::Lent(const TTarget &target, const TRect &dest, TSoftwareSurface *source, const TRect &from,
                            bool plain) {
  if (!target.Screen || !plain || source->FBitCount != 32 || dest != target.Clip ||
      from != TRect{0, 0, source->FWidth, source->FHeight} || dest.Width() != from.Width() ||
      dest.Height() != from.Height())
    return false;
  FClipper->Window()->Show(source->FMemory->Lend(), source->FPitch);
  return true;
}

HRESULT TSoftwareSurface::Aim(TRect &dest, bool clipped, TTarget &target, TRect &visible) {
  visible = {};
  if (FPrimary && !FClipper)
    return DDERR_NOCLIPPERATTACHED;
  if (!TargetOf(target))
    return S_OK;
  dest = {dest.Left - target.OffsetX, dest.Top - target.OffsetY, dest.Right - target.OffsetX,
          dest.Bottom - target.OffsetY};
  if (!clipped && !Inside(dest, target.Clip))
    return DDERR_INVALIDRECT;
  visible = IntersectRects(dest, target.Clip);
  return S_OK;
}

void TSoftwareSurface::Presented(const TRect &rect) {
  if (FPrimary && FClipper && FClipper->Window() && !rect.IsEmpty())
    FClipper->Window()->Changed(rect);
}

HRESULT TSoftwareSurface::Fill(const TRect *destRect, uint32_t color) {
  TRect dest = destRect ? *destRect : TRect{0, 0, FWidth, FHeight};
  TTarget target;
  TRect visible;
  if (const HRESULT result = Aim(dest, FPrimary || FClipper, target, visible); result != S_OK || visible.IsEmpty())
    return result;
  if (target.Screen)
    target.Bits = target.Screen->bits();
  else
    target.Bits = visible == target.Clip ? FMemory->Replace() : FMemory->Write({visible.Top, visible.Bottom});
  for (int y = visible.Top; y < visible.Bottom; ++y) {
    uint8_t *row = target.Bits + static_cast<size_t>(y) * target.Pitch;
    for (int x = visible.Left; x < visible.Right; ++x)
      WritePackedPixel(row, x, FBitCount, color | target.Opaque);
  }
  Presented(visible);
  return S_OK;
}

HRESULT TSoftwareSurface::Transfer(TRect dest, TSoftwareSurface *source, const TRect *sourceRect, bool keyed,
                                   uint32_t fx, bool clipToTarget) {
  const TRect whole{0, 0, source->FWidth, source->FHeight};
  const TRect from = sourceRect ? *sourceRect : whole;
  if (from.IsEmpty() || !Inside(from, whole) || dest.IsEmpty())
    return DDERR_INVALIDRECT;
  if (source->FBitCount != FBitCount || source->FPrimary)
    return DDERR_INVALIDPIXELFORMAT;
  TTarget target;
  TRect visible;
  if (const HRESULT result = Aim(dest, clipToTarget, target, visible); result != S_OK || visible.IsEmpty())
    return result;

  const int dw = dest.Width(), dh = dest.Height(), sw = from.Width(), sh = from.Height();
  const bool mirrorX = fx & DDBLTFX_MIRRORLEFTRIGHT, mirrorY = fx & DDBLTFX_MIRRORUPDOWN;
  const bool useKey = keyed && source->FHasColorKey;
  const bool plain = !useKey && !mirrorX && !mirrorY;
  if (Lent(target, dest, source, from, plain))
    return S_OK;
  TRowSpan rows{visible.Top, visible.Bottom};
  if (target.Screen) {
    target.Bits = target.Screen->bits();
  } else if (visible != target.Clip || useKey || source->FMemory == FMemory) {
    // A key leaves some pixels as they were; so does a blit that reads what it writes over.
    target.Bits = FMemory->Write(rows);
  } else if (plain && dest == visible && from == whole && dw == sw && dh == sh) {
    target.Bits = FMemory->CopyOf(*source->FMemory, rows);
  } else {
    target.Bits = FMemory->Replace();
  }
  // Rows keep their pixels in order unless a key picks some, a mirror reverses them or the
  // width is stretched; then every pixel is looked at alone.
  const bool wholeRows = !useKey && !mirrorX && dw == sw;
  const size_t bytes = static_cast<size_t>(FBitCount / 8);
  const uint8_t *pixels = source->Bits();
  for (int y = rows.Top; y < rows.Bottom; ++y) {
    const int v = static_cast<int>(static_cast<int64_t>(y - dest.Top) * sh / dh);
    const int sy = mirrorY ? from.Bottom - 1 - v : from.Top + v;
    const uint8_t *in = pixels + static_cast<size_t>(sy) * source->FPitch;
    uint8_t *out = target.Bits + static_cast<size_t>(y) * target.Pitch;
    if (wholeRows) {
      const int sx = from.Left + (visible.Left - dest.Left);
      if (target.Opaque == 0)
        std::memmove(out + bytes * visible.Left, in + bytes * sx, bytes * visible.Width());
      else
        CopyOpaqueRow(reinterpret_cast<uint32_t *>(out) + visible.Left, reinterpret_cast<const uint32_t *>(in) + sx,
                      visible.Width(), target.Opaque);
      continue;
    }
    for (int x = visible.Left; x < visible.Right; ++x) {
      const int u = static_cast<int>(static_cast<int64_t>(x - dest.Left) * sw / dw);
      const int sx = mirrorX ? from.Right - 1 - u : from.Left + u;
      const uint32_t pixel = ReadPackedPixel(in, sx, FBitCount);
      if (!useKey || pixel != source->FColorKey)
        WritePackedPixel(out, x, FBitCount, pixel | target.Opaque);
    }
  }
  Presented(visible);
  return S_OK;
}

HRESULT TSoftwareSurface::Blt(const TRect *destRect, IDirectDrawSurface *source, const TRect *sourceRect,
                              uint32_t flags, const TDDBltFx *fx) {
  if (FLost)
    return DDERR_SURFACELOST;
  if (FDCHeld || FLocks > 0)
    return DDERR_SURFACEBUSY;
  if (flags & DDBLT_COLORFILL)
    return fx ? Fill(destRect, fx->dwFillColor) : DDERR_INVALIDPARAMS;
  auto *from = dynamic_cast<TSoftwareSurface *>(source);
  if (from == nullptr)
    return DDERR_INVALIDPARAMS;
  if (from->FLost)
    return DDERR_SURFACELOST;
  if (from->FDCHeld || (from->FLocks > 0 && from != this))
    return DDERR_SURFACEBUSY;
  const TRect dest = destRect ? *destRect : TRect{0, 0, FWidth, FHeight};
  const uint32_t effects = (flags & DDBLT_DDFX) && fx ? fx->dwDDFX : 0;
  return Transfer(dest, from, sourceRect, flags & DDBLT_KEYSRC, effects, FClipper != nullptr);
}

HRESULT TSoftwareSurface::BltFast(int x, int y, IDirectDrawSurface *source, const TRect *sourceRect, uint32_t flags) {
  if (FClipper)
    return DDERR_BLTFASTCANTCLIP;
  if (FLost)
    return DDERR_SURFACELOST;
  if (FDCHeld || FLocks > 0)
    return DDERR_SURFACEBUSY;
  auto *from = dynamic_cast<TSoftwareSurface *>(source);
  if (from == nullptr)
    return DDERR_INVALIDPARAMS;
  if (from->FLost)
    return DDERR_SURFACELOST;
  if (from->FDCHeld)
    return DDERR_SURFACEBUSY;
  const TRect from_ = sourceRect ? *sourceRect : TRect{0, 0, from->FWidth, from->FHeight};
  return Transfer(Bounds(x, y, from_.Width(), from_.Height()), from, &from_, flags & DDBLTFAST_SRCCOLORKEY, 0, false);
}

HRESULT TSoftwareSurface::Lock(const TRect *rect, TDDSurfaceDesc &desc, uint32_t flags) {
  if (FLost)
    return DDERR_SURFACELOST;
  if (FPrimary)
    return DDERR_UNSUPPORTED;
  if (rect && !Inside(*rect, {0, 0, FWidth, FHeight}))
    return DDERR_INVALIDRECT;
  GetSurfaceDesc(desc);
  // A lock to read leaves the pixels as they are (and may be those shown); any other may write
  // all of the rectangle.
  const TRowSpan rows = rect ? TRowSpan{rect->Top, rect->Bottom} : TRowSpan{0, FHeight};
  uint8_t *bits = flags & DDLOCK_READONLY ? const_cast<uint8_t *>(Bits()) : FMemory->Write(rows);
  if (rect)
    bits += static_cast<size_t>(rect->Top) * FPitch + rect->Left * FBitCount / 8;
  desc.lpSurface = bits;
  desc.dwFlags |= DDSD_LPSURFACE;
  ++FLocks;
  return S_OK;
}

HRESULT TSoftwareSurface::Unlock(void *) {
  if (FLocks == 0)
    return DDERR_NOTLOCKED;
  --FLocks;
  // Copies taken while it was locked may lack its last writes.
  FMemory->Wrote({});
  return S_OK;
}

HRESULT TSoftwareSurface::GetDC(HDC &dc) {
  dc = nullptr;
  if (FLost)
    return DDERR_SURFACELOST;
  if (FPrimary || FBitCount != 32)
    return DDERR_CANTCREATEDC;
  if (FDCHeld)
    return DDERR_DCALREADYCREATED;
  auto *pixels = reinterpret_cast<uint32_t *>(FMemory->Write({}));
  if (!FDC)
    FDC = std::make_unique<TDeviceContext>(pixels, FPitch, FWidth, FHeight);
  // Every device context starts out fresh: black one-pixel pen, copy mode, position (0, 0); it
  // draws on the pixels as they are now (a present may have lent the last ones to the screen).
  FDC->SetPixels(pixels);
  FDC->SetPen(0, 1);
  FDC->SetRop2(R2_COPYPEN);
  FDC->MoveTo(0, 0);
  FDCHeld = true;
  dc = FDC.get();
  return S_OK;
}

HRESULT TSoftwareSurface::ReleaseDC(HDC dc) {
  if (!FDCHeld || dc != FDC.get())
    return DDERR_NODC;
  FDCHeld = false;
  FMemory->Wrote(FDC->Drawn());
  return S_OK;
}

HRESULT TSoftwareSurface::SetColorKey(uint32_t flags, const TDDColorKey *key) {
  if (!(flags & DDCKEY_SRCBLT))
    return DDERR_UNSUPPORTED;
  FHasColorKey = key != nullptr;
  FColorKey = key ? key->dwColorSpaceLowValue : 0;
  return S_OK;
}

HRESULT TSoftwareSurface::GetClipper(std::shared_ptr<IDirectDrawClipper> &clipper) {
  clipper = FClipper;
  return FClipper ? S_OK : DDERR_NOCLIPPERATTACHED;
}

HRESULT TSoftwareSurface::SetClipper(std::shared_ptr<IDirectDrawClipper> clipper) {
  auto ours = std::dynamic_pointer_cast<TSoftwareClipper>(clipper);
  if (clipper && !ours)
    return DDERR_INVALIDOBJECT;
  FClipper = std::move(ours);
  return S_OK;
}

HRESULT TSoftwareSurface::SetPalette(std::shared_ptr<IDirectDrawPalette> palette) {
  FPalette = std::move(palette);
  return S_OK;
}

HRESULT TSoftwareSurface::GetAttachedSurface(uint32_t, std::shared_ptr<IDirectDrawSurface> &surface) {
  surface.reset();
  return DDERR_NOTFOUND;
}

HRESULT TSoftwareSurface::Flip(IDirectDrawSurface *, uint32_t) { return DDERR_NOTFLIPPABLE; }

HRESULT TSoftwareSurface::Restore() {
  FLost = false;
  return S_OK;
}
