// tone_wave FILE sine FREQUENCY AMPLITUDE SECONDS
// tone_wave FILE step LEVEL SILENT_SECONDS SECONDS
// tone_wave FILE quadrature FREQUENCY AMPLITUDE SECONDS
// Writes a 48000 Hz 16-bit stereo WAVE (the test sink's own rate, so playing it needs no
// resampling) with the program's wave writer. AMPLITUDE and LEVEL are in sample units, so the
// picture can be predicted: at the scope's finest scale one unit is one pixel.
#include "rtl/exception.h"
#include "sound/wave_file_stream.h"
#include "sound/wave_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 48000;

int Usage() {
  std::fprintf(stderr, "usage: tone_wave FILE sine FREQUENCY AMPLITUDE SECONDS\n"
                       "       tone_wave FILE step LEVEL SILENT_SECONDS SECONDS\n"
                       "       tone_wave FILE quadrature FREQUENCY AMPLITUDE SECONDS\n");
  return 2;
}

bool ParseNumber(const char *text, double low, double high, double &value) {
  char *end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && value >= low && value <= high;
}

int16_t Sample(double value) { return static_cast<int16_t>(std::lround(std::clamp(value, -32768.0, 32767.0))); }

// The same signal on both channels, so both traces show it; or, a quarter turn apart, channel II
// a quarter period ahead of channel I, which an XY picture shows as a circle.
std::vector<int16_t> Sine(double frequency, double amplitude, double seconds, bool quadrature) {
  std::vector<int16_t> samples(static_cast<size_t>(Rate * seconds) * 2);
  const double lead = quadrature ? std::numbers::pi / 2 : 0;
  for (size_t frame = 0; frame < samples.size() / 2; ++frame) {
    const double phase = 2 * std::numbers::pi * frequency * static_cast<double>(frame) / Rate;
    samples[2 * frame] = Sample(amplitude * std::sin(phase));
    samples[2 * frame + 1] = Sample(amplitude * std::sin(phase + lead));
  }
  return samples;
}

std::vector<int16_t> Step(double level, double silentSeconds, double seconds) {
  std::vector<int16_t> samples(static_cast<size_t>(Rate * seconds) * 2);
  const size_t stepFrame = static_cast<size_t>(Rate * silentSeconds);
  for (size_t frame = stepFrame; frame < samples.size() / 2; ++frame)
    samples[2 * frame] = samples[2 * frame + 1] = Sample(level);
  return samples;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 6)
    return Usage();
  const std::string kind = argv[2];
  double first = 0, second = 0, seconds = 0;
  if (!ParseNumber(argv[5], 0.1, 600, seconds))
    return Usage();
  std::vector<int16_t> samples;
  if ((kind == "sine" || kind == "quadrature") && ParseNumber(argv[3], 1, Rate / 2.0, first) &&
      ParseNumber(argv[4], 0, 32767, second))
    samples = Sine(first, second, seconds, kind == "quadrature");
  else if (kind == "step" && ParseNumber(argv[3], -32768, 32767, first) && ParseNumber(argv[4], 0, seconds, second))
    samples = Step(first, second, seconds);
  else
    return Usage();
  try {
    TWaveFileStream wave(argv[1], TFileStream::fmCreate);
    wave.SetFormatSize(sizeof(TWaveFormatEx));
    MakePcmFormat(*wave.Format(), Rate, 16, 2);
    wave.Open(true);
    wave.WriteBuffer(samples.data(), static_cast<int64_t>(samples.size() * sizeof(int16_t)));
    wave.Finish();
  } catch (const Exception &error) {
    std::fprintf(stderr, "tone_wave: %s\n", error.Message().c_str());
    return 1;
  }
  return 0;
}
