#include "app/readout.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(Readout, LinesFollowTheDrawnChannelsAFewTimesASecond) {
  auto frame = std::make_unique<TTraceFrame>();
  frame->Present = true;
  frame->Draw = {true, false};
  frame->Measurements[chI] = {1000.0, 2.83, 1.0};
  frame->Measurements[chII] = {50.0, 1.0, 1.0}; // not drawn in this frame: not taken
  TReadout readout;
  readout.Take(*frame);
  readout.Refresh(10'000);
  EXPECT_EQ(readout.Line(chI).View(), "I   1.000 kHz  2.830 Vpp   1.000 Vrms");
  EXPECT_EQ(readout.Line(chII).View(), "II      — Hz       — Vpp       — Vrms");

  frame->Draw = {false, true};
  readout.Take(*frame);
  readout.Refresh(10'000 + TReadout::RefreshMs - 1);
  EXPECT_EQ(readout.Line(chII).View(), "II      — Hz       — Vpp       — Vrms") << "too soon to write them again";
  readout.Refresh(10'000 + TReadout::RefreshMs);
  EXPECT_EQ(readout.Line(chII).View(), "II  50.00 Hz   1.000 Vpp   1.000 Vrms");
  EXPECT_EQ(readout.Line(chI).View(), "I   1.000 kHz  2.830 Vpp   1.000 Vrms") << "the last measurement stays";

  readout.Clear();
  readout.Refresh(10'000 + TReadout::RefreshMs + 1);
  EXPECT_EQ(readout.Line(chI).View(), "I       — Hz       — Vpp       — Vrms") << "a fresh start measures anew";
}

} // namespace
