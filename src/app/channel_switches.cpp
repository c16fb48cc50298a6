#include "app/channel_switches.h"

#include "app/trace_schedule.h"

#include <algorithm>

int32_t TrimmedSpanWidth(int position) { return 504 + static_cast<int16_t>(position); }

void ShiftTrace(TScopeState &state, TChannel channel, int direction) {
  TChannelState &fields = state[channel];
  if (direction < 0) {
    fields.ReadIndex = fields.ReadIndex > 0 ? fields.ReadIndex - 1 : state.LastIndex;
    fields.PendingFrames = std::min(fields.PendingFrames, RingFrames) + 1;
  } else {
    fields.ReadIndex = fields.ReadIndex < state.LastIndex ? fields.ReadIndex + 1 : 0;
    fields.PendingFrames -= 1;
  }
}

void SlowSweepOnEnter(TChannelState &channel) { channel.SampleStep = std::min(channel.SampleStep + 10, MaxSampleStep); }
