#include "framework/event_object.h"

#include <chrono>

void TEvent::SetEvent() {
  {
    std::lock_guard lock(FMutex);
    FSignaled = true;
  }
  FChanged.notify_one();
}

void TEvent::ResetEvent() {
  std::lock_guard lock(FMutex);
  FSignaled = false;
}

TEvent::TWaitResult TEvent::WaitFor(uint32_t timeoutMs) {
  std::unique_lock lock(FMutex);
  const auto signaled = [this] { return FSignaled; };
  if (timeoutMs == INFINITE)
    FChanged.wait(lock, signaled);
  else if (!FChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), signaled))
    return wrTimeout;
  FSignaled = false;
  return wrSignaled;
}
