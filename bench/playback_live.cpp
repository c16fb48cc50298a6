// playback_live FILE SECONDS: plays FILE in a loop through ALSA's default playback device, as the
// calibration test does, and reports the underruns the playback thread had to recover from and
// the CPU the program used.
#include "device/library_cache.h"
#include "framework/application.h"
#include "platform/audio/alsa_playback_buffer.h"
#include "sound/audio_file_stream.h"
#include "sound/direct_sound.h"
#include "sound/direct_sound_buffer.h"

#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: playback_live FILE SECONDS\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  TApplication application(argc, argv);
  const int seconds = std::atoi(argv[2]);
  int status = 1;
  Application->Guard([&] {
    TDirectSound sound(nullptr);
    TAudioFileStream stream(sound);
    stream.SetAutoRefill(true);
    stream.SetBufferMilliseconds(1000);
    stream.SetSourceFileName(argv[1]);
    stream.SetLooping(true);
    stream.StartPlayback();
    QTimer::singleShot(seconds * 1000, [] { QCoreApplication::quit(); });
    application.exec();
    const auto *buffer = dynamic_cast<const TAlsaPlaybackBuffer *>(stream.SoundBuffer().IBuffer());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("calibration playback for %d s: %u underruns, %.3f CPU s per wall s\n", seconds,
                buffer ? buffer->Underruns() : 0u, cpu / seconds);
    status = buffer ? 0 : 1;
  });
  ReleaseLibraries();
  return status;
}
