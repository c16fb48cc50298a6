#include "rtl/real48.h"

#include "rtl/exception.h"

#include <cmath>

namespace {
constexpr int FractionBits = 39;
constexpr int ExponentBias = 129;
} // namespace

TReal48::TReal48(double value) {
  if (value == 0 || std::isnan(value))
    return;
  if (std::isinf(value))
    throw EOverflow("Floating point overflow");
  const bool negative = value < 0;
  int exponent = 0;
  // frexp gives m in [0.5, 1): value = m * 2^exponent = (2m) * 2^(exponent - 1).
  const double m = std::frexp(std::fabs(value), &exponent);
  // 2m in [1, 2): the leading 1 is hidden, 39 bits of fraction follow; round to nearest, ties to even.
  auto mantissa = static_cast<uint64_t>(std::nearbyint(std::ldexp(2 * m, FractionBits)));
  int biased = exponent - 1 + ExponentBias;
  if (mantissa >> (FractionBits + 1)) { // rounding carried into the next power of two
    mantissa >>= 1;
    ++biased;
  }
  if (biased <= 0)
    return; // below the smallest normal value: stored as 0
  if (biased > 255)
    throw EOverflow("Floating point overflow");
  const uint64_t fraction = mantissa & ((uint64_t(1) << FractionBits) - 1);
  FBytes[0] = static_cast<uint8_t>(biased);
  for (int i = 0; i < 5; ++i)
    FBytes[1 + i] = static_cast<uint8_t>(fraction >> (8 * i));
  if (negative)
    FBytes[5] |= 0x80;
}

TReal48 TReal48::FromBytes(const std::array<uint8_t, 6> &bytes) {
  TReal48 r;
  r.FBytes = bytes;
  return r;
}

double TReal48::Value() const {
  if (FBytes[0] == 0)
    return 0;
  uint64_t fraction = 0;
  for (int i = 4; i >= 0; --i)
    fraction = (fraction << 8) | FBytes[1 + i];
  fraction &= (uint64_t(1) << FractionBits) - 1;
  const uint64_t mantissa = fraction | (uint64_t(1) << FractionBits);
  const double magnitude = std::ldexp(static_cast<double>(mantissa), FBytes[0] - ExponentBias - FractionBits);
  return (FBytes[5] & 0x80) ? -magnitude : magnitude;
}
