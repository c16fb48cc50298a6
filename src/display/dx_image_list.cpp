#include "display/dx_image_list.h"

#include "display/dx_draw.h"

TCustomDXImageList::TCustomDXImageList(QObject *owner) : TDXDrawClient(owner) {}

void TCustomDXImageList::DXDrawNotifyEvent(TCustomDXDraw *sender, TDXDrawNotifyType notifyType) {
  switch (notifyType) {
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
