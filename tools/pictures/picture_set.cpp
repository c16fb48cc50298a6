#include "pictures/picture_set.h"

#include "pictures/button_glyphs.h"
#include "pictures/graticule.h"
#include "pictures/knob_strip.h"
#include "pictures/small_pictures.h"

const std::vector<TPictureFile> &PictureFiles() {
  static const std::vector<TPictureFile> files{
      {"graticule.bmp", GraticuleSize, GraticuleSize, 1, 24, &DrawGraticule},
      {"knob_wide.bmp", 210, KnobHeight, KnobFrames, 24, [] { return DrawKnobStrip(210); }},
      {"knob_narrow.bmp", 100, KnobHeight, KnobFrames, 24, [] { return DrawKnobStrip(100); }},
      {"channel_switch.bmp", 128, 36, 4, 24, &DrawChannelSwitchGlyph},
      {"test_generator.bmp", 148, 35, 4, 24, &DrawTestGlyph},
      {"picture_hold.bmp", 148, 35, 4, 24, &DrawHoldGlyph},
      {"sync.bmp", 32, 16, 2, 4, &DrawSyncGlyph},
      {"power_off.bmp", 32, 48, 1, 4, &DrawPowerOffPicture},
      {"arrow_horizontal.bmp", 21, 6, 1, 24, &DrawHorizontalArrow},
      {"arrow_vertical.bmp", 6, 21, 1, 24, &DrawVerticalArrow},
      {"small_scope.bmp", 16, 15, 1, 24, &DrawSmallScope},
  };
  return files;
}
