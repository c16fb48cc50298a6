#pragma once

#include "rtl/real48.h"

#include <string>

// The volts factor a typed volts/div gives at a scale: the typed volts per division over
// 2^shift, held as a 6-byte real. Text that is not a positive, finite number the 6-byte real can
// hold as a factor raises the conversion error that text that is no number at all raises.
TReal48 FactorFromVoltsText(const std::string &text, int voltShift);
