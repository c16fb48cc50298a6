#include "display/dx_draw_client.h"

#include "display/dx_draw.h"

TDXDrawClient::~TDXDrawClient() {
  if (FDXDraw)
    FDXDraw->UnregisterNotifyEvent(this);
}

void TDXDrawClient::SetDXDraw(TCustomDXDraw *value) {
  if (FDXDraw)
    FDXDraw->UnregisterNotifyEvent(this);
  FDXDraw = value;
  if (FDXDraw) {
    FreeNotification(FDXDraw);
    FDXDraw->RegisterNotifyEvent([this](TCustomDXDraw *sender, TDXDrawNotifyType type) { Notify(sender, type); }, this);
  }
}

void TDXDrawClient::Notification(QObject *component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FDXDraw)
    FDXDraw = nullptr;
}

void TDXDrawClient::Notify(TCustomDXDraw *sender, TDXDrawNotifyType notifyType) {
  DXDrawNotifyEvent(sender, notifyType);
  if (notifyType == nkDestroying)
    SetDXDraw(nullptr);
}
