#pragma once

#include "framework/events.h"
#include "widgets/control_timer.h"

#include <QObject>

// A form's message-loop timer component: OnTimer every Interval ms while Enabled. It ticks on
// the control timers' clock, so a test can drive it to the exact millisecond.
class TTimer : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
  Q_PROPERTY(uint Interval READ Interval WRITE SetInterval)
  Q_PROPERTY(int Tag MEMBER FTag)

public:
  explicit TTimer(QObject *owner = nullptr);

  bool Enabled() const { return FTimer.Enabled(); }
  void SetEnabled(bool enabled) { FTimer.SetEnabled(enabled); }
  uint Interval() const { return FTimer.Interval(); }
  void SetInterval(uint interval) { FTimer.SetInterval(interval); }

  TNotifyEvent OnTimer;

private:
  TControlTimer FTimer;
  int FTag = 0;
};
