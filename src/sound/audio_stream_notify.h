#pragma once

#include "framework/event_object.h"
#include "framework/thread.h"

#include <atomic>
#include <cstdint>

class TAudioStream;

// The playback stream's refill thread: every NotifyInterval milliseconds it has the GUI thread run
// the stream's refill step and waits until that has run. Setting its event ends it; when it ends
// on its own, it tells the stream so on the GUI thread, and with StopOnEnd the stream stops.
class TAudioStreamNotify : public TThread {
public:
  // Starts at once.
  TAudioStreamNotify(TAudioStream &stream, int32_t bufferMilliseconds);
  // Ends the body and waits for it, serving the steps it asks for meanwhile.
  ~TAudioStreamNotify() override;

  int32_t NotifyInterval() const { return FNotifyInterval; }
  TEvent &NotifyEvent() { return FNotifyEvent; }
  bool StopOnEnd = true;
  // The stream lets go of the thread: it ends at its next wait and calls nothing more.
  void Abandon();

protected:
  void Execute() override;

private:
  TAudioStream &FStream;
  int32_t FNotifyInterval;
  TEvent FNotifyEvent;
  std::atomic<bool> FAbandoned{false};
};
