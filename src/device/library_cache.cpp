#include "device/library_cache.h"

#include "rtl/exception.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <utility>
#include <vector>

namespace {

using TCacheEntry = std::pair<std::string, std::unique_ptr<TPlatformModule>>;

std::vector<TCacheEntry> &Cache() {
  static std::vector<TCacheEntry> cache;
  return cache;
}

} // namespace

TEntryPoint DXLoadLibrary(const std::string &library, const std::string &entryPoint) {
  std::vector<TCacheEntry> &cache = Cache();
  std::string key = library;
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
  auto it = std::find_if(cache.begin(), cache.end(), [&](const TCacheEntry &entry) { return entry.first == key; });
  if (it == cache.end()) {
    auto module = LoadModule(library);
    if (!module)
      throw Exception("%s not loaded", library);
    cache.emplace_back(key, std::move(module));
    it = cache.end() - 1;
  }
  const TEntryPoint entry = it->second->GetProcAddress(entryPoint);
  if (!entry)
    throw Exception("%s not loaded", library);
  return entry;
}

void ReleaseLibraries() { Cache().clear(); }
