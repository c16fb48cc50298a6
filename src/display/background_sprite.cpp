#include "display/background_sprite.h"

#include "display/picture_collection.h"
#include "display/sprite_engine.h"

#include <cmath>

namespace {

int Wrapped(int value, int size) {
  const int r = value % size;
  return r < 0 ? r + size : r;
}

} // namespace

void TBackgroundSprite::SetMapSize(int width, int height) {
  if (width == FMapWidth && height == FMapHeight)
    return;
  if (width <= 0 || height <= 0)
    width = height = 0;
  FMapWidth = width;
  FMapHeight = height;
  const size_t cells = static_cast<size_t>(width) * height;
  FChips.assign(cells, 0);
  FCollisionMap.assign(cells, 1);
}

int TBackgroundSprite::Chips(int x, int y) const { return InMap(x, y) ? FChips[x + y * FMapWidth] : -1; }

void TBackgroundSprite::SetChip(int x, int y, int value) {
  if (InMap(x, y))
    FChips[x + y * FMapWidth] = value;
}

bool TBackgroundSprite::CollisionMap(int x, int y) const {
  return InMap(x, y) && FCollisionMap[x + y * FMapWidth] != 0;
}

void TBackgroundSprite::SetCollision(int x, int y, bool value) {
  if (InMap(x, y))
    FCollisionMap[x + y * FMapWidth] = value ? 1 : 0;
}

TRect TBackgroundSprite::GetBoundsRect() const {
  if (Tile && Engine())
    return Engine()->SurfaceRect();
  if (Image == nullptr)
    return {};
  return Bounds(static_cast<int>(std::trunc(WorldX())), static_cast<int>(std::trunc(WorldY())),
                Image->Width() * FMapWidth, Image->Height() * FMapHeight);
}

void TBackgroundSprite::DoDraw() {
  if (Image == nullptr || FMapWidth <= 0 || FMapHeight <= 0)
    return;
  const TRect pattern = Image->PatternRects(0);
  const int w = pattern.Width(), h = pattern.Height();
  if (w <= 0 || h <= 0)
    return;
  const TRect r = Engine()->SurfaceRect();
  const int cols = (r.Right + w) / w, rows = (r.Bottom + h) / h;
  const int wx = static_cast<int>(std::trunc(WorldX())), wy = static_cast<int>(std::trunc(WorldY()));
  const int ox = wx % w, oy = wy % h;
  int e = wx / w, d = wy / h, f = 0, g = 0;
  if (e < 0) {
    f = -e;
    e = 0;
  }
  if (d < 0) {
    g = -d;
    d = 0;
  }
  TDirectDrawSurface *surface = Engine()->Surface();
  if (Tile) {
    for (int m = -1; m <= rows + 1; ++m) {
      const int mapRow = Wrapped(m - d + g, FMapHeight);
      for (int o = -1; o <= cols + 1; ++o) {
        const int chip = Chips(Wrapped(o - e + f, FMapWidth), mapRow);
        if (chip >= 0)
          Image->Draw(surface, ox + w * o, oy + h * m, chip);
      }
    }
    return;
  }
  for (int m = d; m < std::min(d + FMapHeight - g, rows + 1); ++m)
    for (int o = e; o < std::min(e + FMapWidth - f, cols + 1); ++o) {
      const int chip = Chips(o - e + f, m - d + g);
      if (chip >= 0)
        Image->Draw(surface, ox + w * o, oy + h * m, chip);
    }
}

bool TBackgroundSprite::TestCollision(const TSprite &sprite) const {
  if (Image == nullptr || FMapWidth <= 0 || FMapHeight <= 0)
    return true;
  const TRect pattern = Image->PatternRects(0);
  const int w = pattern.Width(), h = pattern.Height();
  if (w <= 0 || h <= 0)
    return false;
  const int dx = -static_cast<int>(std::trunc(WorldX())), dy = -static_cast<int>(std::trunc(WorldY()));
  auto shifted = [dx, dy](const TRect &rect) {
    return TRect{rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy};
  };
  const TRect other = shifted(sprite.GetBoundsRect());
  const TRect overlap = shifted(IntersectRects(sprite.GetBoundsRect(), GetBoundsRect()));
  for (int row = (overlap.Top - h + 1) / h; row <= overlap.Bottom / h; ++row)
    for (int column = (overlap.Left - w + 1) / w; column <= overlap.Right / w; ++column) {
      if (!CollisionMap(Wrapped(column, FMapWidth), Wrapped(row, FMapHeight)))
        continue;
      const TRect cell = Bounds(column * w, row * h, w, h);
      if (cell.Left < other.Right && other.Left < cell.Right && cell.Top < other.Bottom && other.Top < cell.Bottom)
        return true;
    }
  return false;
}
