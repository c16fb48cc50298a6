#include "app/scope_panel_layout.h"

#include "app/panel_pictures.h"
#include "display/dx_draw.h"
#include "display/dx_image_list.h"
#include "display/dx_sprite_engine.h"
#include "display/dx_timer.h"
#include "framework/color.h"
#include "framework/edit.h"
#include "framework/image.h"
#include "framework/track_bar.h"
#include "framework/up_down.h"
#include "settings/form_storage.h"
#include "sound/dx_sound.h"
#include "widgets/animated_image.h"
#include "widgets/power_switch.h"
#include "widgets/shadow_label.h"
#include "widgets/speed_button.h"
#include "widgets/timer.h"

#include <QCursor>
#include <QFont>
#include <QFrame>
#include <QPixmap>
#include <QRadioButton>
#include <array>

namespace {

using TProps = std::vector<std::pair<const char *, QVariant>>;

QVariant Picture(const char *name) { return PanelPicture(name); }
QVariant Pixmap(const char *name) { return QPixmap::fromImage(PanelPicture(name)); }
QVariant Color(TColor color) { return QVariant::fromValue(color); }
QVariant Hand() { return QCursor(Qt::PointingHandCursor); }

QVariant BoldFont(int pixels) {
  QFont font;
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

// A knob: a strip of four frames, rest, hover and the two pressed looks.
TProps Knob(const char *strip, bool hand = false) {
  TProps props{{"Glyph", Picture(strip)}, {"NumGlyphs", 4}};
  if (hand)
    props.emplace_back("cursor", Hand());
  return props;
}

// A flat toggle of its own group, drawn with a strip of `frames` glyph frames.
TProps Toggle(int group, const char *strip, int frames) {
  return {
      {"GroupIndex", group}, {"AllowAllUp", true}, {"Flat", true}, {"Glyph", Picture(strip)}, {"NumGlyphs", frames}};
}

TProps Label(const char *caption, TColor color) {
  return {{"Caption", caption}, {"FontColor", Color(color)}, {"Transparent", true}};
}

TProps SunkenBox() { return {{"frameShape", QFrame::Box}, {"frameShadow", QFrame::Sunken}}; }

// Both channel panels hold the same controls; channel I's bounds first, channel II's second.
void AddChannelPanel(std::vector<TComponentDesc> &layout, bool first) {
  const auto name = [first](const char *base) { return std::string(base) + (first ? "I" : "II"); };
  const auto at = [first](QRect one, QRect two) { return first ? one : two; };
  const char *panel = first ? "CntrlPnlI" : "CntrlPnlII";
  const TColor ink = first ? clAqua : clBlue;
  layout.push_back({panel, "TPanel", "", at({552, 48, 70, 433}, {622, 48, 70, 433}), SunkenBox()});
  // Frames around the knob groups, made before the controls they surround so that they lie
  // below them: a press on a control must reach the control, not its frame.
  const std::array<const char *, 8> bevels{"Bevel1", "Bevel2", "Bevel3", "Bevel4",
                                           "Bevel5", "Bevel6", "Bevel7", "Bevel8"};
  const std::array<QRect, 4> frames{QRect{2, 4, 66, 108}, {2, 114, 66, 100}, {2, 218, 66, 146}, {2, 368, 66, 62}};
  for (size_t i = 0; i < frames.size(); ++i)
    layout.push_back({bevels[2 * i + (first ? 0 : 1)], "TBevel", panel, frames[i], SunkenBox()});
  const std::vector<TComponentDesc> children{
      {name("VerticAnim"), "TAnimatedImage", panel, at({34, 11, 24, 45}, {33, 7, 25, 45}), Knob("knob_narrow", true)},
      {name("ImageArrUp"),
       "TImage",
       panel,
       at({18, 23, 6, 21}, {18, 19, 6, 21}),
       {{"pixmap", Pixmap("arrow_vertical")}}},
      {name("HorizontAnm"), "TAnimatedImage", panel, at({34, 64, 24, 45}, {34, 63, 25, 45}), Knob("knob_narrow")},
      {name("ImageArr"), "TImage", panel, at({6, 85, 21, 6}, {7, 86, 21, 6}), {{"pixmap", Pixmap("arrow_horizontal")}}},
      {name("CntVol"), "TRxLabel", panel, at({5, 117, 62, 18}, {3, 118, 62, 18}), Label("Volt/d", ink)},
      {name("VoltBt"), "TAnimatedImage", panel, at({9, 140, 52, 45}, {11, 142, 52, 45}), Knob("knob_wide")},
      {name("VDVl"), "TEdit", panel, at({8, 189, 51, 21}, {7, 190, 51, 21}), {{"enabled", false}}},
      {first ? "RxLabel4" : "RxLabel5", "TRxLabel", panel, at({5, 222, 62, 18}, {7, 222, 62, 18}),
       Label("msec/d", ink)},
      {name("Time"), "TAnimatedImage", panel, at({4, 244, 51, 45}, {14, 244, 52, 45}), Knob("knob_wide")},
      {name("TimeVl"), "TEdit", panel, at({3, 293, 40, 21}, {14, 293, 40, 21}), {{"readOnly", true}}},
      {name("UpDownFaze"),
       "TUpDown",
       panel,
       at({42, 293, 16, 24}, {52, 293, 16, 24}),
       {{"Min", -50}, {"Max", 50}, {"Position", 0}, {"Wrap", false}}},
      {name("Btx2"),
       "TSpeedButton",
       panel,
       at({15, 324, 34, 33}, {25, 324, 34, 33}),
       {{"Caption", "x2"}, {"GroupIndex", 3}, {"AllowAllUp", true}, {"Flat", true}}},
      {first ? "RxLabel6" : "RxLabel8", "TRxLabel", panel, at({16, 375, 12, 18}, {15, 375, 12, 18}), Label("L", ink)},
      {first ? "RxLabel7" : "RxLabel9", "TRxLabel", panel, at({45, 375, 12, 18}, {44, 375, 12, 18}), Label("R", ink)},
      {name("BtMnusFzCn"),
       "TRxSpeedButton",
       panel,
       at({10, 395, 25, 30}, {9, 395, 25, 30}),
       {{"Caption", "-"}, {"AllowTimer", true}}},
      {name("BtPlusFzCn"),
       "TRxSpeedButton",
       panel,
       at({39, 395, 25, 30}, {38, 395, 25, 30}),
       {{"Caption", "+"}, {"AllowTimer", true}}},
  };
  layout.insert(layout.end(), children.begin(), children.end());
}

std::vector<TComponentDesc> MakeLayout() {
  std::vector<TComponentDesc> layout{
      {"Panel1",
       "TPanel",
       "",
       {31, 9, 520, 520},
       {{"frameShape", QFrame::Panel}, {"frameShadow", QFrame::Sunken}, {"lineWidth", 4}}},
      {"DXDraw1",
       "TDXDraw",
       "Panel1",
       {6, 6, 504, 504},
       {{"SurfaceWidth", 504}, {"SurfaceHeight", 504}, {"AutoInitialize", true}, {"AutoSize", true}}},
      {"DXImageList1", "TDXImageList", "", {}, {}},
      {"DXSpriteEngine1", "TDXSpriteEngine", "", {}, {}},
      {"DXTimer1", "TDXTimer", "", {}, {{"Enabled", true}, {"Interval", 0}, {"MaxLag", 100}, {"ActiveOnly", false}}},
      {"TimerBt", "TTimer", "", {}, {{"Enabled", false}, {"Interval", 200u}}},
      {"DXSound1", "TDXSound", "", {}, {{"AutoInitialize", false}}},
      {"FormStorage1",
       "TFormStorage",
       "",
       {},
       {{"StoredProps", QStringList{"VDVlI.Tag", "VDVlI.Text", "VDVlII.Text", "VDVlII.Tag", "ImageArrI.Tag",
                                    "ImageArrII.Tag", "HorizontAnmI.Tag", "HorizontAnmII.Tag", "VoltBtI.Tag",
                                    "TimeVlI.Text", "CntVolI.Tag", "CntVolII.Tag"}}}},
      {"Pover",
       "TRxSwitch",
       "",
       {16, 530, 50, 53},
       {{"Caption", "Pover"},
        {"StateOn", true},
        {"ToggleKey", 0u},
        {"ShowFocus", false},
        {"GlyphOff", Picture("power_off")}}},
      {"CngFrTbar", "TTrackBar", "", {609, 288, 27, 118}, {{"Min", 1}, {"Position", 1}, {"Frequency", 1}}},
      {"MicMuteBt", "TRadioButton", "", {272, 544, 113, 17}, {{"text", "Microphone"}, {"checked", false}}},
      {"LinMuteBt", "TRadioButton", "", {400, 544, 113, 17}, {{"text", "Line in"}, {"checked", true}}},
      {"SpBtnCntrI", "TSpeedButton", "", {571, 4, 39, 37}, Toggle(1, "channel_switch", 4)},
      {"SpBtnCntrII", "TSpeedButton", "", {635, 4, 39, 37}, Toggle(2, "channel_switch", 4)},
      {"BtTest", "TSpeedButton", "", {571, 535, 39, 37}, Toggle(3, "test_generator", 4)},
      {"CpFrameBt", "TSpeedButton", "", {637, 535, 39, 37}, Toggle(4, "picture_hold", 4)},
      {"SinxroBtI", "TSpeedButton", "", {569, 483, 39, 37}, Toggle(5, "sync", 2)},
      {"SinxroBtII", "TSpeedButton", "", {636, 484, 39, 37}, Toggle(5, "sync", 2)},
      {"RxLabel1",
       "TRxLabel",
       "",
       {104, 552, 93, 20},
       {{"Caption", "Vexilo"}, {"FontColor", Color(clRed)}, {"font", BoldFont(16)}, {"cursor", Hand()}}},
      {"Image2", "TImage", "", {64, 552, 16, 15}, {{"pixmap", Pixmap("small_scope")}}},
  };
  AddChannelPanel(layout, true);
  AddChannelPanel(layout, false);
  return layout;
}

} // namespace

const std::vector<TComponentDesc> &ScopePanelLayout() {
  static const std::vector<TComponentDesc> layout = MakeLayout();
  return layout;
}

void RegisterScopePanelClasses(TFormReader &reader) {
  reader.RegisterClass<QFrame>("TPanel");
  reader.RegisterClass<QFrame>("TBevel");
  reader.RegisterClass<TImage>("TImage");
  reader.RegisterClass<TEdit>("TEdit");
  reader.RegisterClass<QRadioButton>("TRadioButton");
  reader.RegisterClass<TTimer>("TTimer");
  reader.RegisterClass<TDXDraw>("TDXDraw");
  reader.RegisterClass<TDXImageList>("TDXImageList");
  reader.RegisterClass<TDXSpriteEngine>("TDXSpriteEngine");
  reader.RegisterClass<TDXTimer>("TDXTimer");
  reader.RegisterClass<TDXSound>("TDXSound");
  reader.RegisterClass<TFormStorage>("TFormStorage");
  reader.RegisterClass<TRxSwitch>("TRxSwitch");
  reader.RegisterClass<TTrackBar>("TTrackBar");
  reader.RegisterClass<TRxSpeedButton>("TSpeedButton");
  reader.RegisterClass<TRxSpeedButton>("TRxSpeedButton");
  reader.RegisterClass<TRxLabel>("TRxLabel");
  reader.RegisterClass<TAnimatedImage>("TAnimatedImage");
  reader.RegisterClass<TUpDown>("TUpDown");
}
