#pragma once

#include "app/scope_state.h"

#include <array>
#include <string>

// Milliseconds per division of a channel: SpanWidth x 100 x SampleStep over
// SampleRate x ZoomFactor x PixelStep. Both products are formed in 64 bits, so every SampleStep
// the knobs allow gives its true value.
double MsPerDivision(const TChannelState &channel, int32_t sampleRate);

// A milliseconds-per-division value as the panel shows it: three decimals, at least five
// characters, the locale's decimal separator.
std::string TimeText(double msPerDiv);

// Stores each channel's MsPerDiv (as a 6-byte real) and returns the texts for channel I and II,
// made from the stored values.
std::array<std::string, 2> ComputeTimeTexts(TScopeState &state);
