#include "app/readout_text.h"

#include "app/readout_font.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::string Line(TChannel channel, std::optional<double> hz, std::optional<double> pp, std::optional<double> rms) {
  TReadoutText out;
  FormatReadout(channel, {hz, pp, rms}, out);
  return std::string(out.View());
}

// The frequency field alone: the number and its unit.
std::string Hz(double value) { return Line(chI, value, 0.0, 0.0).substr(4, 9); }
std::string Vpp(double value) { return Line(chI, 1.0, value, 0.0).substr(15, 10); }

int Cells(std::string_view text) {
  int cells = 0;
  for (size_t at = 0; at < text.size(); ++cells)
    NextReadoutCharacter(text, at);
  return cells;
}

TEST(ReadoutText, KnownValuesInSteadyColumns) {
  EXPECT_EQ(Line(chI, 1000.0, 2.83, 1.001), "I   1.000 kHz  2.830 Vpp   1.001 Vrms");
  EXPECT_EQ(Line(chII, 999.8, 0.354, 0.1251), "II  999.8 Hz   354.0 mVpp  125.1 mVrms");
  EXPECT_EQ(Line(chI, 50.0, 12.345, 0.0), "I   50.00 Hz   12.35 Vpp   0.000 mVrms");
  EXPECT_EQ(Line(chII, 12345.0, 1234.5, 123.44), "II  12.35 kHz  1.235 kVpp  123.4 Vrms");
}

TEST(ReadoutText, EmptyValuesKeepTheirUnitAndColumn) {
  const std::string line = Line(chII, std::nullopt, std::nullopt, std::nullopt);
  EXPECT_EQ(line, "II      \u2014 Hz       \u2014 Vpp       \u2014 Vrms");
  EXPECT_EQ(Cells(line), Cells(Line(chII, 1000.0, 2.83, 1.001)));
  EXPECT_EQ(Line(chI, 440.0, std::nullopt, std::nullopt), "I   440.0 Hz       \u2014 Vpp       \u2014 Vrms");
}

TEST(ReadoutText, RoundingMovesToTheNextPrefix) {
  EXPECT_EQ(Hz(999.94), "999.9 Hz ");
  EXPECT_EQ(Hz(999.95), "1.000 kHz") << "not 1000 Hz";
  EXPECT_EQ(Hz(9.9996), "10.00 Hz ");
  EXPECT_EQ(Hz(99.996), "100.0 Hz ");
  EXPECT_EQ(Hz(9999.6), "10.00 kHz");
  EXPECT_EQ(Hz(999940.0), "999.9 kHz");
  EXPECT_EQ(Vpp(0.99996), "1.000 Vpp ");
  EXPECT_EQ(Vpp(0.99994), "999.9 mVpp");
  EXPECT_EQ(Vpp(1.0), "1.000 Vpp ");
  EXPECT_EQ(Vpp(0.001), "1.000 mVpp");
}

TEST(ReadoutText, BelowTheSmallestPrefixThreeDecimalsOfIt) {
  EXPECT_EQ(Hz(0.17), "0.170 Hz ");
  EXPECT_EQ(Hz(0.9996), "1.000 Hz ");
  EXPECT_EQ(Vpp(0.0005), "0.500 mVpp");
  EXPECT_EQ(Vpp(0.0000004), "0.000 mVpp");
  EXPECT_EQ(Vpp(0.0), "0.000 mVpp");
}

TEST(ReadoutText, WhatNoFieldHoldsIsADashAndNeverOverflows) {
  for (double value : {999950.0, 1e300, std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                       std::nan(""), -1.0, -1e300})
    EXPECT_EQ(Line(chI, value, 0.0, 0.0), "I       \u2014 Hz   0.000 mVpp  0.000 mVrms") << value;
  EXPECT_EQ(Line(chI, 1.0, 1e6, 999.94e3), "I   1.000 Hz       \u2014 Vpp   999.9 kVrms");
  TReadoutText out;
  out.Chars.fill('x');
  const double huge = std::numeric_limits<double>::max();
  FormatReadout(chII, {huge, huge, huge}, out);
  EXPECT_LT(out.Length, static_cast<int>(out.Chars.size()));
  EXPECT_EQ(out.Chars[out.Length], '\0');
  FormatReadout(chI, {1.0, 2.0, 3.0}, out);
  EXPECT_EQ(out.View(), "I   1.000 Hz   2.000 Vpp   3.000 Vrms") << "a line starts afresh";
}

} // namespace
