#include "app/trace_measurement.h"

#include "app/frame_ring.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// Calls visit(k, sample) for the span's frames in order: the ring read as at most two runs of
// memory, since a division per sample would cost more than the measurement itself.
template <class TVisit>
void ForEachSample(const TScopeState &state, TChannel channel, int32_t first, int32_t frames, TVisit &&visit) {
  const int32_t untilEnd = std::min(frames, RingFrames - first);
  int32_t k = 0;
  for (const auto &[start, count] : {std::pair{first, untilEnd}, std::pair{0, frames - untilEnd}})
    for (const TSampleFrame *frame = &state.FrameRing[start], *end = frame + count; frame != end; ++frame, ++k)
      visit(k, channel == chI ? frame->Left : frame->Right);
}

// The crossings' hysteresis to either side of the middle, as a share of the peak-to-peak.
constexpr double CrossingHysteresis = 0.25;

// Sums of the samples and their squares are exact in 64 bits for any span the ring holds, and add
// up faster than deviations in floating point.
struct TSpanLevels {
  int32_t Min = INT32_MAX;
  int32_t Max = INT32_MIN;
  int64_t Sum = 0;
  int64_t SquareSum = 0;
};

TSpanLevels Levels(const TScopeState &state, TChannel channel, int32_t first, int32_t frames) {
  TSpanLevels levels;
  ForEachSample(state, channel, first, frames, [&](int32_t, int32_t sample) {
    levels.Min = std::min(levels.Min, sample);
    levels.Max = std::max(levels.Max, sample);
    levels.Sum += sample;
    levels.SquareSum += int64_t{sample} * sample;
  });
  return levels;
}

// The mean square of the deviations from the zero line: sum (s - dc)^2 = sum s^2 - 2 dc sum s + n dc^2,
// exact in double while the zero line lies in the sample range, as a measured one does.
double MeanSquareAround(const TSpanLevels &levels, int32_t frames, int32_t dcLevel) {
  const double dc = dcLevel;
  const double sum =
      static_cast<double>(levels.SquareSum) - 2 * dc * static_cast<double>(levels.Sum) + frames * dc * dc;
  return std::max(sum, 0.0) / frames;
}

// Rising crossings of `middle`, counted as a Schmitt trigger does: only once the signal has been
// below middle - hysteresis and then reaches middle + hysteresis, so noise riding on the slope
// near a peak cannot count twice. Each is timed at its last pass through the middle, where the
// line between the samples around it meets the middle.
std::optional<double> Frequency(const TScopeState &state, TChannel channel, int32_t first, int32_t frames,
                                const TSpanLevels &levels) {
  const int32_t swing = levels.Max - levels.Min;
  if (swing < MinFrequencySwing || state.SampleRate <= 0)
    return std::nullopt;
  const double middle = (static_cast<double>(levels.Max) + levels.Min) / 2;
  const double low = middle - swing * CrossingHysteresis;
  const double high = middle + swing * CrossingHysteresis;
  bool armed = false;
  double passed = -1; // time of the last rise through the middle since arming, -1 for none
  int crossings = 0;
  double firstTime = 0;
  double lastTime = 0;
  double shortest = frames;
  double longest = 0;
  int32_t previous = 0;
  ForEachSample(state, channel, first, frames, [&](int32_t k, int32_t sample) {
    if (sample < low) {
      armed = true;
      passed = -1;
    } else if (armed) {
      if (sample >= middle && previous < middle)
        passed = (k - 1) + (middle - previous) / (sample - previous);
      if (sample >= high && passed >= 0) {
        if (crossings++ == 0) {
          firstTime = passed;
        } else {
          shortest = std::min(shortest, passed - lastTime);
          longest = std::max(longest, passed - lastTime);
        }
        lastTime = passed;
        armed = false;
      }
    }
    previous = sample;
  });
  if (crossings < 2)
    return std::nullopt;
  const double period = (lastTime - firstTime) / (crossings - 1);
  // Periods that differ by half of one are no steady frequency: close to half the sample rate a
  // period whose samples stay inside the hysteresis goes uncounted and its neighbour seems
  // twice as long, and a wave that rises through the middle twice per period alternates short and
  // long. A plain count would be wrong by a whole factor there. Before the first crossing and
  // after the last one there is room for less than one more (the first may wait for the signal to
  // arm); a longer stretch means crossings were missed, or the two found were noise.
  const double lead = firstTime;
  const double tail = frames - 1 - lastTime;
  if (longest - shortest > period / 2 || std::max(lead, tail) > 1.5 * period)
    return std::nullopt;
  // Interpolated crossings can lie closer than two frames apart on a noisy signal; what they
  // would give cannot be told from these samples.
  const double frequency = state.SampleRate / period;
  if (frequency > state.SampleRate / 2.0)
    return std::nullopt;
  return frequency;
}

} // namespace

TTraceMeasurement MeasureFrames(const TScopeState &state, TChannel channel, int32_t firstFrame, int32_t frames,
                                double voltsPerUnit) {
  TTraceMeasurement measurement;
  // More than a ring would read frames twice.
  frames = std::min(frames, RingFrames);
  if (frames < 2)
    return measurement;
  const int32_t first = WrapRing(firstFrame);
  const TSpanLevels levels = Levels(state, channel, first, frames);
  measurement.FrequencyHz = Frequency(state, channel, first, frames, levels);
  const bool clipped = levels.Min == INT16_MIN || levels.Max == INT16_MAX;
  if (!clipped && std::isfinite(voltsPerUnit) && voltsPerUnit > 0) {
    measurement.PeakToPeakVolts = (levels.Max - levels.Min) * voltsPerUnit;
    measurement.RmsVolts = std::sqrt(MeanSquareAround(levels, frames, state[channel].DcLevel)) * voltsPerUnit;
  }
  return measurement;
}
