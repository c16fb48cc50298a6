#include "app/time_texts.h"

#include "rtl/float_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

double MsPerDivision(const TChannelState &channel, int32_t sampleRate) {
  const int64_t numerator = int64_t{channel.SpanWidth} * 100 * channel.SampleStep;
  const int64_t denominator = int64_t{sampleRate} * channel.ZoomFactor * channel.PixelStep;
  return static_cast<double>(numerator) / static_cast<double>(denominator);
}

std::string TimeText(double msPerDiv) {
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%5.3f", msPerDiv);
  std::string result(text, static_cast<size_t>(std::clamp(length, 0, static_cast<int>(sizeof text) - 1)));
  for (char &c : result)
    if (c == '.')
      c = DecimalSeparator;
  return result;
}

std::array<std::string, 2> ComputeTimeTexts(TScopeState &state) {
  std::array<std::string, 2> texts;
  for (TChannel channel : {chI, chII}) {
    TChannelState &fields = state[channel];
    fields.MsPerDiv = TReal48(MsPerDivision(fields, state.SampleRate));
    texts[channel] = TimeText(fields.MsPerDiv);
  }
  return texts;
}
