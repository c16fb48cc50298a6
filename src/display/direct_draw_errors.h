#pragma once

#include "device/device_base.h"

class EDirectDrawError : public EDirectXError {
public:
  using EDirectXError::EDirectXError;
};

class EDirectDrawPaletteError : public EDirectDrawError {
public:
  using EDirectDrawError::EDirectDrawError;
};

class EDirectDrawClipperError : public EDirectDrawError {
public:
  using EDirectDrawError::EDirectDrawError;
};

class EDirectDrawSurfaceError : public EDirectDrawError {
public:
  using EDirectDrawError::EDirectDrawError;
};

// Failures of the display control itself.
class EDXDrawError : public Exception {
public:
  using Exception::Exception;
};
