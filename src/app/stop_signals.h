#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a logout) into a call on the GUI thread, so the program can
// end the way its power switch ends it. One at a time; the signals' old handling comes back
// when it is destroyed.
class TStopSignals : public QObject {
public:
  explicit TStopSignals(std::function<void()> onStop);
  ~TStopSignals() override;
  TStopSignals(const TStopSignals &) = delete;
  TStopSignals &operator=(const TStopSignals &) = delete;

private:
  void Drain();

  std::function<void()> FOnStop;
  int FPipe[2] = {-1, -1};
  QSocketNotifier *FNotifier = nullptr;
};
