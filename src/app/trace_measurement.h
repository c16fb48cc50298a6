#pragma once

#include "app/scope_state.h"

#include <cstdint>
#include <optional>

// A channel's frequency and voltages over a span of the ring. A value that cannot be told from
// the samples is left empty rather than shown wrong.
struct TTraceMeasurement {
  std::optional<double> FrequencyHz;
  std::optional<double> PeakToPeakVolts;
  std::optional<double> RmsVolts;
};

// A frequency needs a peak-to-peak of at least this many sample units. A silent sound-card input
// still wanders by a few units; the crossings' hysteresis is a quarter of the peak-to-peak to
// either side of the middle, so from 16 units on such noise stays inside it.
constexpr int32_t MinFrequencySwing = 16;

// The frames [firstFrame, firstFrame + frames) of the channel in the ring (wrapping), at most a
// ring's worth. Peak-to-peak and RMS are in volts (voltsPerUnit per sample unit), the RMS taken
// around the channel's zero line (DcLevel); both are empty for fewer than two frames, for a
// clipped input (a sample at either end of the range) and for a scale that is no positive number.
// The frequency comes from the rises through the middle between the extremes, counted with
// hysteresis and timed by linear interpolation. It needs two of them a whole period apart and is
// empty for a signal below MinFrequencySwing, for rises unevenly spaced or missing (as close to
// half the sample rate, where a period's samples can miss the hysteresis), and above half the
// sample rate. Two passes over the frames, no allocation: it runs every frame.
TTraceMeasurement MeasureFrames(const TScopeState &state, TChannel channel, int32_t firstFrame, int32_t frames,
                                double voltsPerUnit);
