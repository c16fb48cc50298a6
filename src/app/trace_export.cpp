#include "app/trace_export.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

const char *const ChannelNames[] = {"I", "II"};

// to_chars ignores the C library's locale, which the GUI toolkit sets from the environment: the
// numbers always have a ".", and nine digits read back the same float level.
void AppendNumber(std::string &text, double value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9).ptr;
  text.append(buffer, end);
}

} // namespace

std::string TracesCsv(const TTraceFrame &frame) {
  std::vector<TChannel> shown;
  for (TChannel ch : {chI, chII})
    if (frame.Present && frame.Draw[ch])
      shown.push_back(ch);
  if (shown.empty())
    return {};
  std::string text = TraceExportSignature;
  text += frame.XY ? ", XY picture\n" : ", traces over time\n";
  for (TChannel ch : shown) {
    text += std::string("# ") + ChannelNames[ch] + ": ";
    AppendNumber(text, frame.Scales[ch].VoltsPerDiv);
    text += " V/div, ";
    AppendNumber(text, frame.Scales[ch].MsPerDiv);
    text += " ms/div\n";
  }
  int rows = 0;
  for (TChannel ch : shown) {
    if (ch != shown.front())
      text += ',';
    text += std::string(ChannelNames[ch]) + " time (ms)," + ChannelNames[ch] + " (V)";
    rows = std::max(rows, frame.Traces[ch].Count);
  }
  text += '\n';
  for (int i = 0; i < rows; ++i) {
    for (TChannel ch : shown) {
      if (ch != shown.front())
        text += ',';
      const TTracePoints &trace = frame.Traces[ch];
      const TTraceScale &scale = frame.Scales[ch];
      if (i < trace.Count) {
        AppendNumber(text, i * scale.MsPerPoint);
        text += ',';
        AppendNumber(text, trace.Levels[i] * scale.VoltsPerLevel);
      } else {
        text += ',';
      }
    }
    text += '\n';
  }
  return text;
}
