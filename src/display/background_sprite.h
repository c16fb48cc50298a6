#pragma once

#include "display/sprite.h"

#include <cstdint>
#include <vector>

class TPictureCollectionItem;

// Covers the surface with a map of picture patterns, repeated endlessly with Tile.
class TBackgroundSprite : public TSprite {
public:
  explicit TBackgroundSprite(TSprite *parent) : TSprite(parent) {}
  ~TBackgroundSprite() override { SetMapSize(0, 0); }

  TPictureCollectionItem *Image = nullptr; // not owned
  bool Tile = false;

  int MapWidth() const { return FMapWidth; }
  int MapHeight() const { return FMapHeight; }
  // Every chip becomes pattern 0 and every cell solid.
  void SetMapSize(int width, int height);
  int Chips(int x, int y) const; // -1 outside the map
  void SetChip(int x, int y, int value);
  bool CollisionMap(int x, int y) const; // false outside the map
  void SetCollision(int x, int y, bool value);

  TRect GetBoundsRect() const override;
  bool TestCollision(const TSprite &sprite) const override;

protected:
  void DoDraw() override;

private:
  bool InMap(int x, int y) const { return x >= 0 && y >= 0 && x < FMapWidth && y < FMapHeight; }

  int FMapWidth = 0;
  int FMapHeight = 0;
  std::vector<int32_t> FChips;
  std::vector<uint8_t> FCollisionMap;
};
