#include "platform/mixer/alsa_mixer.h"
#include "platform/mixer/pulse_layout.h"

#include <gtest/gtest.h>
#include <pulse/def.h>
#include <pulse/volume.h>

TEST(MixerNames, AreCutToTheFieldAtAWholeCharacter) {
  char field[MIXER_SHORT_NAME_CHARS];
  CopyMixerName(field, sizeof field, "Monitor of Null Output");
  EXPECT_STREQ(field, "Monitor of Null");
  CopyMixerName(field, sizeof field, "Mikrofon vorn");
  EXPECT_STREQ(field, "Mikrofon vorn");
  // 14 ASCII characters and a two-byte one that would end on the terminator's place.
  CopyMixerName(field, sizeof field, "Eingang hinten\xC3\xBC");
  EXPECT_STREQ(field, "Eingang hinten");
}

TEST(MixerInputTypes, ComeFromTheServersPortTypeOrTheName) {
  EXPECT_EQ(PortComponentType("analog-input-front-mic", PA_DEVICE_PORT_TYPE_UNKNOWN),
            MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
  EXPECT_EQ(PortComponentType("analog-input-linein", PA_DEVICE_PORT_TYPE_UNKNOWN), MIXERLINE_COMPONENTTYPE_SRC_LINE);
  EXPECT_EQ(PortComponentType("analog-input-aux", PA_DEVICE_PORT_TYPE_UNKNOWN), MIXERLINE_COMPONENTTYPE_SRC_ANALOG);
  EXPECT_EQ(PortComponentType("analog-input", PA_DEVICE_PORT_TYPE_MIC), MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
  EXPECT_EQ(PortComponentType("headset-input", PA_DEVICE_PORT_TYPE_HEADSET), MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
  EXPECT_EQ(PortComponentType("analog-input-mic", PA_DEVICE_PORT_TYPE_LINE), MIXERLINE_COMPONENTTYPE_SRC_LINE);

  EXPECT_EQ(AlsaInputComponentType("Front Mic"), MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
  EXPECT_EQ(AlsaInputComponentType("Line"), MIXERLINE_COMPONENTTYPE_SRC_LINE);
  EXPECT_EQ(AlsaInputComponentType("CD"), MIXERLINE_COMPONENTTYPE_SRC_ANALOG);
}

TEST(PulseVolumes, MapLinearlyAndComeBackUnchanged) {
  EXPECT_EQ(MixerToPulseVolume(0), PA_VOLUME_MUTED);
  EXPECT_EQ(MixerToPulseVolume(0xFFFF), PA_VOLUME_NORM);
  EXPECT_EQ(MixerToPulseVolume(0x8000), PA_VOLUME_NORM / 2 + 1); // a little over half of 0xFFFF
  EXPECT_EQ(PulseToMixerVolume(PA_VOLUME_NORM * 2), 0xFFFFu);    // above normal is the top of the scale
  for (uint32_t value = 0; value <= 0xFFFF; ++value)
    ASSERT_EQ(PulseToMixerVolume(MixerToPulseVolume(value)), value);
}

TEST(PulseLayout, ASourceWithoutPortsIsOneLineInputThatRecords) {
  TPulseSource source;
  source.Description = "Monitor of Null Output";
  source.Volume = PA_VOLUME_NORM / 4;
  const TMixerLayout layout = PulseLayout(source);
  ASSERT_EQ(layout.Destinations.size(), 1u);
  const TMixerDestination &recording = layout.Destinations[0];
  EXPECT_EQ(recording.Line.ComponentType, MIXERLINE_COMPONENTTYPE_DST_WAVEIN);
  ASSERT_EQ(recording.Sources.size(), 1u);
  EXPECT_EQ(recording.Sources[0].ComponentType, MIXERLINE_COMPONENTTYPE_SRC_LINE);
  EXPECT_EQ(recording.Sources[0].Name, "Monitor of Null Output");
  EXPECT_EQ(layout.FindControl(PulseVolumeId(0))->Values[0], 0x4000u);
  EXPECT_EQ(layout.FindControl(PulseSwitchId(0))->Values[0], 1u);
}

TEST(PulseLayout, PortsAreTheInputsAndAKeptVolumeShowsOnItsInput) {
  TPulseSource source;
  source.Ports = {{"analog-input-mic", "Microphone", MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE},
                  {"analog-input-linein", "Line In", MIXERLINE_COMPONENTTYPE_SRC_LINE}};
  source.Active = 1;
  source.Volume = PA_VOLUME_NORM;
  source.Kept = {uint16_t(0x1000), std::nullopt};
  const TMixerLayout layout = PulseLayout(source);
  const TMixerDestination &recording = layout.Destinations[0];
  ASSERT_EQ(recording.Sources.size(), 2u);
  EXPECT_EQ(recording.Sources[0].ComponentType, MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE);
  EXPECT_EQ(recording.Sources[1].Name, "Line In");
  EXPECT_EQ(layout.FindControl(PulseVolumeId(0))->Values[0], 0x1000u);
  EXPECT_EQ(layout.FindControl(PulseVolumeId(1))->Values[0], 0xFFFFu);
  EXPECT_EQ(layout.FindControl(PulseSwitchId(0))->Values[0], 0u);
  EXPECT_EQ(layout.FindControl(PulseSwitchId(1))->Values[0], 1u);

  // Choosing the microphone changes both switches; the line's kept volume is untouched.
  TMixerLayout chosen = layout;
  ASSERT_EQ(chosen.Apply(PulseSwitchId(0), {1}), MMSYSERR_NOERROR);
  EXPECT_EQ(TMixerLayout::Changes(layout, chosen), (std::vector<uint32_t>{PulseSwitchId(0), PulseSwitchId(1)}));
  EXPECT_EQ(chosen.Apply(PulseSwitchId(0), {0}), MMSYSERR_NOERROR);
  EXPECT_TRUE(TMixerLayout::Changes(layout, chosen).size() == 2);
}
