#include "display/direct_draw_clipper.h"
#include "display/direct_draw_errors.h"
#include "display/direct_draw_palette.h"
#include "display/screen_image.h"
#include "display_fixture.h"
#include "platform/draw/software_device.h"

#include <QGuiApplication>
#include <QScreen>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const char *KindName(TDXDrawNotifyType type) {
  static const char *names[] = {"Destroying", "Initializing",    "Initialize", "InitializeSurface",
                                "Finalize",   "FinalizeSurface", "Restore",    "SurfaceSize"};
  return names[type];
}

// Registers with the control and writes down what it hears.
struct TListener : QObject {
  std::vector<std::string> Heard;
  void Listen(TCustomDXDraw *dxdraw) {
    dxdraw->RegisterNotifyEvent([this](TCustomDXDraw *, TDXDrawNotifyType type) { Heard.push_back(KindName(type)); },
                                this);
  }
};

using Kinds = std::vector<std::string>;

class DXDrawTest : public DisplayFixture {
protected:
  // How many of the display's pixels on screen differ from `expected`, once the screen has had
  // a second to catch up.
  int OffScreen(const std::function<uint32_t(int, int)> &expected) {
    const QPoint origin = DXDraw->mapToGlobal(QPoint(0, 0));
    int wrong = -1;
    for (int attempt = 0; attempt < 50 && wrong != 0; ++attempt) {
      QTest::qWait(20);
      const QImage shot = QGuiApplication::primaryScreen()
                              ->grabWindow(0, origin.x(), origin.y(), 504, 504)
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
      wrong = 0;
      for (int y = 0; y < 504; ++y)
        for (int x = 0; x < 504; ++x)
          wrong += (shot.pixel(x, y) & 0xFFFFFF) != expected(x, y);
    }
    return wrong;
  }
};

TEST_F(DXDrawTest, StartsWhenTheFormIsShownAndTellsRegistrantsInOrder) {
  TListener listener;
  listener.Listen(DXDraw);
  EXPECT_EQ(listener.Heard, Kinds{"SurfaceSize"});
  DXDraw->Flip(); // not initialised: nothing, and no error
  EXPECT_FALSE(DXDraw->Initialized());
  listener.Heard.clear();
  ShowForm();
  EXPECT_EQ(listener.Heard, (Kinds{"Initializing", "SurfaceSize", "Initialize", "InitializeSurface", "Restore"}));
  EXPECT_EQ(DXDraw->SurfaceWidth(), 504);
  EXPECT_EQ(DXDraw->SurfaceHeight(), 504);
  // Windowed, centred, waiting for the blank; the back surface is in system memory here.
  EXPECT_EQ(DXDraw->NowOptions(), DXOption(doWaitVBlank) | DXOption(doCenter) | DXOption(doSystemMemory));
  DXDraw->UnregisterNotifyEvent(&listener);
  EXPECT_EQ(listener.Heard.back(), "Finalize");
}

TEST_F(DXDrawTest, RegistrantsJoiningLateHearWhatTheyMissed) {
  ShowForm();
  TListener late;
  late.Listen(DXDraw);
  EXPECT_EQ(late.Heard, (Kinds{"SurfaceSize", "Initialize", "Restore"}));
  // One that joins while the control is telling others about its start hears no restore.
  TListener during;
  TListener trigger;
  DXDraw->RegisterNotifyEvent(
      [&](TCustomDXDraw *sender, TDXDrawNotifyType type) {
        if (type == nkInitialize && during.Heard.empty())
          during.Listen(sender);
      },
      &trigger);
  DXDraw->Initialize();
  EXPECT_EQ((Kinds{during.Heard.begin(), during.Heard.begin() + 2}), (Kinds{"SurfaceSize", "Initialize"}));
  EXPECT_EQ(std::count(during.Heard.begin(), during.Heard.begin() + 2, "Restore"), 0);
  DXDraw->UnregisterNotifyEvent(&during);
  DXDraw->UnregisterNotifyEvent(&trigger);
  DXDraw->UnregisterNotifyEvent(&late);
}

TEST_F(DXDrawTest, AFlippedFrameAppearsOnTheScreenPixelForPixel) {
  ShowForm();
  TDirectDrawSurface *back = DXDraw->Surface();
  TDIB picture = PatternPicture(504, 504);
  TDirectDrawSurface source(DXDraw->DDraw());
  source.LoadFromGraphic(picture);
  back->Draw(0, 0, {0, 0, 504, 504}, &source, false);
  TDirectDrawSurfaceCanvas &canvas = back->Canvas();
  canvas.Pen.Mode = pmNotCopy;
  canvas.Pen.Color = RGB(255, 0, 0);
  canvas.MoveTo(0, 100);
  for (int x = 1; x < 506; ++x)
    canvas.LineTo(x, 100 + (x * 37) % 200);
  canvas.Release();
  DXDraw->Flip();
  EXPECT_EQ(DXDraw->Primary()->DXResult(), 0);

  EXPECT_EQ(OffScreen([&](int x, int y) { return back->Pixels(x, y); }), 0)
      << "pixels that differ from the back surface";
}

// Frames that change some rows, a part of the screen that was covered, and a write straight into
// the primary surface all reach the screen.
TEST_F(DXDrawTest, TheScreenKeepsUpWithChangedRowsUncoveringAndWritesIntoThePrimary) {
  ShowForm();
  TDirectDrawSurface *back = DXDraw->Surface();
  const auto backPixels = [&](int x, int y) { return back->Pixels(x, y); };
  back->Fill(0x00C7D6BA);
  DXDraw->Flip();
  for (int frame = 0; frame < 3; ++frame) {
    back->Fill(0x00C7D6BA);
    TDirectDrawSurfaceCanvas &canvas = back->Canvas();
    canvas.Pen.Color = RGB(0, 0, 255);
    canvas.MoveTo(0, 150 + 100 * frame);
    canvas.LineTo(504, 180 + 100 * frame);
    canvas.Release();
    DXDraw->Flip();
    EXPECT_EQ(OffScreen(backPixels), 0) << "frame " << frame;
  }

  QWidget cover;
  cover.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  const QPoint origin = DXDraw->mapToGlobal(QPoint(0, 0));
  cover.setGeometry(origin.x() + 100, origin.y() + 100, 200, 300);
  cover.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
  QTest::qWait(50);
  cover.hide();
  EXPECT_EQ(OffScreen(backPixels), 0) << "after the cover went away";

  DXDraw->Primary()->Fill(0x00112233);
  EXPECT_EQ(OffScreen([](int, int) { return 0x00112233u; }), 0) << "after a fill of the primary";
}

// A frame is presented once: painting shows what the last Flip left, not the back surface.
TEST_F(DXDrawTest, ARepaintShowsThePresentedFrameWithoutPresentingAgain) {
  ShowForm();
  TDirectDrawSurface *back = DXDraw->Surface();
  back->Fill(0x00C7D6BA);
  DXDraw->Flip();
  back->Fill(0x00112233);
  DXDraw->repaint();
  const QImage painted = DXDraw->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(painted.pixel(0, 0) & 0xFFFFFF, 0xC7D6BAu);
  EXPECT_EQ(painted.pixel(503, 503) & 0xFFFFFF, 0xC7D6BAu);
  EXPECT_EQ(DXDraw->ScreenImage()->Image().pixel(250, 250) & 0xFFFFFF, 0xC7D6BAu);
}

TEST_F(DXDrawTest, ResizingRecreatesOnlyTheBackSurface) {
  ShowForm();
  TListener listener;
  listener.Listen(DXDraw);
  listener.Heard.clear();
  TDirectDrawSurface *primary = DXDraw->Primary(), *surface = DXDraw->Surface();
  const auto primaryMemory = primary->Interface(), backMemory = surface->Interface();
  int finalized = 0;
  DXDraw->OnFinalize = [&](QObject *) { ++finalized; };
  DXDraw->resize(300, 200);
  EXPECT_EQ(listener.Heard, (Kinds{"FinalizeSurface", "InitializeSurface", "SurfaceSize"}));
  EXPECT_EQ(DXDraw->Primary(), primary);
  EXPECT_EQ(DXDraw->Primary()->Interface(), primaryMemory);
  EXPECT_EQ(DXDraw->Surface(), surface);
  EXPECT_NE(DXDraw->Surface()->Interface(), backMemory);
  EXPECT_EQ(surface->Width(), 300);
  EXPECT_EQ(surface->Height(), 200);
  EXPECT_EQ(finalized, 0);
  DXDraw->UnregisterNotifyEvent(&listener);
}

TEST_F(DXDrawTest, ClosingTheFormFinalisesOnce) {
  int finalized = 0, surfacesFinalized = 0;
  DXDraw->OnFinalize = [&](QObject *) { ++finalized; };
  DXDraw->OnFinalizeSurface = [&](QObject *) { ++surfacesFinalized; };
  ShowForm();
  const std::weak_ptr<IDirectDrawSurface> primaryMemory = DXDraw->Primary()->Interface();
  const std::weak_ptr<IDirectDrawSurface> backMemory = DXDraw->Surface()->Interface();
  const std::weak_ptr<IDirectDrawClipper> clipper = DXDraw->Clipper()->IDDClipper();
  const std::weak_ptr<IDirectDrawPalette> palette = DXDraw->Palette()->IDDPalette();
  Form->close();
  EXPECT_FALSE(DXDraw->Initialized());
  EXPECT_EQ(DXDraw->DDraw(), nullptr);
  EXPECT_EQ(DXDraw->Primary(), nullptr);
  EXPECT_EQ(DXDraw->Surface(), nullptr);
  EXPECT_EQ(DXDraw->Clipper(), nullptr);
  EXPECT_EQ(DXDraw->Palette(), nullptr);
  EXPECT_TRUE(primaryMemory.expired() && backMemory.expired() && clipper.expired() && palette.expired())
      << "nothing the device made outlives the control's finalisation";
  EXPECT_EQ(finalized, 1);
  EXPECT_EQ(surfacesFinalized, 1);
  Form->show();
  EXPECT_FALSE(DXDraw->Initialized()) << "a shown-again form does not start the display by itself";
  Form.reset();
  EXPECT_EQ(finalized, 1);
}

TEST_F(DXDrawTest, LostSurfacesAreRestoredAtTheNextFlip) {
  ShowForm();
  TListener listener;
  listener.Listen(DXDraw);
  listener.Heard.clear();
  DXDraw->Surface()->Fill(0x123456);
  dynamic_cast<TSoftwareDirectDraw *>(DXDraw->DDraw()->IDraw4())->LoseSurfaces();
  EXPECT_FALSE(DXDraw->Surface()->Fill(0));
  DXDraw->Flip();
  EXPECT_EQ(listener.Heard, Kinds{"Restore"});
  EXPECT_EQ(DXDraw->Surface()->Pixels(3, 3), 0u) << "restored memory starts cleared";
  EXPECT_EQ(DXDraw->Primary()->DXResult(), 0);
  DXDraw->UnregisterNotifyEvent(&listener);
}

TEST_F(DXDrawTest, OnlySomeOptionsChangeWhileRunning) {
  ShowForm();
  DXDraw->SetOptions(DXDraw->Options() | DXOption(doFullScreen) | DXOption(doStretch));
  EXPECT_TRUE(DXDraw->Now(doStretch));
  EXPECT_FALSE(DXDraw->Now(doFullScreen));
  DXDraw->SetOptions(DXDraw->Options() & ~DXOption(doWaitVBlank));
  EXPECT_FALSE(DXDraw->Now(doWaitVBlank));
  DXDraw->Flip();
  EXPECT_EQ(DXDraw->Primary()->DXResult(), 0);
  // The full-screen wish takes effect at the next start, which is refused here.
  EXPECT_THROW(DXDraw->Initialize(), EDXDrawError);
  EXPECT_FALSE(DXDraw->Initialized());
}

TEST_F(DXDrawTest, FullScreenIsRefusedHonestly) {
  DXDraw->AutoInitialize = false;
  ShowForm(false);
  DXDraw->SetOptions(DXOption(doFullScreen));
  DXDraw->Display().SetWidth(641);
  try {
    DXDraw->Initialize();
    FAIL();
  } catch (const EDXDrawError &e) {
    EXPECT_EQ(e.Message(), "Display mode cannot be changed (641x480 8bit)");
  }
  EXPECT_FALSE(DXDraw->Initialized());

  // The current mode is accepted, but page flipping is not offered.
  const QScreen *screen = QGuiApplication::primaryScreen();
  DXDraw->Display().SetWidth(screen->size().width());
  DXDraw->Display().SetHeight(screen->size().height());
  DXDraw->Display().SetBitCount(screen->depth());
  DXDraw->SetOptions(DXOption(doFullScreen) | DXOption(doFlip));
  try {
    DXDraw->Initialize();
    FAIL();
  } catch (const EDXDrawError &e) {
    EXPECT_EQ(e.Message(), "Primary Surface cannot be made");
  }
  EXPECT_THROW(DXDraw->Display().SetBitCount(12), EDirectDrawError);
}

TEST_F(DXDrawTest, AnEmptySurfaceSizeStartsWithOnePixel) {
  DXDraw->AutoInitialize = false;
  DXDraw->SetAutoSize(false);
  DXDraw->SetSurfaceSize(0, -3);
  ShowForm(false);
  DXDraw->Initialize();
  EXPECT_EQ(DXDraw->SurfaceWidth(), 1);
  EXPECT_EQ(DXDraw->SurfaceHeight(), 1);
  DXDraw->SetAutoSize(true);
  EXPECT_EQ(DXDraw->SurfaceWidth(), 504);
}

TEST_F(DXDrawTest, PresentCentresOrStretchesTheSurfaceOverTheControl) {
  DXDraw->SetAutoSize(false);
  DXDraw->SetSurfaceSize(600, 600);
  ShowForm();
  TDirectDrawSurface *back = DXDraw->Surface();
  TDirectDrawSurface source(DXDraw->DDraw());
  TDIB picture = PatternPicture(600, 600);
  source.LoadFromGraphic(picture);
  back->Draw(0, 0, {0, 0, 600, 600}, &source, false);
  DXDraw->Flip();
  const QImage &shown = TScreenImage::For(DXDraw)->Image();
  // Larger than the control: the offset is (504 - 600) / 2 = -48 and the rest is cut away.
  EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, PatternDevice(48, 48));
  EXPECT_EQ(shown.pixel(503, 503) & 0xFFFFFF, PatternDevice(551, 551));

  DXDraw->SetSurfaceSize(252, 126);
  back->Draw(0, 0, {0, 0, 252, 126}, &source, false);
  DXDraw->SetOptions(DXDraw->Options() | DXOption(doStretch));
  DXDraw->Flip();
  EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, PatternDevice(0, 0));
  EXPECT_EQ(shown.pixel(201, 401) & 0xFFFFFF, PatternDevice(100, 100));
  EXPECT_EQ(shown.pixel(503, 503) & 0xFFFFFF, PatternDevice(251, 125));
}

TEST_F(DXDrawTest, ThePaletteKeepsTheSystemColoursAtBothEnds) {
  ShowForm();
  for (auto &entry : DXDraw->ColorTable)
    entry = {1, 2, 3, 0};
  DXDraw->UpdatePalette();
  TPaletteEntry entries[256];
  ASSERT_EQ(DXDraw->Palette()->IDDPalette()->GetEntries(0, 0, 256, entries), S_OK);
  EXPECT_EQ(entries[10].peRed, 3);
  EXPECT_EQ(entries[10].peBlue, 1);
  EXPECT_EQ(entries[245].peGreen, 2);
  EXPECT_EQ(entries[255].peRed, 255) << "white stays at the top";
  EXPECT_EQ(entries[0].peRed, 0);
  EXPECT_EQ(entries[249].peRed, 255);
  EXPECT_EQ(entries[249].peGreen, 0);
  for (const TPaletteEntry &entry : entries)
    ASSERT_EQ(entry.peFlags, PC_NOCOLLAPSE);
}

TEST_F(DXDrawTest, AControlWithoutAFormCannotStart) {
  TDXDraw alone;
  try {
    alone.Initialize();
    FAIL();
  } catch (const EDXDrawError &e) {
    EXPECT_EQ(e.Message(), "Form not found");
  }
}

} // namespace
