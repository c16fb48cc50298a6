#include "framework/form_reader.h"

#include "rtl/exception.h"

#include <QMetaProperty>
#include <QWidget>

void TFormReader::SetProperty(QObject *component, const char *name, const QVariant &value) {
  const QMetaObject *meta = component->metaObject();
  const int index = meta->indexOfProperty(name);
  if (index < 0)
    throw Exception("Property %s does not exist", std::string(name));
  if (!meta->property(index).write(component, value))
    throw Exception("Invalid property value %s", std::string(name));
}

void TFormReader::Read(QWidget *form, std::span<const TComponentDesc> components) const {
  std::vector<std::pair<QObject *, const TClassEntry *>> created;
  for (const TComponentDesc &desc : components) {
    const auto entry = FClasses.find(desc.ClassName);
    if (entry == FClasses.end())
      throw Exception("Class %s not found", std::string(desc.ClassName));
    QWidget *parent = form;
    if (desc.Parent && *desc.Parent) {
      parent = form->findChild<QWidget *>(desc.Parent);
      if (!parent)
        throw Exception("Parent %s of %s not found", std::string(desc.Parent), desc.Name);
    }
    QObject *component = entry->second.Create(form, parent);
    component->setObjectName(QString::fromStdString(desc.Name));
    if (entry->second.BeginLoading)
      entry->second.BeginLoading(component);
    if (auto *widget = qobject_cast<QWidget *>(component); widget && !desc.Bounds.isEmpty())
      widget->setGeometry(desc.Bounds);
    for (const auto &[name, value] : desc.Properties)
      SetProperty(component, name, value);
    created.emplace_back(component, &entry->second);
  }
  for (const auto &[component, entry] : created)
    if (entry->Loaded)
      entry->Loaded(component);
}
