#include "platform/audio/virtual_capture.h"

#include "platform/audio/virtual_capture_buffer.h"
#include "platform/audio/virtual_sound_module.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

TVirtualCapture *TVirtualCapture::FCurrent = nullptr;

namespace {

class TVirtualCaptureDevice : public IDirectSoundCapture {
public:
  HRESULT CreateCaptureBuffer(const TDSCBufferDesc *description, std::shared_ptr<IDirectSoundCaptureBuffer> &buffer,
                              void *outer) override {
    buffer.reset();
    TVirtualCapture *device = TVirtualCapture::Current();
    if (!device || !description || !description->lpwfxFormat || outer)
      return DSERR_INVALIDPARAM;
    const TWaveFormatEx &format = *description->lpwfxFormat;
    if (device->FailCreateBuffer)
      return DSERR_GENERIC;
    if (format.nBlockAlign == 0 || description->dwBufferBytes < format.nBlockAlign ||
        (device->Accepts && !device->Accepts(format)))
      return DSERR_BADFORMAT;
    buffer = std::make_shared<TVirtualCaptureBuffer>(*device, format, description->dwBufferBytes);
    return S_OK;
  }
};

} // namespace

HRESULT TVirtualCapture::CreateDevice(const TGUID *, std::shared_ptr<IDirectSoundCapture> *capture, void *) {
  capture->reset();
  if (!FCurrent || FCurrent->NoDevice)
    return DSERR_NODRIVER;
  *capture = std::make_shared<TVirtualCaptureDevice>();
  return S_OK;
}

TVirtualCapture::TVirtualCapture() {
  FCurrent = this;
  RegisterVirtualSoundModule();
}

TVirtualCapture::~TVirtualCapture() {
  FCurrent = nullptr;
  UnregisterVirtualSoundModule();
}

void TVirtualCapture::SetBytes(std::vector<uint8_t> bytes) {
  FBytes = std::move(bytes);
  FSines.clear();
}

void TVirtualCapture::SetSine(int channel, double frequency, double amplitude) {
  FBytes.clear();
  if (int(FSines.size()) <= channel)
    FSines.resize(size_t(channel) + 1, TSine{0, 0});
  FSines[size_t(channel)] = TSine{frequency, amplitude};
}

void TVirtualCapture::Advance(int milliseconds) {
  for (TVirtualCaptureBuffer *buffer : FBuffers)
    buffer->Advance(milliseconds);
}

uint8_t TVirtualCapture::SourceByte(int64_t index) const { return FBytes[size_t(index % int64_t(FBytes.size()))]; }

double TVirtualCapture::SineValue(int channel, int64_t frame, uint32_t rate) const {
  if (FSines.empty())
    return 0;
  const TSine &sine = FSines[std::min(size_t(channel), FSines.size() - 1)];
  return sine.Amplitude * std::sin(2 * std::numbers::pi * sine.Frequency * double(frame) / rate);
}

void TVirtualCapture::Detach(TVirtualCaptureBuffer *buffer) {
  FBuffers.erase(std::remove(FBuffers.begin(), FBuffers.end(), buffer), FBuffers.end());
}
