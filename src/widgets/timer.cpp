#include "widgets/timer.h"

TTimer::TTimer(QObject *owner) : QObject(owner) {
  FTimer.OnTimer = [this] {
    if (OnTimer)
      OnTimer(this);
  };
}
