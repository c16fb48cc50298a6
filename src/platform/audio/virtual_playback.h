#pragma once

#include "platform/audio/playback_interfaces.h"

#include <memory>
#include <vector>

class TVirtualPlaybackBuffer;

// A playback device for tests, reached through the virtual "DSound.dll" while it exists (see
// virtual_sound_module.h). Its play cursor moves only when the test says how many bytes have been
// played; what was played is kept for the test to read; each failure the sound classes must
// survive can be switched on. Single-threaded: the test drives it from the GUI thread.
class TVirtualPlayback {
public:
  TVirtualPlayback();
  ~TVirtualPlayback();
  TVirtualPlayback(const TVirtualPlayback &) = delete;
  TVirtualPlayback &operator=(const TVirtualPlayback &) = delete;

  static TVirtualPlayback *Current() { return FCurrent; }
  // The module's "DirectSoundCreate".
  static HRESULT CreateDevice(const TGUID *device, std::shared_ptr<IDirectSound> *sound, void *outer);

  bool NoDevice = false;         // the device cannot be opened
  bool FailCreateBuffer = false; // secondary buffers cannot be made
  bool FailLock = false;         // locks fail
  // From now on every buffer in existence answers DSERR_BUFFERLOST, as if the device had gone.
  void LoseBuffers();

  // Every playing buffer plays `bytes` more (whole frames; a buffer that does not loop stops at
  // its end).
  void Advance(uint32_t bytes);

  // What the sound classes did.
  uint32_t CooperativeLevel = 0;
  QWidget *CooperativeWindow = nullptr;
  int SetFormatCalls = 0;
  TWaveFormatEx PrimaryFormat{};
  uint32_t LastBufferFlags = 0;

  int BufferCount() const { return int(FBuffers.size()); }
  // The secondary buffers in order of making.
  TVirtualPlaybackBuffer &Buffer(int index) { return *FBuffers.at(size_t(index)); }

  // For the buffers: their coming and going.
  void Attach(TVirtualPlaybackBuffer *buffer) { FBuffers.push_back(buffer); }
  void Detach(TVirtualPlaybackBuffer *buffer);

private:
  static TVirtualPlayback *FCurrent;
  std::vector<TVirtualPlaybackBuffer *> FBuffers;
};
