#include "platform/module_loader.h"

#include "platform/builtin_modules.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::map<std::string, TModuleLoader> &RegisteredModules() {
  static std::map<std::string, TModuleLoader> modules;
  return modules;
}

} // namespace

TEntryPoint TPlatformModule::GetProcAddress(const std::string &name) const {
  const auto it = FExports.find(name);
  return it == FExports.end() ? nullptr : it->second;
}

std::unique_ptr<TPlatformModule> LoadModule(const std::string &name) {
  const std::string key = Lowered(name);
  if (const auto it = RegisteredModules().find(key); it != RegisteredModules().end())
    return it->second();
  for (const auto &builtin : BuiltinModules())
    if (Lowered(builtin.Name) == key)
      return builtin.Load();
  return nullptr;
}

void RegisterModule(const std::string &name, TModuleLoader loader) {
  if (loader)
    RegisteredModules()[Lowered(name)] = std::move(loader);
  else
    RegisteredModules().erase(Lowered(name));
}
