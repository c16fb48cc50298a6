#include "support/tone_player.h"

#include "sound/wave_file_stream.h"

#include <QStringList>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <unistd.h>
#include <vector>

TTonePlayer::TTonePlayer(double frequency, double amplitude, int seconds)
    : FPath(std::filesystem::temp_directory_path() / ("tone_" + std::to_string(getpid()) + ".wav")) {
  constexpr int Rate = 44100;
  std::vector<int16_t> samples(size_t(Rate) * seconds * 2);
  for (size_t frame = 0; frame < samples.size() / 2; ++frame) {
    const double value = amplitude * 32767 * std::sin(2 * std::numbers::pi * frequency * double(frame) / Rate);
    samples[2 * frame] = samples[2 * frame + 1] = int16_t(std::lround(value));
  }
  TWaveFileStream wave(FPath.c_str(), TFileStream::fmCreate);
  wave.SetFormatSize(sizeof(TWaveFormatEx));
  MakePcmFormat(*wave.Format(), Rate, 16, 2);
  wave.Open(true);
  wave.WriteBuffer(samples.data(), int64_t(samples.size() * 2));
  wave.Finish();
}

TTonePlayer::~TTonePlayer() {
  FPlayer.kill();
  FPlayer.waitForFinished(5000);
  std::filesystem::remove(FPath);
}

bool TTonePlayer::Start() {
  FPlayer.start("aplay", {"-q", "-D", "default", QString::fromStdString(FPath)});
  return FPlayer.waitForStarted(5000);
}

const char *TestRuntime() { return std::getenv("VEXILO_TEST_RUNTIME"); }

bool PulseServer(const char *action) {
  QProcess server;
  server.start(VEXILO_SOURCE_DIR "/tools/pulse-server", {action, TestRuntime()});
  return server.waitForFinished(20000) && server.exitCode() == 0;
}
