#include "sound/audio_stream.h"

#include "framework/application.h"
#include "rtl/scope_exit.h"
#include "sound/direct_sound_buffer.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr int32_t MinimumBufferMilliseconds = 10;
constexpr uint32_t DescriptionSize = 20;
constexpr uint32_t StreamCaps =
    DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY;

// A thread cannot be waited for from inside its own step: it is freed once the step is over.
void FreeLater(TAudioStreamNotify *thread) {
  thread->Abandon();
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [thread] { delete thread; }, Qt::QueuedConnection);
}

} // namespace

TAudioStream::TAudioStream(TDirectSound &dsound)
    : FSoundBuffer(std::make_unique<TDirectSoundBuffer>(dsound)), FDSound(dsound) {}

TAudioStream::~TAudioStream() {
  StopPlayback();
  SetSource(nullptr);
}

TCustomWaveStream &TAudioStream::CheckedSource() const {
  if (!FSource)
    throw EAudioStreamError("WaveStream not set");
  return *FSource;
}

TWaveFormatEx &TAudioStream::Format() const {
  TWaveFormatEx *format = CheckedSource().Format();
  if (!format)
    throw EWaveStreamError("Format is invalid");
  return *format;
}

int32_t TAudioStream::WaveSize() const {
  return FSource ? int32_t(std::min<int64_t>(FSource->WaveSize(), INT32_MAX)) : 0;
}

int32_t TAudioStream::Frequency() const { return FSoundBuffer->Frequency(); }
void TAudioStream::SetFrequency(int32_t value) { FSoundBuffer->SetFrequency(value); }
int32_t TAudioStream::Pan() const { return FSoundBuffer->Pan(); }
void TAudioStream::SetPan(int32_t value) { FSoundBuffer->SetPan(value); }
int32_t TAudioStream::Volume() const { return FSoundBuffer->Volume(); }
void TAudioStream::SetVolume(int32_t value) { FSoundBuffer->SetVolume(value); }

void TAudioStream::SetSource(TCustomWaveStream *stream) {
  StopPlayback();
  FSource = nullptr;
  FWriteCursor = FPosition = FSourcePosition = 0;
  if (stream && FBufferMilliseconds > 0) {
    const TWaveFormatEx &format = stream->PcmFormat();
    const int64_t size = int64_t(format.nAvgBytesPerSec) * FBufferMilliseconds / 1000;
    FBufferSize = int32_t(std::min<int64_t>(size, INT32_MAX));
    const uint32_t focus = FDSound.StickyFocus ? DSBCAPS_STICKYFOCUS : FDSound.GlobalFocus ? DSBCAPS_GLOBALFOCUS : 0;
    const TDSBufferDesc description{DescriptionSize, StreamCaps | focus, uint32_t(FBufferSize), 0, stream->Format()};
    if (size > INT32_MAX || !FSoundBuffer->CreateBuffer(description))
      throw EDirectSoundBufferError(SCannotMade, "Sound Buffer");
  } else {
    FSoundBuffer->ReleaseBuffer();
    FBufferSize = 0;
  }
  FSource = stream;
}

void TAudioStream::SetBufferMilliseconds(int32_t value) {
  value = std::max(value, MinimumBufferMilliseconds);
  if (value == FBufferMilliseconds)
    return;
  FBufferMilliseconds = value;
  if (FSource)
    RecreateBuffer();
}

void TAudioStream::RecreateBuffer() {
  const bool wasPlaying = FIsPlaying;
  const int32_t position = FPosition;
  const int32_t frequency = Frequency();
  const int32_t pan = Pan();
  const int32_t volume = Volume();
  SetSource(FSource);
  SetPosition(position);
  SetFrequency(frequency);
  SetPan(pan);
  SetVolume(volume);
  if (wasPlaying)
    StartPlayback();
}

void TAudioStream::SetLooping(bool value) {
  if (value == FLooping)
    return;
  FLooping = value;
  SetPosition(FPosition);
}

void TAudioStream::SetAutoRefill(bool value) {
  if (value == FAutoRefill)
    return;
  FAutoRefill = value;
  if (!FIsPlaying)
    return;
  EndNotifyThread();
  if (value)
    StartNotifyThread();
}

void TAudioStream::SetPosition(int32_t value) {
  TCustomWaveStream &source = CheckedSource();
  const int32_t align = source.PcmFormat().nBlockAlign;
  int32_t v = std::max(std::min(value, WaveSize() - 1), 0);
  v = v / align * align;
  FPosition = v;
  if (!FIsPlaying)
    return;
  try {
    FSoundBuffer->Stop();
    FWriteCursor = 0;
    FLastPlayCursor = 0;
    FSourcePosition = v;
    FillBuffer(FBufferSize);
    FSoundBuffer->SetPosition(0);
    FSoundBuffer->Play(DSBPLAY_LOOPING);
  } catch (...) {
    StopPlayback();
    throw;
  }
}

void TAudioStream::StartPlayback() {
  if (FIsPlaying)
    return;
  CheckedSource();
  if (WaveSize() == 0)
    return;
  try {
    FIsPlaying = true;
    SetPosition(FPosition);
    if (FAutoRefill)
      StartNotifyThread();
  } catch (...) {
    StopPlayback();
    throw;
  }
}

void TAudioStream::StopPlayback() {
  if (!FIsPlaying)
    return;
  if (FInRefill) {
    // Ending the thread from inside its own step would wait for itself; it ends after the step
    // and its end stops the playback.
    FNotifyThread->NotifyEvent().SetEvent();
    return;
  }
  FIsPlaying = false;
  if (FSoundBuffer->HasBuffer())
    FSoundBuffer->Stop();
  EndNotifyThread();
}

void TAudioStream::StartNotifyThread() {
  FNotifyThread = std::make_unique<TAudioStreamNotify>(*this, FBufferMilliseconds);
}

void TAudioStream::EndNotifyThread() {
  std::unique_ptr<TAudioStreamNotify> thread = std::move(FNotifyThread);
  if (!thread)
    return;
  thread->StopOnEnd = false;
  if (FInRefill)
    FreeLater(thread.release());
  // Otherwise it is freed here, which waits and serves its steps; they no longer reach this stream.
}

void TAudioStream::RefillStep(TAudioStreamNotify *thread) {
  if (thread != FNotifyThread.get())
    return; // a thread being ended
  FInRefill = true;
  try {
    Refill();
    FInRefill = false;
  } catch (...) {
    FInRefill = false;
    if (Application)
      Application->HandleCurrentException();
    thread->NotifyEvent().SetEvent();
  }
}

void TAudioStream::NotifyThreadEnded(TAudioStreamNotify *thread) {
  if (thread != FNotifyThread.get())
    return;
  const bool stop = thread->StopOnEnd;
  FreeLater(FNotifyThread.release());
  if (stop)
    StopPlayback();
}

int32_t TAudioStream::FreeSpace() {
  const int32_t play = FSoundBuffer->Position();
  const int32_t free = play >= FWriteCursor ? play - FWriteCursor : FBufferSize - FWriteCursor + play;
  const int64_t readable = FSource->ReadableSize();
  return readable >= 0 ? int32_t(std::min<int64_t>(free, readable)) : free;
}

void TAudioStream::Refill() {
  if (!FIsPlaying)
    return;
  try {
    const int32_t play = FSoundBuffer->Position();
    FPlayedBytes += play >= FLastPlayCursor ? play - FLastPlayCursor : FBufferSize - FLastPlayCursor + play;
    FLastPlayCursor = play;
    const int32_t waveSize = WaveSize();
    if (waveSize < 0) {
      if (const int32_t n = FreeSpace(); n > 0)
        FPosition += FillBuffer(n);
    } else if (FLooping) {
      if (const int32_t n = FreeSpace(); n > 0) {
        FillBuffer(n);
        FPosition = int32_t((int64_t(FPosition) + n) % waveSize);
      }
    } else if (waveSize > FPosition) {
      if (const int32_t n = FreeSpace(); n > 0) {
        FillBuffer(n);
        FPosition = int32_t(std::min<int64_t>(int64_t(FPosition) + n, waveSize));
      }
    } else {
      StopPlayback();
    }
  } catch (...) {
    StopPlayback();
    throw;
  }
}

int32_t TAudioStream::FillBuffer(int32_t count) {
  const int32_t waveSize = WaveSize();
  if (waveSize < 0)
    return StreamWrite(count);
  if (FLooping) {
    for (int32_t n = count; n > 0;) {
      const int32_t k = std::min(waveSize - FSourcePosition, n);
      DataWrite(k);
      FSourcePosition %= waveSize;
      n -= k;
    }
    return count;
  }
  const int32_t rest = waveSize - FSourcePosition;
  if (rest <= 0) {
    SilenceWrite(count);
  } else if (count <= rest) {
    DataWrite(count);
  } else {
    DataWrite(rest);
    SilenceWrite(count - rest);
  }
  return count;
}

int32_t TAudioStream::StreamWrite(int32_t count) {
  void *region1, *region2;
  uint32_t bytes1, bytes2;
  if (!FSoundBuffer->Lock(uint32_t(FWriteCursor), uint32_t(count), 0, region1, bytes1, region2, bytes2))
    return 0;
  TScopeExit unlock([&] { FSoundBuffer->Unlock(region1, bytes1, region2, bytes2); });
  FSource->SetPosition(FSourcePosition);
  int32_t answer = 0;
  const int32_t read1 = int32_t(FSource->Read(region1, bytes1));
  FSourcePosition += read1;
  FWriteCursor = (FWriteCursor + read1) % FBufferSize;
  answer += read1;
  if (region2 && uint32_t(read1) == bytes1) {
    const int32_t read2 = int32_t(FSource->Read(region2, bytes2));
    FSourcePosition += read2;
    FWriteCursor = (FWriteCursor + read2) % FBufferSize;
    answer += read2;
  }
  return answer;
}

void TAudioStream::DataWrite(int32_t count) {
  void *region1, *region2;
  uint32_t bytes1, bytes2;
  if (!FSoundBuffer->Lock(uint32_t(FWriteCursor), uint32_t(count), 0, region1, bytes1, region2, bytes2))
    return;
  TScopeExit unlock([&] { FSoundBuffer->Unlock(region1, bytes1, region2, bytes2); });
  FSource->SetPosition(FSourcePosition);
  FSource->ReadBuffer(region1, bytes1);
  FSourcePosition += int32_t(bytes1);
  if (region2) {
    FSource->ReadBuffer(region2, bytes2);
    FSourcePosition += int32_t(bytes2);
  }
  FWriteCursor = int32_t((int64_t(FWriteCursor) + bytes1 + bytes2) % FBufferSize);
}

void TAudioStream::SilenceWrite(int32_t count) {
  void *region1, *region2;
  uint32_t bytes1, bytes2;
  if (!FSoundBuffer->Lock(uint32_t(FWriteCursor), uint32_t(count), 0, region1, bytes1, region2, bytes2))
    return;
  const uint8_t silence = SilenceByte(FSource->PcmFormat().wBitsPerSample);
  std::memset(region1, silence, bytes1);
  if (region2)
    std::memset(region2, silence, bytes2);
  FSoundBuffer->Unlock(region1, bytes1, region2, bytes2);
  FWriteCursor = int32_t((int64_t(FWriteCursor) + bytes1 + bytes2) % FBufferSize);
  FSourcePosition += int32_t(bytes1 + bytes2);
}
