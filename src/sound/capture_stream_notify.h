#pragma once

#include "framework/event_object.h"
#include "framework/thread.h"

#include <cstdint>

class TSoundCaptureStream;

// The capture stream's notification thread: every NotifyInterval milliseconds it has the GUI thread
// run the stream's notification step and waits until that step has run. Setting its event ends it.
class TSoundCaptureStreamNotify : public TThread {
public:
  // Created suspended; whoever makes it starts it.
  TSoundCaptureStreamNotify(TSoundCaptureStream &stream, int32_t bufferMilliseconds);
  // Ends the body and waits for it, serving the steps it asks for meanwhile.
  ~TSoundCaptureStreamNotify() override;

  int32_t NotifyInterval() const { return FNotifyInterval; }
  TEvent &NotifyEvent() { return FNotifyEvent; }

protected:
  void Execute() override;

private:
  TSoundCaptureStream &FStream;
  int32_t FNotifyInterval;
  TEvent FNotifyEvent;
};
