#include "app/frame_drawing.h"

#include "app/readout_font.h"
#include "display/surface_canvas.h"

namespace {

void DrawLine(TDirectDrawSurfaceCanvas &canvas, const TTracePoints &trace, uint32_t colour) {
  canvas.Pen.Color = colour;
  canvas.MoveTo(trace.Points[0].X, trace.Points[0].Y);
  for (int i = 1; i < trace.Count; ++i)
    canvas.LineTo(trace.Points[i].X, trace.Points[i].Y);
}

} // namespace

void DrawTraces(TDirectDrawSurfaceCanvas &canvas, const TScopeState &state, const TTraceFrame &frame) {
  canvas.Pen.Style = psSolid;
  canvas.Pen.Mode = pmNotCopy;
  canvas.Pen.Width = state.PenWidth;
  if (frame.XY) {
    if (frame.Draw[chI] || frame.Draw[chII])
      DrawLine(canvas, frame.Figure, state[frame.Draw[chI] ? chI : chII].TraceColor);
    return;
  }
  for (TChannel ch : {chI, chII})
    if (frame.Draw[ch])
      DrawLine(canvas, frame.Traces[ch], state[ch].TraceColor);
}

void DrawReadout(TDirectDrawSurfaceCanvas &canvas, const TScopeState &state, const std::array<bool, 2> &on,
                 const TReadout &readout) {
  if (!on[chI] && !on[chII])
    return;
  canvas.Pen.Style = psSolid;
  canvas.Pen.Width = 1; // the font's runs are one pixel high
  canvas.Pen.Mode = pmCopy;
  canvas.Pen.Color = clBlack;
  const int left = ReadoutLeft - 2, right = ReadoutLeft + ReadoutChars * ReadoutCellWidth + 1;
  for (int y = ReadoutTop - 2; y < ReadoutTop + 2 * ReadoutCellHeight; ++y) {
    canvas.MoveTo(left, y);
    canvas.LineTo(right, y);
  }
  canvas.Pen.Mode = pmNotCopy;
  for (TChannel ch : {chI, chII}) {
    if (!on[ch])
      continue;
    canvas.Pen.Color = state[ch].TraceColor;
    ForEachReadoutRun(readout.Line(ch).View(), ReadoutLeft, ReadoutTop + ch * ReadoutCellHeight,
                      [&canvas](int x0, int x1, int y) {
                        canvas.MoveTo(x0, y);
                        canvas.LineTo(x1, y);
                      });
  }
}
