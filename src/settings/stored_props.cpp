#include "settings/stored_props.h"

#include <QObject>

bool SplitStoredProp(const QString &entry, QString &component, QString &property) {
  const qsizetype dot = entry.indexOf('.');
  if (dot < 0)
    return false;
  component = entry.left(dot).trimmed();
  property = entry.mid(dot + 1).trimmed();
  return !component.isEmpty() && !property.isEmpty();
}

void ResolveStoredProps(const QObject *form, TStoredPropList &list, bool binding) {
  for (size_t i = list.size(); i-- > 0;) {
    TStoredProp &entry = list[i];
    QString component, property;
    bool keep = SplitStoredProp(entry.Text, component, property);
    if (keep && binding) {
      entry.Component = form ? form->findChild<QObject *>(component) : nullptr;
      keep = entry.Component != nullptr;
    } else if (keep) {
      keep = entry.Component != nullptr;
      if (keep)
        entry.Text = entry.Component->objectName() + "." + property;
    }
    if (!keep)
      list.erase(list.begin() + std::ptrdiff_t(i));
  }
}
