#pragma once

#include "display/dx_draw_client.h"
#include "display/sprite_engine.h"

// A form's sprite engine, drawing onto its display control's back surface while that is
// initialised.
class TCustomDXSpriteEngine : public TDXDrawClient {
  Q_OBJECT
public:
  explicit TCustomDXSpriteEngine(QObject *owner = nullptr);

  TSpriteEngine &Engine() { return FEngine; }
  // Nothing unless the control is set and initialised.
  void Draw();

protected:
  void DXDrawNotifyEvent(TCustomDXDraw *sender, TDXDrawNotifyType notifyType) override;

private:
  TSpriteEngine FEngine;
};

class TDXSpriteEngine : public TCustomDXSpriteEngine {
  Q_OBJECT
public:
  using TCustomDXSpriteEngine::TCustomDXSpriteEngine;
};
