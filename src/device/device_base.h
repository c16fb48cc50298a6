#pragma once

#include "platform/result_codes.h"
#include "rtl/exception.h"

// The root of the device wrappers' exceptions.
class EDirectXError : public Exception {
public:
  using Exception::Exception;
};

// Messages every device wrapper raises with its object's name.
inline constexpr const char *SCannotMade = "%s cannot be made";
inline constexpr const char *SNotMade = "%s not made";
inline constexpr const char *SCannotInitialized = "%s cannot be initialized";

// The base of every wrapper of a platform device object: it keeps the result of the last
// platform call made through the object. A failing result calls Check, which a wrapper may
// override to raise.
class TDirectX {
public:
  virtual ~TDirectX() = default;

  HRESULT DXResult() const { return FDXResult; }
  void SetDXResult(HRESULT result);

  virtual void Check() {}

private:
  HRESULT FDXResult = 0;
};
