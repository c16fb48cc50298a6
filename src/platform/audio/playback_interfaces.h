#pragma once

#include "platform/audio/capture_interfaces.h"

// The window a device is told about; the stand-in only records it.
class QWidget;

// The sound playback device and its buffers, as the sound classes use them. Objects are handed
// out by the module's "DirectSoundCreate" entry point as shared pointers and go with their last
// holder.
//
// Secondary buffers are looping byte rings with a play cursor; the primary buffer stands for the
// device's output and only keeps the format it is given. What the values of the adjustable
// properties mean here:
// - Frequency: samples per second. The device plays every buffer at its own format's rate, so
//   only 0 (the format's rate) or that rate itself can be set; reading answers that rate.
// - Volume: attenuation in hundredths of a decibel, -10000 (silent) .. 0 (unchanged).
// - Pan: -10000 (right silent) .. 0 (centre) .. 10000 (left silent), in hundredths of a decibel
//   of attenuation of the other side.
// Volume and pan are applied to the samples as they are played.

struct TDSBufferDesc {
  uint32_t dwSize;
  uint32_t dwFlags;
  uint32_t dwBufferBytes;
  uint32_t dwReserved;
  const TWaveFormatEx *lpwfxFormat;
};

constexpr uint32_t DSBCAPS_PRIMARYBUFFER = 0x1;
constexpr uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
constexpr uint32_t DSBCAPS_CTRLPAN = 0x40;
constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;
constexpr uint32_t DSBCAPS_STICKYFOCUS = 0x4000;
constexpr uint32_t DSBCAPS_GLOBALFOCUS = 0x8000;
constexpr uint32_t DSBCAPS_GETCURRENTPOSITION2 = 0x10000;

constexpr uint32_t DSBPLAY_LOOPING = 1;

constexpr uint32_t DSSCL_NORMAL = 1;
constexpr uint32_t DSSCL_PRIORITY = 2;
constexpr uint32_t DSSCL_EXCLUSIVE = 3;
constexpr uint32_t DSSCL_WRITEPRIMARY = 4;

constexpr int32_t DSBVOLUME_MIN = -10000;
constexpr int32_t DSBVOLUME_MAX = 0;
constexpr int32_t DSBPAN_LEFT = -10000;
constexpr int32_t DSBPAN_RIGHT = 10000;
constexpr uint32_t DSBFREQUENCY_ORIGINAL = 0;

constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032);
constexpr HRESULT DSERR_CONTROLUNAVAIL = static_cast<HRESULT>(0x8878001E);
constexpr HRESULT DSERR_UNSUPPORTED = static_cast<HRESULT>(0x80004001);

class IDirectSoundBuffer {
public:
  // Play cursor: the end of what the device has taken; write cursor: where writing is safe from.
  virtual HRESULT GetCurrentPosition(uint32_t *playCursor, uint32_t *writeCursor) = 0;
  virtual HRESULT SetCurrentPosition(uint32_t position) = 0;
  // Up to two regions: from `offset` to the end of the buffer, then from its start.
  virtual HRESULT Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
                       uint32_t *bytes2, uint32_t flags) = 0;
  virtual HRESULT Unlock(void *region1, uint32_t bytes1, void *region2, uint32_t bytes2) = 0;
  // DSBPLAY_LOOPING plays on around the end; without it playing stops there.
  virtual HRESULT Play(uint32_t reserved1, uint32_t priority, uint32_t flags) = 0;
  virtual HRESULT Stop() = 0;
  virtual HRESULT SetFormat(const TWaveFormatEx *format) = 0;
  virtual HRESULT GetFrequency(uint32_t *frequency) = 0;
  virtual HRESULT SetFrequency(uint32_t frequency) = 0;
  virtual HRESULT GetPan(int32_t *pan) = 0;
  virtual HRESULT SetPan(int32_t pan) = 0;
  virtual HRESULT GetVolume(int32_t *volume) = 0;
  virtual HRESULT SetVolume(int32_t volume) = 0;
  virtual ~IDirectSoundBuffer() = default;
};

class IDirectSound {
public:
  // Every level 1..4 is taken and kept; none changes how this device shares the sound output.
  virtual HRESULT SetCooperativeLevel(QWidget *window, uint32_t level) = 0;
  virtual HRESULT CreateSoundBuffer(const TDSBufferDesc *description, std::shared_ptr<IDirectSoundBuffer> &buffer,
                                    void *outer) = 0;
  // A new secondary buffer of the same format and size, starting with the original's bytes.
  virtual HRESULT DuplicateSoundBuffer(IDirectSoundBuffer *original,
                                       std::shared_ptr<IDirectSoundBuffer> &duplicate) = 0;
  virtual ~IDirectSound() = default;
};

// `device` nullptr: the default playback device.
using TDirectSoundCreate = HRESULT(const TGUID *device, std::shared_ptr<IDirectSound> *sound, void *outer);
