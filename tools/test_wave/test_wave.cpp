// test_wave FILE
// Writes the calibration recording with the program's wave writer: a 1 kHz sine at half of full
// scale (peak 16384 of 32767, 0.3536 of full scale RMS) on both channels, 16-bit stereo 44100 Hz,
// exactly one second. One second holds exactly 1000 cycles, so the file loops without a seam.
#include "rtl/exception.h"
#include "sound/wave_file_stream.h"
#include "sound/wave_format.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int Rate = 44100;
constexpr double Frequency = 1000;
constexpr double Peak = 16384;

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: test_wave FILE\n");
    return 2;
  }
  std::vector<int16_t> samples(size_t(Rate) * 2);
  for (size_t frame = 0; frame < size_t(Rate); ++frame)
    samples[2 * frame] = samples[2 * frame + 1] =
        int16_t(std::lround(Peak * std::sin(2 * std::numbers::pi * Frequency * double(frame) / Rate)));
  try {
    TWaveFileStream wave(argv[1], TFileStream::fmCreate);
    wave.SetFormatSize(sizeof(TWaveFormatEx));
    MakePcmFormat(*wave.Format(), Rate, 16, 2);
    wave.Open(true);
    wave.WriteBuffer(samples.data(), int64_t(samples.size() * sizeof(int16_t)));
    wave.Finish();
  } catch (const Exception &error) {
    std::fprintf(stderr, "test_wave: %s\n", error.Message().c_str());
    return 1;
  }
  return 0;
}
