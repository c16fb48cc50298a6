#pragma once

#include <cstdint>
#include <span>
#include <string>

// One entry of the capture device's format list, in the list's order.
struct TFormatEntry {
  int32_t SamplesPerSec = 0;
  int32_t BitsPerSample = 0;
  int32_t Channels = 0;
};

// What the format trackbar and the capture stream are set to. The scope reads every block as
// 16-bit stereo frames, so each trackbar position stands for one 16-bit stereo entry of the list:
// position p is the p-th such entry, counted from 1 in list order (the list ascends by rate).
struct TCaptureFormatChoice {
  int32_t StereoCount = 0;    // 16-bit stereo entries: the trackbar's Tag and Max
  int32_t Position = 0;       // trackbar position of FormatIndex
  int32_t FormatIndex = -1;   // list entry to capture with; -1: none
  int32_t FormatsPerStep = 0; // list entries per trackbar step; 0 without any 16-bit stereo entry
  int32_t SampleRate = 0;     // rate of FormatIndex
  std::string Hint;           // "%dHz %dbit %s" of FormatIndex

  // False when the device offers no 16-bit stereo format: there is nothing to capture with.
  bool Usable() const { return FormatIndex >= 0; }
};

// The list index of the p-th 16-bit stereo entry (p from 1), or -1 when there is none.
int StereoFormatIndex(std::span<const TFormatEntry> formats, int position);

// The choice at the first activation: the trackbar at its top, capturing with the highest-rate
// 16-bit stereo entry.
TCaptureFormatChoice InitialCaptureFormat(std::span<const TFormatEntry> formats);

// The choice for a trackbar moved to `position`.
TCaptureFormatChoice CaptureFormatAt(std::span<const TFormatEntry> formats, int position);

// "%dHz %dbit %s" with the rate, the bit depth and "Mono" or "Stereo".
std::string FormatHint(const TFormatEntry &format);
