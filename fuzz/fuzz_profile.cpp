// Feeds arbitrary bytes to the private-profile parser as a settings file: reading, setting a
// value and erasing a section must never fail, and a value set must read back as set.
#include "platform/profile/profile_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TProfileText text(std::string_view(reinterpret_cast<const char *>(data), size));
  text.Value("TVexiloFrm", "NormPos");
  text.SetValue("TVexiloFrm", "VDVlI_Text", "\"\"0.1\"\"");
  text.EraseSection("Other");
  const TProfileText again(text.Text());
  if (again.Value("TVexiloFrm", "VDVlI_Text") != "\"0.1\"")
    std::abort();
  return 0;
}
