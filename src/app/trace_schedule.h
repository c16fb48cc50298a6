#pragma once

#include "app/scope_state.h"

#include <array>
#include <cstdint>

// Which channels draw a trace in this frame, from where, and how far before its start the sync
// search may look without reaching frames that are stale or overwritten.
struct TReadyTraces {
  std::array<bool, 2> Ready{};
  std::array<int32_t, 2> Start{};
  std::array<int32_t, 2> LookBack{};
  bool Any() const { return Ready[chI] || Ready[chII]; }
};

// The frames one trace of the channel consumes: SampleStep x SpanWidth x SkipFactor.
int64_t TraceSpan(const TChannelState &channel);

// The frames one trace reads from its start on: the sync search may move the start up to its
// furthest offset, and the points run one sample step past the span's last column.
int64_t TraceReach(const TChannelState &channel);

// The slowest time base: the largest SampleStep whose trace, at the widest span the width trim
// allows, still fits in the ring together with the sync search's look to either side.
constexpr int32_t MaxSampleStep = 86;

// The mean level of each channel over the frames captured since the ring was reset, counted
// from ring index 0; then both channels start over at the newest frame with nothing pending.
// At most one ring's worth is summed, and a channel with nothing pending keeps its level.
void MeasureDcLevels(TScopeState &state);

// Both channels drop what is pending and go on from WriteIndex, where the next block lands.
void RestartAtNewestFrame(TScopeState &state);

// The ring starts over from index 0: nothing captured, nothing pending, both traces from 0.
void RestartRingFromStart(TScopeState &state);

// Decides, channel II first, which channels have more than one trace's span pending and every
// frame their trace reads captured and still in the ring; consumes that span and the frame after
// it for each and advances its ReadIndex past them. A channel whose next frames have been
// overwritten restarts both channels at the newest frame and, while a trace still fits in the
// ring, consumes more per trace from then on.
TReadyTraces TakeReadyTraces(TScopeState &state);
