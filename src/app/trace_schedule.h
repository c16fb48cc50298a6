#pragma once

#include "app/scope_state.h"

#include <array>
#include <cstdint>

// Which channels draw a trace in this frame and from where.
struct TReadyTraces {
  std::array<bool, 2> Ready{};
  std::array<int32_t, 2> Start{};
  bool Any() const { return Ready[chI] || Ready[chII]; }
};

// The frames one trace of the channel consumes: SampleStep x SpanWidth x SkipFactor.
int64_t TraceSpan(const TChannelState &channel);

// The mean level of each channel over the frames captured since the ring was reset, counted
// from ring index 0; then both channels start over at the newest frame with nothing pending.
// At most one ring's worth is summed, and a channel with nothing pending keeps its level.
void MeasureDcLevels(TScopeState &state);

// Both channels drop what is pending and go on from WriteIndex, where the next block lands.
void RestartAtNewestFrame(TScopeState &state);

// Decides, channel II first, which channels have more than one trace's span pending, consumes
// that span and the frame after it for each and advances its ReadIndex past them. A channel that has fallen more than a
// ring behind restarts both channels at the newest frame and consumes more per trace from then on.
TReadyTraces TakeReadyTraces(TScopeState &state);
