#pragma once

#include "app/scope_state.h"

#include <cstdint>

// What the switches and trims of the channel panels change.

// The trace width the phase trim gives: 504 plus the up-down's position, read as a signed
// 16-bit value.
int32_t TrimmedSpanWidth(int position);

// Moves the channel's next trace one frame on (+1) or back (-1) against the other channel,
// wrapping at the ring's ends. The frame gained or given up counts as pending, so the read
// position keeps its distance to the writer.
void ShiftTrace(TScopeState &state, TChannel channel, int direction);

// Entering channel II's time text slows its sweep by ten frames per point, never beyond the
// slowest time base.
void SlowSweepOnEnter(TChannelState &channel);
