#pragma once

#include <QMetaProperty>
#include <QString>
#include <vector>

class QObject;

// What a published property holds, as the property storage converts it.
enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkInt64,
  tkChar,
  tkWChar,
  tkEnumeration, // Booleans included
  tkFloat,
  tkLString,
  tkSet,
  tkClass, // a string list or a reference to a component
  tkVariant,
};

TTypeKind PropertyKind(const QMetaProperty &property);

// The published properties of an object's class that the storage can convert: every kind but
// tkUnknown. A name is found without regard to case, the exact spelling first; the first
// match wins.
class TPropInfoList {
public:
  explicit TPropInfoList(const QObject *object);

  int Count() const { return int(FList.size()); }
  const QMetaProperty &Items(int index) const { return FList[size_t(index)]; }
  const QMetaProperty *Find(const QString &name) const;

private:
  std::vector<QMetaProperty> FList;
};
