#pragma once

#include "platform/audio/capture_interfaces.h"
#include "sound/capture_formats.h"
#include "sound/capture_stream_notify.h"
#include "sound/owned_format_wave_stream.h"

#include <functional>
#include <memory>

class ESoundCaptureStreamError : public EWaveStreamError {
public:
  using EWaveStreamError::EWaveStreamError;
};

// Captures continuously from a sound capture device into a looping buffer and hands the bytes to
// whoever reads the stream. With a handler assigned, a notification thread has the GUI thread call
// it whenever captured bytes are waiting (every 50 ms, or a quarter of the buffer when that is
// shorter). Everything here runs on the GUI thread; the thread only asks for the step.
class TSoundCaptureStream : public TCustomWaveStream2 {
public:
  using TDataAvailableEvent = std::function<void(TSoundCaptureStream *Sender)>;

  // `device` nullptr: the default capture device. Opens it and lists the formats it accepts.
  explicit TSoundCaptureStream(const TGUID *device = nullptr);
  ~TSoundCaptureStream() override;
  TSoundCaptureStream(const TSoundCaptureStream &) = delete;
  TSoundCaptureStream &operator=(const TSoundCaptureStream &) = delete;

  const TSoundCaptureFormats &SupportedFormats() const { return FSupportedFormats; }
  int32_t FormatIndex() const { return FFormatIndex; }
  void SetFormatIndex(int32_t index) { FFormatIndex = index; }
  int32_t BufferMilliseconds() const { return FBufferMilliseconds; }
  void SetBufferMilliseconds(int32_t milliseconds);
  const TDataAvailableEvent &OnDataAvailable() const { return FOnDataAvailable; }
  // While capturing, the new handler takes over from the next notification on; clearing it stops
  // the capture.
  void SetOnDataAvailable(TDataAvailableEvent handler);
  bool IsCapturing() const { return FIsCapturing; }
  int32_t CaptureBufferSize() const { return FCaptureBufferSize; }
  int32_t ReadPosition() const { return FReadPosition; }
  const TSoundCaptureStreamNotify *NotifyThread() const { return FNotifyThread.get(); }

  void StartCapture();
  void StopCapture();

  int64_t ReadableSize() override;
  // Copies `count` captured bytes, waiting for them as long as the device delivers; whatever it
  // cannot deliver is silence.
  int64_t ReadWave(void *buffer, int64_t count) override;

protected:
  virtual void NotifyDataAvailable();

private:
  friend class TSoundCaptureStreamNotify;

  // One notification: runs on the GUI thread on behalf of `thread`.
  void NotifyStep(TSoundCaptureStreamNotify *thread);
  // Bytes waiting, or false when the buffer cannot tell.
  bool QueryReadable(int64_t &readable);
  void StartNotifyThread();
  void EndNotifyThread();

  std::shared_ptr<IDirectSoundCaptureBuffer> FCaptureBuffer;
  int32_t FBufferMilliseconds = 1000;
  int32_t FReadPosition = 0;
  int32_t FCaptureBufferSize = 0;
  std::shared_ptr<IDirectSoundCapture> FCaptureDevice;
  int32_t FFormatIndex = 0;
  bool FIsCapturing = false;
  std::unique_ptr<TSoundCaptureStreamNotify> FNotifyThread;
  // The thread whose step is running just now, if any: it cannot be waited for from inside it.
  TSoundCaptureStreamNotify *FSteppingThread = nullptr;
  TDataAvailableEvent FOnDataAvailable;
  TSoundCaptureFormats FSupportedFormats;
};
