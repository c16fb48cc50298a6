#pragma once

#include "platform/mixer/mixer_records.h"

// The mixer functions. Mixer device 0 is the only one; it is reached without a handle by passing
// 0 as the object, with MIXER_OBJECTF_MIXER or with MIXER_OBJECTF_HMIXER. The back end is chosen
// at the first call: the sound server, else the first card's ALSA mixer, else none (every call
// fails with MMSYSERR_NODRIVER). A virtual mixer a test made takes their place while it exists.

// `callback` with CALLBACK_WINDOW is the QObject* that receives TMixerControlChangeEvent.
MMRESULT mixerOpen(HMIXER *mixer, uint32_t deviceId, uintptr_t callback, uintptr_t instance, uint32_t flags);
MMRESULT mixerClose(HMIXER mixer);
MMRESULT mixerGetLineInfoA(HMIXEROBJ object, MIXERLINEA *line, uint32_t flags);
MMRESULT mixerGetLineControlsA(HMIXEROBJ object, MIXERLINECONTROLSA *controls, uint32_t flags);
MMRESULT mixerGetControlDetailsA(HMIXEROBJ object, MIXERCONTROLDETAILS *details, uint32_t flags);
MMRESULT mixerSetControlDetails(HMIXEROBJ object, MIXERCONTROLDETAILS *details, uint32_t flags);
