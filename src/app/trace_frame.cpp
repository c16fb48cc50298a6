#include "app/trace_frame.h"

#include "app/trace_schedule.h"

bool StartUpTick(TScopeState &state, int &timerTag) {
  if (state.LastBlockFrames == 0)
    return false;
  if (timerTag == 0) {
    timerTag = 1; // the first tick after capture began only marks the start
    return false;
  }
  MeasureDcLevels(state);
  return true;
}

void PlanFrame(TScopeState &state, const std::array<TTraceControls, 2> &controls, TTraceFrame &frame) {
  frame.Present = false;
  frame.Draw = {false, false};
  if (state.LastBlockFrames == 0)
    return;
  const TReadyTraces ready = TakeReadyTraces(state);
  if (!ready.Any())
    return;
  frame.Present = true;
  for (TChannel channel : {chI, chII}) {
    const TTraceControls &control = controls[channel];
    if (!control.Enabled || !ready.Ready[channel])
      continue;
    ComputeTrace(state, channel, ready.Start[channel], ready.LookBack[channel], control.Sync, control.X2,
                 frame.Traces[channel]);
    frame.Draw[channel] = true;
  }
}
