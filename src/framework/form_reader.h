#pragma once

#include <QRect>
#include <QVariant>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class QObject;
class QWidget;

// One component of a form's description: its name, class, parent (empty: the form itself),
// bounds relative to the parent (empty for non-visual components) and the published
// properties set on it, by name.
struct TComponentDesc {
  std::string Name;
  const char *ClassName;
  const char *Parent;
  QRect Bounds;
  std::vector<std::pair<const char *, QVariant>> Properties;
};

// Builds a form's components from its description, the way a stored form is read: each
// component is created by its class's factory, named, placed and given its properties; then
// every component hears Loaded. A property the class does not publish is an error, so a
// description and the classes cannot silently drift apart.
class TFormReader {
public:
  // owner: the form; parent: the widget the component sits on (the form for non-visual ones).
  using TFactory = std::function<QObject *(QWidget *owner, QWidget *parent)>;
  using TLoadingHook = std::function<void(QObject *component)>;

  struct TClassEntry {
    TFactory Create;
    TLoadingHook BeginLoading; // may be empty
    TLoadingHook Loaded;       // may be empty
  };

  // A control is created on its parent widget, a non-visual component is owned by the form.
  // Classes that know a loading state hear BeginLoading before their properties are set and
  // Loaded once every component of the form exists.
  template <class T> void RegisterClass(const std::string &className) {
    TClassEntry entry;
    entry.Create = [](QWidget *owner, QWidget *parent) -> QObject * {
      if constexpr (std::is_base_of_v<QWidget, T>)
        return new T(parent);
      else
        return new T(owner);
    };
    if constexpr (requires(T & component) {
                    component.BeginLoading();
                    component.Loaded();
                  }) {
      entry.BeginLoading = [](QObject *component) { static_cast<T *>(component)->BeginLoading(); };
      entry.Loaded = [](QObject *component) { static_cast<T *>(component)->Loaded(); };
    }
    FClasses[className] = std::move(entry);
  }

  void Read(QWidget *form, std::span<const TComponentDesc> components) const;

  // Sets a published property; "Property %s does not exist" for one the class lacks.
  static void SetProperty(QObject *component, const char *name, const QVariant &value);

private:
  std::map<std::string, TClassEntry> FClasses;
};
