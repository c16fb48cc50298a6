#pragma once

#include "app/trace_points.h"

#include <array>
#include <cstdint>

// Where the XY figure's zero lies while the position knobs are where they start: the middle of
// the graticule.
constexpr int32_t XYCentreColumn = 252;
constexpr int32_t XYCentreRow = 251;

// The XY figure over the frames from ring position `start` on, paced by channel I's time base
// (one point a sample step, as many as its trace has without x2): each point's column is channel
// I's deflection at its volts/div, its row channel II's. Channel I's horizontal position knob moves
// the figure sideways, channel II's vertical one up and down. A channel that is off deflects
// nothing. Both channels' levels at those frames go into `traces`, for the readout and the export.
void ComputeXYFigure(const TScopeState &state, int32_t start, const std::array<bool, 2> &on,
                     std::array<TTracePoints, 2> &traces, TTracePoints &figure);
