// Reads arbitrary texts into properties of every kind the storage converts, one text a line for
// the keys in the order they are asked. Whatever the texts, reading never fails, and each text
// then written reads back into a fresh object as the same text.
#include "settings/props_storage.h"
#include "support/sample_component.h"

#include <QObject>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// A form with two components, "One" (the one read and written) and "Two", and the list of One's
// properties bound to it. Made once and reset for each input: building the objects and binding
// the list again every time cost more than the conversions themselves.
struct TSampleForm {
  TSampleForm() {
    Form.setObjectName("VexiloFrm");
    One->setObjectName("One");
    Two->setObjectName("Two");
    const QMetaObject &meta = TSample::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
      Properties.push_back({QString("One.") + meta.property(i).name(), nullptr});
    ResolveStoredProps(&Form, Properties, true);
  }
  void Reset() { One->Reset(); }
  QObject Form;
  TSample *One = new TSample(&Form);
  TSample *Two = new TSample(&Form);
  TStoredPropList Properties;
};

// Written values by section and key, joined by a line break (which neither holds). Hashed, not
// ordered: comparing the long common prefixes of the keys took a fifth of the run time.
using TValues = std::unordered_map<std::string, std::string>;

std::string ValueKey(const std::string &section, const std::string &key) { return section + '\n' + key; }

TValues Written(TSampleForm &form) {
  TValues values;
  TPropsStorage storage;
  storage.Section = "TVexiloFrm";
  storage.OnWriteValue = [&values](const std::string &s, const std::string &k, const std::string &v) {
    values[ValueKey(s, k)] = v;
  };
  storage.OnClearSection = [&values](const std::string &s) {
    const std::string prefix = s + '\n';
    std::erase_if(values, [&prefix](const auto &entry) { return entry.first.starts_with(prefix); });
  };
  TStoredPropList list = form.Properties;
  storage.WriteProperties(&form.Form, list);
  return values;
}

void Read(TSampleForm &form, TPropsStorage::TReadStrEvent read) {
  TPropsStorage storage;
  storage.Section = "TVexiloFrm";
  storage.OnReadValue = std::move(read);
  TStoredPropList list = form.Properties;
  storage.ReadProperties(&form.Form, list);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> texts;
  std::string_view rest(reinterpret_cast<const char *>(data), size);
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    texts.emplace_back(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  if (texts.empty())
    return 0;
  // Like a damaged settings file: each text once, then every other key is missing. (Handing the
  // texts out again and again made a list whose damaged count was a large number read that many
  // items, seconds per input.)
  size_t next = 0;
  static TSampleForm damaged;
  static TSampleForm fresh;
  Read(damaged, [&](const std::string &, const std::string &, const std::string &d) {
    return next < texts.size() ? texts[next++] : d;
  });
  const TValues values = Written(damaged);
  Read(fresh, [&values](const std::string &s, const std::string &k, const std::string &d) {
    const auto found = values.find(ValueKey(s, k));
    return found == values.end() ? d : found->second;
  });
  // Properties that wrote nothing (an empty variant, no reference) are not compared, nor empty
  // texts: a character that is all blank or control trims to one, and an empty text read back
  // leaves a character as it was.
  const TValues again = Written(fresh);
  for (const auto &[key, value] : values) {
    if (value.empty())
      continue;
    const auto found = again.find(key);
    if (found == again.end() || found->second != value)
      std::abort();
  }
  // Both back as they were made before the input ends, so that what this input allocated is
  // freed within it: libFuzzer takes more allocations than frees as a possible leak and checks
  // the whole heap again for it, which made up a fifth of the run time.
  damaged.Reset();
  fresh.Reset();
  return 0;
}
