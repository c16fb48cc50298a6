#pragma once

#include <cstdint>

// One pixel of a row of packed pixels, as bitmaps and surfaces lay them out: 1 and 4 bits from
// the high end of the byte, 16 and 32 bits little-endian, 24 bits with the value's high byte
// first (a picture stored blue, green, red per pixel thus reads as a colour with red in the low
// byte). Other depths read as 0 and are not written. Pictures, surfaces and the 2D device all
// read and write pixels through these two, so a value means the same wherever it is stored.
inline uint32_t ReadPackedPixel(const uint8_t *row, int x, int bitCount) {
  switch (bitCount) {
  case 1:
    return (row[x / 8] >> (7 - x % 8)) & 1;
  case 4:
    return x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
  case 8:
    return row[x];
  case 16:
    return row[2 * x] | (row[2 * x + 1] << 8);
  case 24:
    return (row[3 * x] << 16) | (row[3 * x + 1] << 8) | row[3 * x + 2];
  case 32:
    return row[4 * x] | (row[4 * x + 1] << 8) | (row[4 * x + 2] << 16) | (static_cast<uint32_t>(row[4 * x + 3]) << 24);
  default:
    return 0;
  }
}

inline void WritePackedPixel(uint8_t *row, int x, int bitCount, uint32_t value) {
  switch (bitCount) {
  case 1: {
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
    row[x / 8] = (value & 1) ? row[x / 8] | bit : row[x / 8] & ~bit;
    break;
  }
  case 4:
    row[x / 2] = x % 2 ? (row[x / 2] & 0xF0) | (value & 0x0F) : (row[x / 2] & 0x0F) | ((value & 0x0F) << 4);
    break;
  case 8:
    row[x] = static_cast<uint8_t>(value);
    break;
  case 16:
    row[2 * x] = static_cast<uint8_t>(value);
    row[2 * x + 1] = static_cast<uint8_t>(value >> 8);
    break;
  case 24:
    row[3 * x] = static_cast<uint8_t>(value >> 16);
    row[3 * x + 1] = static_cast<uint8_t>(value >> 8);
    row[3 * x + 2] = static_cast<uint8_t>(value);
    break;
  case 32:
    for (int i = 0; i < 4; ++i)
      row[4 * x + i] = static_cast<uint8_t>(value >> (8 * i));
    break;
  default:
    break;
  }
}
