#include "display/picture_collection.h"

#include "display/dx_draw.h"
#include "rtl/scope_exit.h"

TPictureCollectionItem *TPictureCollection::Find(const std::string &name) const {
  const int index = IndexOf(name);
  if (index < 0)
    throw EPictureCollectionError("Image '%s' not found", name);
  return Items(index);
}

bool TPictureCollection::Initialized() const { return FDXDraw && FDXDraw->Initialized(); }

void TPictureCollection::Initialize(TCustomDXDraw *dxdraw) {
  Finalize();
  FDXDraw = dxdraw;
  if (!Initialized())
    throw EPictureCollectionError("%s cannot be initialized", "TPictureCollection");
  for (int i = 0; i < Count(); ++i)
    Items(i)->Initialize();
}

void TPictureCollection::Finalize() {
  TScopeExit unbind([this] { FDXDraw = nullptr; });
  for (int i = 0; i < Count(); ++i)
    Items(i)->Finalize();
}

void TPictureCollection::Restore() {
  for (int i = 0; i < Count(); ++i)
    Items(i)->Restore();
}
