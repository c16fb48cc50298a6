#include "platform/builtin_modules.h"

#include "platform/draw/software_device.h"

const std::vector<TBuiltinModule> &BuiltinModules() {
  static const std::vector<TBuiltinModule> modules{
      {"DDraw.dll", &LoadDrawModule},
  };
  return modules;
}
