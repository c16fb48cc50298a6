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

} // namespace
