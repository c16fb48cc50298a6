#pragma once

#include "app/readout.h"
#include "app/scope_state.h"
#include "app/trace_frame.h"

class TDirectDrawSurfaceCanvas;

// Draws a planned frame over the background already in the back surface: each shown trace, or in
// XY mode the figure, as one line through its points with a NotCopy pen, which shows the pen's
// colour inverted whatever lies below (aqua for channel I, blue for channel II). The figure takes
// channel I's colour, channel II's while channel I is off. Allocates nothing.
void DrawTraces(TDirectDrawSurfaceCanvas &canvas, const TScopeState &state, const TTraceFrame &frame);

// The readout over the picture: a black box in the display's top-left corner with the line of each
// channel that is on, drawn by the font's runs with the same NotCopy pen, so each line shows in its
// channel's colour. Allocates nothing.
void DrawReadout(TDirectDrawSurfaceCanvas &canvas, const TScopeState &state, const std::array<bool, 2> &on,
                 const TReadout &readout);
