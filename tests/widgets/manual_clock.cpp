#include "manual_clock.h"

#include <algorithm>

TManualClock::TManualClock() { SetCurrent(this); }

TManualClock::~TManualClock() { SetCurrent(nullptr); }

void TManualClock::Arm(TControlTimer &timer, uint32_t interval) {
  Disarm(timer);
  FEntries.push_back({&timer, interval, FNow + interval});
}

void TManualClock::Disarm(TControlTimer &timer) {
  std::erase_if(FEntries, [&](const TEntry &entry) { return entry.Timer == &timer; });
}

void TManualClock::Advance(uint32_t ms) {
  const uint32_t end = FNow + ms;
  for (;;) {
    const auto next = std::min_element(FEntries.begin(), FEntries.end(),
                                       [](const TEntry &a, const TEntry &b) { return a.Due < b.Due; });
    if (next == FEntries.end() || next->Due > end)
      break;
    FNow = next->Due;
    next->Due += next->Interval;
    // The tick may re-arm or disarm any timer, so the entry is not touched after it.
    next->Timer->Tick();
  }
  FNow = end;
}
