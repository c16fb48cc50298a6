#pragma once

#include "platform/draw/draw_types.h"

#include <array>

// The screen's palette as palette-based drawing sees it: the twenty reserved colours at
// 0-9 and 246-255, black between them.
const std::array<TPaletteEntry, 256> &SystemPaletteEntries();
