#pragma once

#include "platform/module_loader.h"

// The built-in sound library: its entry points reach ALSA's default capture and
// playback PCMs.
std::unique_ptr<TPlatformModule> LoadSoundModule();
