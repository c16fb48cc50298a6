#pragma once

// The tests' "DSound.dll": registered while a virtual capture or playback device exists (make it
// before the library cache first loads that library). Each of its entry points reaches its own
// virtual device, and answers that there is no device while that one does not exist.
void RegisterVirtualSoundModule();
// Removes the module once neither virtual device is left.
void UnregisterVirtualSoundModule();
