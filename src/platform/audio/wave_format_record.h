#pragma once

#include <cstdint>

// The wave format record as the sound devices and WAVE files hold it: 18 bytes, little-endian,
// no padding. Plain PCM files carry only the first 16 bytes (without cbSize).
#pragma pack(push, 1)
struct TWaveFormatEx {
  uint16_t wFormatTag;
  uint16_t nChannels;
  uint32_t nSamplesPerSec;
  uint32_t nAvgBytesPerSec;
  uint16_t nBlockAlign;
  uint16_t wBitsPerSample;
  uint16_t cbSize;
};
#pragma pack(pop)

static_assert(sizeof(TWaveFormatEx) == 18, "the record layout is fixed");

constexpr uint16_t WAVE_FORMAT_PCM = 1;
// Bytes of the record up to and including wBitsPerSample: what a consumer needs.
constexpr int WAVE_FORMAT_PCM_SIZE = 16;
