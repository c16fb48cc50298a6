#include "support/tone_analysis.h"

#include <algorithm>
#include <cstdlib>

void Analyse(const std::vector<int16_t> &samples, size_t frames, double &frequency, int &peak) {
  const size_t total = samples.size() / 2;
  const size_t first = total > frames ? total - frames : 0;
  int crossings = 0;
  peak = 0;
  for (size_t i = first + 1; i < total; ++i) {
    const int previous = samples[2 * (i - 1)];
    const int current = samples[2 * i];
    crossings += previous < 0 && current >= 0;
    peak = std::max(peak, std::abs(current));
  }
  frequency = crossings * 44100.0 / double(total - first);
}
