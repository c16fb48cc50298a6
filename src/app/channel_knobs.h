#pragma once

#include "app/scope_state.h"

#include <cstdint>
#include <string>

// What the knobs of the channel panels change. A knob is turned one way by the left button and
// the other way by the right one; the position knobs repeat while held, the others step once.

enum TPositionKnob { pkVertical, pkHorizontal };

// The change of one press of a position knob: the zero row or the start column moves by one
// (down or right for the left button). Answers the code the repeat timer goes on with.
uint32_t PressPositionKnob(TScopeState &state, TChannel channel, TPositionKnob knob, bool left);

// One tick of the repeat timer: the change of RepeatAction by RepeatStep, which then grows by
// one, so a knob held for n ticks has moved 1 + n(n+1)/2 in all.
void RepeatTick(TScopeState &state);

// Left: a smaller volts/div (a taller trace), right: a larger one; VoltShift stays in 0..15.
void PressVoltKnob(TChannelState &channel, bool left);

// The volts/div of a channel: VoltFactor x 2^VoltShift; its text as real-to-text makes it.
double VoltsPerDivision(const TChannelState &channel);
std::string VoltsPerDivText(const TChannelState &channel);

// Left: a faster sweep (fewer frames, then more pixels between points), right: the reverse, never
// slower than MaxSampleStep. Either way the channel's adaptation starts afresh and the ring
// starts over from index 0.
void PressTimeKnob(TScopeState &state, TChannel channel, bool left);
