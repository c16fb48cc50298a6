#include "device/library_cache.h"
#include "framework/application.h"
#include "framework/form.h"
#include "platform/audio/virtual_playback.h"
#include "platform/audio/virtual_playback_buffer.h"
#include "sound/direct_sound_buffer.h"
#include "sound/dx_sound.h"
#include "sound/wave.h"
#include "support/memory_wave.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using testing::StrEq;
using testing::ThrowsMessage;

class SoundDeviceTest : public testing::Test {
protected:
  void SetUp() override { ReleaseLibraries(); } // the next lookup finds the virtual device
  void TearDown() override { ReleaseLibraries(); }

  TVirtualPlayback Device;
};

// Counts the restores a device is asked for.
class TCountingDirectSound : public TDirectSound {
public:
  using TDirectSound::TDirectSound;
  void DoRestore() override { ++Restores; }
  int Restores = 0;
};

const TWaveFormatEx Stereo16{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};

} // namespace

TEST_F(SoundDeviceTest, DeviceAndBufferFailuresRaiseTheirMessages) {
  Device.NoDevice = true;
  EXPECT_THAT([] { TDirectSound sound(nullptr); },
              ThrowsMessage<EDirectSoundError>(StrEq("DirectSound cannot be initialized")));
  EXPECT_THAT([] { TDirectSound sound(std::shared_ptr<IDirectSound>{}); },
              ThrowsMessage<EDirectSoundError>(StrEq("DirectSound cannot be initialized")));
  Device.NoDevice = false;

  TDirectSound sound(nullptr);
  TDirectSoundBuffer buffer(sound);
  EXPECT_THAT([&] { buffer.Play(0); }, ThrowsMessage<EDirectSoundBufferError>(StrEq("IDirectSoundBuffer not made")));
  Device.FailCreateBuffer = true;
  EXPECT_THAT([&] { buffer.CreateSecondary(Stereo16, 400); },
              ThrowsMessage<EDirectSoundBufferError>(StrEq("Sound Buffer cannot be made")));
  EXPECT_NE(sound.DXResult(), 0);
  Device.FailCreateBuffer = false;
  Device.FailLock = true;
  const std::vector<uint8_t> data(400, 7);
  EXPECT_THAT([&] { buffer.LoadPcm(Stereo16, data.data(), 400); },
              ThrowsMessage<EDirectSoundBufferError>(StrEq("Sound Buffer cannot be locked")));
  EXPECT_FALSE(buffer.HasBuffer());
  EXPECT_EQ(Device.BufferCount(), 0);
  Device.FailLock = false;
  // Failing calls are answered, not raised.
  buffer.CreateSecondary(Stereo16, 400);
  EXPECT_FALSE(buffer.SetFormat(Stereo16)); // a secondary buffer keeps its format
  EXPECT_NE(buffer.DXResult(), 0);
}

TEST_F(SoundDeviceTest, LoadPcmAssignAndDuplicateCarryTheBytes) {
  TDirectSound sound(nullptr);
  TWave wave;
  TMemoryWave source(TWaveImage().Riff().Fmt(2, 44100, 16, 4).Chunk("data", Ramp(800)));
  TMemoryStream image;
  TWaveImage().Riff().Fmt(2, 44100, 16, 4).Chunk("data", Ramp(800)).WriteTo(image);
  image.SetPosition(0);
  wave.LoadFromStream(image);

  TDirectSoundBuffer buffer(sound);
  buffer.Assign(&wave);
  ASSERT_EQ(Device.BufferCount(), 1);
  EXPECT_EQ(Device.LastBufferFlags, 0xE0u);
  ASSERT_TRUE(buffer.Play(DSBPLAY_LOOPING));
  Device.Advance(800);
  EXPECT_EQ(Device.Buffer(0).PlayedBytes(), Ramp(800));

  TDirectSoundBuffer copy(sound);
  copy.Assign(&buffer);
  ASSERT_EQ(Device.BufferCount(), 2);
  ASSERT_TRUE(copy.Play(0)); // not looping: it stops at its end
  Device.Advance(2000);
  EXPECT_EQ(Device.Buffer(1).PlayedBytes(), Ramp(800));
  copy.Assign(nullptr);
  EXPECT_FALSE(copy.HasBuffer());
  EXPECT_EQ(Device.BufferCount(), 1);
}

TEST_F(SoundDeviceTest, FocusCapabilityOfNewBuffersStickyWinsOverGlobal) {
  TDirectSound sound(nullptr);
  TDirectSoundBuffer buffer(sound);
  sound.GlobalFocus = true;
  buffer.CreateSecondary(Stereo16, 400);
  EXPECT_EQ(Device.LastBufferFlags, 0x80E0u);
  sound.StickyFocus = true;
  buffer.CreateSecondary(Stereo16, 400);
  EXPECT_EQ(Device.LastBufferFlags, 0x40E0u);
}

TEST_F(SoundDeviceTest, BufferLossRestoresTheDeviceOnceNotRecursively) {
  TCountingDirectSound sound(nullptr);
  TDirectSoundBuffer buffer(sound);
  buffer.CreateSecondary(Stereo16, 400);
  Device.LoseBuffers();
  EXPECT_FALSE(buffer.Play(DSBPLAY_LOOPING));
  EXPECT_EQ(buffer.DXResult(), DSERR_BUFFERLOST);
  EXPECT_EQ(sound.Restores, 1);
  sound.SetInRestore(true); // a loss reported while restoring does not restore again
  EXPECT_FALSE(buffer.Play(DSBPLAY_LOOPING));
  EXPECT_EQ(sound.Restores, 1);
  sound.SetInRestore(false);
  EXPECT_FALSE(buffer.Stop() && buffer.Play(0));
  EXPECT_EQ(sound.Restores, 2);
  EXPECT_FALSE(sound.InRestore());
}

TEST_F(SoundDeviceTest, ABufferOutlivingItsDeviceRaisesInsteadOfTouchingIt) {
  auto sound = std::make_unique<TDirectSound>(nullptr);
  TDirectSoundBuffer buffer(*sound);
  sound.reset();
  EXPECT_EQ(buffer.DSound(), nullptr);
  EXPECT_THAT([&] { buffer.CreateSecondary(Stereo16, 400); },
              ThrowsMessage<EDirectSoundError>(StrEq("IDirectSound not made")));
}

namespace {

class DXSoundTest : public SoundDeviceTest {
protected:
  TForm Form;
  std::vector<std::string> Events;

  std::unique_ptr<TDXSound> Make() {
    auto sound = std::make_unique<TDXSound>(&Form);
    sound->OnInitializing = [this](QObject *) { Events.push_back("initializing"); };
    sound->OnInitialize = [this](QObject *) { Events.push_back("initialize"); };
    sound->OnRestore = [this](QObject *) { Events.push_back("restore"); };
    sound->OnFinalize = [this](QObject *) { Events.push_back("finalize"); };
    sound->RegisterNotifyEvent(
        [this](TCustomDXSound *, TDXSoundNotifyType type) { Events.push_back(std::to_string(type)); }, &Form);
    return sound;
  }
};

} // namespace

TEST_F(DXSoundTest, ACycleOpensTheDeviceBindsTheFormAndFiresInOrder) {
  auto sound = Make();
  sound->Finalize(); // never initialised: nothing happens
  EXPECT_TRUE(Events.empty());

  sound->Initialize();
  ASSERT_TRUE(sound->Initialized());
  EXPECT_EQ(sound->Form(), &Form);
  EXPECT_EQ(Device.CooperativeWindow, &Form);
  EXPECT_EQ(Device.CooperativeLevel, DSSCL_NORMAL);
  ASSERT_NE(sound->Primary(), nullptr);
  TWaveFormatEx format;
  MakePcmFormat(format, 44100, 16, 2);
  EXPECT_TRUE(sound->Primary()->SetFormat(format));
  EXPECT_EQ(Device.PrimaryFormat.nAvgBytesPerSec, 176400u);
  sound->Finalize();
  EXPECT_FALSE(sound->Initialized());
  EXPECT_EQ(sound->DSound(), nullptr);
  const std::vector<std::string> expected{"1", "initializing", "2", "initialize", "4", "restore", "finalize", "3"};
  EXPECT_EQ(Events, expected);

  Events.clear();
  sound.reset();
  EXPECT_EQ(Events, std::vector<std::string>{"0"});
}

TEST_F(DXSoundTest, OpeningOptionsWaitForTheNextInitialize) {
  auto sound = Make();
  sound->Initialize();
  sound->SetOptions(TCustomDXSound::soGlobalFocus | TCustomDXSound::soExclusive);
  EXPECT_EQ(sound->NowOptions(), TCustomDXSound::TDXSoundOptions(TCustomDXSound::soGlobalFocus));
  EXPECT_TRUE(sound->DSound()->GlobalFocus);
  EXPECT_EQ(Device.CooperativeLevel, DSSCL_NORMAL);
  sound->Finalize();
  EXPECT_EQ(sound->NowOptions(), sound->Options());
  sound->Initialize();
  EXPECT_EQ(Device.CooperativeLevel, DSSCL_EXCLUSIVE);

  sound->SetOptions(sound->Options() | TCustomDXSound::soStickyFocus);
  TDirectSoundBuffer buffer(*sound->DSound());
  buffer.CreateSecondary(Stereo16, 400);
  EXPECT_EQ(Device.LastBufferFlags, 0x40E0u);
}

TEST_F(DXSoundTest, FailuresLeaveItFinalised) {
  TDXSound orphan;
  EXPECT_THAT([&] { orphan.Initialize(); }, ThrowsMessage<EDXSoundError>(StrEq("Form not found")));

  auto sound = Make();
  Device.NoDevice = true;
  EXPECT_THAT([&] { sound->Initialize(); },
              ThrowsMessage<EDirectSoundError>(StrEq("DirectSound cannot be initialized")));
  EXPECT_FALSE(sound->Initialized());
  // As read from a form: no device is no error.
  sound->BeginLoading();
  sound->setProperty("AutoInitialize", true);
  sound->Loaded();
  EXPECT_FALSE(sound->Initialized());
  Device.NoDevice = false;
  sound->BeginLoading();
  sound->Loaded();
  EXPECT_TRUE(sound->Initialized());
}

TEST_F(DXSoundTest, HandlersFailingWhileItIsDestroyedAreReportedAndItStillGoes) {
  std::vector<std::string> reports;
  Application->OnException = [&](QObject *, const std::exception &e) { reports.push_back(e.what()); };
  QObject listener;
  auto sound = Make();
  sound->Initialize();
  sound->OnFinalize = [](QObject *) { throw std::runtime_error("finalize failed"); };
  sound->RegisterNotifyEvent(
      [](TCustomDXSound *, TDXSoundNotifyType type) {
        if (type == snDestroying)
          throw 42;
      },
      &listener);
  // The one that records the notices again, so it hears before the failing one.
  sound->RegisterNotifyEvent(
      [this](TCustomDXSound *, TDXSoundNotifyType type) { Events.push_back(std::to_string(type)); }, &Form);
  sound.reset();
  Application->OnException = nullptr;
  EXPECT_EQ(reports, (std::vector<std::string>{"finalize failed", "Unknown error"}));
  // The finalisation and destruction notices went out all the same.
  ASSERT_GE(Events.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(Events.end() - 2, Events.end()), (std::vector<std::string>{"3", "0"}));
}

TEST_F(DXSoundTest, PublishesItsSettingsForTheFormReader) {
  TDXSound sound(&Form);
  EXPECT_TRUE(sound.setProperty("AutoInitialize", false));
  EXPECT_FALSE(sound.AutoInitialize);
  EXPECT_TRUE(sound.setProperty("Options", int(TCustomDXSound::soGlobalFocus)));
  EXPECT_EQ(sound.Options(), TCustomDXSound::TDXSoundOptions(TCustomDXSound::soGlobalFocus));
}
