#include "display/direct_draw_surface.h"

#include "display/dib.h"
#include "display/direct_draw.h"
#include "display/direct_draw_clipper.h"
#include "display/direct_draw_errors.h"
#include "display/direct_draw_palette.h"
#include "platform/draw/packed_pixel.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr uint32_t BltFastFlags[2] = {DDBLTFAST_WAIT, DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY};
constexpr uint32_t BltFlags[2] = {DDBLT_WAIT, DDBLT_WAIT | DDBLT_KEYSRC};

// Reflects a horizontal or vertical span inside a side of length `side`.
void Reflect(int &low, int &high, int side) {
  const int oldLow = low;
  low = side - high;
  high = side - oldLow;
}

} // namespace

bool ClipBlitRects(TRect &dest, TRect &source, const TRect &destBounds, const TRect &sourceBounds) {
  if (destBounds.Left > dest.Left) {
    source.Left += destBounds.Left - dest.Left;
    dest.Left = destBounds.Left;
  }
  if (destBounds.Top > dest.Top) {
    source.Top += destBounds.Top - dest.Top;
    dest.Top = destBounds.Top;
  }
  if (sourceBounds.Left > source.Left) {
    dest.Left += sourceBounds.Left - source.Left;
    source.Left = sourceBounds.Left;
  }
  if (sourceBounds.Top > source.Top) {
    dest.Top += sourceBounds.Top - source.Top;
    source.Top = sourceBounds.Top;
  }
  if (destBounds.Right < dest.Right) {
    source.Right -= dest.Right - destBounds.Right;
    dest.Right = destBounds.Right;
  }
  if (destBounds.Bottom < dest.Bottom) {
    source.Bottom -= dest.Bottom - destBounds.Bottom;
    dest.Bottom = destBounds.Bottom;
  }
  if (sourceBounds.Right < source.Right) {
    dest.Right -= source.Right - sourceBounds.Right;
    source.Right = sourceBounds.Right;
  }
  if (sourceBounds.Bottom < source.Bottom) {
    dest.Bottom -= source.Bottom - sourceBounds.Bottom;
    source.Bottom = sourceBounds.Bottom;
  }
  return !dest.IsEmpty() && !source.IsEmpty();
}

TDirectDrawSurface::TDirectDrawSurface(TDirectDraw *ddraw) : FDDraw(ddraw) {}

TDirectDrawSurface::~TDirectDrawSurface() {
  FCanvas.reset();
  SetIDDSurface(nullptr);
}

IDirectDrawSurface *TDirectDrawSurface::IDDSurface() const {
  if (!FIDDSurface)
    throw EDirectDrawSurfaceError(SNotMade, "IDirectDrawSurface");
  return FIDDSurface.get();
}

void TDirectDrawSurface::SetIDDSurface(std::shared_ptr<IDirectDrawSurface> surface) {
  if (FCanvas)
    FCanvas->Release();
  FIDDSurface = std::move(surface);
  FSurfaceDesc = TDDSurfaceDesc();
  HasClipper = false;
  if (FIDDSurface) {
    std::shared_ptr<IDirectDrawClipper> clipper;
    HasClipper = FIDDSurface->GetClipper(clipper) == 0 && clipper;
    SetDXResult(FIDDSurface->GetSurfaceDesc(FSurfaceDesc));
  }
}

QImage TDirectDrawSurface::ToImage() {
  TDDSurfaceDesc desc;
  if (!FIDDSurface)
    return {};
  SetDXResult(FIDDSurface->Lock(nullptr, desc, DDLOCK_WAIT | DDLOCK_READONLY));
  if (DXResult() != 0)
    return {};
  QImage image;
  if (desc.ddpfPixelFormat.dwRGBBitCount == 32) {
    image = QImage(Width(), Height(), QImage::Format_RGB32);
    for (int y = 0; y < Height(); ++y) {
      const auto *row = reinterpret_cast<const uint32_t *>(static_cast<const uint8_t *>(desc.lpSurface) +
                                                           static_cast<size_t>(y) * desc.lPitch);
      auto *out = reinterpret_cast<uint32_t *>(image.scanLine(y));
      for (int x = 0; x < Width(); ++x)
        out[x] = 0xFF000000u | (row[x] & 0xFFFFFFu);
    }
  }
  Unlock(desc.lpSurface);
  return image;
}

TDirectDrawSurfaceCanvas &TDirectDrawSurface::Canvas() {
  if (!FCanvas)
    FCanvas = std::make_unique<TDirectDrawSurfaceCanvas>(this);
  return *FCanvas;
}

bool TDirectDrawSurface::CreateSurface(const TDDSurfaceDesc &desc) {
  SetIDDSurface(nullptr);
  std::shared_ptr<IDirectDrawSurface> made;
  FDDraw->SetDXResult(FDDraw->IDraw4()->CreateSurface(desc, made));
  SetDXResult(FDDraw->DXResult());
  if (DXResult() != 0)
    return false;
  SetIDDSurface(std::move(made));
  SetTransparentColor(0);
  return true;
}

void TDirectDrawSurface::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    SetIDDSurface(nullptr);
    return;
  }
  TDDSurfaceDesc desc;
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc.dwWidth = width;
  desc.dwHeight = height;
  desc.ddsCaps = DDSCAPS_OFFSCREENPLAIN | (SystemMemory ? DDSCAPS_SYSTEMMEMORY : 0);
  if (!CreateSurface(desc)) {
    if (SystemMemory)
      throw EDirectDrawSurfaceError(SCannotMade, "Surface");
    desc.ddsCaps = (desc.ddsCaps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
    if (!CreateSurface(desc))
      throw EDirectDrawSurfaceError(SCannotMade, "Surface");
    SystemMemory = true;
  }
}

bool TDirectDrawSurface::Fill(uint32_t deviceColor) {
  if (!FIDDSurface)
    return false;
  TDDBltFx fx;
  fx.dwFillColor = deviceColor;
  SetDXResult(FIDDSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
  return DXResult() == 0;
}

bool TDirectDrawSurface::Blt(const TRect &destRect, const TRect &sourceRect, TDirectDrawSurface *source,
                             const TDDBltFx &fx, uint32_t flags) {
  if (!FIDDSurface)
    return false;
  IDirectDrawSurface *from = source ? source->Interface().get() : nullptr;
  SetDXResult(FIDDSurface->Blt(&destRect, from, &sourceRect, flags, &fx));
  return DXResult() == 0;
}

bool TDirectDrawSurface::BltFast(int x, int y, TDirectDrawSurface *source, const TRect &sourceRect, uint32_t flags) {
  if (!FIDDSurface)
    return false;
  IDirectDrawSurface *from = source ? source->Interface().get() : nullptr;
  SetDXResult(FIDDSurface->BltFast(x, y, from, &sourceRect, flags));
  return DXResult() == 0;
}

void TDirectDrawSurface::Draw(int x, int y, TRect sourceRect, TDirectDrawSurface *source, bool transparent) {
  if (source == nullptr || !FIDDSurface || x > Width() || y > Height())
    return;
  TRect &r = sourceRect;
  if (r.Right >= r.Left && r.Bottom >= r.Top) {
    TRect dest = Bounds(x, y, r.Width(), r.Height());
    if (!ClipBlitRects(dest, r, ClientRect(), source->ClientRect()))
      return;
    if (!HasClipper) {
      if (BltFast(dest.Left, dest.Top, source, r, BltFastFlags[transparent]) || DXResult() != DDERR_BLTFASTCANTCLIP)
        return;
      std::shared_ptr<IDirectDrawClipper> clipper;
      if (FIDDSurface->GetClipper(clipper) == 0 && clipper)
        HasClipper = true;
    }
    Blt(dest, r, source, TDDBltFx(), BltFlags[transparent]);
    return;
  }
  if (std::abs(r.Left - r.Right) + x <= 0 || std::abs(r.Top - r.Bottom) + y <= 0)
    return;
  TDDBltFx fx;
  const bool mirrorX = r.Right < r.Left, mirrorY = r.Bottom < r.Top;
  if (mirrorX) {
    std::swap(r.Left, r.Right);
    fx.dwDDFX |= DDBLTFX_MIRRORLEFTRIGHT;
  }
  if (mirrorY) {
    std::swap(r.Top, r.Bottom);
    fx.dwDDFX |= DDBLTFX_MIRRORUPDOWN;
  }
  // The device mirrors within the source rectangle, so the rectangle is clipped in the mirrored
  // source's coordinates (where destination and source run the same way) and reflected back.
  const int sw = source->Width(), sh = source->Height();
  if (mirrorX)
    Reflect(r.Left, r.Right, sw);
  if (mirrorY)
    Reflect(r.Top, r.Bottom, sh);
  TRect dest = Bounds(x, y, r.Width(), r.Height());
  if (!ClipBlitRects(dest, r, ClientRect(), source->ClientRect()))
    return;
  if (mirrorX)
    Reflect(r.Left, r.Right, sw);
  if (mirrorY)
    Reflect(r.Top, r.Bottom, sh);
  Blt(dest, r, source, fx, BltFlags[transparent] | DDBLT_DDFX);
}

bool TDirectDrawSurface::Lock(const TRect *rect, TDDSurfaceDesc &desc) {
  if (!FIDDSurface)
    return false;
  SetDXResult(FIDDSurface->Lock(rect, desc, DDLOCK_WAIT));
  return DXResult() == 0;
}

void TDirectDrawSurface::Unlock(void *bits) {
  if (FIDDSurface)
    SetDXResult(FIDDSurface->Unlock(bits));
}

bool TDirectDrawSurface::Restore() {
  if (!FIDDSurface)
    return false;
  SetDXResult(FIDDSurface->Restore());
  return DXResult() == 0;
}

uint32_t TDirectDrawSurface::Pixels(int x, int y) {
  TDDSurfaceDesc desc;
  if (x < 0 || y < 0 || x >= Width() || y >= Height() || !FIDDSurface)
    return 0;
  SetDXResult(FIDDSurface->Lock(nullptr, desc, DDLOCK_WAIT | DDLOCK_READONLY));
  if (DXResult() != 0)
    return 0;
  const uint8_t *row = static_cast<const uint8_t *>(desc.lpSurface) + static_cast<size_t>(y) * desc.lPitch;
  const uint32_t value = ReadPackedPixel(row, x, static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount));
  Unlock(desc.lpSurface);
  return value;
}

void TDirectDrawSurface::SetPixel(int x, int y, uint32_t value) {
  TDDSurfaceDesc desc;
  if (x < 0 || y < 0 || x >= Width() || y >= Height() || !Lock(nullptr, desc))
    return;
  uint8_t *row = static_cast<uint8_t *>(desc.lpSurface) + static_cast<size_t>(y) * desc.lPitch;
  WritePackedPixel(row, x, static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount), value);
  Unlock(desc.lpSurface);
}

uint32_t TDirectDrawSurface::ColorMatch(TColor color) {
  if (!FIDDSurface)
    return 0;
  // What the colour becomes on this surface: draw it into one pixel and read that back.
  const uint32_t saved = Pixels(0, 0);
  const uint32_t rgb = ColorToRGB(color);
  TDIB probe;
  probe.SetSize(1, 1, 8);
  probe.ColorTable[0] = {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), 0};
  probe.UpdatePalette();
  probe.SetPixel(0, 0, 0);
  probe.StretchDraw(Canvas(), {0, 0, 1, 1}, {0, 0, 1, 1});
  Canvas().Release();
  const uint32_t result = Pixels(0, 0);
  SetPixel(0, 0, saved);
  return result;
}

void TDirectDrawSurface::SetColorKey(uint32_t flags, const TDDColorKey &key) {
  if (FIDDSurface)
    SetDXResult(FIDDSurface->SetColorKey(flags, &key));
}

void TDirectDrawSurface::SetTransparentColor(uint32_t deviceColor) {
  SetColorKey(DDCKEY_SRCBLT, {deviceColor, deviceColor});
}

void TDirectDrawSurface::SetClipper(TDirectDrawClipper *clipper) {
  if (!FIDDSurface)
    return;
  SetDXResult(FIDDSurface->SetClipper(clipper ? clipper->IDDClipper() : nullptr));
  HasClipper = clipper != nullptr && DXResult() == 0;
}

void TDirectDrawSurface::SetPalette(TDirectDrawPalette *palette) {
  if (FIDDSurface)
    SetDXResult(FIDDSurface->SetPalette(palette ? palette->Interface() : nullptr));
}

void TDirectDrawSurface::LoadFromGraphic(TDIB &graphic) {
  LoadFromGraphicRect(graphic, 0, 0, {0, 0, graphic.Width(), graphic.Height()});
}

void TDirectDrawSurface::LoadFromGraphicRect(TDIB &graphic, int width, int height, const TRect &sourceRect) {
  if (width == 0)
    width = sourceRect.Width();
  if (height == 0)
    height = sourceRect.Height();
  SetSize(width, height);
  if (!FIDDSurface)
    return;
  graphic.StretchDraw(Canvas(), {0, 0, width, height}, sourceRect);
  Canvas().Release();
}

void TDirectDrawSurface::Assign(TDirectDrawSurface *source) {
  if (source == nullptr || !source->Interface()) {
    SetIDDSurface(nullptr);
    return;
  }
  std::shared_ptr<IDirectDrawSurface> duplicate;
  SetDXResult(FDDraw->IDraw4()->DuplicateSurface(source->Interface().get(), duplicate));
  if (DXResult() == 0)
    SetIDDSurface(std::move(duplicate));
}

void TDirectDrawSurface::AssignTo(TDIB &dib) {
  dib.SetSize(Width(), Height(), 24);
  TDDSurfaceDesc desc;
  if (dib.Empty() || !Lock(nullptr, desc))
    return;
  if (desc.ddpfPixelFormat.dwRGBBitCount == 32)
    for (int y = 0; y < Height(); ++y) {
      const auto *row = reinterpret_cast<const uint32_t *>(static_cast<const uint8_t *>(desc.lpSurface) +
                                                           static_cast<size_t>(y) * desc.lPitch);
      for (int x = 0; x < Width(); ++x)
        dib.SetPixel(x, y, ((row[x] & 0xFF) << 16) | (row[x] & 0xFF00) | ((row[x] >> 16) & 0xFF));
    }
  Unlock(desc.lpSurface);
}
