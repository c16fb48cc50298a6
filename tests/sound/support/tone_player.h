#pragma once

#include <QProcess>
#include <string>

// Writes a stereo 16-bit WAVE of a sine tone with the program's own wave writer, and plays it to
// ALSA's "default" PCM with aplay while the object lives.
class TTonePlayer {
public:
  TTonePlayer(double frequency, double amplitude, int seconds);
  ~TTonePlayer();
  TTonePlayer(const TTonePlayer &) = delete;
  TTonePlayer &operator=(const TTonePlayer &) = delete;

  bool Start();

private:
  std::string FPath;
  QProcess FPlayer;
};

// Where the test services keep their runtime files, or nullptr outside them.
const char *TestRuntime();
// Stops or starts the private sound server.
bool PulseServer(const char *action);
