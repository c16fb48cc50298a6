#include "rtl/exception.h"
#include "rtl/float_text.h"

#include <gtest/gtest.h>

class FloatTextTest : public testing::Test {
protected:
  void TearDown() override { DecimalSeparator = FSaved; }
  char FSaved = DecimalSeparator;
};

TEST_F(FloatTextTest, GeneralFormat) {
  DecimalSeparator = '.';
  EXPECT_EQ(FloatToStr(0), "0");
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  EXPECT_EQ(FloatToStr(-0.25), "-0.25");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(0.0001), "0.0001");
  EXPECT_EQ(FloatToStr(0.00001), "1E-5");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStr(1.0 / 3), "0.333333333333333");
}

TEST_F(FloatTextTest, TheLocaleSeparatorBothWays) {
  DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(0.5), "0,5");
  EXPECT_EQ(StrToFloat("0,5"), 0.5);
  EXPECT_THROW(StrToFloat("0.5"), EConvertError);
}

TEST_F(FloatTextTest, TextToReal) {
  DecimalSeparator = '.';
  EXPECT_EQ(StrToFloat("0.1"), 0.1);
  EXPECT_EQ(StrToFloat("  -2.5  "), -2.5);
  EXPECT_EQ(StrToFloat("+3"), 3);
  EXPECT_EQ(StrToFloat(".5"), 0.5);
  EXPECT_EQ(StrToFloat("5."), 5);
  EXPECT_EQ(StrToFloat("1E-5"), 1e-5);
  EXPECT_EQ(StrToFloat("2e+3"), 2000);
  for (const char *bad : {"", " ", "abc", "1.2.3", "1e", "--1", "1 2", ".", "e5", "1e999"})
    EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
  try {
    StrToFloat("volts");
  } catch (const EConvertError &e) {
    EXPECT_EQ(e.Message(), "'volts' is not a valid floating point value");
  }
}
