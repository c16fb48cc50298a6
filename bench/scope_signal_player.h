#pragma once

#include <alsa/asoundlib.h>
#include <atomic>
#include <cstdint>
#include <thread>

// Plays a test signal to ALSA's "default" PCM from its own thread: a sine tone on both channels,
// or a level on channel I alone (channel II silent) that the caller switches to make a step.
// For each switch it records when the first sample of the new level reaches the sound server's
// sink: the moment of writing plus the delay ALSA reports for what is queued ahead of it.
class TScopeSignalPlayer {
public:
  static constexpr int Rate = 48000;

  TScopeSignalPlayer();
  ~TScopeSignalPlayer();
  TScopeSignalPlayer(const TScopeSignalPlayer &) = delete;
  TScopeSignalPlayer &operator=(const TScopeSignalPlayer &) = delete;

  void PlayTone(double frequency, int amplitude);
  // Switches to a steady level on channel I; StepTime() then tells when it reaches the sink.
  void PlayLevel(int level);
  // Steady-clock nanoseconds at which the last level switch reaches the sink, 0 until known.
  int64_t StepTime() const { return FStepTime.load(); }
  // CPU time this player's thread has used, so a measurement of the whole process can leave it out.
  double ThreadCpuSeconds() const { return FCpuSeconds.load(); }

private:
  void Run();
  void Fill(int16_t *frames, int count);

  snd_pcm_t *FPcm = nullptr;
  std::atomic<bool> FStop{false};
  std::atomic<double> FFrequency{0};
  std::atomic<int> FAmplitude{0};
  std::atomic<int> FLevel{0};
  std::atomic<int64_t> FStepTime{0};
  std::atomic<double> FCpuSeconds{0};
  double FPhase = 0;
  int FPlayedLevel = 0;
  std::thread FThread;
};
