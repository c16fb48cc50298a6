#pragma once

#include "app/readout_text.h"
#include "app/trace_frame.h"

#include <array>
#include <cstdint>

// Where the readout's lines go: channel I's cell corner at ReadoutLeft, ReadoutTop, channel II's a
// line below, over a black box that keeps the traces and the grid out of the text.
constexpr int ReadoutLeft = 4;
constexpr int ReadoutTop = 4;
constexpr int ReadoutChars = 38; // the longest line FormatReadout writes

// What the measurement readout shows: each channel's latest measurement, turned into its line a
// few times a second, since numbers that change with every frame cannot be read. Allocates
// nothing.
class TReadout {
public:
  // Keeps the measurements of the channels the frame drew.
  void Take(const TTraceFrame &frame);
  // Writes the lines anew when RefreshMs have passed since they were last written (or never were).
  void Refresh(uint32_t nowMs);
  // Starts over: nothing measured yet, the lines written at the next refresh.
  void Clear();
  const TReadoutText &Line(TChannel channel) const { return FLines[channel]; }

  static constexpr int32_t RefreshMs = 250;

private:
  std::array<TTraceMeasurement, 2> FLatest{};
  std::array<TReadoutText, 2> FLines{};
  uint32_t FWrittenAt = 0;
  bool FWritten = false;
};
