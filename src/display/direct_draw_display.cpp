#include "display/direct_draw_display.h"

#include "display/direct_draw.h"
#include "display/direct_draw_errors.h"

void TDirectDrawDisplay::SetBitCount(int value) {
  if (value != 8 && value != 16 && value != 24 && value != 32)
    throw EDirectDrawError("It should be either of 8 or 16 or 24 or 32");
  FBitCount = value;
}

void TDirectDrawDisplay::Assign(const TDirectDrawDisplay &source) {
  FWidth = source.FWidth;
  FHeight = source.FHeight;
  FBitCount = source.FBitCount;
  FixedBitCount = source.FixedBitCount;
  FixedRatio = source.FixedRatio;
  FixedSize = source.FixedSize;
}

const std::vector<TDirectDrawDisplayMode> &TDirectDrawDisplay::Modes(TDirectDraw &ddraw) {
  if (FModes.empty())
    ddraw.SetDXResult(ddraw.IDraw4()->EnumDisplayModes(0, nullptr, [this](const TDDSurfaceDesc &mode) {
      FModes.push_back({mode});
      return true;
    }));
  return FModes;
}

bool TDirectDrawDisplay::DepthFits(int depth) const {
  if (FixedBitCount)
    return depth == FBitCount;
  // Any depth above 8 will do for a request above 8.
  return FBitCount > 8 ? depth > 8 : depth >= FBitCount;
}

const TDirectDrawDisplayMode *TDirectDrawDisplay::FindMode() const {
  const auto &modes = FModes;
  for (const auto &mode : modes)
    if (mode.Width() == FWidth && mode.Height() == FHeight && mode.BitCount() == FBitCount)
      return &mode;
  auto smallest = [&](auto fits) -> const TDirectDrawDisplayMode * {
    const TDirectDrawDisplayMode *best = nullptr;
    for (const auto &mode : modes)
      if (DepthFits(mode.BitCount()) && fits(mode) &&
          (best == nullptr || int64_t(mode.Width()) * mode.Height() < int64_t(best->Width()) * best->Height()))
        best = &mode;
    return best;
  };
  const TDirectDrawDisplayMode *chosen = nullptr;
  if (FixedRatio)
    chosen = smallest([&](const TDirectDrawDisplayMode &m) {
      const bool sameRatio = int64_t(m.Width()) * FHeight == int64_t(m.Height()) * FWidth;
      const bool size =
          FixedSize ? m.Width() == FWidth && m.Height() == FHeight : m.Width() >= FWidth && m.Height() >= FHeight;
      return sameRatio && size;
    });
  if (chosen == nullptr && !FixedSize)
    chosen = smallest([&](const TDirectDrawDisplayMode &m) { return m.Width() >= FWidth && m.Height() >= FHeight; });
  return chosen;
}

bool TDirectDrawDisplay::SetDisplayMode(TDirectDraw &ddraw) {
  Modes(ddraw);
  const TDirectDrawDisplayMode *mode = FindMode();
  if (mode == nullptr)
    return false;
  int depth = mode->BitCount();
  // The asked depth wins when the chosen size offers it.
  for (const auto &other : FModes)
    if (other.Width() == mode->Width() && other.Height() == mode->Height() && other.BitCount() == FBitCount)
      depth = FBitCount;
  ddraw.SetDXResult(ddraw.IDraw4()->SetDisplayMode(mode->Width(), mode->Height(), depth, 0, 0));
  return ddraw.DXResult() == 0;
}
