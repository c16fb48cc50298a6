#include "display/direct_draw_surface.h"
#include "display/dx_image_list.h"
#include "display_fixture.h"

namespace {

class PictureCollectionTest : public DisplayFixture {
protected:
  void SetUp() override {
    DisplayFixture::SetUp();
    ImageList = new TDXImageList(Form.get());
    Grid = ImageList->Items().Add();
    Grid->SetName("BrIm");
    Grid->Transparent = false;
    Grid->SetTransparentColor(0x00BAD6C7);
    Grid->SetPicture(PatternPicture(504, 504));
    ImageList->SetDXDraw(DXDraw);
  }

  TDXImageList *ImageList = nullptr;
  TPictureCollectionItem *Grid = nullptr;
};

TEST_F(PictureCollectionTest, TheGraticuleBecomesOneSurfaceWhenTheDisplayStarts) {
  EXPECT_FALSE(Grid->Initialized());
  ShowForm();
  ASSERT_TRUE(Grid->Initialized());
  ASSERT_EQ(Grid->PatternCount(), 1);
  ASSERT_EQ(Grid->Surfaces().size(), 1u);
  TDirectDrawSurface *surface = Grid->Surfaces()[0].get();
  EXPECT_EQ(Grid->PatternRects(0), (TRect{0, 0, 504, 504}));
  EXPECT_EQ(Grid->PatternRects(1), TRect{});
  EXPECT_EQ(surface->Pixels(123, 456), PatternDevice(123, 456));

  Grid->Draw(DXDraw->Surface(), 0, 0, 0);
  EXPECT_EQ(DXDraw->Surface()->Pixels(503, 0), PatternDevice(503, 0));
  DXDraw->Surface()->Fill(0);
  Grid->Draw(DXDraw->Surface(), 0, 0, 1); // no such pattern
  EXPECT_EQ(DXDraw->Surface()->Pixels(503, 0), 0u);

  Form->close();
  EXPECT_FALSE(Grid->Initialized());
  EXPECT_EQ(Grid->PatternCount(), 0);
}

TEST_F(PictureCollectionTest, PatternsAreCutRowByRowAndBlocksStayNear512) {
  TPictureCollectionItem *strip = ImageList->Items().Add();
  strip->SetName("Knob");
  strip->SetPicture(PatternPicture(700, 60));
  strip->PatternWidth = 100;
  strip->PatternHeight = 30;
  TPictureCollectionItem *empty = ImageList->Items().Add();
  ShowForm();
  EXPECT_EQ(empty->PatternCount(), 0);
  ASSERT_EQ(strip->PatternCount(), 14);
  // Blocks of 600 pixels (the first multiple of 100 from 512): two block columns.
  ASSERT_EQ(strip->Surfaces().size(), 2u);
  EXPECT_EQ(strip->Surfaces()[0]->Width(), 600);
  EXPECT_EQ(strip->Surfaces()[1]->Width(), 100);
  EXPECT_EQ(strip->PatternRects(7), (TRect{0, 30, 100, 60}));
  EXPECT_EQ(strip->PatternRects(6), (TRect{0, 0, 100, 30})); // column 6 starts block 2
  strip->Draw(DXDraw->Surface(), 10, 10, 13);
  EXPECT_EQ(DXDraw->Surface()->Pixels(10, 10), PatternDevice(600, 30));

  strip->SystemMemory = true;
  strip->Restore();
  ASSERT_EQ(strip->Surfaces().size(), 1u);
  EXPECT_EQ(strip->PatternRects(13), (TRect{600, 30, 700, 60}));
}

TEST_F(PictureCollectionTest, TransparentColourReachesEverySurface) {
  ShowForm();
  TDirectDrawSurface *surface = Grid->Surfaces()[0].get();
  surface->Fill(0x00C7D6BA);
  Grid->Transparent = true;
  DXDraw->Surface()->Fill(0x123456);
  Grid->Draw(DXDraw->Surface(), 0, 0, 0);
  EXPECT_EQ(DXDraw->Surface()->Pixels(5, 5), 0x123456u) << "the key set when the surface was made";
  Grid->SetTransparentColor(RGB(1, 2, 3));
  Grid->Draw(DXDraw->Surface(), 0, 0, 0);
  EXPECT_EQ(DXDraw->Surface()->Pixels(5, 5), 0xC7D6BAu);
}

TEST_F(PictureCollectionTest, CollectionNeedsAnInitialisedDisplay) {
  TPictureCollection loose;
  try {
    loose.Initialize(DXDraw);
    FAIL();
  } catch (const EPictureCollectionError &e) {
    EXPECT_EQ(e.Message(), "TPictureCollection cannot be initialized");
  }
  EXPECT_FALSE(loose.Initialized());
}

} // namespace
