#include "display/library_cache.h"

#include "rtl/exception.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <utility>
#include <vector>

namespace {

using TCacheEntry = std::pair<std::string, std::unique_ptr<TPlatformModule>>;

std::vector<TCacheEntry> *Cache = nullptr;

} // namespace

TEntryPoint DXLoadLibrary(const std::string &library, const std::string &entryPoint) {
  if (!Cache)
    Cache = new std::vector<TCacheEntry>;
  std::string key = library;
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
  auto it = std::find_if(Cache->begin(), Cache->end(), [&](const TCacheEntry &entry) { return entry.first == key; });
  if (it == Cache->end()) {
    auto module = LoadModule(library);
    if (!module)
      throw Exception("%s not loaded", library);
    Cache->emplace_back(key, std::move(module));
    it = Cache->end() - 1;
  }
  const TEntryPoint entry = it->second->GetProcAddress(entryPoint);
  if (!entry)
    throw Exception("%s not loaded", library);
  return entry;
}

void ReleaseLibraries() {
  if (!Cache)
    return;
  for (auto &entry : *Cache)
    entry.second.reset();
  delete Cache;
  Cache = nullptr;
}
