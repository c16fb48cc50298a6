#include "rtl/scope_exit.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(ScopeExitTest, TheActionRunsOnEveryWayOutAndOnlyTheFirstFailureLeaves) {
  int runs = 0;
  {
    TScopeExit count([&] { ++runs; });
  }
  EXPECT_EQ(runs, 1);

  // Without another exception the action's own reaches the caller.
  EXPECT_THROW(
      {
        TScopeExit fail([&] {
          ++runs;
          throw std::runtime_error("action failed");
        });
      },
      std::runtime_error);
  EXPECT_EQ(runs, 2);

  // While one unwinds the stack, the action still runs, and the first exception is what arrives.
  try {
    TScopeExit fail([&] {
      ++runs;
      throw std::logic_error("action failed too");
    });
    throw std::runtime_error("body failed");
  } catch (const std::runtime_error &e) {
    EXPECT_STREQ(e.what(), "body failed");
  }
  EXPECT_EQ(runs, 3);
}
