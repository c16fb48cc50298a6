// Reads arbitrary texts into properties of every kind the storage converts. Whatever the texts,
// reading never fails, and each text then written reads back into a fresh object as the same text.
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

  explicit TSample(QObject *parent) : QObject(parent) { Buddy = this; }

  TOptions GetOptions() const { return Options; }
  void SetOptions(TOptions options) { Options = options; }

  int Tag = 1;
  qlonglong Big = 1;
  char Initial = 'i';
  QChar Letter = 'a';
  bool Flag = false;
  TMode Mode = mdSecond;
  TOptions Options = opB;
  double Factor = 1;
  float Gain = 1;
  QString Text = "text";
  QStringList Lines{"line"};
  QVariant Extra = "extra";
  QObject *Buddy = nullptr;
};

// A form with two components, "One" (the one read and written) and "Two".
struct TSampleForm {
  TSampleForm() {
    Form.setObjectName("VexiloFrm");
    One->setObjectName("One");
    Two->setObjectName("Two");
  }
  QObject Form;
  TSample *One = new TSample(&Form);
  TSample *Two = new TSample(&Form);
};

using TValues = std::map<std::pair<std::string, std::string>, std::string>;

TStoredPropList AllProperties(TSampleForm &form) {
  TStoredPropList list;
  const QMetaObject &meta = TSample::staticMetaObject;
  for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i)
    list.push_back({QString("One.") + meta.property(i).name(), nullptr});
  ResolveStoredProps(&form.Form, list, true);
  return list;
}

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
  TStoredPropList list = AllProperties(form);
  storage.WriteProperties(&form.Form, list);
  return values;
}

void Read(TSampleForm &form, TPropsStorage::TReadStrEvent read) {
  TPropsStorage storage;
  storage.Section = "TVexiloFrm";
  storage.OnReadValue = std::move(read);
  TStoredPropList list = AllProperties(form);
  storage.ReadProperties(&form.Form, list);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // One text a line, handed out to the keys in the order they are asked for.
  std::vector<std::string> texts;
  std::string_view rest(reinterpret_cast<const char *>(data), size);
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    texts.emplace_back(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  if (texts.empty())
    return 0;
  size_t next = 0;
  TSampleForm damaged;
  Read(damaged,
       [&](const std::string &, const std::string &, const std::string &) { return texts[next++ % texts.size()]; });
  const TValues values = Written(damaged);
  TSampleForm fresh;
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
