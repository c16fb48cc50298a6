#pragma once

#include "display/dx_draw_types.h"
#include "display/sprite_engine.h"
#include "framework/component.h"

// A form's sprite engine, drawing onto its display control's back surface while that is
// initialised.
class TCustomDXSpriteEngine : public TComponent {
  Q_OBJECT
public:
  explicit TCustomDXSpriteEngine(QObject *owner = nullptr);
  ~TCustomDXSpriteEngine() override;

  TSpriteEngine &Engine() { return FEngine; }
  TCustomDXDraw *DXDraw() const { return FDXDraw; }
  void SetDXDraw(TCustomDXDraw *value);
  // Nothing unless the control is set and initialised.
  void Draw();

protected:
  void Notification(QObject *component, TOperation operation) override;

private:
  void DXDrawNotifyEvent(TCustomDXDraw *sender, TDXDrawNotifyType notifyType);

  TSpriteEngine FEngine;
  TCustomDXDraw *FDXDraw = nullptr;
};

class TDXSpriteEngine : public TCustomDXSpriteEngine {
  Q_OBJECT
public:
  using TCustomDXSpriteEngine::TCustomDXSpriteEngine;
};
