#pragma once

#include "app/trace_measurement.h"
#include "app/trace_points.h"

#include <array>

// What the panel's controls say about one channel's trace.
struct TTraceControls {
  bool Enabled = true; // the channel is switched on
  bool Sync = false;
  bool X2 = false;
};

// What the display's menu switches on for the whole picture.
struct TFrameOptions {
  bool XY = false;      // channel I across, channel II up and down, instead of two traces over time
  bool Measure = false; // each drawn channel measured over the frames it shows
};

// How a trace's levels and points read in volts and milliseconds, as its channel stood when the
// trace was laid out.
struct TTraceScale {
  double VoltsPerLevel = 0; // the calibration: volts of one sample unit
  double VoltsPerDiv = 0;
  double MsPerDiv = 0;
  double MsPerPoint = 0;
};

// One rendered frame, worked out before anything is drawn: the panel draws the background,
// then each trace marked in Draw (in XY mode the figure instead), and presents. Kept by the panel
// and refilled in place.
struct TTraceFrame {
  bool Present = false; // false: draw nothing, present nothing, the screen keeps its picture
  bool XY = false;
  // The channels the picture shows: their traces, or in XY mode their part in the figure.
  std::array<bool, 2> Draw{};
  std::array<TTracePoints, 2> Traces;
  std::array<TTraceScale, 2> Scales;
  TTracePoints Figure;
  std::array<TTraceMeasurement, 2> Measurements; // of the drawn channels, when asked for
};

// One division of the graticule: its 504 pixels make ten.
constexpr double PixelsPerDivision = 50.4;

// The frame timer's first handler: nothing until a block has arrived, then one tick skipped
// (`timerTag` 0 -> 1), then the mean levels are measured. True once measured: from then on
// every tick renders.
bool StartUpTick(TScopeState &state, int &timerTag);

// One rendering tick: which channels are ready (consuming their span), and the points of each
// trace that is ready and switched on. A ready tick is presented even with both channels off,
// so the picture shows the bare grid. In XY mode channel I's readiness paces the figure, which
// shows the channels that are on.
void PlanFrame(TScopeState &state, const std::array<TTraceControls, 2> &controls, const TFrameOptions &options,
               TTraceFrame &frame);
