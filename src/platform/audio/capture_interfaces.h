#pragma once

#include "platform/audio/wave_format_record.h"
#include "platform/result_codes.h"

#include "platform/guid.h"

#include <cstdint>
#include <memory>
#include <new>
#include <utility>

// The sound capture device and its looping buffer, as the sound classes use them. Objects are
// handed out by the module's "DirectSoundCaptureCreate" entry point as shared pointers and go
// with their last holder.

struct TDSCBufferDesc {
  uint32_t dwSize;
  uint32_t dwFlags;
  uint32_t dwBufferBytes;
  uint32_t dwReserved;
  const TWaveFormatEx *lpwfxFormat;
};

constexpr uint32_t DSCBSTART_LOOPING = 1;

constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064);
constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078);
constexpr HRESULT DSERR_GENERIC = E_FAIL;

class IDirectSoundCaptureBuffer {
public:
  // Capture cursor: where the device writes; read cursor: the end of what is safe to read.
  virtual HRESULT GetCurrentPosition(uint32_t *capturePosition, uint32_t *readPosition) = 0;
  // Up to two regions: from `offset` to the end of the buffer, then from its start.
  virtual HRESULT Lock(uint32_t offset, uint32_t bytes, void **region1, uint32_t *bytes1, void **region2,
                       uint32_t *bytes2, uint32_t flags) = 0;
  virtual HRESULT Unlock(void *region1, uint32_t bytes1, void *region2, uint32_t bytes2) = 0;
  virtual HRESULT Start(uint32_t flags) = 0;
  virtual HRESULT Stop() = 0;
  virtual ~IDirectSoundCaptureBuffer() = default;
};

class IDirectSoundCapture {
public:
  // A buffer for the described format; a failing result means the format is not accepted.
  virtual HRESULT CreateCaptureBuffer(const TDSCBufferDesc *description,
                                      std::shared_ptr<IDirectSoundCaptureBuffer> &buffer, void *outer) = 0;
  virtual ~IDirectSoundCapture() = default;
};

// `device` nullptr: the default capture device.
using TDirectSoundCaptureCreate = HRESULT(const TGUID *device, std::shared_ptr<IDirectSoundCapture> *capture,
                                          void *outer);

// The devices answer E_OUTOFMEMORY rather than throw: this makes an object, or none when memory
// runs out.
template <class T, class... TArgs> std::shared_ptr<T> MakeInterface(TArgs &&...args) {
  try {
    return std::make_shared<T>(std::forward<TArgs>(args)...);
  } catch (const std::bad_alloc &) {
    return nullptr;
  }
}
