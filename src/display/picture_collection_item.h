#pragma once

#include "display/dib.h"
#include "display/hash_collection.h"
#include "framework/color.h"

#include <memory>
#include <vector>

class TDirectDrawSurface;
class TPictureCollection;

// A named picture that, while the display is initialised, lives on surfaces of the display's
// device cut into patterns; Draw blits one pattern.
class TPictureCollectionItem : public THashCollectionItem {
public:
  explicit TPictureCollectionItem(TPictureCollection *collection);
  ~TPictureCollectionItem() override;

  int PatternHeight = 0; // 0: the picture's height
  int PatternWidth = 0;  // 0: the picture's width
  int SkipHeight = 0;
  int SkipWidth = 0;
  bool SystemMemory = false;
  bool Transparent = true;
  TColor TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(TColor value);

  TDIB &Picture() { return FPicture; }
  void SetPicture(const TDIB &value) { FPicture.Assign(&value); }

  TPictureCollection *PictureCollection() const;
  bool Initialized() const { return FInitialized; }
  int PatternCount() const { return static_cast<int>(FPatterns.size()); }
  TRect PatternRects(int index) const;
  int Width() const;
  int Height() const;
  const std::vector<std::unique_ptr<TDirectDrawSurface>> &Surfaces() const { return FSurfaces; }

  void Draw(TDirectDrawSurface *dest, int x, int y, int patternIndex);
  void Initialize();
  void Finalize();
  void Restore();

private:
  struct TPattern {
    TRect Rect;
    TDirectDrawSurface *Surface;
  };

  TDirectDrawSurface *MakeSurface(const TRect &source);

  TDIB FPicture;
  TColor FTransparentColor = clBlack;
  bool FInitialized = false;
  std::vector<TPattern> FPatterns;
  std::vector<std::unique_ptr<TDirectDrawSurface>> FSurfaces;
};
