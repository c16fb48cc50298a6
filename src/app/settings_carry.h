#pragma once

#include "app/scope_state.h"

#include <cstdint>
#include <string>

// The scope state that persists, as the twelve stored properties of the panel carry it.
struct TCarriedSettings {
  int32_t VDVlITag = 0;                          // MicShift
  std::string VDVlIText = "0.00500000000000256"; // MicFactor
  std::string VDVlIIText = "0.100000000000023";  // VoltFactor II
  int32_t VDVlIITag = 0;                         // VoltShift II
  int32_t ImageArrITag = 505;                    // XEnd I
  int32_t ImageArrIITag = 505;                   // XEnd II
  int32_t HorizontAnmITag = 1;                   // XStart I
  int32_t HorizontAnmIITag = 1;                  // XStart II
  int32_t VoltBtITag = 0;                        // LineShift
  std::string TimeVlIText = "0.100000000000023"; // LineFactor
  int32_t CntVolITag = 0x8000;                   // MicVolume
  int32_t CntVolIITag = 0x8000;                  // LineVolume
};
// Carriers that hold their designed values give exactly the scope's initial state.

// What power-off writes: channel I's calibration goes to the slot of the input in use first.
TCarriedSettings CarryOut(TScopeState &state, bool microphoneSelected);

// What a restore reads back. Each value is taken on its own: one that is damaged (a shift
// outside 0..15, a position too far off to draw, a factor that is no positive finite number the
// 6-byte real holds) leaves its field as it was.
void CarryIn(const TCarriedSettings &carried, TScopeState &state);
