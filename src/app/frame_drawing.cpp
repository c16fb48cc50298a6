#include "app/frame_drawing.h"

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
