#include "settings/form_storage.h"

#include "settings/custom_ini_file.h"
#include "settings/props_storage.h"

#include <algorithm>

QStringList TFormStorage::StoredProps() const {
  QStringList list;
  for (const TStoredProp &entry : FStoredProps)
    list << entry.Text;
  return list;
}

void TFormStorage::SetStoredProps(const QStringList &storedProps) {
  FStoredProps.clear();
  for (const QString &text : storedProps)
    FStoredProps.push_back({text, nullptr});
  if (!Loading())
    ResolveStoredProps(Owner(), FStoredProps, true);
  for (const TStoredProp &entry : FStoredProps)
    FreeNotification(entry.Component);
}

void TFormStorage::Loaded() {
  TFormPlacement::Loaded();
  ResolveStoredProps(Owner(), FStoredProps, true);
  for (const TStoredProp &entry : FStoredProps)
    FreeNotification(entry.Component);
}

void TFormStorage::Notification(QObject *component, TOperation operation) {
  TFormPlacement::Notification(component, operation);
  if (operation == TOperation::opRemove)
    std::erase_if(FStoredProps, [component](const TStoredProp &entry) { return entry.Component == component; });
}

void TFormStorage::WritePlacement() {
  TFormPlacement::WritePlacement();
  TPropsStorage storage;
  storage.Section = IniSection();
  storage.OnWriteValue = [this](const std::string &section, const std::string &key, const std::string &value) {
    WriteString(section, key, value);
  };
  storage.OnClearSection = [this](const std::string &section) { IniFile().EraseSection(section); };
  storage.WriteProperties(Owner(), FStoredProps);
}

void TFormStorage::ReadPlacement() {
  TFormPlacement::ReadPlacement();
  SetRestored();
  TPropsStorage storage;
  storage.Section = IniSection();
  storage.OnReadValue = [this](const std::string &section, const std::string &key, const std::string &defaultValue) {
    return ReadString(section, key, defaultValue);
  };
  try {
    storage.ReadProperties(Owner(), FStoredProps);
  } catch (...) {
    // A damaged entry leaves the properties it did not reach as they were.
  }
}
