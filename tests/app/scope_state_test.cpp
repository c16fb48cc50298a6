#include "app/scope_state.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ScopeState, FactorsStartAtSixByteRealPrecision) {
  const auto state = std::make_unique<TScopeState>();
  // Held as 6-byte reals, so the stored texts carry their rounding (0.100000000000023).
  EXPECT_EQ((*state)[chI].VoltFactor.Value(), 0.10000000000002274);
  EXPECT_EQ((*state)[chII].VoltFactor.Value(), 0.10000000000002274);
  EXPECT_EQ(state->LineFactor.Value(), 0.10000000000002274);
  EXPECT_EQ(state->MicFactor.Value(), TReal48::Reduce(0.005));
  EXPECT_NE(state->MicFactor.Value(), 0.005);
}

TEST(ScopeState, ChannelsStartApartAndDrawInTheirColours) {
  const auto state = std::make_unique<TScopeState>();
  EXPECT_EQ((*state)[chI].VertOffset, 200);
  EXPECT_EQ((*state)[chII].VertOffset, 300);
  EXPECT_EQ((*state)[chI].TraceColor, 0x0000FFu) << "red, red in the low byte";
  EXPECT_EQ((*state)[chII].TraceColor, 0x00FFFFu) << "yellow";
  EXPECT_EQ(state->LastIndex, 0) << "set only when capture starts";
}

TEST(ScopeState, ChannelCountsHaveNames) {
  EXPECT_STREQ(ChannelName(1), "Mono");
  EXPECT_STREQ(ChannelName(2), "Stereo");
  EXPECT_STREQ(ChannelName(0), "");
  EXPECT_STREQ(ChannelName(3), "");
}

} // namespace
