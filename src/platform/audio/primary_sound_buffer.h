#pragma once

#include "platform/audio/playback_interfaces.h"

// The primary buffer stands for the device's output. The sound server mixes every secondary
// buffer at that buffer's own format, so the primary buffer's format changes nothing that is
// heard; it is checked and kept, and answered to whoever asks. Its bytes cannot be written here.
class TPrimarySoundBuffer : public IDirectSoundBuffer {
public:
  HRESULT GetCurrentPosition(uint32_t *, uint32_t *) override { return DSERR_INVALIDCALL; }
  HRESULT SetCurrentPosition(uint32_t) override { return DSERR_INVALIDCALL; }
  HRESULT Lock(uint32_t, uint32_t, void **, uint32_t *, void **, uint32_t *, uint32_t) override {
    return DSERR_INVALIDCALL;
  }
  HRESULT Unlock(void *, uint32_t, void *, uint32_t) override { return DSERR_INVALIDCALL; }
  // The output runs whenever a secondary buffer plays.
  HRESULT Play(uint32_t, uint32_t, uint32_t) override { return S_OK; }
  HRESULT Stop() override { return S_OK; }
  HRESULT SetFormat(const TWaveFormatEx *format) override;
  HRESULT GetFrequency(uint32_t *) override { return DSERR_CONTROLUNAVAIL; }
  HRESULT SetFrequency(uint32_t) override { return DSERR_CONTROLUNAVAIL; }
  HRESULT GetPan(int32_t *) override { return DSERR_CONTROLUNAVAIL; }
  HRESULT SetPan(int32_t) override { return DSERR_CONTROLUNAVAIL; }
  HRESULT GetVolume(int32_t *) override { return DSERR_CONTROLUNAVAIL; }
  HRESULT SetVolume(int32_t) override { return DSERR_CONTROLUNAVAIL; }

  // The format last set, all zeros before.
  const TWaveFormatEx &Format() const { return FFormat; }

private:
  TWaveFormatEx FFormat{};
};
