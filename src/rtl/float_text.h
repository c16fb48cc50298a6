#pragma once

#include <string>
#include <string_view>

// The decimal separator of number texts; the application sets it from the user's locale.
extern char DecimalSeparator;

// General format: at most 15 significant digits, no trailing zeros, scientific notation only for
// very large or very small magnitudes ("1E20", "1E-5").
std::string FloatToStr(double value);

// Accepts surrounding blanks, a sign, digits with the decimal separator and an exponent; anything
// else raises EConvertError.
double StrToFloat(std::string_view text);
