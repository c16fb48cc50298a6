#include "app/calibration.h"
#include "app/settings_carry.h"
#include "rtl/exception.h"
#include "rtl/float_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

class SettingsCarry : public testing::Test {
protected:
  std::unique_ptr<TScopeState> Owner = std::make_unique<TScopeState>();
  TScopeState &State = *Owner;
};

TEST(Calibration, ATypedVoltsPerDivisionBecomesTheFactorAtShiftZero) {
  const TReal48 factor = FactorFromVoltsText("0.8", 3);
  EXPECT_EQ(factor.Value(), TReal48(0.1).Value());
  EXPECT_DOUBLE_EQ(factor.Value(), 0.10000000000002274);
  EXPECT_EQ(FloatToStr(factor.Value() * 8), "0.800000000000182");
}

TEST(Calibration, OnlyPositiveFiniteFactorsTheRealCanHoldAreTaken) {
  for (const char *text : {"abc", "", "0", "-0.5", "1e300", "1e-300", "inf", "nan"})
    EXPECT_THROW(FactorFromVoltsText(text, 0), EConvertError) << text;
  EXPECT_THROW(FactorFromVoltsText("2e38", 0), EConvertError) << "beyond the 6-byte real";
  EXPECT_NO_THROW(FactorFromVoltsText("2e38", 1)) << "half of it is held";
}

TEST_F(SettingsCarry, ANewFileAndTheDesignedCarriersGiveTheInitialState) {
  const TCarriedSettings designed;
  CarryIn(designed, State);
  const TScopeState initial;
  EXPECT_EQ(State.MicShift, initial.MicShift);
  EXPECT_EQ(State.MicFactor.Value(), initial.MicFactor.Value());
  EXPECT_EQ(State.LineFactor.Value(), initial.LineFactor.Value());
  EXPECT_EQ(State[chII].VoltFactor.Value(), initial[chII].VoltFactor.Value());
  EXPECT_EQ(State[chI].XStart, 1);
  EXPECT_EQ(State[chII].XEnd, 505);
  EXPECT_EQ(State.MicVolume, 0x8000);
  EXPECT_EQ(State.LineVolume, 0x8000);
}

TEST_F(SettingsCarry, PowerOffKeepsChannelOnesCalibrationForTheInputInUse) {
  State[chI].VoltFactor = TReal48(0.25);
  State[chI].VoltShift = 4;
  TCarriedSettings line = CarryOut(State, false);
  EXPECT_EQ(line.TimeVlIText, "0.25");
  EXPECT_EQ(line.VoltBtITag, 4);
  EXPECT_EQ(line.VDVlIText, "0.00500000000000256") << "the microphone's slot stays as it was";
  EXPECT_EQ(line.VDVlITag, 0);

  State[chI].VoltFactor = TReal48(0.5);
  State[chI].VoltShift = 2;
  TCarriedSettings mic = CarryOut(State, true);
  EXPECT_EQ(mic.VDVlIText, "0.5");
  EXPECT_EQ(mic.VDVlITag, 2);
  EXPECT_EQ(mic.TimeVlIText, "0.25");
  EXPECT_EQ(mic.VDVlIIText, "0.100000000000023");
  EXPECT_EQ(mic.ImageArrITag, 505) << "before any calibration";
  EXPECT_EQ(mic.CntVolIITag, 32768);
}

TEST_F(SettingsCarry, WhatIsCarriedOutComesBackIn) {
  State[chII].VoltFactor = TReal48(0.037);
  State[chII].VoltShift = 9;
  State[chI].XStart = -40;
  State[chI].XEnd = 464;
  State[chII].XStart = 7;
  State.MicVolume = 1234;
  State.LineVolume = 65535;
  const TCarriedSettings carried = CarryOut(State, false);
  auto fresh = std::make_unique<TScopeState>();
  CarryIn(carried, *fresh);
  EXPECT_EQ((*fresh)[chII].VoltFactor.Value(), State[chII].VoltFactor.Value());
  EXPECT_EQ((*fresh)[chII].VoltShift, 9);
  EXPECT_EQ((*fresh)[chI].XStart, -40);
  EXPECT_EQ((*fresh)[chI].XEnd, 464);
  EXPECT_EQ((*fresh)[chII].XStart, 7);
  EXPECT_EQ(fresh->MicVolume, 1234);
  EXPECT_EQ(fresh->LineVolume, 65535);
  EXPECT_EQ(fresh->LineFactor.Value(), TReal48(0.1).Value());
}

TEST_F(SettingsCarry, DamagedValuesKeepTheirFieldsAndSpoilNothingElse) {
  TCarriedSettings damaged;
  damaged.VDVlITag = 16;
  damaged.VoltBtITag = -1;
  damaged.VDVlIITag = std::numeric_limits<int32_t>::max();
  damaged.HorizontAnmITag = std::numeric_limits<int32_t>::min();
  damaged.ImageArrIITag = 1 << 30;
  damaged.VDVlIIText = "garbage";
  damaged.VDVlIText = "0";
  damaged.TimeVlIText = "0.2"; // a sound one among the damaged
  damaged.HorizontAnmIITag = 30;
  damaged.CntVolITag = 0x12345; // volumes take their low 16 bits
  CarryIn(damaged, State);
  const TScopeState initial;
  EXPECT_EQ(State.MicShift, 0);
  EXPECT_EQ(State.LineShift, 0);
  EXPECT_EQ(State[chII].VoltShift, 0);
  EXPECT_EQ(State[chI].XStart, 1);
  EXPECT_EQ(State[chII].XEnd, 505);
  EXPECT_EQ(State[chII].VoltFactor.Value(), initial[chII].VoltFactor.Value());
  EXPECT_EQ(State.MicFactor.Value(), initial.MicFactor.Value());
  EXPECT_EQ(State.LineFactor.Value(), TReal48(0.2).Value());
  EXPECT_EQ(State[chII].XStart, 30);
  EXPECT_EQ(State.MicVolume, 0x2345);
}

} // namespace
