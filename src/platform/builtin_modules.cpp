#include "platform/builtin_modules.h"

#include "platform/audio/sound_module.h"
#include "platform/draw/software_device.h"

const std::vector<TBuiltinModule> &BuiltinModules() {
  static const std::vector<TBuiltinModule> modules{
      {"DDraw.dll", LoadDrawModule},
      {"DSound.dll", LoadSoundModule},
  };
  return modules;
}
