#pragma once

#include "rtl/exception.h"
#include "sound/audio_stream_notify.h"
#include "sound/custom_wave_stream.h"

#include <cstdint>
#include <memory>

class TDirectSound;
class TDirectSoundBuffer;

class EAudioStreamError : public Exception {
public:
  using Exception::Exception;
};

// Plays a wave stream of any length through one looping sound buffer of BufferMilliseconds: the
// buffer is filled once and started, and each refill writes fresh source data (or silence, after
// the end of a source that does not loop) into the part the play cursor has passed. With
// AutoRefill a thread has the GUI thread refill every min(BufferMilliseconds / 4, 50) ms. All of it
// runs on the GUI thread; a refill writes straight into the locked regions and allocates nothing.
class TAudioStream {
public:
  explicit TAudioStream(TDirectSound &dsound);
  virtual ~TAudioStream();
  TAudioStream(const TAudioStream &) = delete;
  TAudioStream &operator=(const TAudioStream &) = delete;

  bool AutoRefill() const { return FAutoRefill; }
  void SetAutoRefill(bool value);
  int32_t BufferMilliseconds() const { return FBufferMilliseconds; }
  // At least 10; a change makes the buffer anew and goes on where it was.
  void SetBufferMilliseconds(int32_t value);
  int32_t BufferSize() const { return FBufferSize; }
  TDirectSound &DSound() const { return FDSound; }
  bool Looping() const { return FLooping; }
  void SetLooping(bool value);
  int32_t PlayedBytes() const { return FPlayedBytes; }
  bool IsPlaying() const { return FIsPlaying; }
  int32_t Position() const { return FPosition; }
  // Within the data, at a whole block; while playing, the buffer starts again from there.
  void SetPosition(int32_t value);
  TCustomWaveStream *Source() const { return FSource; }
  // Not owned; makes a buffer for the stream's format (EDirectSoundBufferError "Sound Buffer cannot
  // be made", or EWaveStreamError "Format is invalid" for a source without a usable format).
  void SetSource(TCustomWaveStream *stream);
  int32_t WriteCursor() const { return FWriteCursor; }
  TDirectSoundBuffer &SoundBuffer() const { return *FSoundBuffer; }
  const TAudioStreamNotify *NotifyThread() const { return FNotifyThread.get(); }

  // EAudioStreamError "WaveStream not set" without a source.
  TWaveFormatEx &Format() const;
  int32_t WaveSize() const;
  int32_t Frequency() const;
  void SetFrequency(int32_t value);
  int32_t Pan() const;
  void SetPan(int32_t value);
  int32_t Volume() const;
  void SetVolume(int32_t value);

  void StartPlayback();
  // From inside a refill the stop waits until the refill has ended.
  void StopPlayback();
  void Refill();

private:
  friend class TAudioStreamNotify;

  // On the GUI thread, on behalf of `thread`.
  void RefillStep(TAudioStreamNotify *thread);
  void NotifyThreadEnded(TAudioStreamNotify *thread);
  void StartNotifyThread();
  void EndNotifyThread();
  TCustomWaveStream &CheckedSource() const;
  void RecreateBuffer();
  int32_t FreeSpace();
  int32_t FillBuffer(int32_t count);
  int32_t StreamWrite(int32_t count);
  void DataWrite(int32_t count);
  void SilenceWrite(int32_t count);

  bool FAutoRefill = true;
  std::unique_ptr<TDirectSoundBuffer> FSoundBuffer;
  int32_t FBufferMilliseconds = 1000;
  int32_t FWriteCursor = 0;
  int32_t FLastPlayCursor = 0;
  int32_t FBufferSize = 0;
  TDirectSound &FDSound;
  bool FLooping = false;
  int32_t FPlayedBytes = 0;
  bool FIsPlaying = false;
  int32_t FPosition = 0;
  TCustomWaveStream *FSource = nullptr;
  int32_t FSourcePosition = 0;
  std::unique_ptr<TAudioStreamNotify> FNotifyThread;
  bool FInRefill = false;
};
