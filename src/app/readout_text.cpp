#include "app/readout_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr int NumberWidth = 5;
constexpr const char *EmDash = "\u2014";

// The unit prefixes a quantity may take, from the smallest, 10^(3 x (LowestPower + i)).
struct TUnit {
  const char *const *Prefixes;
  int PrefixCount;
  int LowestPower;
  const char *Symbol;
  int Width; // characters the prefix and symbol take together at most
};

constexpr const char *FrequencyPrefixes[] = {"", "k"};
constexpr const char *VoltagePrefixes[] = {"m", "", "k"};
constexpr TUnit Hertz{FrequencyPrefixes, 2, 0, "Hz", 3};
constexpr TUnit VoltsPeakToPeak{VoltagePrefixes, 3, -1, "Vpp", 4};
constexpr TUnit VoltsRms{VoltagePrefixes, 3, -1, "Vrms", 5};

double PowerOfTen(int exponent) {
  double power = 1;
  for (int i = 0; i < std::abs(exponent); ++i)
    power *= 10;
  return exponent < 0 ? 1 / power : power;
}

// `value` x 10^-exponent rounded to a whole number; the factor is exact, so a value that prints
// as x.5 rounds up as it reads.
long long Scaled(double value, int exponent) {
  return std::llround(exponent >= 0 ? value / PowerOfTen(exponent) : value * PowerOfTen(-exponent));
}

struct TNumber {
  char Digits[24]{}; // NumberWidth of them used; room for whatever a long long prints
  int Prefix = 0;
};

// Four significant digits with the decimal point where the prefix puts it, or nothing when the
// value cannot be shown that way.
std::optional<TNumber> FormatNumber(double value, const TUnit &unit) {
  if (!std::isfinite(value) || value < 0)
    return std::nullopt;
  const int lowestExponent = 3 * unit.LowestPower;
  TNumber number;
  if (value < PowerOfTen(lowestExponent)) {
    // Below the smallest prefix: three decimals of it; a value rounding up to 1 reads 1.000.
    const long long thousandths = Scaled(value, lowestExponent - 3);
    std::snprintf(number.Digits, sizeof number.Digits, "%lld.%03lld", thousandths / 1000, thousandths % 1000);
    return number;
  }
  // The decimal exponent of the leading digit, after rounding to four digits: log10 only guesses
  // it, and the mantissa puts it right.
  int exponent = static_cast<int>(std::floor(std::log10(value)));
  long long mantissa = Scaled(value, exponent - 3);
  if (mantissa < 1000)
    mantissa = Scaled(value, --exponent - 3);
  if (mantissa >= 10000) // also 9999.5, which rounds up to the next power of ten
    mantissa = Scaled(value, ++exponent - 3);
  const int prefix = std::clamp((exponent - lowestExponent) / 3, 0, unit.PrefixCount - 1);
  const int integerDigits = exponent - lowestExponent - 3 * prefix + 1;
  if (integerDigits < 1 || integerDigits > 3)
    return std::nullopt;
  char digits[24];
  std::snprintf(digits, sizeof digits, "%04lld", mantissa);
  std::snprintf(number.Digits, sizeof number.Digits, "%.*s.%s", integerDigits, digits, digits + integerDigits);
  number.Prefix = prefix;
  return number;
}

// Appends what fits; the buffer always keeps room for its terminating zero.
void Append(TReadoutText &out, const char *text) {
  const int room = static_cast<int>(out.Chars.size()) - out.Length;
  const int written = std::snprintf(out.Chars.data() + out.Length, static_cast<size_t>(room), "%s", text);
  out.Length += std::clamp(written, 0, room - 1);
}

void AppendSpaces(TReadoutText &out, int count) {
  for (int i = 0; i < count; ++i)
    Append(out, " ");
}

// "  " then the number right-aligned in its column, a space and the unit; `pad` fills the unit's
// column, which the last field leaves open.
void AppendField(TReadoutText &out, const std::optional<double> &value, const TUnit &unit, bool pad) {
  const std::optional<TNumber> number = value ? FormatNumber(*value, unit) : std::nullopt;
  const char *prefix = number ? unit.Prefixes[number->Prefix] : "";
  AppendSpaces(out, 2);
  if (number) {
    AppendSpaces(out, NumberWidth - static_cast<int>(std::char_traits<char>::length(number->Digits)));
    Append(out, number->Digits);
  } else {
    AppendSpaces(out, NumberWidth - 1);
    Append(out, EmDash);
  }
  Append(out, " ");
  Append(out, prefix);
  Append(out, unit.Symbol);
  if (pad)
    AppendSpaces(out, unit.Width - static_cast<int>(std::char_traits<char>::length(prefix)) -
                          static_cast<int>(std::char_traits<char>::length(unit.Symbol)));
}

} // namespace

void FormatReadout(TChannel channel, const TTraceMeasurement &measurement, TReadoutText &out) {
  out.Length = 0;
  Append(out, channel == chI ? "I " : "II");
  AppendField(out, measurement.FrequencyHz, Hertz, true);
  AppendField(out, measurement.PeakToPeakVolts, VoltsPeakToPeak, true);
  AppendField(out, measurement.RmsVolts, VoltsRms, false);
}
