#pragma once

#include "display/picture_collection_item.h"
#include "rtl/exception.h"

class TCustomDXDraw;

class EPictureCollectionError : public Exception {
public:
  using Exception::Exception;
};

// The named pictures of an image list, bound to a display control while that is initialised.
class TPictureCollection : public THashCollection {
public:
  TPictureCollectionItem *Add() { return new TPictureCollectionItem(this); }
  TPictureCollectionItem *Items(int index) const {
    return static_cast<TPictureCollectionItem *>(THashCollection::Items(index));
  }
  // EPictureCollectionError "Image '%s' not found".
  TPictureCollectionItem *Find(const std::string &name) const;

  // Blue, green, red, reserved.
  TRGBQuads ColorTable{};

  TCustomDXDraw *DXDraw() const { return FDXDraw; }
  bool Initialized() const;
  // EPictureCollectionError "%s cannot be initialized" when the control is not initialised.
  void Initialize(TCustomDXDraw *dxdraw);
  void Finalize();
  void Restore();

private:
  TCustomDXDraw *FDXDraw = nullptr;
};
