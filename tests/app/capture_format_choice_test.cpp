#include "app/capture_format_choice.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every candidate a device can offer, in the capture stream's list order.
std::vector<TFormatEntry> AllFormats() {
  std::vector<TFormatEntry> formats;
  for (int rate : {8000, 11025, 22050, 33075, 44100, 48000, 96000})
    for (int bits : {8, 16, 24, 32})
      for (int channels : {1, 2})
        formats.push_back({rate, bits, channels});
  return formats;
}

// Two rates, four entries each: 8-bit mono, 8-bit stereo, 16-bit mono, 16-bit stereo.
std::vector<TFormatEntry> TwoRatesOfFour() {
  std::vector<TFormatEntry> formats;
  for (int rate : {22050, 44100})
    for (int bits : {8, 16})
      for (int channels : {1, 2})
        formats.push_back({rate, bits, channels});
  return formats;
}

TEST(CaptureFormatChoice, DeviceWithoutDeeperFormatsMapsPositionsToTheLastEntryOfEachRate) {
  const auto formats = TwoRatesOfFour();
  const TCaptureFormatChoice first = InitialCaptureFormat(formats);
  EXPECT_EQ(first.StereoCount, 2);
  EXPECT_EQ(first.FormatsPerStep, 4);
  EXPECT_EQ(first.Position, 2);
  EXPECT_EQ(first.FormatIndex, 7) << "the last entry, as before";
  EXPECT_EQ(first.SampleRate, 44100);
  EXPECT_EQ(first.Hint, "44100Hz 16bit Stereo");
  EXPECT_EQ(CaptureFormatAt(formats, 1).FormatIndex, 3);
  EXPECT_EQ(CaptureFormatAt(formats, 1).Hint, "22050Hz 16bit Stereo");
  EXPECT_EQ(CaptureFormatAt(formats, 2).FormatIndex, 7);
}

TEST(CaptureFormatChoice, DeviceOfferingEveryCandidateCapturesSixteenBitStereoOnly) {
  const auto formats = AllFormats();
  ASSERT_EQ(formats.size(), 56u);
  const TCaptureFormatChoice first = InitialCaptureFormat(formats);
  EXPECT_EQ(first.StereoCount, 7);
  EXPECT_EQ(first.Position, 7);
  ASSERT_TRUE(first.Usable());
  const TFormatEntry &captured = formats[first.FormatIndex];
  EXPECT_EQ(captured.SamplesPerSec, 96000);
  EXPECT_EQ(captured.BitsPerSample, 16);
  EXPECT_EQ(captured.Channels, 2);
  EXPECT_EQ(first.SampleRate, 96000);
  EXPECT_EQ(first.Hint, "96000Hz 16bit Stereo") << "the hint names what is captured";

  const int rates[] = {8000, 11025, 22050, 33075, 44100, 48000, 96000};
  for (int p = 1; p <= 7; ++p) {
    const TCaptureFormatChoice choice = CaptureFormatAt(formats, p);
    ASSERT_TRUE(choice.Usable()) << "position " << p;
    const TFormatEntry &format = formats[choice.FormatIndex];
    EXPECT_EQ(format.SamplesPerSec, rates[p - 1]);
    EXPECT_EQ(format.BitsPerSample, 16);
    EXPECT_EQ(format.Channels, 2);
    EXPECT_EQ(choice.SampleRate, rates[p - 1]);
    EXPECT_EQ(choice.Hint, std::to_string(rates[p - 1]) + "Hz 16bit Stereo");
  }
}

TEST(CaptureFormatChoice, DeviceWithoutSixteenBitStereoHasNothingToCapture) {
  const std::vector<TFormatEntry> formats{{44100, 8, 1}, {44100, 16, 1}, {48000, 24, 2}};
  const TCaptureFormatChoice choice = InitialCaptureFormat(formats);
  EXPECT_FALSE(choice.Usable());
  EXPECT_EQ(choice.StereoCount, 0);
  EXPECT_EQ(choice.FormatsPerStep, 0);
  EXPECT_EQ(choice.FormatIndex, -1);
  EXPECT_FALSE(InitialCaptureFormat({}).Usable());
  EXPECT_FALSE(CaptureFormatAt(formats, 1).Usable());
}

TEST(CaptureFormatChoice, PositionOutsideTheTrackbarSelectsNothing) {
  const auto formats = TwoRatesOfFour();
  EXPECT_FALSE(CaptureFormatAt(formats, 0).Usable());
  EXPECT_FALSE(CaptureFormatAt(formats, 3).Usable());
  EXPECT_EQ(StereoFormatIndex(formats, -1), -1);
}

TEST(CaptureFormatChoice, HintNamesMonoAndStereo) {
  EXPECT_EQ(FormatHint({8000, 8, 1}), "8000Hz 8bit Mono");
  EXPECT_EQ(FormatHint({11025, 32, 2}), "11025Hz 32bit Stereo");
}

} // namespace
