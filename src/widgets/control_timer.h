#pragma once

#include <cstdint>
#include <functional>

class TControlTimer;

// Where control timers take their time from. The message loop's clock is the default; a test
// installs a clock it advances by hand, so repeat and animation steps happen at exact times.
class TTimerClock {
public:
  virtual ~TTimerClock() = default;

  // (Re)starts `timer` so that it ticks every `interval` ms from now on.
  virtual void Arm(TControlTimer &timer, uint32_t interval) = 0;
  virtual void Disarm(TControlTimer &timer) = 0;

  static TTimerClock &Current();
  // nullptr goes back to the message loop's clock. Timers keep the clock they were made with.
  static void SetCurrent(TTimerClock *clock);
};

// A periodic timer of a control: ticks every Interval ms while enabled. Changing the interval
// of a running timer restarts its period, as the window system's timers do.
class TControlTimer {
public:
  TControlTimer();
  ~TControlTimer();
  TControlTimer(const TControlTimer &) = delete;
  TControlTimer &operator=(const TControlTimer &) = delete;

  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t interval);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  std::function<void()> OnTimer;

  // Called by the clock.
  void Tick();

private:
  void Update();

  TTimerClock &FClock;
  uint32_t FInterval = 1000;
  bool FEnabled = false;
};
