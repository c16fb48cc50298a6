#pragma once

#include "widgets/control_timer.h"

#include <cstdint>
#include <vector>

// A clock the test advances by hand. While it exists, new control timers tick on it: Advance
// fires every tick that falls due, in time order, with Now() at the tick's exact time.
class TManualClock : public TTimerClock {
public:
  TManualClock();
  ~TManualClock() override;

  uint32_t Now() const { return FNow; }
  void Advance(uint32_t ms);

  void Arm(TControlTimer &timer, uint32_t interval) override;
  void Disarm(TControlTimer &timer) override;

private:
  struct TEntry {
    TControlTimer *Timer;
    uint32_t Interval;
    uint32_t Due;
  };
  std::vector<TEntry> FEntries;
  uint32_t FNow = 0;
};
