#include "rtl/exception.h"

std::string FormatMessage(std::string_view format, const std::vector<TFormatArg> &args) {
  std::string result;
  result.reserve(format.size() + 32);
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%' || i + 1 == format.size()) {
      result += c;
      continue;
    }
    const char kind = format[i + 1];
    if (kind == '%') {
      result += '%';
      ++i;
    } else if ((kind == 's' || kind == 'd') && next < args.size()) {
      result += args[next++].Text();
      ++i;
    } else {
      result += c;
    }
  }
  return result;
}
