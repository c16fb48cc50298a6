#pragma once

#include "rtl/stream.h"

#include <cstdint>
#include <string>
#include <vector>

// Builds RIFF/WAVE images byte by byte, so tests can make exactly the malformed ones they need.
class TWaveImage {
public:
  TWaveImage &Raw(const std::string &bytes);
  TWaveImage &U16(uint16_t value);
  TWaveImage &U32(uint32_t value);
  TWaveImage &Chunk(const std::string &id, const std::vector<uint8_t> &content);
  TWaveImage &Riff(const std::string &formType = "WAVE");
  // A plain 16-byte PCM "fmt " chunk.
  TWaveImage &Fmt(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t blockAlign);

  const std::vector<uint8_t> &Bytes() const { return FBytes; }
  void WriteTo(TStream &stream) const;

private:
  std::vector<uint8_t> FBytes;
};

std::vector<uint8_t> Ramp(size_t size);
// One second of a 1 kHz sine at half scale, 16-bit stereo 44100 Hz: loops without a seam.
TWaveImage HalfScaleTone();
