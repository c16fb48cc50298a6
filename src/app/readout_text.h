#pragma once

#include "app/channel_state.h"
#include "app/trace_measurement.h"

#include <array>
#include <string_view>

// One readout line in UTF-8, kept in place so that formatting it allocates nothing.
struct TReadoutText {
  std::array<char, 64> Chars{};
  int Length = 0;
  std::string_view View() const { return {Chars.data(), static_cast<size_t>(Length)}; }
};

// The line of one channel, in columns that stay put from frame to frame:
//   "I   1.000 kHz  2.830 Vpp   1.001 Vrms"
//   "II  999.8 Hz   354.0 mVpp  125.1 mVrms"
//   "II      — Hz       — Vpp       — Vrms"
// Each number has four significant digits in five characters, with the unit prefix (m, none, k)
// that keeps it below 1000; below the smallest prefix it keeps three decimals ("0.170 Hz"). A
// value that is empty, not finite, negative or beyond the largest prefix shows as an em dash.
void FormatReadout(TChannel channel, const TTraceMeasurement &measurement, TReadoutText &out);
