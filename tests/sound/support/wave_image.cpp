#include "support/wave_image.h"

#include <cmath>
#include <numbers>

TWaveImage &TWaveImage::Raw(const std::string &bytes) {
  FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
  return *this;
}

TWaveImage &TWaveImage::U16(uint16_t value) {
  FBytes.push_back(uint8_t(value));
  FBytes.push_back(uint8_t(value >> 8));
  return *this;
}

TWaveImage &TWaveImage::U32(uint32_t value) {
  U16(uint16_t(value));
  return U16(uint16_t(value >> 16));
}

TWaveImage &TWaveImage::Chunk(const std::string &id, const std::vector<uint8_t> &content) {
  Raw(id).U32(uint32_t(content.size()));
  FBytes.insert(FBytes.end(), content.begin(), content.end());
  return *this;
}

TWaveImage &TWaveImage::Riff(const std::string &formType) { return Raw("RIFF").U32(0).Raw(formType); }

TWaveImage &TWaveImage::Fmt(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t blockAlign) {
  Raw("fmt ").U32(16).U16(1).U16(channels).U32(rate).U32(rate * blockAlign).U16(blockAlign);
  return U16(bits);
}

void TWaveImage::WriteTo(TStream &stream) const { stream.WriteBuffer(FBytes.data(), int64_t(FBytes.size())); }

std::vector<uint8_t> Ramp(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i)
    bytes[i] = uint8_t(i * 7 + 1);
  return bytes;
}

TWaveImage HalfScaleTone() {
  std::vector<uint8_t> data(176400);
  for (size_t frame = 0; frame < 44100; ++frame) {
    const auto value = uint16_t(int16_t(std::lround(16384 * std::sin(2 * std::numbers::pi * 1000 * frame / 44100.0))));
    for (size_t channel = 0; channel < 2; ++channel) {
      data[4 * frame + 2 * channel] = uint8_t(value);
      data[4 * frame + 2 * channel + 1] = uint8_t(value >> 8);
    }
  }
  return TWaveImage().Riff().Fmt(2, 44100, 16, 4).Chunk("data", data);
}
