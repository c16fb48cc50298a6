#include "platform/audio/virtual_sound_module.h"

#include "platform/audio/virtual_capture.h"
#include "platform/audio/virtual_playback.h"
#include "platform/module_loader.h"

void RegisterVirtualSoundModule() {
  RegisterModule("DSound.dll", [] {
    return std::make_unique<TPlatformModule>(std::initializer_list<std::pair<const std::string, TEntryPoint>>{
        {"DirectSoundCaptureCreate", ToEntryPoint(&TVirtualCapture::CreateDevice)},
        {"DirectSoundCreate", ToEntryPoint(&TVirtualPlayback::CreateDevice)}});
  });
}

void UnregisterVirtualSoundModule() {
  if (!TVirtualCapture::Current() && !TVirtualPlayback::Current())
    RegisterModule("DSound.dll", {});
}
