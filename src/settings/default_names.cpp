#include "settings/default_names.h"

#include "framework/form.h"
#include "platform/profile/settings_folder.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString ProgramName() { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }

const TForm *FormOf(const QWidget *control) {
  for (const QWidget *widget = control->parentWidget(); widget; widget = widget->parentWidget())
    if (const auto *form = qobject_cast<const TForm *>(widget))
      return form;
  return nullptr;
}

} // namespace

std::string DefaultIniFileName() { return (ProgramName() + ".INI").toStdString(); }

std::string DefaultRegistryKey() { return ("Software\\" + ProgramName()).toStdString(); }

std::string SettingsFilePath() { return ProfilePath(DefaultIniFileName()); }

std::string DefaultSection(const QObject *component) {
  if (!component)
    return {};
  if (qobject_cast<const TForm *>(component))
    return component->metaObject()->className();
  const std::string name = component->objectName().toStdString();
  if (const auto *control = qobject_cast<const QWidget *>(component)) {
    if (const TForm *form = FormOf(control))
      return form->metaObject()->className() + name;
    return (control->parentWidget() ? control->parentWidget()->objectName().toStdString() : std::string()) + name;
  }
  if (const auto *form = qobject_cast<const TForm *>(component->parent()))
    return std::string(form->metaObject()->className()) + "." + name;
  return {};
}
