#include "rtl/exception.h"

#include <gtest/gtest.h>

TEST(FormatTest, FillsMarkersInOrderAndLeavesTheRest) {
  EXPECT_EQ(Format("%s not loaded", "DSound.dll"), "DSound.dll not loaded");
  EXPECT_EQ(Format("%d of %s", 3, "four"), "3 of four");
  EXPECT_EQ(Format("100%% %s", "sure"), "100% sure");
  EXPECT_EQ(Format("%s and %s", "one"), "one and %s");
  EXPECT_EQ(Format("trailing %"), "trailing %");
  EXPECT_EQ(Format("%d", -2147483647 - 1), "-2147483648");
}

TEST(FormatTest, ExceptionsCarryTheFormattedMessage) {
  try {
    throw EFOpenError("Cannot open file %s", "Test.wav");
  } catch (const EStreamError &e) {
    EXPECT_EQ(e.Message(), "Cannot open file Test.wav");
    EXPECT_STREQ(e.what(), "Cannot open file Test.wav");
  }
}
