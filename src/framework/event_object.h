#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// An auto-reset event: SetEvent lets one waiter through and resets; a set event stays set until
// a wait takes it.
class TEvent {
public:
  enum TWaitResult { wrSignaled, wrTimeout };
  static constexpr uint32_t INFINITE = 0xFFFFFFFF;

  void SetEvent();
  void ResetEvent();
  TWaitResult WaitFor(uint32_t timeoutMs);

private:
  std::mutex FMutex;
  std::condition_variable FChanged;
  bool FSignaled = false;
};
