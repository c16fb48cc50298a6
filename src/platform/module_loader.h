#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

// Modules stand in for the platform's device libraries: a module exports entry points by name.
// A library name resolves, without regard to case, first to a module a test registered under
// that name, then to one of the built-in modules.
using TEntryPoint = void (*)();

class TPlatformModule {
public:
  TPlatformModule(std::initializer_list<std::pair<const std::string, TEntryPoint>> exports) : FExports(exports) {}

  // nullptr when the module exports no such entry point.
  TEntryPoint GetProcAddress(const std::string &name) const;

private:
  std::map<std::string, TEntryPoint> FExports;
};

using TModuleLoader = std::function<std::unique_ptr<TPlatformModule>()>;

// nullptr when no module of that name can be loaded.
std::unique_ptr<TPlatformModule> LoadModule(const std::string &name);

// A module under `name` that LoadModule prefers to a built-in one; an empty loader removes it.
void RegisterModule(const std::string &name, TModuleLoader loader);

template <class F> TEntryPoint ToEntryPoint(F *function) { return reinterpret_cast<TEntryPoint>(function); }
template <class F> F *FromEntryPoint(TEntryPoint entry) { return reinterpret_cast<F *>(entry); }
