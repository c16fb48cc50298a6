#pragma once

#include <QColor>
#include <cstdint>

// A colour value as forms store it: an RGB colour with red in the low byte, a system colour
// (0x80000000 plus its index), or one of the two special values.
using TColor = uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;    // no colour: nothing is transparent
constexpr TColor clDefault = 0x20000000; // the picture's own choice
constexpr TColor clPaletteFlag = 0x02000000;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;

constexpr TColor clWindowFrame = 0x80000006;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clGrayText = 0x80000011;
constexpr TColor clBtnText = 0x80000012;
constexpr TColor clBtnHighlight = 0x80000014;
constexpr TColor cl3DDkShadow = 0x80000015;

constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>(r & 0xFF) | static_cast<TColor>(g & 0xFF) << 8 | static_cast<TColor>(b & 0xFF) << 16;
}

// The RGB colour a value stands for; system colours come from the classic 3D scheme, so every
// control and surface draws the same on any desktop theme. The special values give black.
QColor ColorToQColor(TColor color);
TColor QColorToColor(QColor color);
// The same as an RGB colour value (red in the low byte).
uint32_t ColorToRGB(TColor color);
