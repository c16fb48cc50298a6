#pragma once

#include "display/dx_draw_client.h"
#include "display/picture_collection.h"

// A form's collection of named pictures, kept on surfaces of its display control.
class TCustomDXImageList : public TDXDrawClient {
  Q_OBJECT
public:
  explicit TCustomDXImageList(QObject *owner = nullptr);

  TPictureCollection &Items() { return FItems; }

protected:
  void DXDrawNotifyEvent(TCustomDXDraw *sender, TDXDrawNotifyType notifyType) override;

private:
  TPictureCollection FItems;
};

class TDXImageList : public TCustomDXImageList {
  Q_OBJECT
public:
  using TCustomDXImageList::TCustomDXImageList;
};
