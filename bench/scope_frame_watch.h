#pragma once

#include <QObject>
#include <cstdint>
#include <vector>

class QWidget;

// Counts the frames the display control presents on screen and, when asked, finds the first
// presented frame whose channel I trace has crossed a row: the step being waited for.
class TScopeFrameWatch : public QObject {
public:
  explicit TScopeFrameWatch(QWidget *display);

  int64_t Frames() const { return FFrames; }
  // From now on, the first frame whose channel I trace reaches beyond `row` (below it when
  // `downwards`, above it otherwise) is the step's first frame.
  void WatchStep(int row, bool downwards);
  bool Waiting() const { return FWaiting; }
  // Steady-clock nanoseconds of that frame.
  int64_t StepShownAt() const { return FShownAt; }

private:
  void Shown();
  bool ShowsStep() const;

  QWidget *FDisplay;
  int64_t FFrames = 0;
  bool FWaiting = false;
  int FRow = 0;
  bool FDownwards = true;
  int64_t FShownAt = 0;
};
