#include "framework/component.h"

TComponent::TComponent(QObject *owner) : QObject(owner) {}

void TComponent::Loaded() { FLoading = false; }

void TComponent::FreeNotification(QObject *other) {
  if (!other)
    return;
  connect(other, &QObject::destroyed, this, [this](QObject *gone) { Notification(gone, TOperation::opRemove); });
}

void TComponent::Notification(QObject *, TOperation) {}
