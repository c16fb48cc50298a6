#include "display/dx_image_list.h"

#include "display/dx_draw.h"

TCustomDXImageList::TCustomDXImageList(QObject *owner) : TComponent(owner) {}

TCustomDXImageList::~TCustomDXImageList() { SetDXDraw(nullptr); }

void TCustomDXImageList::SetDXDraw(TCustomDXDraw *value) {
  if (FDXDraw)
    FDXDraw->UnregisterNotifyEvent(this);
  FDXDraw = value;
  if (FDXDraw) {
    FreeNotification(FDXDraw);
    FDXDraw->RegisterNotifyEvent(
        [this](TCustomDXDraw *sender, TDXDrawNotifyType type) { DXDrawNotifyEvent(sender, type); }, this);
  }
}

void TCustomDXImageList::Notification(QObject *component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FDXDraw)
    FDXDraw = nullptr;
}

void TCustomDXImageList::DXDrawNotifyEvent(TCustomDXDraw *sender, TDXDrawNotifyType notifyType) {
  switch (notifyType) {
  case nkDestroying:
    SetDXDraw(nullptr);
    break;
  case nkInitialize:
    FItems.Initialize(sender);
    break;
  case nkFinalize:
    FItems.Finalize();
    break;
  case nkRestore:
    FItems.Restore();
    break;
  default:
    break;
  }
}
