#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Frequency (by rising zero crossings, at 44100 Hz) and peak of the left channel in the last
// `frames` frames of interleaved 16-bit stereo samples.
void Analyse(const std::vector<int16_t> &samples, size_t frames, double &frequency, int &peak);
