#include "app/time_texts.h"

#include "rtl/float_text.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TimeTexts : public testing::Test {
protected:
  void TearDown() override { DecimalSeparator = '.'; }
  std::unique_ptr<TScopeState> Owner = std::make_unique<TScopeState>();
  TScopeState &State = *Owner;
};

TEST_F(TimeTexts, InitialStateShowsOnePointOneFourThree) {
  const auto texts = ComputeTimeTexts(State);
  EXPECT_EQ(texts[chI], "1.143");
  EXPECT_EQ(texts[chII], "1.143");
  EXPECT_DOUBLE_EQ(State[chI].MsPerDiv, TReal48::Reduce(504.0 * 100 / 44100));
}

TEST_F(TimeTexts, ZoomHalvesAndStepsScaleEachChannelOnItsOwn) {
  State[chI].ZoomFactor = 2;
  State[chII].SampleStep = 20;
  State[chII].PixelStep = 3;
  const auto texts = ComputeTimeTexts(State);
  EXPECT_EQ(texts[chI], "0.571");  // 50400 / 88200
  EXPECT_EQ(texts[chII], "7.619"); // 1008000 / 132300
}

TEST_F(TimeTexts, LargeSampleStepShowsItsTrueValue) {
  // 504 x 100 x 47999 passes 2^31; the text must not show a wrapped, negative value.
  State[chI].SampleStep = 47999;
  State[chII].SampleStep = 42609;
  State[chII].SpanWidth = 554;
  const auto texts = ComputeTimeTexts(State);
  EXPECT_EQ(texts[chI], "54856.000");  // 2419149600 / 44100
  EXPECT_EQ(texts[chII], "53526.952"); // 2360538600 / 44100
}

TEST_F(TimeTexts, TextUsesTheLocaleSeparatorAndKeepsFiveCharacters) {
  DecimalSeparator = ',';
  EXPECT_EQ(TimeText(1.142857), "1,143");
  DecimalSeparator = '.';
  EXPECT_EQ(TimeText(0.0004), "0.000");
  EXPECT_EQ(TimeText(12.3456), "12.346");
}

} // namespace
