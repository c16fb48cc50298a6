#pragma once

#include <cstdint>

// Result codes of the platform stand-ins: 0 is success, negative values are failures.
using HRESULT = int32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);

inline bool Succeeded(HRESULT result) { return result >= 0; }
inline bool Failed(HRESULT result) { return result < 0; }
