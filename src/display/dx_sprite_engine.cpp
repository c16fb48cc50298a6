#include "display/dx_sprite_engine.h"

#include "display/dx_draw.h"

TCustomDXSpriteEngine::TCustomDXSpriteEngine(QObject *owner) : TComponent(owner) {}

TCustomDXSpriteEngine::~TCustomDXSpriteEngine() { SetDXDraw(nullptr); }

void TCustomDXSpriteEngine::SetDXDraw(TCustomDXDraw *value) {
  if (FDXDraw)
    FDXDraw->UnregisterNotifyEvent(this);
  FDXDraw = value;
  if (FDXDraw) {
    FreeNotification(FDXDraw);
    FDXDraw->RegisterNotifyEvent(
        [this](TCustomDXDraw *sender, TDXDrawNotifyType type) { DXDrawNotifyEvent(sender, type); }, this);
  }
}

void TCustomDXSpriteEngine::Draw() {
  if (FDXDraw && FDXDraw->Initialized())
    FEngine.Draw();
}

void TCustomDXSpriteEngine::Notification(QObject *component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FDXDraw)
    FDXDraw = nullptr;
}

void TCustomDXSpriteEngine::DXDrawNotifyEvent(TCustomDXDraw *sender, TDXDrawNotifyType notifyType) {
  switch (notifyType) {
  case nkDestroying:
    SetDXDraw(nullptr);
    break;
  case nkInitialize:
    FEngine.SetSurface(sender->Surface());
    break;
  case nkFinalize:
    FEngine.SetSurface(nullptr);
    break;
  default:
    break;
  }
}
