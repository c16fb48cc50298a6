#include "app/trace_schedule.h"

#include "app/frame_ring.h"

#include <algorithm>

int64_t TraceSpan(const TChannelState &channel) {
  return static_cast<int64_t>(channel.SampleStep) * channel.SpanWidth * channel.SkipFactor;
}

void MeasureDcLevels(TScopeState &state) {
  for (TChannel channel : {chI, chII}) {
    TChannelState &fields = state[channel];
    const int32_t count = std::min(fields.PendingFrames, RingFrames);
    if (count > 0) {
      int64_t sum = 0;
      for (int32_t k = 0; k < count; ++k)
        sum += SampleAt(state, channel, k);
      fields.DcLevel = static_cast<int32_t>(sum / count);
    }
  }
  RestartAtNewestFrame(state);
}

void RestartAtNewestFrame(TScopeState &state) {
  // With nothing pending, the next trace starts where the next block will land; starting
  // anywhere else would draw frames that are already old, for as long as the scope runs.
  for (TChannel channel : {chII, chI}) {
    state[channel].PendingFrames = 0;
    state[channel].ReadIndex = state.WriteIndex;
  }
}

TReadyTraces TakeReadyTraces(TScopeState &state) {
  TReadyTraces traces;
  traces.Start = {state[chI].ReadIndex, state[chII].ReadIndex};
  for (TChannel channel : {chII, chI}) {
    TChannelState &fields = state[channel];
    const int64_t span = TraceSpan(fields);
    const int64_t left = fields.PendingFrames - span;
    if (left > 0 && left <= state.LastIndex) {
      // The next trace starts one frame past the span, so that frame counts as consumed too:
      // otherwise the read position would gain a frame on the writer with every trace and, in
      // time, draw frames not yet captured.
      traces.Ready[channel] = true;
      fields.PendingFrames = static_cast<int32_t>(left - 1);
      fields.ReadIndex = WrapRing(fields.ReadIndex + span + 1);
    } else if (left > state.LastIndex) {
      // The frames this channel would draw next have been overwritten: both channels go on
      // from the newest frame, and this one consumes more per trace from now on.
      RestartAtNewestFrame(state);
      fields.SkipFactor += 1;
    }
  }
  return traces;
}
