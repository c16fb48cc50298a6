#pragma once

#include "platform/mixer/mixer_device.h"

#include <memory>

// The back ends behind mixer device 0, for the mixer functions and the virtual mixer.

// The sound server's default source, or nullptr when no sound server answers.
std::unique_ptr<TMixerDevice> ConnectPulseMixer();
// The first card's ALSA mixer, or nullptr when there is none.
std::unique_ptr<TMixerDevice> OpenAlsaMixer();

// While installed, `device` is mixer device 0 in place of the real back ends. Removing it
// forgets the handles opened on it.
void InstallMixerDevice(TMixerDevice *device);
void RemoveMixerDevice(TMixerDevice *device);
