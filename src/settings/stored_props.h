#pragma once

#include <QString>
#include <vector>

class QObject;

// One entry of a stored-properties list: "Component.Property" and the component it names.
struct TStoredProp {
  QString Text;
  // Cleared by the owner of the list when the component is removed (removal notices).
  QObject *Component = nullptr;
};
using TStoredPropList = std::vector<TStoredProp>;

// Splits "Component.Property" at the first "." into both names, trimmed; false when there is
// no "." or a half is empty.
bool SplitStoredProp(const QString &entry, QString &component, QString &property);

// Binding (after the form has loaded): each entry takes the form's component of its name, and
// entries naming none are dropped. Rewriting (before each save or restore): entries are spelled
// again with their components' current names, and entries whose component is gone are dropped.
// Malformed entries are dropped in both modes.
void ResolveStoredProps(const QObject *form, TStoredPropList &list, bool binding);
