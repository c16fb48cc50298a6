#pragma once

#include "app/scope_state.h"

#include <array>
#include <cstdint>

// The widest trace the phase trim allows (504 + 50 pixels).
constexpr int MaxSpanWidth = 554;
// One point per pixel step across the span and one beyond it; twice that in x2 mode.
constexpr int MaxTracePoints = 2 * (MaxSpanWidth + 1) + 1;

struct TTracePoint {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const TTracePoint &) const = default;
};

// A trace ready to draw: move to the first point, then a line to each following one. Filled in
// place, so drawing a frame allocates nothing. It also keeps what the points were made from, so
// what a frame showed can still be read once the ring has moved on.
struct TTracePoints {
  std::array<TTracePoint, MaxTracePoints> Points{};
  // Each point's level in sample units from the channel's mean; an x2 midpoint lies halfway.
  std::array<float, MaxTracePoints> Levels{};
  int Count = 0;
  int32_t FirstFrame = 0; // ring index of the first point's frame
  int32_t Frames = 0;     // the frames from the first point's to the last point's, both included
};

// The furthest the sync search looks to either side; the last offset tried is used unmatched.
constexpr int MaxSyncOffset = 21;

// The offset from `start` at which the channel's sample is at the level where its previous trace
// began (compared in steps of 64): tried in the order 0, 1, -1, 2, -2, ..., 20, -20, 21, leaving
// out the offsets further back than `lookBack` frames.
int SyncOffset(const TScopeState &state, TChannel channel, int32_t start, int lookBack);

// Lays out the channel's trace starting at ring position `start`: with `sync`, shifted by the
// sync offset (looking back at most `lookBack` frames); with `x2`, two pixel steps per sample step and an interpolated
// midpoint. Records the trace's first sample as the next sync reference. A span wider than MaxSpanWidth is cut at the
// points' capacity.
void ComputeTrace(TScopeState &state, TChannel channel, int32_t start, int lookBack, bool sync, bool x2,
                  TTracePoints &out);
