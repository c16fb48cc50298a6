#pragma once

#include <Qt>
#include <cstdint>

// A keyboard shortcut as forms store it: the key's virtual-key code in the low byte plus
// modifier flags. 0 is no shortcut.
using TShortCut = uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The shortcut a Qt key press stands for; 0 for keys without a virtual-key code.
TShortCut ShortCutOfKey(int key, Qt::KeyboardModifiers modifiers);
// The virtual-key code alone.
uint16_t VirtualKeyOf(int key);
