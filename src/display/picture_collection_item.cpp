#include "display/picture_collection_item.h"

#include "display/direct_draw_surface.h"
#include "display/dx_draw.h"
#include "display/picture_collection.h"

#include <algorithm>

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection *collection) : THashCollectionItem(collection) {}

TPictureCollectionItem::~TPictureCollectionItem() { Finalize(); }

TPictureCollection *TPictureCollectionItem::PictureCollection() const {
  return static_cast<TPictureCollection *>(Collection());
}

int TPictureCollectionItem::Width() const { return PatternWidth > 0 ? PatternWidth : FPicture.Width(); }

int TPictureCollectionItem::Height() const { return PatternHeight > 0 ? PatternHeight : FPicture.Height(); }

TRect TPictureCollectionItem::PatternRects(int index) const {
  if (index < 0 || index >= PatternCount())
    return {};
  return FPatterns[index].Rect;
}

void TPictureCollectionItem::SetTransparentColor(TColor value) {
  if (value == FTransparentColor)
    return;
  FTransparentColor = value;
  for (const auto &surface : FSurfaces) {
    try {
      surface->SetTransparentColor(surface->ColorMatch(value));
    } catch (const std::exception &) {
      // One surface that cannot take the colour does not stop the others.
    }
  }
}

void TPictureCollectionItem::Draw(TDirectDrawSurface *dest, int x, int y, int patternIndex) {
  if (!FInitialized || patternIndex < 0 || patternIndex >= PatternCount())
    return;
  const TPattern &pattern = FPatterns[patternIndex];
  dest->Draw(x, y, pattern.Rect, pattern.Surface, Transparent);
}

void TPictureCollectionItem::Initialize() {
  Finalize();
  FInitialized = PictureCollection()->Initialized();
}

void TPictureCollectionItem::Finalize() {
  if (!FInitialized)
    return;
  FInitialized = false;
  FPatterns.clear();
  FSurfaces.clear();
}

TDirectDrawSurface *TPictureCollectionItem::MakeSurface(const TRect &source) {
  auto surface = std::make_unique<TDirectDrawSurface>(PictureCollection()->DXDraw()->DDraw());
  surface->SystemMemory = SystemMemory;
  surface->LoadFromGraphicRect(FPicture, 0, 0, source);
  surface->SetTransparentColor(surface->ColorMatch(FTransparentColor));
  FSurfaces.push_back(std::move(surface));
  return FSurfaces.back().get();
}

void TPictureCollectionItem::Restore() {
  if (!FInitialized) {
    if (PictureCollection()->Initialized())
      Initialize();
    if (!FInitialized)
      return;
  }
  if (FPicture.Empty())
    return;
  FPatterns.clear();
  FSurfaces.clear();
  const int w = Width(), h = Height(), pw = FPicture.Width(), ph = FPicture.Height();
  const int a = w + SkipWidth, b = h + SkipHeight;
  if (w == pw && h == ph) {
    FPatterns.push_back({{0, 0, pw, ph}, MakeSurface({0, 0, pw, ph})});
    return;
  }
  if (a <= 0 || b <= 0)
    return;
  const int rows = (ph + SkipHeight) / b, columns = (pw + SkipWidth) / a;
  if (SystemMemory) {
    TDirectDrawSurface *surface = MakeSurface({0, 0, pw, ph});
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < columns; ++c)
        FPatterns.push_back({Bounds(a * c, b * r, w, h), surface});
    return;
  }
  // Blocks of about 512 pixels, each a whole number of patterns.
  const int d = std::min((511 / a + 1) * a, a * columns), e = std::min((511 / b + 1) * b, b * rows);
  if (d <= 0 || e <= 0)
    return;
  const int blockColumns = (d + pw - 1) / d, blockRows = (e + ph - 1) / e;
  std::vector<TDirectDrawSurface *> blocks;
  for (int i = 0; i < blockRows; ++i)
    for (int j = 0; j < blockColumns; ++j) {
      int bw = std::min(d, std::max(pw - d * j, 0)), bh = std::min(e, std::max(ph - e * i, 0));
      blocks.push_back(MakeSurface(Bounds(d * j, e * i, bw == 0 ? d : bw, bh == 0 ? e : bh)));
    }
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c)
      FPatterns.push_back({Bounds((a * c) % d, (b * r) % e, w, h), blocks[(a * c) / d + blockColumns * ((b * r) / e)]});
}
