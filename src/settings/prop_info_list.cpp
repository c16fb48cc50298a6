#include "settings/prop_info_list.h"

#include <QObject>
#include <QStringList>

TTypeKind PropertyKind(const QMetaProperty &property) {
  if (property.isFlagType())
    return tkSet;
  if (property.isEnumType())
    return tkEnumeration;
  const QMetaType type = property.metaType();
  switch (type.id()) {
  case QMetaType::Bool:
    return tkEnumeration;
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::Short:
  case QMetaType::UShort:
  case QMetaType::Long:
  case QMetaType::ULong:
  case QMetaType::SChar:
  case QMetaType::UChar:
    return tkInteger;
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
    return tkInt64;
  case QMetaType::Char:
    return tkChar;
  case QMetaType::QChar:
    return tkWChar;
  case QMetaType::Float:
  case QMetaType::Double:
    return tkFloat;
  case QMetaType::QString:
    return tkLString;
  case QMetaType::QStringList:
    return tkClass;
  case QMetaType::QVariant:
    return tkVariant;
  default:
    return type.flags().testFlag(QMetaType::PointerToQObject) ? tkClass : tkUnknown;
  }
}

TPropInfoList::TPropInfoList(const QObject *object) {
  const QMetaObject *meta = object->metaObject();
  for (int i = 0; i < meta->propertyCount(); ++i)
    if (PropertyKind(meta->property(i)) != tkUnknown)
      FList.push_back(meta->property(i));
}

const QMetaProperty *TPropInfoList::Find(const QString &name) const {
  // Qt's own properties may differ from ours only in case ("text" and "Text"): the exact
  // spelling goes first.
  for (const QMetaProperty &property : FList)
    if (name == QLatin1String(property.name()))
      return &property;
  for (const QMetaProperty &property : FList)
    if (name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0)
      return &property;
  return nullptr;
}
