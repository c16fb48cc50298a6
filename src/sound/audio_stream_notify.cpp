#include "sound/audio_stream_notify.h"

#include "sound/audio_stream.h"

#include <algorithm>
#include <functional>

TAudioStreamNotify::TAudioStreamNotify(TAudioStream &stream, int32_t bufferMilliseconds)
    : TThread(true), FStream(stream), FNotifyInterval(std::min(bufferMilliseconds / 4, 50)) {
  Resume();
}

TAudioStreamNotify::~TAudioStreamNotify() {
  Abandon();
  WaitFor();
}

void TAudioStreamNotify::Abandon() {
  FAbandoned.store(true, std::memory_order_release);
  FNotifyEvent.SetEvent();
}

void TAudioStreamNotify::Execute() {
  const std::function<void()> step = [this] { FStream.RefillStep(this); };
  while (FNotifyEvent.WaitFor(uint32_t(FNotifyInterval)) == TEvent::wrTimeout)
    Synchronize(step);
  if (!FAbandoned.load(std::memory_order_acquire))
    Synchronize([this] { FStream.NotifyThreadEnded(this); });
}
