#include "app/calibration.h"

#include "rtl/exception.h"
#include "rtl/float_text.h"

#include <algorithm>
#include <cmath>

namespace {

// The 6-byte real reaches about 1.7e38; its smallest normal value is about 2.9e-39.
constexpr double LargestFactor = 1.7e38;
constexpr double SmallestFactor = 3e-39;

} // namespace

TReal48 FactorFromVoltsText(const std::string &text, int voltShift) {
  const double volts = StrToFloat(text);
  const double factor = std::ldexp(volts, -std::clamp(voltShift, 0, 15));
  // Zero would silence every later volts/div text; beyond the 6-byte real it would overflow.
  if (!std::isfinite(factor) || factor < SmallestFactor || factor > LargestFactor)
    throw EConvertError("'%s' is not a valid floating point value", text);
  return TReal48(factor);
}
