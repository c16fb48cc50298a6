#include "widgets/animated_image.h"
#include "widgets/power_switch.h"
#include "widgets/shadow_label.h"
#include "widgets/speed_button.h"

#include <gtest/gtest.h>

namespace {

// Settings reach the controls' properties by name, enumerations by their value names.
bool Set(QObject &object, const char *name, const QVariant &value) { return object.setProperty(name, value); }

TEST(PublishedProperties, AreReachableByName) {
  TAnimatedImage knob;
  EXPECT_TRUE(Set(knob, "Tag", 7));
  EXPECT_EQ(knob.Tag(), 7);
  EXPECT_TRUE(Set(knob, "Orientation", "goVertical"));
  EXPECT_EQ(knob.Orientation(), TAnimatedImage::goVertical);
  EXPECT_TRUE(Set(knob, "Interval", 250u));
  EXPECT_EQ(knob.Interval(), 250u);

  TRxSwitch power;
  EXPECT_TRUE(Set(power, "StateOn", true));
  EXPECT_TRUE(power.StateOn());
  EXPECT_TRUE(Set(power, "TextPosition", "tpBelow"));
  EXPECT_EQ(power.TextPosition(), TRxSwitch::tpBelow);

  TRxSpeedButton button;
  EXPECT_TRUE(Set(button, "GroupIndex", 3));
  EXPECT_TRUE(Set(button, "AllowAllUp", true));
  EXPECT_TRUE(Set(button, "Down", true));
  EXPECT_TRUE(button.Down());
  EXPECT_TRUE(Set(button, "Layout", "blGlyphLeft"));
  EXPECT_EQ(button.Layout(), TextFormat::blGlyphLeft);

  TRxLabel label;
  EXPECT_TRUE(Set(label, "Tag", 12));
  EXPECT_EQ(label.property("Tag").toInt(), 12);
  EXPECT_TRUE(Set(label, "ShadowPos", "spRightTop"));
  EXPECT_EQ(label.ShadowPos(), TextFormat::spRightTop);
  EXPECT_TRUE(Set(label, "ShadowColor", cl3DDkShadow));
  EXPECT_EQ(label.ShadowColor(), cl3DDkShadow);
}

} // namespace
