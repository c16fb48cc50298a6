#pragma once

#include "platform/module_loader.h"

#include <vector>

struct TBuiltinModule {
  std::string Name;
  TModuleLoader Load;
};

// The device libraries this program carries inside itself.
const std::vector<TBuiltinModule> &BuiltinModules();
