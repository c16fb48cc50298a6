#pragma once

#include <array>
#include <cstdint>

// The 6-byte real in which the scope keeps its volts factors and milliseconds per division:
// byte 0 is the exponent biased by 129 (0 means the value 0), bytes 1..5 hold a 39-bit fraction
// with a hidden leading 1, least significant byte first, and the top bit of byte 5 is the sign.
// Every store rounds to that precision, so a value reads back exactly as it was stored.
class TReal48 {
public:
  TReal48() = default;
  TReal48(double value); // raises EOverflow beyond the format's range

  operator double() const { return Value(); }
  double Value() const;
  const std::array<uint8_t, 6> &Bytes() const { return FBytes; }
  static TReal48 FromBytes(const std::array<uint8_t, 6> &bytes);

  // The value a store keeps of x.
  static double Reduce(double x) { return TReal48(x).Value(); }

private:
  std::array<uint8_t, 6> FBytes{};
};
