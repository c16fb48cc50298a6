#include "display/dx_sprite_engine.h"

#include "display/dx_draw.h"

TCustomDXSpriteEngine::TCustomDXSpriteEngine(QObject *owner) : TDXDrawClient(owner) {}

void TCustomDXSpriteEngine::Draw() {
  if (DXDraw() && DXDraw()->Initialized())
    FEngine.Draw();
}

void TCustomDXSpriteEngine::DXDrawNotifyEvent(TCustomDXDraw *sender, TDXDrawNotifyType notifyType) {
  switch (notifyType) {
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
