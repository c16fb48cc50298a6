#include "platform/draw/device_context.h"

#include "platform/draw/gdi_functions.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdlib>

namespace {

struct TMaskChannel {
  int Shift = 0;
  int Bits = 0;
  uint32_t Mask = 0;

  explicit TMaskChannel(uint32_t mask) : Mask(mask) {
    if (mask == 0)
      return;
    Shift = std::countr_zero(mask);
    Bits = std::countr_one(mask >> Shift);
  }
  uint32_t To8(uint32_t value) const {
    if (Bits == 0)
      return 0;
    const uint32_t v = (value & Mask) >> Shift;
    return Bits >= 8 ? v >> (Bits - 8) : v * 255 / ((1u << Bits) - 1);
  }
};

// One row of a DIB into 0x00RRGGBB values, by the source's depth.
class TDIBReader {
public:
  explicit TDIBReader(const TDIBSource &dib)
      : FDib(dib), FRed(dib.RedMask), FGreen(dib.GreenMask), FBlue(dib.BlueMask) {}

  const uint8_t *Row(int y) const {
    const int memoryRow = FDib.TopDown ? y : FDib.Height - 1 - y;
    return FDib.Bits + static_cast<size_t>(memoryRow) * FDib.WidthBytes;
  }

  uint32_t Pixel(const uint8_t *row, int x) const {
    switch (FDib.BitCount) {
    case 1:
      return Indexed((row[x / 8] >> (7 - x % 8)) & 1);
    case 4:
      return Indexed(x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4);
    case 8:
      return Indexed(row[x]);
    case 16:
      return Masked(row[2 * x] | (row[2 * x + 1] << 8));
    case 24:
      return (row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x];
    case 32:
      return Masked(row[4 * x] | (row[4 * x + 1] << 8) | (row[4 * x + 2] << 16) |
                    (static_cast<uint32_t>(row[4 * x + 3]) << 24));
    default:
      return 0;
    }
  }

private:
  uint32_t Indexed(int index) const {
    if (index >= FDib.ColorCount)
      return 0;
    const uint8_t *entry = FDib.ColorTable + 4 * index;
    return (entry[2] << 16) | (entry[1] << 8) | entry[0];
  }
  uint32_t Masked(uint32_t value) const {
    return (FRed.To8(value) << 16) | (FGreen.To8(value) << 8) | FBlue.To8(value);
  }

  const TDIBSource &FDib;
  TMaskChannel FRed, FGreen, FBlue;
};

} // namespace

TDeviceContext::TDeviceContext(uint32_t *pixels, int pitchBytes, int width, int height)
    : FPixels(pixels), FPitch(pitchBytes), FWidth(width), FHeight(height) {
  PrepareRop();
}

void TDeviceContext::PrepareRop() {
  // The operation's code minus one is its truth table over (pen bit, destination bit).
  const uint32_t table = static_cast<uint32_t>(FRop2 - 1);
  auto apply = [&](uint32_t d) {
    const uint32_t p = FPenColor;
    uint32_t result = 0;
    if (table & 1)
      result |= ~p & ~d;
    if (table & 2)
      result |= ~p & d;
    if (table & 4)
      result |= p & ~d;
    if (table & 8)
      result |= p & d;
    return result & 0xFFFFFF;
  };
  FXor = apply(0);
  FAnd = FXor ^ apply(0xFFFFFF);
}

void TDeviceContext::LineTo(int x, int y) {
  if (FRop2 != R2_NOP) {
    const int reach = FPenWidth > 1 ? (FPenWidth + 1) / 2 : 0;
    Drawn(std::min(FY, y) - reach, std::max(FY, y) + reach + 1);
    if (FPenWidth > 1)
      WideLine(FX, FY, x, y);
    else if (Inside(FX, FY) && Inside(x, y))
      InsideLine(FX, FY, x, y);
    else
      ClippedLine(FX, FY, x, y);
  }
  FX = x;
  FY = y;
}

void TDeviceContext::InsideLine(int x0, int y0, int x1, int y1) {
  // The steps of ClippedLine, walked as moves of one pixel pointer, since none can leave the
  // bounds. A pen that paints the same value whatever is below (copy, not-copy) only stores.
  const int dx = x1 - x0, dy = y1 - y0;
  const int adx = std::abs(dx), ady = std::abs(dy);
  const bool xMajor = adx >= ady;
  const int major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  const ptrdiff_t xStep = dx < 0 ? -4 : 4, yStep = dy < 0 ? -ptrdiff_t{FPitch} : ptrdiff_t{FPitch};
  const ptrdiff_t majorStride = xMajor ? xStep : yStep, minorStride = xMajor ? yStep : xStep;
  const int twoMinor = 2 * minor, denominator = 2 * major;
  uint8_t *const start = reinterpret_cast<uint8_t *>(Row(y0) + x0);
  auto walk = [&](auto plot) {
    uint8_t *p = start;
    int remainder = major;
    for (int n = major; n > 0; --n) {
      plot(*reinterpret_cast<uint32_t *>(p));
      p += majorStride;
      remainder += twoMinor;
      if (remainder >= denominator) {
        remainder -= denominator;
        p += minorStride;
      }
    }
  };
  if (FAnd == 0)
    walk([value = FXor](uint32_t &pixel) { pixel = value; });
  else
    walk([andMask = FAnd, xorMask = FXor](uint32_t &pixel) { pixel = (pixel & andMask) ^ xorMask; });
}

void TDeviceContext::ClippedLine(int x0, int y0, int x1, int y1) {
  // Step i along the major axis puts the minor coordinate at the nearest pixel (halves round
  // away from the start); steps 0 .. n-1 are drawn, so the end point is left for the next line.
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
  const int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
  if (major == 0)
    return;
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t majorStart = xMajor ? x0 : y0, minorStart = xMajor ? y0 : x0;
  const int64_t majorLimit = xMajor ? FWidth : FHeight, minorLimit = xMajor ? FHeight : FWidth;

  // Only the steps that can land inside the bounds are walked, so far-off lines cost nothing.
  // Across the line a pixel stays in its row or column for half a pixel's worth of steps past
  // where the exact line leaves it, so the range reaches that far beyond the edges.
  auto stepRange = [](int64_t start, int step, int64_t limit, double scale, int64_t &lo, int64_t &hi) {
    const double a = (0 - start) * step * scale, b = (limit - 1 - start) * step * scale;
    lo = std::max(lo, static_cast<int64_t>(std::floor(std::min(a, b) - scale / 2)) - 2);
    hi = std::min(hi, static_cast<int64_t>(std::ceil(std::max(a, b) + scale / 2)) + 2);
  };
  int64_t lo = 0, hi = major - 1;
  stepRange(majorStart, majorStep, majorLimit, 1.0, lo, hi);
  if (minor == 0) {
    if (minorStart < 0 || minorStart >= minorLimit)
      return;
  } else {
    stepRange(minorStart, minorStep, minorLimit, static_cast<double>(major) / minor, lo, hi);
  }
  // The minor offset of step i is (2 i minor + major) div (2 major), carried from step to step
  // as quotient and remainder; 2 minor <= 2 major, so it grows by at most one a step.
  const int64_t first = std::max<int64_t>(lo, 0), denominator = 2 * major;
  int64_t offset = (2 * first * minor + major) / denominator, remainder = (2 * first * minor + major) % denominator;
  for (int64_t i = first; i <= hi; ++i) {
    const int64_t a = majorStart + majorStep * i;
    const int64_t b = minorStart + minorStep * offset;
    if (xMajor)
      Plot(static_cast<int>(a), static_cast<int>(b));
    else
      Plot(static_cast<int>(b), static_cast<int>(a));
    remainder += 2 * minor;
    if (remainder >= denominator) {
      remainder -= denominator;
      ++offset;
    }
  }
}

void TDeviceContext::WideLine(int x0, int y0, int x1, int y1) {
  // A solid wide pen: every pixel within half the width of the segment, so the ends are round.
  const double r = FPenWidth / 2.0;
  const int reach = static_cast<int>(std::ceil(r));
  const int left = std::max(std::min(x0, x1) - reach, 0), right = std::min(std::max(x0, x1) + reach, FWidth - 1);
  const int top = std::max(std::min(y0, y1) - reach, 0), bottom = std::min(std::max(y0, y1) + reach, FHeight - 1);
  const double vx = x1 - x0, vy = y1 - y0, length2 = vx * vx + vy * vy;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      double t = length2 > 0 ? ((x - x0) * vx + (y - y0) * vy) / length2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      const double ex = x0 + t * vx - x, ey = y0 + t * vy - y;
      if (ex * ex + ey * ey <= r * r)
        Row(y)[x] = Apply(Row(y)[x]);
    }
}

void TDeviceContext::StretchDIB(const TRect &dest, const TRect &source, const TDIBSource &dib) {
  const int dw = std::abs(dest.Width()), dh = std::abs(dest.Height());
  const int sw = source.Width(), sh = source.Height();
  if (dw == 0 || dh == 0 || sw <= 0 || sh <= 0 || dib.Bits == nullptr)
    return;
  const bool mirrorX = dest.Width() < 0, mirrorY = dest.Height() < 0;
  const int left = std::min(dest.Left, dest.Right), top = std::min(dest.Top, dest.Bottom);
  const TDIBReader reader(dib);
  const int firstRow = std::max(top, 0), lastRow = std::min(top + dh, FHeight);
  const int firstCol = std::max(left, 0), lastCol = std::min(left + dw, FWidth);
  Drawn(firstRow, lastRow);
  for (int y = firstRow; y < lastRow; ++y) {
    int v = static_cast<int>(static_cast<int64_t>(y - top) * sh / dh);
    const int sy = source.Top + (mirrorY ? sh - 1 - v : v);
    if (sy < 0 || sy >= dib.Height)
      continue;
    const uint8_t *row = reader.Row(sy);
    uint32_t *out = Row(y);
    for (int x = firstCol; x < lastCol; ++x) {
      const int u = static_cast<int>(static_cast<int64_t>(x - left) * sw / dw);
      const int sx = source.Left + (mirrorX ? sw - 1 - u : u);
      if (sx >= 0 && sx < dib.Width)
        out[x] = reader.Pixel(row, sx);
    }
  }
}

void GdiSetPen(HDC dc, TColorRef color, int width) {
  if (dc)
    dc->SetPen(color, width);
}

void GdiSetRop2(HDC dc, int rop) {
  if (dc)
    dc->SetRop2(rop);
}

void GdiMoveTo(HDC dc, int x, int y) {
  if (dc)
    dc->MoveTo(x, y);
}

void GdiLineTo(HDC dc, int x, int y) {
  if (dc)
    dc->LineTo(x, y);
}

void GdiStretchDIB(HDC dc, const TRect &dest, const TRect &source, const TDIBSource &dib) {
  if (dc)
    dc->StretchDIB(dest, source, dib);
}
