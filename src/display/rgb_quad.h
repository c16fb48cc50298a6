#pragma once

#include <array>
#include <cstdint>

// A colour-table entry: blue, green, red, reserved.
struct TRGBQuad {
  uint8_t rgbBlue = 0;
  uint8_t rgbGreen = 0;
  uint8_t rgbRed = 0;
  uint8_t rgbReserved = 0;
  bool operator==(const TRGBQuad &) const = default;
};

using TRGBQuads = std::array<TRGBQuad, 256>;
