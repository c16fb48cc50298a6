#pragma once

#include <cstdint>

// A device identifier; the stand-ins know only the default device (no identifier).
struct TGUID {
  uint32_t Data1 = 0;
  uint16_t Data2 = 0;
  uint16_t Data3 = 0;
  uint8_t Data4[8] = {};
};
