#include "sound/capture_stream_notify.h"

#include "sound/capture_stream.h"

#include <algorithm>
#include <functional>

TSoundCaptureStreamNotify::TSoundCaptureStreamNotify(TSoundCaptureStream &stream, int32_t bufferMilliseconds)
    : TThread(true), FStream(stream), FNotifyInterval(std::min(bufferMilliseconds / 4, 50)) {}

TSoundCaptureStreamNotify::~TSoundCaptureStreamNotify() {
  FNotifyEvent.SetEvent();
  WaitFor();
}

void TSoundCaptureStreamNotify::Execute() {
  const std::function<void()> step = [this] { FStream.NotifyStep(this); };
  while (FNotifyEvent.WaitFor(uint32_t(FNotifyInterval)) == TEvent::wrTimeout)
    Synchronize(step);
}
