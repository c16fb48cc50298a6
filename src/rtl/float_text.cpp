#include "rtl/float_text.h"

#include "rtl/exception.h"

#include <cctype>
#include <charconv>
#include <cmath>

char DecimalSeparator = '.';

std::string FloatToStr(double value) {
  if (std::isnan(value))
    return "NAN";
  if (std::isinf(value))
    return value > 0 ? "INF" : "-INF";
  // to_chars ignores the C library's locale, which the GUI toolkit sets from the environment.
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
  std::string text(buffer, end);
  // "1e+20" -> "1E20", "1e-05" -> "1E-5"
  if (const auto e = text.find('e'); e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    const bool negative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+'))
      exponent.erase(0, 1);
    exponent.erase(0, exponent.find_first_not_of('0'));
    text = mantissa + "E" + (negative ? "-" : "") + exponent;
  }
  if (const auto dot = text.find('.'); dot != std::string::npos)
    text[dot] = DecimalSeparator;
  return text;
}

double StrToFloat(std::string_view text) {
  const auto fail = [&]() -> double {
    throw EConvertError("'%s' is not a valid floating point value", std::string(text));
  };
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ')
    ++i;
  size_t end = n;
  while (end > i && text[end - 1] == ' ')
    --end;
  std::string plain; // the number spelt with a point, for from_chars
  if (i < end && (text[i] == '+' || text[i] == '-'))
    plain += text[i++];
  size_t digits = 0;
  while (i < end && std::isdigit(static_cast<unsigned char>(text[i]))) {
    plain += text[i++];
    ++digits;
  }
  if (i < end && text[i] == DecimalSeparator) {
    plain += '.';
    ++i;
    while (i < end && std::isdigit(static_cast<unsigned char>(text[i]))) {
      plain += text[i++];
      ++digits;
    }
  }
  if (digits == 0)
    return fail();
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'E';
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-'))
      plain += text[i++];
    size_t exponentDigits = 0;
    while (i < end && std::isdigit(static_cast<unsigned char>(text[i]))) {
      plain += text[i++];
      ++exponentDigits;
    }
    if (exponentDigits == 0)
      return fail();
  }
  if (i != end)
    return fail();
  if (plain[0] == '+')
    plain.erase(0, 1);
  double value = 0;
  const auto [last, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || last != plain.data() + plain.size())
    return fail();
  return value;
}
