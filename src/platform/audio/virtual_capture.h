#pragma once

#include "platform/audio/capture_interfaces.h"

#include <functional>
#include <memory>
#include <vector>

class TVirtualCaptureBuffer;

// A capture device for tests, reached through the virtual "DSound.dll" while it exists (see
// virtual_sound_module.h). Its signal is configured, its clock advanced by hand,
// and each failure the sound classes must survive can be switched on. Single-threaded: the test
// drives it from the GUI thread.
class TVirtualCapture {
public:
  TVirtualCapture();
  ~TVirtualCapture();
  TVirtualCapture(const TVirtualCapture &) = delete;
  TVirtualCapture &operator=(const TVirtualCapture &) = delete;

  // The device exists only while there is one of these.
  static TVirtualCapture *Current() { return FCurrent; }
  // The module's "DirectSoundCaptureCreate".
  static HRESULT CreateDevice(const TGUID *device, std::shared_ptr<IDirectSoundCapture> *capture, void *outer);

  // nullptr accepts every format.
  std::function<bool(const TWaveFormatEx &format)> Accepts;
  bool NoDevice = false;
  bool FailCreateBuffer = false;
  bool FailLock = false;
  bool FailGetPosition = false;

  // The signal: either these bytes over and over, or a sine per channel (amplitude 0..1 of full
  // scale; channels beyond the last one set repeat it).
  void SetBytes(std::vector<uint8_t> bytes);
  void SetSine(int channel, double frequency, double amplitude);
  // Every started buffer captures what this many milliseconds bring.
  void Advance(int milliseconds);

  int BufferCount() const { return int(FBuffers.size()); }

  // For the buffers: their signal and their coming and going.
  uint8_t SourceByte(int64_t index) const;
  double SineValue(int channel, int64_t frame, uint32_t rate) const;
  bool HasBytes() const { return !FBytes.empty(); }
  void Attach(TVirtualCaptureBuffer *buffer) { FBuffers.push_back(buffer); }
  void Detach(TVirtualCaptureBuffer *buffer);

private:
  struct TSine {
    double Frequency;
    double Amplitude;
  };

  static TVirtualCapture *FCurrent;
  std::vector<uint8_t> FBytes;
  std::vector<TSine> FSines;
  std::vector<TVirtualCaptureBuffer *> FBuffers;
};
