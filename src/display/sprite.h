#pragma once

#include "platform/draw/draw_types.h"
#include "rtl/exception.h"

#include <memory>
#include <vector>

class TSpriteEngine;

class ESpriteError : public Exception {
public:
  using Exception::Exception;
};

// A node of the sprite tree, drawn at its world position (its own plus its parents') in Z order
// among its siblings. A sprite is owned by its parent and frees its children.
class TSprite {
public:
  explicit TSprite(TSprite *parent);
  virtual ~TSprite();
  TSprite(const TSprite &) = delete;
  TSprite &operator=(const TSprite &) = delete;

  TSpriteEngine *Engine() const { return FEngine; }
  TSprite *Parent() const { return FParent; }
  int Count() const { return FList ? static_cast<int>(FList->size()) : 0; }
  TSprite *Items(int index) const; // ESpriteError when there are no children
  void Clear();

  bool Visible = true;
  double X = 0;
  double Y = 0;
  int Width = 0;
  int Height = 0;
  int Z() const { return FZ; }
  void SetZ(int value);
  double WorldX() const;
  double WorldY() const;

  void Draw();
  virtual TRect GetBoundsRect() const;
  virtual bool TestCollision(const TSprite &sprite) const;

protected:
  virtual void DoDraw() {}

private:
  void Add(TSprite *sprite);
  void Remove(TSprite *sprite);
  void AddDrawList(TSprite *sprite);

  TSpriteEngine *FEngine = nullptr;
  TSprite *FParent;
  int FZ = 0;
  // Children in creation order, and the same ones in drawing order.
  std::unique_ptr<std::vector<TSprite *>> FList;
  std::unique_ptr<std::vector<TSprite *>> FDrawList;
};
