#include "widgets/control_timer.h"

#include "framework/application.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QTimerEvent>
#include <map>

namespace {

// Ticks from Qt timers of the GUI thread; each tick enters through the application's guard.
class TLoopTimerClock : public QObject, public TTimerClock {
public:
  explicit TLoopTimerClock(QObject *owner) : QObject(owner) {}

  void Arm(TControlTimer &timer, uint32_t interval) override {
    Disarm(timer);
    const int id = startTimer(static_cast<int>(interval), Qt::PreciseTimer);
    FTimers[id] = &timer;
  }

  void Disarm(TControlTimer &timer) override {
    for (auto it = FTimers.begin(); it != FTimers.end(); ++it)
      if (it->second == &timer) {
        killTimer(it->first);
        FTimers.erase(it);
        return;
      }
  }

protected:
  void timerEvent(QTimerEvent *event) override {
    const auto it = FTimers.find(event->timerId());
    if (it == FTimers.end())
      return;
    TControlTimer *timer = it->second;
    Application->Guard([timer] { timer->Tick(); });
  }

private:
  std::map<int, TControlTimer *> FTimers;
};

TTimerClock *CurrentClock = nullptr;

// Owned by the application, so its Qt timers end with the event loop that serves them.
TTimerClock &LoopClock() {
  static QPointer<TLoopTimerClock> clock;
  if (!clock)
    clock = new TLoopTimerClock(QCoreApplication::instance());
  return *clock;
}

} // namespace

TTimerClock &TTimerClock::Current() { return CurrentClock ? *CurrentClock : LoopClock(); }

void TTimerClock::SetCurrent(TTimerClock *clock) { CurrentClock = clock; }

TControlTimer::TControlTimer() : FClock(TTimerClock::Current()) {}

TControlTimer::~TControlTimer() { FClock.Disarm(*this); }

void TControlTimer::SetInterval(uint32_t interval) {
  if (interval == FInterval)
    return;
  FInterval = interval;
  Update();
}

void TControlTimer::SetEnabled(bool enabled) {
  if (enabled == FEnabled)
    return;
  FEnabled = enabled;
  Update();
}

void TControlTimer::Tick() {
  if (FEnabled && OnTimer)
    OnTimer();
}

void TControlTimer::Update() {
  // A zero period never ticks, like a window-system timer that was never set.
  if (FEnabled && FInterval > 0)
    FClock.Arm(*this, FInterval);
  else
    FClock.Disarm(*this);
}
