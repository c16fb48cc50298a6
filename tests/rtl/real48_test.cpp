#include "rtl/exception.h"
#include "rtl/float_text.h"
#include "rtl/real48.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(Real48Test, StoresRoundToThirtyNineFractionBits) {
  EXPECT_DOUBLE_EQ(TReal48::Reduce(0.1), 0.10000000000002274);
  EXPECT_DOUBLE_EQ(TReal48::Reduce(0.005), 0.00500000000000256);
  EXPECT_EQ(FloatToStr(TReal48::Reduce(0.1)), "0.100000000000023");
  EXPECT_EQ(FloatToStr(TReal48::Reduce(0.005)), "0.00500000000000256");
  // What a store keeps, a second store keeps unchanged.
  for (double x : {0.1, 0.005, 1.0 / 3, -12345.678, 1e-30, 1.7e38}) {
    const double once = TReal48::Reduce(x);
    EXPECT_EQ(TReal48::Reduce(once), once) << x;
    EXPECT_NEAR(once, x, std::fabs(x) * std::ldexp(1.0, -39)) << x;
  }
}

TEST(Real48Test, ExactValuesAndTheByteLayout) {
  for (double x : {0.0, 1.0, -1.0, 0.5, 2.0, 1024.0, 0.25, 3.0})
    EXPECT_EQ(TReal48(x).Value(), x);
  // 1.0 = 1.0 x 2^0: exponent byte 129, fraction 0.
  EXPECT_EQ(TReal48(1.0).Bytes(), (std::array<uint8_t, 6>{129, 0, 0, 0, 0, 0}));
  // -3.0 = -1.5 x 2^1: exponent 130, top fraction bit set, sign bit set.
  EXPECT_EQ(TReal48(-3.0).Bytes(), (std::array<uint8_t, 6>{130, 0, 0, 0, 0, 0xC0}));
  EXPECT_EQ(TReal48::FromBytes({130, 0, 0, 0, 0, 0xC0}).Value(), -3.0);
  EXPECT_EQ(TReal48::FromBytes({0, 1, 2, 3, 4, 5}).Value(), 0.0); // a zero exponent byte means 0
}

TEST(Real48Test, RangeLimits) {
  // Rounding up the largest fraction carries into the exponent.
  EXPECT_EQ(TReal48::Reduce(std::nextafter(2.0, 0.0)), 2.0);
  EXPECT_EQ(TReal48::Reduce(1e-40), 0.0); // below the smallest normal value
  EXPECT_THROW(TReal48(1e39), EOverflow);
  EXPECT_THROW(TReal48::Reduce(INFINITY), EOverflow);
}
