#pragma once

#include "framework/color.h"

// Whether this platform draws controls with the newer 3D look (double-ring frames, engraved
// disabled text). Ours always does.
constexpr bool NewStyleControls = true;
