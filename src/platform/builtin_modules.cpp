#include "platform/builtin_modules.h"

#include "platform/audio/sound_module.h"

const std::vector<TBuiltinModule> &BuiltinModules() {
  static const std::vector<TBuiltinModule> modules{
      {"DSound.dll", LoadSoundModule},
  };
  return modules;
}
