#include "display/sprite.h"

#include "display/sprite_engine.h"

#include <algorithm>
#include <cmath>

TSprite::TSprite(TSprite *parent) : FParent(parent) {
  if (!parent)
    return;
  FEngine = parent->FEngine ? parent->FEngine : dynamic_cast<TSpriteEngine *>(parent);
  parent->Add(this);
  if (FEngine)
    ++FEngine->AllCount;
}

TSprite::~TSprite() {
  Clear();
  if (FParent) {
    if (FEngine)
      --FEngine->AllCount;
    FParent->Remove(this);
  }
}

TSprite *TSprite::Items(int index) const {
  if (!FList)
    throw ESpriteError("Index of the list exceeds the range. (%d)", index);
  return FList->at(index);
}

void TSprite::Clear() {
  while (FList && !FList->empty())
    delete FList->back();
}

void TSprite::Add(TSprite *sprite) {
  if (!FList) {
    FList = std::make_unique<std::vector<TSprite *>>();
    FDrawList = std::make_unique<std::vector<TSprite *>>();
  }
  FList->push_back(sprite);
  AddDrawList(sprite);
}

void TSprite::Remove(TSprite *sprite) {
  std::erase(*FList, sprite);
  std::erase(*FDrawList, sprite);
  if (FList->empty()) {
    FList.reset();
    FDrawList.reset();
  }
}

void TSprite::AddDrawList(TSprite *sprite) {
  // Before every sprite of the same Z already there, so a later one is drawn first.
  int low = 0, high = static_cast<int>(FDrawList->size()) - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    if ((*FDrawList)[middle]->FZ < sprite->FZ)
      low = middle + 1;
    else
      high = middle - 1;
  }
  FDrawList->insert(FDrawList->begin() + low, sprite);
}

void TSprite::SetZ(int value) {
  if (FZ == value)
    return;
  FZ = value;
  if (FParent) {
    std::erase(*FParent->FDrawList, this);
    FParent->AddDrawList(this);
  }
}

double TSprite::WorldX() const { return FParent ? FParent->WorldX() + X : X; }

double TSprite::WorldY() const { return FParent ? FParent->WorldY() + Y : Y; }

TRect TSprite::GetBoundsRect() const {
  return Bounds(static_cast<int>(std::trunc(WorldX())), static_cast<int>(std::trunc(WorldY())), Width, Height);
}

bool TSprite::TestCollision(const TSprite &) const { return true; }

void TSprite::Draw() {
  if (!Visible)
    return;
  if (FEngine) {
    const TRect bounds = GetBoundsRect(), view = FEngine->SurfaceRect();
    if (bounds.Left < view.Right && view.Left < bounds.Right && bounds.Top < view.Bottom && view.Top < bounds.Bottom) {
      DoDraw();
      ++FEngine->DrawCount;
    }
  }
  if (FDrawList)
    for (size_t i = 0; i < FDrawList->size(); ++i)
      (*FDrawList)[i]->Draw();
}
