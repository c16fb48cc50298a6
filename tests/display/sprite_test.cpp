#include "display/direct_draw.h"
#include "display/direct_draw_surface.h"
#include "display/sprite_engine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A sprite that writes its name down when it is drawn.
class TRecordingSprite : public TSprite {
public:
  TRecordingSprite(TSprite *parent, std::string name, std::vector<std::string> &log)
      : TSprite(parent), FName(std::move(name)), FLog(log) {
    Width = Height = 10;
  }

protected:
  void DoDraw() override { FLog.push_back(FName); }

private:
  std::string FName;
  std::vector<std::string> &FLog;
};

class SpriteTest : public ::testing::Test {
protected:
  void SetUp() override {
    Surface.SetSize(100, 100);
    Engine.SetSurface(&Surface);
  }

  TDirectDraw DDraw{nullptr};
  TDirectDrawSurface Surface{&DDraw};
  TSpriteEngine Engine;
  std::vector<std::string> Log;
};

TEST_F(SpriteTest, DrawsInZOrderWithLaterEqualsFirst) {
  new TRecordingSprite(&Engine, "a", Log);
  new TRecordingSprite(&Engine, "b", Log);
  auto *below = new TRecordingSprite(&Engine, "below", Log);
  below->SetZ(-2);
  auto *top = new TRecordingSprite(&Engine, "top", Log);
  top->SetZ(5);
  new TRecordingSprite(&Engine, "c", Log);
  Engine.Draw();
  EXPECT_EQ(Log, (std::vector<std::string>{"below", "c", "b", "a", "top"}));
  EXPECT_EQ(Engine.DrawCount, 5);
  top->SetZ(-3);
  Log.clear();
  Engine.Draw();
  EXPECT_EQ(Log.front(), "top");
  EXPECT_EQ(Engine.Items(0)->Z(), 0) << "creation order stays";
}

TEST_F(SpriteTest, InvisibleOrOffSurfaceSpritesAreNotDrawn) {
  auto *parent = new TRecordingSprite(&Engine, "parent", Log);
  auto *child = new TRecordingSprite(parent, "child", Log);
  child->X = 20; // world position 50 + 20
  parent->X = 50;
  EXPECT_EQ(child->WorldX(), 70);
  EXPECT_EQ(child->Engine(), &Engine);
  auto *away = new TRecordingSprite(&Engine, "away", Log);
  away->X = 100; // touches the surface only at its edge
  auto *partly = new TRecordingSprite(&Engine, "partly", Log);
  partly->X = -9.5; // truncated toward zero: -9
  Engine.Draw();
  EXPECT_EQ(Log, (std::vector<std::string>{"partly", "parent", "child"}));
  parent->Visible = false;
  Log.clear();
  Engine.Draw();
  EXPECT_EQ(Log, std::vector<std::string>{"partly"});
  EXPECT_EQ(Engine.DrawCount, 1);
}

TEST_F(SpriteTest, TheTreeCountsAndFreesItsSprites) {
  auto *parent = new TRecordingSprite(&Engine, "parent", Log);
  new TRecordingSprite(parent, "child", Log);
  new TRecordingSprite(parent, "child2", Log);
  EXPECT_EQ(Engine.AllCount, 3);
  EXPECT_EQ(parent->Count(), 2);
  delete parent;
  EXPECT_EQ(Engine.AllCount, 0);
  EXPECT_EQ(Engine.Count(), 0);
  try {
    Engine.Items(3);
    FAIL();
  } catch (const ESpriteError &e) {
    EXPECT_EQ(e.Message(), "Index of the list exceeds the range. (3)");
  }
}

} // namespace
