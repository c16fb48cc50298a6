#include "scope_signal_player.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <numbers>
#include <stdexcept>
#include <string>

namespace {

constexpr int PeriodFrames = TScopeSignalPlayer::Rate / 200; // 5 ms per write
constexpr unsigned LatencyMicroseconds = 30000;              // short, so a step is heard soon

int64_t SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

double ThreadCpu() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace

TScopeSignalPlayer::TScopeSignalPlayer() {
  int error = snd_pcm_open(&FPcm, "default", SND_PCM_STREAM_PLAYBACK, 0);
  if (error >= 0)
    error =
        snd_pcm_set_params(FPcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 2, Rate, 1, LatencyMicroseconds);
  if (error < 0) {
    if (FPcm)
      snd_pcm_close(FPcm);
    throw std::runtime_error(std::string("cannot play to the default device: ") + snd_strerror(error));
  }
  FThread = std::thread(&TScopeSignalPlayer::Run, this);
}

TScopeSignalPlayer::~TScopeSignalPlayer() {
  FStop = true;
  FThread.join();
  snd_pcm_close(FPcm);
}

void TScopeSignalPlayer::PlayTone(double frequency, int amplitude) {
  FAmplitude = amplitude;
  FFrequency = frequency;
}

void TScopeSignalPlayer::PlayLevel(int level) {
  FStepTime = 0;
  FLevel = level;
  FFrequency = 0;
}

void TScopeSignalPlayer::Fill(int16_t *frames, int count) {
  const double frequency = FFrequency.load();
  if (frequency > 0) {
    const double amplitude = FAmplitude.load();
    for (int i = 0; i < count; ++i) {
      frames[2 * i] = frames[2 * i + 1] = int16_t(std::lround(amplitude * std::sin(FPhase)));
      FPhase = std::fmod(FPhase + 2 * std::numbers::pi * frequency / Rate, 2 * std::numbers::pi);
    }
    return;
  }
  const int level = FLevel.load();
  if (level != FPlayedLevel) {
    // What is queued now plays before this block's first sample.
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(FPcm, &delay) < 0)
      delay = 0;
    FStepTime = SteadyNanoseconds() + int64_t(delay) * 1000000000 / Rate;
    FPlayedLevel = level;
  }
  for (int i = 0; i < count; ++i) {
    frames[2 * i] = int16_t(level);
    frames[2 * i + 1] = 0;
  }
}

void TScopeSignalPlayer::Run() {
  int16_t frames[PeriodFrames * 2];
  while (!FStop) {
    Fill(frames, PeriodFrames);
    snd_pcm_sframes_t written = snd_pcm_writei(FPcm, frames, PeriodFrames);
    if (written < 0)
      snd_pcm_recover(FPcm, int(written), 1);
    FCpuSeconds = ThreadCpu();
  }
}
