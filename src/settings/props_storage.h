#pragma once

#include "settings/stored_props.h"

#include <QMetaProperty>
#include <functional>
#include <string>

class QObject;

// Turns named published properties of a form's components into strings in a settings section
// and back. It knows nothing of files: three hooks read a string, write one and clear a
// section. The key of a property is Prefix and the property's name ("VDVlI_Tag").
class TPropsStorage {
public:
  using TReadStrEvent =
      std::function<std::string(const std::string &Section, const std::string &Key, const std::string &Default)>;
  using TWriteStrEvent =
      std::function<void(const std::string &Section, const std::string &Key, const std::string &Value)>;
  using TEraseSectEvent = std::function<void(const std::string &Section)>;

  virtual ~TPropsStorage() = default;

  std::string Section;
  std::string Prefix;
  TReadStrEvent OnReadValue;
  TWriteStrEvent OnWriteValue;
  TEraseSectEvent OnClearSection;

  // Each entry "Component.Property" of the list, in list order; broken entries are first
  // dropped from the list (see ResolveStoredProps). Writing passes the hooks' exceptions on;
  // reading never raises, each property that fails is left as it was.
  void WriteProperties(QObject *form, TStoredPropList &list);
  void ReadProperties(QObject *form, TStoredPropList &list);

  // One property of the current object (the one set by the list operations or SetObject).
  void WriteProperty(const QMetaProperty &property);
  void ReadProperty(const QMetaProperty &property);
  void SetObject(QObject *object) { FObject = object; }

protected:
  virtual std::string ReadString(const std::string &section, const std::string &key, const std::string &defaultValue);
  virtual void WriteString(const std::string &section, const std::string &key, const std::string &value);
  virtual void EraseSection(const std::string &section);
  virtual std::string GetItemName(const std::string &propName) const { return Prefix + propName; }

private:
  template <class F> void ProcessProperties(QObject *form, TStoredPropList &list, F &&process);
  QString PropertyText(const QMetaProperty &property) const;
  void SetPropertyText(const QMetaProperty &property, const QString &text);
  QString ComponentText(const QObject *component) const;
  // The form a reference "Owner.Name" (or just "Name") points into, and the name.
  const QObject *FindOwner(const QString &text, QString &name) const;
  void WriteStringList(const QMetaProperty &property);
  void ReadStringList(const QMetaProperty &property);

  QObject *FObject = nullptr;
  QObject *FOwner = nullptr;
};
