#include "scope_hand_off_watch.h"

#include "app/frame_ring.h"
#include "app/vexilo_frm.h"
#include "sound/capture_stream.h"

#include <chrono>
#include <stdexcept>

TScopeHandOffWatch::TScopeHandOffWatch(TVexiloFrm &form) : FForm(form) {
  TSoundCaptureStream *stream = form.CaptureStream();
  if (stream == nullptr)
    throw std::runtime_error("the scope is not capturing");
  stream->SetOnDataAvailable([this, handler = stream->OnDataAvailable()](TSoundCaptureStream *sender) {
    const int32_t from = FForm.ScopeState().WriteIndex;
    handler(sender);
    Examine(from, FForm.ScopeState().LastBlockFrames);
  });
}

void TScopeHandOffWatch::WatchStep(int level, bool upwards) {
  FLevel = level;
  FUpwards = upwards;
  FArrivedAt = 0;
  FWaiting = true;
}

void TScopeHandOffWatch::Examine(int32_t from, int32_t frames) {
  if (!FWaiting)
    return;
  const TScopeState &state = FForm.ScopeState();
  for (int32_t i = 0; i < frames; ++i) {
    const int32_t sample = SampleAt(state, chI, int64_t(from) + i);
    if (FUpwards ? sample > FLevel : sample < FLevel) {
      FArrivedAt =
          std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
              .count();
      FBacklog = WrapRing(int64_t(from) + i - state[chI].ReadIndex);
      FWaiting = false;
      return;
    }
  }
}
