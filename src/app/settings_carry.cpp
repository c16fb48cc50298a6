#include "app/settings_carry.h"

#include "app/calibration.h"
#include "rtl/exception.h"
#include "rtl/float_text.h"

#include <cstdlib>

namespace {

// Far beyond any screen, yet well within what trace positions are computed with.
constexpr int32_t FarthestPosition = 1 << 24;

void TakeShift(int32_t value, int32_t &field) {
  if (value >= 0 && value <= 15)
    field = value;
}

void TakePosition(int32_t value, int32_t &field) {
  if (std::abs(static_cast<int64_t>(value)) <= FarthestPosition)
    field = value;
}

void TakeFactor(const std::string &text, TReal48 &field) {
  try {
    field = FactorFromVoltsText(text, 0);
  } catch (const Exception &) {
    // A damaged factor keeps the one the scope has; the others are read all the same.
  }
}

} // namespace

TCarriedSettings CarryOut(TScopeState &state, bool microphoneSelected) {
  TChannelState &one = state[chI];
  TChannelState &two = state[chII];
  if (microphoneSelected) {
    state.MicFactor = one.VoltFactor;
    state.MicShift = one.VoltShift;
  } else {
    state.LineFactor = one.VoltFactor;
    state.LineShift = one.VoltShift;
  }
  TCarriedSettings carried;
  carried.CntVolITag = state.MicVolume;
  carried.CntVolIITag = state.LineVolume;
  carried.VDVlIText = FloatToStr(state.MicFactor);
  carried.TimeVlIText = FloatToStr(state.LineFactor);
  carried.VDVlIIText = FloatToStr(two.VoltFactor);
  carried.VDVlITag = state.MicShift;
  carried.VoltBtITag = state.LineShift;
  carried.VDVlIITag = two.VoltShift;
  carried.HorizontAnmITag = one.XStart;
  carried.ImageArrITag = one.XEnd;
  carried.HorizontAnmIITag = two.XStart;
  carried.ImageArrIITag = two.XEnd;
  return carried;
}

void CarryIn(const TCarriedSettings &carried, TScopeState &state) {
  TChannelState &one = state[chI];
  TChannelState &two = state[chII];
  state.MicVolume = static_cast<uint16_t>(carried.CntVolITag);
  state.LineVolume = static_cast<uint16_t>(carried.CntVolIITag);
  TakeShift(carried.VDVlITag, state.MicShift);
  TakeShift(carried.VoltBtITag, state.LineShift);
  TakeShift(carried.VDVlIITag, two.VoltShift);
  TakePosition(carried.HorizontAnmITag, one.XStart);
  TakePosition(carried.ImageArrITag, one.XEnd);
  TakePosition(carried.HorizontAnmIITag, two.XStart);
  TakePosition(carried.ImageArrIITag, two.XEnd);
  TakeFactor(carried.VDVlIIText, two.VoltFactor);
  TakeFactor(carried.VDVlIText, state.MicFactor);
  TakeFactor(carried.TimeVlIText, state.LineFactor);
}
