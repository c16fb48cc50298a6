#include "scope_frame_watch.h"

#include "display/screen_image.h"

#include <QWidget>
#include <chrono>

namespace {

constexpr uint32_t ChannelI = 0x00FFFF; // the red pen inverted: aqua

int64_t SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

} // namespace

TScopeFrameWatch::TScopeFrameWatch(QWidget *display) : QObject(display), FDisplay(display) {
  connect(TScreenImage::For(display), &TScreenImage::Shown, this, &TScopeFrameWatch::Shown);
}

void TScopeFrameWatch::WatchStep(int row, bool downwards) {
  FRow = row;
  FDownwards = downwards;
  FShownAt = 0;
  FWaiting = true;
}

void TScopeFrameWatch::Shown() {
  ++FFrames;
  if (FWaiting && ShowsStep()) {
    FShownAt = SteadyNanoseconds();
    FWaiting = false;
  }
}

// Reads what the window shows of the primary surface, the picture that is on screen.
bool TScopeFrameWatch::ShowsStep() const {
  const QImage &image = TScreenImage::For(FDisplay)->Image();
  for (int y = 0; y < image.height(); ++y) {
    if (FDownwards ? y <= FRow : y >= FRow)
      continue;
    const auto *row = reinterpret_cast<const uint32_t *>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((row[x] & 0xFFFFFF) == ChannelI)
        return true;
  }
  return false;
}
