#pragma once

#include "display/dx_draw_types.h"
#include "display/picture_collection.h"
#include "framework/component.h"

// A form's collection of named pictures, kept on surfaces of its display control.
class TCustomDXImageList : public TComponent {
  Q_OBJECT
public:
  explicit TCustomDXImageList(QObject *owner = nullptr);
  ~TCustomDXImageList() override;

  TPictureCollection &Items() { return FItems; }
  TCustomDXDraw *DXDraw() const { return FDXDraw; }
  void SetDXDraw(TCustomDXDraw *value);

protected:
  void Notification(QObject *component, TOperation operation) override;

private:
  void DXDrawNotifyEvent(TCustomDXDraw *sender, TDXDrawNotifyType notifyType);

  TPictureCollection FItems;
  TCustomDXDraw *FDXDraw = nullptr;
};

class TDXImageList : public TCustomDXImageList {
  Q_OBJECT
public:
  using TCustomDXImageList::TCustomDXImageList;
};
