#include "display/dx_timer.h"

#include "framework/application.h"
#include "rtl/ms_clock.h"

#include <algorithm>
#include <cmath>

TCustomDXTimer::TCustomDXTimer(QObject *owner) : TComponent(owner), FClock(TimeGetTime) {
  if (Application)
    FActivationHook = Application->HookActivation([this](bool active) { AppActivation(active); });
}

TCustomDXTimer::~TCustomDXTimer() {
  Finalize();
  if (Application)
    Application->UnhookActivation(FActivationHook);
}

void TCustomDXTimer::SetEnabled(bool value) {
  if (value == FEnabled)
    return;
  FEnabled = value;
  if (Loading())
    return;
  if (value)
    Initialize();
  else
    Finalize();
}

void TCustomDXTimer::SetInterval(int value) {
  if (value == FInterval)
    return;
  FInterval = std::max(value, 0);
  FDivisor = std::max(value, 1);
}

void TCustomDXTimer::SetActiveOnly(bool value) {
  if (value == FActiveOnly)
    return;
  FActiveOnly = value;
  // The handler is installed exactly while the timer is started and allowed to run.
  if (!FInitialized)
    return;
  if (ShouldRun() && !FRunning)
    Resume();
  else if (!ShouldRun() && FRunning)
    Suspend();
}

void TCustomDXTimer::SetOnTimer(TDXTimerEvent handler) {
  if (FInTick) {
    // Replacing the handler that is running would destroy it under its own feet.
    FNextOnTimer = std::move(handler);
    FOnTimerReplaced = true;
  } else {
    FOnTimer = std::move(handler);
  }
}

void TCustomDXTimer::Loaded() {
  TComponent::Loaded();
  if (FEnabled)
    Initialize();
}

bool TCustomDXTimer::ShouldRun() const { return !FActiveOnly || (Application && Application->Active()); }

void TCustomDXTimer::Initialize() {
  Finalize();
  if (ShouldRun())
    Resume();
  FInitialized = true;
}

void TCustomDXTimer::Finalize() {
  if (!FInitialized)
    return;
  Suspend();
  FInitialized = false;
}

void TCustomDXTimer::Resume() {
  FOldTime = FClock();
  FOldTime2 = FOldTime;
  FRunning = true;
  if (Application)
    Application->SetOnIdle([this](QObject *, bool &done) { AppIdle(done); });
}

void TCustomDXTimer::Suspend() {
  FRunning = false;
  if (Application)
    Application->SetOnIdle(nullptr);
}

void TCustomDXTimer::AppIdle(bool &done) {
  done = false;
  const uint32_t now = FClock();
  const int32_t elapsed = ClockDiff(now, FOldTime);
  if (elapsed < FInterval)
    return;
  FOldTime = now;
  int lagCount = elapsed / FDivisor;
  if (FMaxLag > 0)
    FMaxLag = std::max(lagCount, FMaxLag);
  lagCount = std::max(lagCount, 1);
  ++FFrameCount;
  const int32_t span = std::max(ClockDiff(now, FOldTime2), 1);
  if (span >= 1000) {
    FFrameRate = static_cast<int>(std::nearbyint(FFrameCount * 1000.0 / span));
    FFrameCount = 0;
    FOldTime2 = now;
  }
  DoTimer(lagCount);
}

void TCustomDXTimer::AppActivation(bool active) {
  if (active) {
    DoActivate();
    if (FInitialized && FActiveOnly)
      Resume();
  } else {
    DoDeactivate();
    if (FInitialized && FActiveOnly)
      Suspend();
  }
}

void TCustomDXTimer::DoActivate() {
  if (OnActivate)
    OnActivate(this);
}

void TCustomDXTimer::DoDeactivate() {
  if (OnDeactivate)
    OnDeactivate(this);
}

void TCustomDXTimer::DoTimer(int LagCount) {
  if (!FOnTimer)
    return;
  // A handler set during the tick takes over when the tick ends, however it ends.
  struct TTickScope {
    TCustomDXTimer &Timer;
    ~TTickScope() {
      Timer.FInTick = false;
      if (Timer.FOnTimerReplaced) {
        Timer.FOnTimer = std::move(Timer.FNextOnTimer);
        Timer.FOnTimerReplaced = false;
      }
    }
  } scope{*this};
  FInTick = true;
  FOnTimer(this, LagCount);
}
