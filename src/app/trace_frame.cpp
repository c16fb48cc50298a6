#include "app/trace_frame.h"

#include "app/channel_knobs.h"
#include "app/time_texts.h"
#include "app/trace_schedule.h"
#include "app/xy_figure.h"

namespace {

TTraceScale Scale(const TScopeState &state, TChannel channel, const TChannelState &pacing, int pointsPerStep) {
  const TChannelState &fields = state[channel];
  TTraceScale scale;
  scale.VoltsPerLevel = fields.VoltFactor.Value() / PixelsPerDivision;
  scale.VoltsPerDiv = VoltsPerDivision(fields);
  scale.MsPerDiv = MsPerDivision(pacing, state.SampleRate);
  scale.MsPerPoint = 1000.0 * pacing.SampleStep / state.SampleRate / pointsPerStep;
  return scale;
}

// Channel I's readiness paces the figure; it shows the channels that are on.
void PlanFigure(const TScopeState &state, const std::array<TTraceControls, 2> &controls, const TReadyTraces &ready,
                TTraceFrame &frame) {
  if (!ready.Ready[chI])
    return;
  frame.Present = true;
  frame.Draw = {controls[chI].Enabled, controls[chII].Enabled};
  ComputeXYFigure(state, ready.Start[chI], frame.Draw, frame.Traces, frame.Figure);
  for (TChannel channel : {chI, chII})
    frame.Scales[channel] = Scale(state, channel, state[chI], 1);
}

void PlanTraces(TScopeState &state, const std::array<TTraceControls, 2> &controls, const TReadyTraces &ready,
                TTraceFrame &frame) {
  if (!ready.Any())
    return;
  frame.Present = true;
  for (TChannel channel : {chI, chII}) {
    const TTraceControls &control = controls[channel];
    if (!control.Enabled || !ready.Ready[channel])
      continue;
    ComputeTrace(state, channel, ready.Start[channel], ready.LookBack[channel], control.Sync, control.X2,
                 frame.Traces[channel]);
    frame.Scales[channel] = Scale(state, channel, state[channel], control.X2 ? 2 : 1);
    frame.Draw[channel] = true;
  }
}

// Each drawn channel measured over the frames its trace shows, at its calibration.
void Measure(const TScopeState &state, TTraceFrame &frame) {
  for (TChannel channel : {chI, chII})
    if (frame.Draw[channel]) {
      const TTracePoints &trace = frame.Traces[channel];
      frame.Measurements[channel] =
          MeasureFrames(state, channel, trace.FirstFrame, trace.Frames, frame.Scales[channel].VoltsPerLevel);
    }
}

} // namespace

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

void PlanFrame(TScopeState &state, const std::array<TTraceControls, 2> &controls, const TFrameOptions &options,
               TTraceFrame &frame) {
  frame.Present = false;
  frame.XY = options.XY;
  frame.Draw = {false, false};
  if (state.LastBlockFrames == 0)
    return;
  const TReadyTraces ready = TakeReadyTraces(state);
  if (options.XY)
    PlanFigure(state, controls, ready, frame);
  else
    PlanTraces(state, controls, ready, frame);
  if (options.Measure)
    Measure(state, frame);
}
