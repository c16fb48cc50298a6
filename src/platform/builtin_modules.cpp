#include "platform/builtin_modules.h"

const std::vector<TBuiltinModule> &BuiltinModules() {
  static const std::vector<TBuiltinModule> modules{};
  return modules;
}
