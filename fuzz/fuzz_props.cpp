// Reads arbitrary texts into properties of every kind the storage converts, one text a line for
// the keys in the order they are asked. Whatever the texts, reading never fails, and each text
// then written reads back into a fresh object as the same text.
#include "settings/props_storage.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

class TSample : public QObject {
  Q_OBJECT
  Q_PROPERTY(int Tag MEMBER Tag)
  Q_PROPERTY(qlonglong Big MEMBER Big)
  Q_PROPERTY(char Initial MEMBER Initial)
  Q_PROPERTY(QChar Letter MEMBER Letter)
  Q_PROPERTY(bool Flag MEMBER Flag)
  Q_PROPERTY(TMode Mode MEMBER Mode)
  Q_PROPERTY(TOptions Options READ GetOptions WRITE SetOptions)
  Q_PROPERTY(double Factor MEMBER Factor)
  Q_PROPERTY(float Gain MEMBER Gain)
  Q_PROPERTY(QString Text MEMBER Text)
  Q_PROPERTY(QStringList Lines MEMBER Lines)
  Q_PROPERTY(QVariant Extra MEMBER Extra)
  Q_PROPERTY(QObject *Buddy MEMBER Buddy)

public:
  enum TMode { mdFirst, mdSecond, mdThird };
  Q_ENUM(TMode)
  enum TOption { opA = 1, opB = 2, opC = 4, opAB = 3, opTop = int(0x80000000u) };
  Q_DECLARE_FLAGS(TOptions, TOption)
  Q_FLAG(TOptions)

  explicit TSample(QObject *parent) : QObject(parent) { Reset(); }

  TOptions GetOptions() const { return Options; }
  void SetOptions(TOptions options) { Options = options; }

  void Reset() {
    Tag = 1;
    Big = 1;
    Initial = 'i';
    Letter = 'a';
    Flag = false;
    Mode = mdSecond;
    Options = opB;
    Factor = 1;
    Gain = 1;
    Text = "text";
    Lines = QStringList{"line"};
    Extra = "extra";
    Buddy = this;
  }

  int Tag;
  qlonglong Big;
  char Initial;
  QChar Letter;
  bool Flag;
  TMode Mode;
  TOptions Options;
  double Factor;
  float Gain;
  QString Text;
  QStringList Lines;
  QVariant Extra;
  QObject *Buddy;
};

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

using TValues = std::map<std::pair<std::string, std::string>, std::string>;

TValues Written(TSampleForm &form) {
  TValues values;
  TPropsStorage storage;
  storage.Section = "TVexiloFrm";
  storage.OnWriteValue = [&values](const std::string &s, const std::string &k, const std::string &v) {
    values[{s, k}] = v;
  };
  storage.OnClearSection = [&values](const std::string &s) {
    std::erase_if(values, [&s](const auto &entry) { return entry.first.first == s; });
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
  damaged.Reset();
  fresh.Reset();
  Read(damaged, [&](const std::string &, const std::string &, const std::string &d) {
    return next < texts.size() ? texts[next++] : d;
  });
  const TValues values = Written(damaged);
  Read(fresh, [&values](const std::string &s, const std::string &k, const std::string &d) {
    const auto found = values.find({s, k});
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
  return 0;
}

#include "fuzz_props.moc"
