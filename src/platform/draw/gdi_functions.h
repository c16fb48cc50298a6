#pragma once

#include "platform/draw/draw_types.h"

#include <array>

// The drawing calls on a device context (the HDC a surface's GetDC hands out, valid until its
// ReleaseDC) and on logical palettes. A null handle is ignored.

// The pen: its colour and width (at least one pixel).
void GdiSetPen(HDC dc, TColorRef color, int width);
// One of the R2_* operations; anything else means R2_COPYPEN.
void GdiSetRop2(HDC dc, int rop);
void GdiMoveTo(HDC dc, int x, int y);
// A line from the current position to (x, y), which is left out and becomes the position.
void GdiLineTo(HDC dc, int x, int y);
// Copies `source` (top-left origin) of the DIB into `dest`, scaling by nearest pixel; a negative
// destination width or height mirrors.
void GdiStretchDIB(HDC dc, const TRect &dest, const TRect &source, const TDIBSource &dib);

// Null when count is outside 1..256.
HPALETTE GdiCreatePalette(const TPaletteEntry *entries, int count);
// The number of entries copied.
int GdiGetPaletteEntries(HPALETTE palette, int start, int count, TPaletteEntry *entries);
void GdiDeletePalette(HPALETTE palette);

// The screen's palette as palette-based drawing sees it: the twenty reserved colours at
// 0-9 and 246-255, black between them.
const std::array<TPaletteEntry, 256> &SystemPaletteEntries();
