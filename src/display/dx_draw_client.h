#pragma once

#include "display/dx_draw_types.h"
#include "framework/component.h"

class TCustomDXDraw;

// A component that works on a display control's surfaces: it registers with the control and
// hears when the control is initialised, finalised, restored or destroyed.
class TDXDrawClient : public TComponent {
  Q_OBJECT
public:
  explicit TDXDrawClient(QObject *owner = nullptr) : TComponent(owner) {}
  ~TDXDrawClient() override;

  TCustomDXDraw *DXDraw() const { return FDXDraw; }
  void SetDXDraw(TCustomDXDraw *value);

protected:
  void Notification(QObject *component, TOperation operation) override;
  // Each notice of the control; the client lets go of the control when it is being destroyed.
  virtual void DXDrawNotifyEvent(TCustomDXDraw *sender, TDXDrawNotifyType notifyType) = 0;

private:
  void Notify(TCustomDXDraw *sender, TDXDrawNotifyType notifyType);

  TCustomDXDraw *FDXDraw = nullptr;
};
