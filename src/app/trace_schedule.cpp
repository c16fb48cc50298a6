#include "app/trace_schedule.h"

#include "app/frame_ring.h"
#include "app/trace_points.h"

#include <algorithm>

int64_t TraceSpan(const TChannelState &channel) {
  return static_cast<int64_t>(channel.SampleStep) * channel.SpanWidth * channel.SkipFactor;
}

int64_t TraceReach(const TChannelState &channel) {
  const int64_t columns = std::max(channel.SpanWidth, 0) / std::max(channel.PixelStep, 1);
  return MaxSyncOffset + (columns + 1) * channel.SampleStep + 1;
}

static_assert(MaxSyncOffset + (MaxSpanWidth + 1) * int64_t{MaxSampleStep} + 1 <= RingFrames - MaxSyncOffset,
              "the slowest trace fits in the ring");
static_assert(MaxSyncOffset + (MaxSpanWidth + 1) * int64_t{MaxSampleStep + 1} + 1 > RingFrames - MaxSyncOffset,
              "and is the slowest that does");

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

void RestartRingFromStart(TScopeState &state) {
  for (TChannel channel : {chII, chI}) {
    state[channel].PendingFrames = 0;
    state[channel].ReadIndex = 0;
  }
  state.WriteIndex = 0;
  state.FilledFrames = 0;
}

TReadyTraces TakeReadyTraces(TScopeState &state) {
  TReadyTraces traces;
  traces.Start = {state[chI].ReadIndex, state[chII].ReadIndex};
  for (TChannel channel : {chII, chI}) {
    TChannelState &fields = state[channel];
    const int64_t span = TraceSpan(fields);
    const int64_t pending = fields.PendingFrames;
    // The pending frames run from ReadIndex to the newest one; more than a ring of them means the
    // first ones have been overwritten.
    if (pending > 0 && pending <= RingFrames && pending > span && pending >= TraceReach(fields)) {
      // The next trace starts one frame past the span, so that frame counts as consumed too:
      // otherwise the read position would gain a frame on the writer with every trace and, in
      // time, draw frames not yet captured.
      traces.Ready[channel] = true;
      traces.LookBack[channel] = std::clamp(state.FilledFrames - fields.PendingFrames, 0, MaxSyncOffset - 1);
      fields.PendingFrames = static_cast<int32_t>(pending - span - 1);
      fields.ReadIndex = WrapRing(fields.ReadIndex + span + 1);
    } else if (pending > RingFrames) {
      // The frames this channel would draw next have been overwritten: both channels go on
      // from the newest frame, and this one consumes more per trace from now on, as long as a
      // trace can still find more than its span within one ring.
      RestartAtNewestFrame(state);
      if (span + int64_t{fields.SampleStep} * fields.SpanWidth < RingFrames)
        fields.SkipFactor += 1;
    }
  }
  return traces;
}
