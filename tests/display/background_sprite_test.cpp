#include "display/background_sprite.h"
#include "display/dx_image_list.h"
#include "display/dx_sprite_engine.h"
#include "display_fixture.h"

namespace {

class BackgroundSpriteTest : public DisplayFixture {
protected:
  void SetUp() override {
    DisplayFixture::SetUp();
    ImageList = new TDXImageList(Form.get());
    Grid = AddPicture("BrIm", PatternPicture(504, 504));
    Small = AddPicture("Small", PatternPicture(50, 40));
    ImageList->SetDXDraw(DXDraw);
    SpriteEngine = new TDXSpriteEngine(Form.get());
    SpriteEngine->SetDXDraw(DXDraw);
    Background = new TBackgroundSprite(&SpriteEngine->Engine());
    Background->SetMapSize(1, 1);
    Background->Image = Grid;
    Background->SetZ(-2);
    Background->Tile = true;
  }

  TPictureCollectionItem *AddPicture(const char *name, const TDIB &picture) {
    TPictureCollectionItem *item = ImageList->Items().Add();
    item->SetName(name);
    item->Transparent = false;
    item->SetPicture(picture);
    return item;
  }

  // Pixels of the back surface that differ from what `expected` says.
  template <class F> int Wrong(F expected) {
    int wrong = 0;
    for (int y = 0; y < DXDraw->SurfaceHeight(); ++y)
      for (int x = 0; x < DXDraw->SurfaceWidth(); ++x)
        wrong += DXDraw->Surface()->Pixels(x, y) != expected(x, y);
    return wrong;
  }

  TDXImageList *ImageList = nullptr;
  TPictureCollectionItem *Grid = nullptr;
  TPictureCollectionItem *Small = nullptr;
  TDXSpriteEngine *SpriteEngine = nullptr;
  TBackgroundSprite *Background = nullptr;
};

TEST_F(BackgroundSpriteTest, EveryFrameStartsWithTheWholeGraticule) {
  SpriteEngine->Draw(); // not initialised: nothing
  ShowForm();
  DXDraw->Surface()->Fill(0x123456);
  SpriteEngine->Draw();
  EXPECT_EQ(SpriteEngine->Engine().DrawCount, 1);
  // Of the 25 tiles only the one at (0, 0) lies on the surface, and it covers it exactly.
  EXPECT_EQ(Wrong([](int x, int y) { return PatternDevice(x, y); }), 0);
  Form->close();
  EXPECT_EQ(SpriteEngine->Engine().Surface(), nullptr);
  SpriteEngine->Draw();
}

TEST_F(BackgroundSpriteTest, ANegativeWorldPositionStillCoversTheSurface) {
  ShowForm();
  Background->Image = Small;
  Background->X = -105;
  Background->Y = -37;
  DXDraw->Surface()->Fill(0x123456);
  SpriteEngine->Draw();
  EXPECT_EQ(Wrong([](int x, int y) { return PatternDevice((x + 105) % 50, (y + 37) % 40); }), 0);
}

TEST_F(BackgroundSpriteTest, AMapPlacesItsChipsAndAnEmptyMapDrawsNothing) {
  Small->PatternWidth = 25; // two patterns side by side
  ShowForm();
  ASSERT_EQ(Small->PatternCount(), 2);
  Background->Image = Small;
  Background->Tile = false;
  Background->SetMapSize(2, 2);
  EXPECT_EQ(Background->Chips(1, 1), 0);
  EXPECT_TRUE(Background->CollisionMap(1, 1));
  EXPECT_EQ(Background->Chips(2, 0), -1);
  EXPECT_FALSE(Background->CollisionMap(-1, 0));
  Background->SetChip(1, 0, 1);
  Background->SetChip(0, 1, 1);
  Background->SetChip(1, 1, -1);
  Background->X = 10;
  Background->Y = 5;
  DXDraw->Surface()->Fill(0x123456);
  SpriteEngine->Draw();
  EXPECT_EQ(Wrong([](int x, int y) {
              const int cx = (x - 10) / 25, cy = (y - 5) / 40;
              if (x < 10 || y < 5 || cx > 1 || cy > 1 || (cx == 1 && cy == 1))
                return 0x123456u;
              const int chip = (cx + cy) % 2;
              return PatternDevice((x - 10) % 25 + 25 * chip, (y - 5) % 40);
            }),
            0);

  Background->X = 504; // wholly off the surface
  DXDraw->Surface()->Fill(0x123456);
  SpriteEngine->Draw();
  EXPECT_EQ(SpriteEngine->Engine().DrawCount, 0);
  Background->X = 0;
  Background->SetMapSize(0, 5);
  EXPECT_EQ(Background->MapHeight(), 0);
  SpriteEngine->Draw();
  EXPECT_EQ(Wrong([](int, int) { return 0x123456u; }), 0);
}

TEST_F(BackgroundSpriteTest, TheEngineFollowsAResizedBackSurface) {
  ShowForm();
  DXDraw->resize(200, 100);
  EXPECT_EQ(SpriteEngine->Engine().SurfaceRect(), (TRect{0, 0, 200, 100}));
  DXDraw->Surface()->Fill(0x123456);
  SpriteEngine->Draw();
  EXPECT_EQ(Wrong([](int x, int y) { return PatternDevice(x, y); }), 0);
}

} // namespace
