#include "app/channel_knobs.h"

#include "app/trace_schedule.h"
#include "rtl/float_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Positions have no bounds, but a knob held for hours must not wrap them.
int32_t Moved(int32_t position, int64_t by) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{position} + by, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Repeat codes 0..7: channel I then II, each the vertical knob then the horizontal one, each
// the left change then the right one.
uint32_t RepeatCode(TChannel channel, TPositionKnob knob, bool left) {
  return 4u * (channel == chII) + 2u * (knob == pkHorizontal) + (left ? 0u : 1u);
}

void ApplyRepeatCode(TScopeState &state, uint32_t code, int64_t amount) {
  if (code > 7)
    return;
  TChannelState &channel = state[code >= 4 ? chII : chI];
  const int64_t by = code % 2 == 0 ? amount : -amount;
  if ((code / 2) % 2 == 0) {
    channel.VertOffset = Moved(channel.VertOffset, by);
  } else {
    channel.XStart = Moved(channel.XStart, by);
    channel.XEnd = Moved(channel.XEnd, by);
  }
}

} // namespace

uint32_t PressPositionKnob(TScopeState &state, TChannel channel, TPositionKnob knob, bool left) {
  const uint32_t code = RepeatCode(channel, knob, left);
  ApplyRepeatCode(state, code, 1);
  if (knob == pkHorizontal) {
    TChannelState &fields = state[channel];
    fields.XEnd = Moved(fields.XStart, fields.SpanWidth);
  }
  return code;
}

void RepeatTick(TScopeState &state) {
  ApplyRepeatCode(state, state.RepeatAction, state.RepeatStep);
  state.RepeatStep = Moved(state.RepeatStep, 1);
}

void PressVoltKnob(TChannelState &channel, bool left) {
  if (left && channel.VoltShift > 0)
    channel.VoltShift -= 1;
  else if (!left && channel.VoltShift < 15)
    channel.VoltShift += 1;
}

double VoltsPerDivision(const TChannelState &channel) {
  return std::ldexp(channel.VoltFactor.Value(), std::clamp(channel.VoltShift, 0, 15));
}

std::string VoltsPerDivText(const TChannelState &channel) { return FloatToStr(VoltsPerDivision(channel)); }

void PressTimeKnob(TScopeState &state, TChannel channel, bool left) {
  TChannelState &fields = state[channel];
  if (left) {
    if (fields.SampleStep > 1)
      fields.SampleStep -= 1;
    else
      fields.PixelStep = Moved(fields.PixelStep, 1);
  } else if (fields.PixelStep < 2) {
    if (fields.SampleStep < MaxSampleStep)
      fields.SampleStep += 1;
  } else {
    fields.PixelStep -= 1;
  }
  fields.SkipFactor = 1;
  RestartRingFromStart(state);
}
