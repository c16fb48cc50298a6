#include "support/capture_wait.h"

#include "framework/thread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <thread>

bool ServeUntil(const std::function<bool()> &done, int timeoutMs, const std::function<void()> &tick) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs)
      return false;
    if (tick)
      tick();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    TThread::CheckSynchronize();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}
