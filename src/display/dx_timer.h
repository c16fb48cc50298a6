#pragma once

#include "framework/component.h"
#include "framework/events.h"

#include <cstdint>
#include <functional>

using TDXTimerEvent = std::function<void(QObject *Sender, int LagCount)>;

// A frame timer driven by the application's idle passes rather than by a window timer: it ticks
// whenever the message loop becomes idle and tells each tick how many intervals have passed
// since the previous one. It runs while it is started and (ActiveOnly is off or the application
// is active); only one frame timer can own the application's idle slot at a time.
class TCustomDXTimer : public TComponent {
  Q_OBJECT

public:
  using TClock = uint32_t (*)();

  explicit TCustomDXTimer(QObject *owner = nullptr);
  ~TCustomDXTimer() override;

  bool ActiveOnly() const { return FActiveOnly; }
  void SetActiveOnly(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  int Interval() const { return FInterval; }
  void SetInterval(int value);
  int MaxLag() const { return FMaxLag; }
  void SetMaxLag(int value) { FMaxLag = value; }
  int FrameRate() const { return FFrameRate; }
  bool Initialized() const { return FInitialized; }

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  // The tick handler may be replaced at any time, also from inside a tick: the new one takes
  // over from the next tick on.
  const TDXTimerEvent &OnTimer() const { return FOnTimer; }
  void SetOnTimer(TDXTimerEvent handler);

  void Initialize();
  void Finalize();
  void Resume();
  void Suspend();
  void Loaded() override;

  // The millisecond clock the ticks are measured with; tests drive their own.
  void SetClock(TClock clock) { FClock = clock; }

protected:
  virtual void DoActivate();
  virtual void DoDeactivate();
  virtual void DoTimer(int LagCount);

private:
  void AppIdle(bool &done);
  void AppActivation(bool active);
  bool ShouldRun() const;

  bool FActiveOnly = true;
  bool FEnabled = true;
  bool FInitialized = false;
  bool FRunning = false;
  int FInterval = 1000;
  int FDivisor = 1000;
  int FMaxLag = 10;
  int FFrameRate = 0;
  int FFrameCount = 0;
  uint32_t FOldTime = 0;
  uint32_t FOldTime2 = 0;
  TClock FClock;
  TDXTimerEvent FOnTimer;
  TDXTimerEvent FNextOnTimer;
  bool FInTick = false;
  bool FOnTimerReplaced = false;
  int FActivationHook = 0;
};

// The frame timer as placed on a form, with its settings published.
class TDXTimer : public TCustomDXTimer {
  Q_OBJECT
  Q_PROPERTY(bool ActiveOnly READ ActiveOnly WRITE SetActiveOnly)
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
  Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
  Q_PROPERTY(int MaxLag READ MaxLag WRITE SetMaxLag)

public:
  using TCustomDXTimer::TCustomDXTimer;
};
