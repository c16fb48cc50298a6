#pragma once

#include "app/trace_points.h"

#include <array>

// What the panel's controls say about one channel's trace.
struct TTraceControls {
  bool Enabled = true; // the channel is switched on
  bool Sync = false;
  bool X2 = false;
};

// One rendered frame, worked out before anything is drawn: the panel draws the background,
// then each trace marked in Draw, and presents. Kept by the panel and refilled in place.
struct TTraceFrame {
  bool Present = false; // false: draw nothing, present nothing, the screen keeps its picture
  std::array<bool, 2> Draw{};
  std::array<TTracePoints, 2> Traces;
};

// The frame timer's first handler: nothing until a block has arrived, then one tick skipped
// (`timerTag` 0 -> 1), then the mean levels are measured. True once measured: from then on
// every tick renders.
bool StartUpTick(TScopeState &state, int &timerTag);

// One rendering tick: which channels are ready (consuming their span), and the points of each
// trace that is ready and switched on. A ready tick is presented even with both channels off,
// so the picture shows the bare grid.
void PlanFrame(TScopeState &state, const std::array<TTraceControls, 2> &controls, TTraceFrame &frame);
