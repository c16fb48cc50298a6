#pragma once

#include "rtl/exception.h"

// Errors of pictures: bad data, an operation the picture's format cannot do, and memory the
// system would not give.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

class EInvalidGraphicOperation : public Exception {
public:
  using Exception::Exception;
};

class EOutOfResources : public Exception {
public:
  using Exception::Exception;
};

inline constexpr const char *SInvalidDIB = "DIB is invalid";
