#include "app/trace_measurement.h"

#include "app/frame_ring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

namespace {

constexpr double VoltsPerUnit = 0.1 / 50.4;

class TraceMeasurement : public testing::Test {
protected:
  void SetUp() override { State.SampleRate = 48000; }
  // Channel I from `first` on is wave(k) for the k-th frame; channel II stays silent.
  void Fill(int32_t first, int32_t frames, const std::function<double(int)> &wave) {
    for (int k = 0; k < frames; ++k)
      State.FrameRing[WrapRing(int64_t{first} + k)].Left = static_cast<int16_t>(std::lround(wave(k)));
  }
  void FillSine(double frequency, double amplitude, double phase = 0.3) {
    Fill(0, RingFrames,
         [&](int k) { return amplitude * std::sin(2 * std::numbers::pi * frequency * k / State.SampleRate + phase); });
  }
  TTraceMeasurement Measure(int32_t first, int32_t frames) {
    return MeasureFrames(State, chI, first, frames, VoltsPerUnit);
  }
  std::unique_ptr<TScopeState> Owner = std::make_unique<TScopeState>();
  TScopeState &State = *Owner;
};

void ExpectNear(const std::optional<double> &value, double expected, double relative) {
  ASSERT_TRUE(value.has_value());
  EXPECT_NEAR(*value, expected, expected * relative);
}

TEST_F(TraceMeasurement, SineAroundTheZeroLine) {
  State[chI].DcLevel = 500;
  Fill(0, RingFrames, [](int k) { return 500 + 10000 * std::sin(2 * std::numbers::pi * 997.3 * k / 48000 + 0.3); });
  for (int32_t frames : {504, 4800, RingFrames}) {
    const TTraceMeasurement m = Measure(0, frames);
    ExpectNear(m.FrequencyHz, 997.3, 0.001);
    // The sampled extremes fall short of the peaks by at most 1 - cos(pi / 48).
    ExpectNear(m.PeakToPeakVolts, 20000 * VoltsPerUnit, 0.003);
  }
  // Over whole periods and more the RMS is the amplitude over root two.
  ExpectNear(Measure(0, RingFrames).RmsVolts, 10000 / std::sqrt(2.0) * VoltsPerUnit, 0.001);
  const TTraceMeasurement silent = MeasureFrames(State, chII, 0, 504, VoltsPerUnit);
  EXPECT_FALSE(silent.FrequencyHz) << "channel II reads its own samples";
}

TEST_F(TraceMeasurement, SquareWave) {
  State.SampleRate = 44100;
  Fill(0, RingFrames, [](int k) { return std::fmod(k * 440.0 / 44100, 1.0) < 0.5 ? 8000 : -8000; });
  const TTraceMeasurement m = Measure(0, RingFrames);
  ExpectNear(m.FrequencyHz, 440, 0.001);
  ExpectNear(m.PeakToPeakVolts, 16000 * VoltsPerUnit, 1e-12);
  ExpectNear(m.RmsVolts, 8000 * VoltsPerUnit, 1e-12);
  // Over five periods the crossings' whole-frame steps still leave it within half a percent.
  ExpectNear(Measure(0, 504).FrequencyHz, 440, 0.005);
}

TEST_F(TraceMeasurement, DcSilenceAndNoiseHaveNoFrequency) {
  Fill(0, RingFrames, [](int) { return 300; });
  TTraceMeasurement m = Measure(0, 504);
  EXPECT_FALSE(m.FrequencyHz);
  EXPECT_EQ(m.PeakToPeakVolts, 0.0);
  ExpectNear(m.RmsVolts, 300 * VoltsPerUnit, 1e-12); // an offset from the zero line shows as RMS

  Fill(0, RingFrames, [](int) { return 0; });
  m = Measure(0, RingFrames);
  EXPECT_FALSE(m.FrequencyHz);
  EXPECT_EQ(m.PeakToPeakVolts, 0.0);
  EXPECT_EQ(m.RmsVolts, 0.0);

  // A swing just below the threshold is taken for noise, whatever its shape.
  Fill(0, RingFrames, [](int k) { return k % 37 < 18 ? 7 : -8; });
  EXPECT_FALSE(Measure(0, RingFrames).FrequencyHz);
  Fill(0, RingFrames, [](int k) { return k % 37 < 18 ? 8 : -8; });
  ExpectNear(Measure(0, RingFrames).FrequencyHz, 48000 / 37.0, 0.001);
}

TEST_F(TraceMeasurement, OneWholePeriodIsTheLeastThatCounts) {
  // Rises through the middle at frame 100 and, a period of 850 frames on, at 950; each counts once
  // the rise has gone a twelfth of a period further, to the upper hysteresis level.
  Fill(0, 1100, [](int k) { return 10000 * std::sin(2 * std::numbers::pi * (k - 100) / 850); });
  ExpectNear(Measure(0, 1030).FrequencyHz, 48000 / 850.0, 0.001);
  EXPECT_FALSE(Measure(0, 1000).FrequencyHz) << "the second rise is not through yet";
  // A period longer than the span never shows twice.
  Fill(0, 1000, [](int k) { return 10000 * std::sin(2 * std::numbers::pi * (k - 100) / 1100); });
  EXPECT_FALSE(Measure(0, 1000).FrequencyHz);
}

TEST_F(TraceMeasurement, NearHalfTheSampleRateRightOrEmpty) {
  FillSine(15000, 10000);
  ExpectNear(Measure(0, 504).FrequencyHz, 15000, 0.001);
  // Above a third of the rate some periods keep their samples inside the hysteresis and go
  // uncounted; what is shown must still be right.
  for (double frequency = 16000; frequency < 24000; frequency *= 1.003) {
    FillSine(frequency, 10000);
    const std::optional<double> measured = Measure(0, 504).FrequencyHz;
    if (measured) {
      ASSERT_NEAR(*measured, frequency, frequency * 0.001);
    }
  }
  Fill(0, RingFrames, [](int k) { return k % 2 == 0 ? -10000 : 10000; });
  ExpectNear(Measure(0, 504).FrequencyHz, 24000, 1e-12);
  // Rises timed 1.83 frames apart would be faster than the samples can show.
  constexpr std::array<int, 4> fast{-10000, 5000, -10000, 10000};
  Fill(0, 4, [&](int k) { return fast[k]; });
  EXPECT_FALSE(Measure(0, 4).FrequencyHz);
}

TEST_F(TraceMeasurement, OnlyEvenlySpacedRisesMakeAFrequency) {
  // A strong second harmonic bends the wave back towards its middle: still one rise per period.
  for (double harmonic : {6000, 12000}) {
    Fill(0, RingFrames, [&](int k) {
      const double phase = 2 * std::numbers::pi * k / 480;
      return 8000 * std::sin(phase) + harmonic * std::sin(2 * phase + 1);
    });
    ExpectNear(Measure(0, 4800).FrequencyHz, 100, 0.001);
  }
  // Two fast rises at the start of a span that then stays low are no 24 kHz tone.
  Fill(0, 1000, [](int k) { return k < 6 ? (k % 2 == 0 ? -10000 : 10000) : -10000; });
  EXPECT_FALSE(Measure(0, 1000).FrequencyHz);
  // Three rises 100 frames apart and then one 300 frames on: a period went missing.
  Fill(0, 1000, [](int k) { return k == 100 || k == 200 || k == 300 || k == 600 ? 10000 : -10000; });
  EXPECT_FALSE(Measure(0, 700).FrequencyHz);
  ExpectNear(Measure(0, 350).FrequencyHz, 480, 1e-12);
}

TEST_F(TraceMeasurement, ClippedInputHasNoVoltages) {
  for (double amplitude : {40000.0, -40000.0}) {
    Fill(0, RingFrames, [&](int k) { return std::clamp(amplitude * std::sin(k / 30.0), -32768.0, 32767.0); });
    const TTraceMeasurement m = Measure(0, 504);
    EXPECT_FALSE(m.PeakToPeakVolts);
    EXPECT_FALSE(m.RmsVolts);
    ExpectNear(m.FrequencyHz, 48000 / (60 * std::numbers::pi), 0.001); // its frequency is still right
  }
  State.FrameRing[10].Left = -32768; // one sample at the end of the range is enough
  State.FrameRing[11].Left = 0;
  EXPECT_FALSE(Measure(5, 10).PeakToPeakVolts);
  EXPECT_TRUE(Measure(11, 10).PeakToPeakVolts);
}

TEST_F(TraceMeasurement, SpanWrapsTheRingsEnd) {
  auto wave = [](int k) { return 6000 * std::sin(k / 11.0) + 1000 * std::sin(k / 3.1); };
  Fill(0, 504, wave);
  const TTraceMeasurement atStart = Measure(0, 504);
  Fill(RingFrames - 200, 504, wave);
  const TTraceMeasurement wrapped = Measure(RingFrames - 200, 504);
  ASSERT_TRUE(atStart.FrequencyHz);
  EXPECT_EQ(wrapped.FrequencyHz, atStart.FrequencyHz);
  EXPECT_EQ(wrapped.PeakToPeakVolts, atStart.PeakToPeakVolts);
  EXPECT_EQ(wrapped.RmsVolts, atStart.RmsVolts);
  EXPECT_EQ(Measure(-200, 504).RmsVolts, atStart.RmsVolts) << "a first frame off the ring wraps too";
  EXPECT_EQ(Measure(2 * RingFrames - 200, 504).RmsVolts, atStart.RmsVolts);
}

TEST_F(TraceMeasurement, SpansTooShortTooLongOrUnscaled) {
  FillSine(1000, 5000);
  for (int32_t frames : {-5, 0, 1}) {
    const TTraceMeasurement m = Measure(0, frames);
    EXPECT_FALSE(m.FrequencyHz || m.PeakToPeakVolts || m.RmsVolts) << frames << " frames";
  }
  EXPECT_TRUE(Measure(0, 2).PeakToPeakVolts);
  const TTraceMeasurement whole = Measure(7, RingFrames);
  const TTraceMeasurement beyond = Measure(7, INT32_MAX);
  EXPECT_EQ(beyond.FrequencyHz, whole.FrequencyHz) << "never more than the ring";
  EXPECT_EQ(beyond.RmsVolts, whole.RmsVolts);
  for (double scale : {0.0, -1.0, std::nan("")}) {
    const TTraceMeasurement m = MeasureFrames(State, chI, 0, 504, scale);
    EXPECT_FALSE(m.PeakToPeakVolts || m.RmsVolts);
    EXPECT_TRUE(m.FrequencyHz);
  }
  State.SampleRate = 0;
  EXPECT_FALSE(Measure(0, 504).FrequencyHz);
}

TEST_F(TraceMeasurement, FarOffZeroLineNeitherOverflowsNorLosesTheRms) {
  State[chI].DcLevel = INT32_MIN;
  Fill(0, RingFrames, [](int) { return 0; });
  ExpectNear(Measure(0, RingFrames).RmsVolts, 2147483648.0 * VoltsPerUnit, 1e-12);
}

} // namespace
