#include "app/readout.h"

#include "rtl/ms_clock.h"

void TReadout::Take(const TTraceFrame &frame) {
  for (TChannel ch : {chI, chII})
    if (frame.Present && frame.Draw[ch])
      FLatest[ch] = frame.Measurements[ch];
}

void TReadout::Refresh(uint32_t nowMs) {
  if (FWritten && ClockDiff(nowMs, FWrittenAt) < RefreshMs)
    return;
  for (TChannel ch : {chI, chII})
    FormatReadout(ch, FLatest[ch], FLines[ch]);
  FWrittenAt = nowMs;
  FWritten = true;
}

void TReadout::Clear() {
  FLatest = {};
  FWritten = false;
}
