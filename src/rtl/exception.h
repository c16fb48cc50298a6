#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// Resource strings are formatted with "%s" (text), "%d" (integer) and "%%"; the arguments fill
// the markers in order. A marker without an argument stays as it stands.
class TFormatArg {
public:
  TFormatArg(std::string_view text) : FText(text) {}
  TFormatArg(const std::string &text) : FText(text) {}
  TFormatArg(const char *text) : FText(text) {}
  template <class N>
  requires std::is_integral_v<N> TFormatArg(N number) : FText(std::to_string(number)) {}

  const std::string &Text() const { return FText; }

private:
  std::string FText;
};

std::string FormatMessage(std::string_view format, const std::vector<TFormatArg> &args);

template <class... A> std::string Format(std::string_view format, const A &...args) {
  return FormatMessage(format, {TFormatArg(args)...});
}

// The root of every error this program raises; it carries a finished message text.
class Exception : public std::exception {
public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  template <class... A>
  requires(sizeof...(A) > 0) Exception(std::string_view format, const A &...args) : FMessage(Format(format, args...)) {}

  const std::string &Message() const { return FMessage; }
  const char *what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
};

class EConvertError : public Exception {
public:
  using Exception::Exception;
};

class EOverflow : public Exception {
public:
  using Exception::Exception;
};

class EStreamError : public Exception {
public:
  using Exception::Exception;
};

class EReadError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
