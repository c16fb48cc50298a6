#pragma once

#include "display/dib.h"
#include "display/direct_draw.h"
#include "display/direct_draw_surface.h"
#include "display/dx_draw.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// A 24-bit picture whose every pixel tells where it is.
inline uint32_t PatternColor(int x, int y) {
  return ((x * 7) & 0xFF) | (((y * 5) & 0xFF) << 8) | ((x ^ y) & 0xFF) << 16;
}

inline TDIB PatternPicture(int width, int height) {
  TDIB dib;
  dib.SetSize(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      dib.SetPixel(x, y, PatternColor(x, y)); // blue, green, red in memory order
  return dib;
}

// What a pattern pixel reads as on a 32-bit surface (0x00RRGGBB).
inline uint32_t PatternDevice(int x, int y) {
  const uint32_t c = PatternColor(x, y);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// A form with a 504 x 504 display control in a real window.
class DisplayFixture : public ::testing::Test {
protected:
  void SetUp() override {
    Form = std::make_unique<QWidget>();
    Form->setGeometry(40, 40, 560, 560);
    DXDraw = new TDXDraw(Form.get());
    DXDraw->BeginLoading();
    DXDraw->setGeometry(20, 20, 504, 504);
    DXDraw->Loaded(); // as when the form has been read
  }

  void ShowForm(bool starts = true) {
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    ASSERT_EQ(DXDraw->Initialized(), starts);
  }

  std::unique_ptr<QWidget> Form;
  TDXDraw *DXDraw = nullptr;
};
