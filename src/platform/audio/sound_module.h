#pragma once

#include "platform/module_loader.h"

// The built-in sound library: its capture entry point reaches ALSA's default capture PCM.
std::unique_ptr<TPlatformModule> LoadSoundModule();
