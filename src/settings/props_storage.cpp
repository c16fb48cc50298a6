#include "settings/props_storage.h"

#include "settings/prop_info_list.h"

#include "framework/form.h"
#include "rtl/float_text.h"

#include <QApplication>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <limits>
#include <map>
#include <memory>

namespace {

// Blanks and control characters off both ends.
QString Trimmed(const QString &text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && text[begin].unicode() <= ' ')
    ++begin;
  while (end > begin && text[end - 1].unicode() <= ' ')
    --end;
  return text.mid(begin, end - begin);
}

std::string ToStd(const QString &text) { return text.toStdString(); }
QString FromStd(const std::string &text) { return QString::fromStdString(text); }

// The form a component sits on, or its topmost owner when it is on none.
QObject *OwnerOf(const QObject *component) {
  QObject *owner = component->parent();
  for (QObject *up = owner; up; up = up->parent()) {
    if (qobject_cast<TForm *>(up))
      return up;
    owner = up;
  }
  return owner;
}

QString FloatText(const QMetaProperty &property, double value) {
  std::string text;
  if (property.metaType().id() == QMetaType::Float)
    text = QString::number(value, 'g', 7).toStdString();
  else
    text = FloatToStr(value);
  for (char &c : text)
    if (c == DecimalSeparator)
      c = '.';
  return FromStd(text);
}

QString SetText(const QMetaEnum &element, int value) {
  QStringList members;
  for (int bit = 0; bit < 32; ++bit) {
    const int mask = int(1u << bit);
    if (value & mask)
      if (const char *key = element.valueToKey(mask))
        members << key;
  }
  return "[" + members.join(",") + "]";
}

int SetValue(const QMetaEnum &element, const QString &text) {
  static const QRegularExpression separators("[ ,\\[\\]]");
  int value = 0;
  for (const QString &word : text.split(separators, Qt::SkipEmptyParts))
    for (int i = 0; i < element.keyCount(); ++i) {
      const unsigned mask = unsigned(element.value(i));
      if (word.compare(QLatin1String(element.key(i)), Qt::CaseInsensitive) == 0 && mask && !(mask & (mask - 1)))
        value |= int(mask);
    }
  return value;
}

} // namespace

std::string TPropsStorage::ReadString(const std::string &section, const std::string &key,
                                      const std::string &defaultValue) {
  return OnReadValue ? OnReadValue(section, key, defaultValue) : std::string();
}

void TPropsStorage::WriteString(const std::string &section, const std::string &key, const std::string &value) {
  if (OnWriteValue)
    OnWriteValue(section, key, value);
}

void TPropsStorage::EraseSection(const std::string &section) {
  if (OnClearSection)
    OnClearSection(section);
}

template <class F> void TPropsStorage::ProcessProperties(QObject *form, TStoredPropList &list, F &&process) {
  ResolveStoredProps(form, list, false);
  // One property list per component, however many entries name it.
  std::map<const QObject *, std::unique_ptr<TPropInfoList>> infos;
  for (const TStoredProp &entry : list)
    if (!infos.count(entry.Component))
      infos.emplace(entry.Component, std::make_unique<TPropInfoList>(entry.Component));
  FOwner = form;
  struct TClear {
    TPropsStorage *Storage;
    ~TClear() {
      Storage->FOwner = nullptr;
      Storage->FObject = nullptr;
    }
  } clear{this};
  for (const TStoredProp &entry : list) {
    QString component, property;
    if (!SplitStoredProp(entry.Text, component, property) || !entry.Component)
      continue;
    FObject = entry.Component;
    Prefix = ToStd(FObject->objectName());
    const auto info = infos.find(FObject);
    if (info == infos.end())
      continue;
    Prefix += "_";
    if (const QMetaProperty *found = info->second->Find(property))
      process(*found);
  }
}

void TPropsStorage::WriteProperties(QObject *form, TStoredPropList &list) {
  ProcessProperties(form, list, [this](const QMetaProperty &property) { WriteProperty(property); });
}

void TPropsStorage::ReadProperties(QObject *form, TStoredPropList &list) {
  ProcessProperties(form, list, [this](const QMetaProperty &property) { ReadProperty(property); });
}

QString TPropsStorage::ComponentText(const QObject *component) const {
  const QObject *owner = OwnerOf(component);
  if (!owner || owner == FOwner)
    return component->objectName();
  QString ownerName = owner->objectName();
  if (ownerName.isEmpty()) {
    ownerName = owner->metaObject()->className();
    if (ownerName.startsWith('T') || ownerName.startsWith('t'))
      ownerName.remove(0, 1);
  }
  return ownerName + "." + component->objectName();
}

QString TPropsStorage::PropertyText(const QMetaProperty &property) const {
  const QVariant value = property.read(FObject);
  switch (PropertyKind(property)) {
  case tkInteger:
  case tkInt64:
  case tkVariant:
    return value.toString();
  case tkChar:
    return QString(QChar(value.value<char>()));
  case tkWChar:
    return QString(value.toChar());
  case tkEnumeration:
    if (property.metaType().id() == QMetaType::Bool)
      return value.toBool() ? "True" : "False";
    return QLatin1String(property.enumerator().valueToKey(value.toInt()));
  case tkFloat:
    return FloatText(property, value.toDouble());
  case tkLString:
    return value.toString();
  case tkSet:
    return SetText(property.enumerator(), value.toInt());
  case tkClass:
  case tkUnknown:
    break;
  }
  return {};
}

void TPropsStorage::WriteProperty(const QMetaProperty &property) {
  const TTypeKind kind = PropertyKind(property);
  if (kind == tkClass) {
    if (property.metaType().id() == QMetaType::QStringList) {
      WriteStringList(property);
      return;
    }
    if (const QObject *component = property.read(FObject).value<QObject *>())
      WriteString(Section, GetItemName(property.name()), ToStd(Trimmed(ComponentText(component))));
    return;
  }
  const QString text = PropertyText(property);
  if (text.isEmpty() && kind != tkLString && kind != tkWChar)
    return;
  WriteString(Section, GetItemName(property.name()), ToStd(Trimmed(text)));
}

void TPropsStorage::ReadProperty(const QMetaProperty &property) {
  try {
    const TTypeKind kind = PropertyKind(property);
    if (kind == tkClass && property.metaType().id() == QMetaType::QStringList) {
      ReadStringList(property);
      return;
    }
    const QString current = PropertyText(property);
    QString text;
    if (!current.isEmpty() || kind == tkLString || kind == tkClass || kind == tkWChar)
      text = Trimmed(FromStd(ReadString(Section, GetItemName(property.name()), ToStd(current))));
    SetPropertyText(property, text);
  } catch (...) {
    // A value that cannot be read leaves the property as it was.
  }
}

void TPropsStorage::SetPropertyText(const QMetaProperty &property, const QString &text) {
  switch (PropertyKind(property)) {
  case tkInteger:
  case tkInt64: {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    property.write(FObject, ok ? value : 0);
    return;
  }
  case tkChar:
    if (!text.isEmpty())
      property.write(FObject, QVariant::fromValue(char(text[0].unicode())));
    return;
  case tkWChar:
    if (!text.isEmpty())
      property.write(FObject, text[0]);
    return;
  case tkEnumeration: {
    if (property.metaType().id() == QMetaType::Bool) {
      if (text.compare("True", Qt::CaseInsensitive) == 0 || text.compare("False", Qt::CaseInsensitive) == 0)
        property.write(FObject, text.compare("True", Qt::CaseInsensitive) == 0);
      return;
    }
    const QMetaEnum enumerator = property.enumerator();
    for (int i = 0; i < enumerator.keyCount(); ++i)
      if (text.compare(QLatin1String(enumerator.key(i)), Qt::CaseInsensitive) == 0) {
        property.write(FObject, enumerator.value(i));
        return;
      }
    return;
  }
  case tkFloat: {
    std::string number = ToStd(text);
    for (char &c : number)
      if (c == '.')
        c = DecimalSeparator;
    const double value = StrToFloat(number); // raises, and so leaves the value, when it is no number
    // A float would take a larger number as infinity, which is written as a text nothing reads.
    if (property.metaType().id() == QMetaType::Float && std::abs(value) > std::numeric_limits<float>::max())
      return;
    property.write(FObject, value);
    return;
  }
  case tkLString:
    property.write(FObject, text);
    return;
  case tkSet:
    property.write(FObject, SetValue(property.enumerator(), text));
    return;
  case tkVariant:
    property.write(FObject, QVariant(text));
    return;
  case tkClass: {
    if (!property.read(FObject).value<QObject *>() || text.isEmpty())
      return;
    QObject *component = nullptr;
    if (text.compare("(null)", Qt::CaseInsensitive) != 0) {
      QString name;
      const QObject *owner = FindOwner(text, name);
      if (!owner)
        return;
      component = owner->findChild<QObject *>(name);
      if (component && !component->metaObject()->inherits(property.metaType().metaObject()))
        component = nullptr;
    }
    property.write(FObject, QVariant(property.metaType(), &component));
    return;
  }
  case tkUnknown:
    return;
  }
}

const QObject *TPropsStorage::FindOwner(const QString &text, QString &name) const {
  const qsizetype dot = text.indexOf('.');
  name = (dot < 0 ? text : text.mid(dot + 1)).trimmed();
  const QString ownerName = dot < 0 ? QString() : text.left(dot).trimmed();
  if (ownerName.isEmpty())
    return FOwner;
  for (const QWidget *window : QApplication::topLevelWidgets())
    if (qobject_cast<const TForm *>(window) && window->objectName().compare(ownerName, Qt::CaseInsensitive) == 0)
      return window;
  return nullptr;
}

void TPropsStorage::WriteStringList(const QMetaProperty &property) {
  const std::string section = Section + "." + GetItemName(property.name());
  const QStringList lines = property.read(FObject).toStringList();
  EraseSection(section);
  if (lines.isEmpty())
    return;
  WriteString(section, "Count", std::to_string(lines.size()));
  for (qsizetype i = 0; i < lines.size(); ++i)
    WriteString(section, "Item" + std::to_string(i), ToStd(lines[i]));
}

void TPropsStorage::ReadStringList(const QMetaProperty &property) {
  const std::string section = Section + "." + GetItemName(property.name());
  const int count = FromStd(ReadString(section, "Count", "0")).toInt();
  if (count <= 0)
    return;
  // A damaged count must not have the list read (and grown) far beyond what the file holds: the
  // list ends at the first item the file lacks. No stored value holds a line break, so one marks
  // an item that is not there.
  const std::string missing = "\n";
  QStringList lines;
  for (int i = 0; i < count; ++i) {
    const std::string item = ReadString(section, "Item" + std::to_string(i), missing);
    if (item == missing)
      break;
    lines << FromStd(item);
  }
  property.write(FObject, lines);
}
