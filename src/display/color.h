#pragma once

#include <cstdint>

// A colour value: an RGB colour (red in the low byte), or 0x80000000 plus a system colour index.
using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBtnFace = 0x8000000F;

constexpr TColor RGB(uint8_t red, uint8_t green, uint8_t blue) { return red | (green << 8) | (blue << 16); }

// The RGB value of a colour, with system colours taken from the application's palette.
uint32_t ColorToRGB(TColor color);
