#pragma once

#include <cstdint>

class TVexiloFrm;

// Wraps the scope's capture hand-off to note when the awaited step first lands in the frame ring,
// so that the step's way to the screen splits into the capture path and the renderer's part.
class TScopeHandOffWatch {
public:
  // Installs itself around the handler of the form's current capture stream.
  explicit TScopeHandOffWatch(TVexiloFrm &form);

  // From now on, the first hand-off that brings a channel I sample beyond `level` (above it when
  // `upwards`, below it otherwise) is the step's arrival.
  void WatchStep(int level, bool upwards);
  bool Waiting() const { return FWaiting; }
  // Steady-clock nanoseconds of that hand-off.
  int64_t StepArrivedAt() const { return FArrivedAt; }
  // How far channel I's next trace lay behind the step then: the frames its traces had yet to consume.
  int32_t BacklogAtArrival() const { return FBacklog; }

private:
  void Examine(int32_t from, int32_t frames);

  TVexiloFrm &FForm;
  bool FWaiting = false;
  int FLevel = 0;
  bool FUpwards = true;
  int64_t FArrivedAt = 0;
  int32_t FBacklog = 0;
};
