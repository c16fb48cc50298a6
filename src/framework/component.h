#pragma once

#include <QObject>

enum class TOperation { opInsert, opRemove };

// A non-visual part of a form: named (objectName), owned by its form (the QObject parent, which
// frees it), with an integer Tag for the program's own use and removal notices for references
// to other components. Controls are Qt widgets and carry their own Tag property.
class TComponent : public QObject {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
  explicit TComponent(QObject *owner = nullptr);

  QObject *Owner() const { return parent(); }
  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

  // While a form builds its components their setters only store values; Loaded ends that.
  bool Loading() const { return FLoading; }
  void BeginLoading() { FLoading = true; }
  virtual void Loaded();

  // Asks for Notification(other, opRemove) when `other` is destroyed.
  void FreeNotification(QObject *other);

protected:
  virtual void Notification(QObject *component, TOperation operation);

private:
  int FTag = 0;
  bool FLoading = false;
};
