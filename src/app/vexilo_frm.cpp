#include "app/vexilo_frm.h"

#include "app/about_box.h"
#include "app/capture_format_choice.h"
#include "app/capture_hand_off.h"
#include "app/display_menu.h"
#include "app/frame_drawing.h"
#include "app/panel_pictures.h"
#include "app/readout.h"
#include "app/scope_panel_layout.h"
#include "app/scope_state.h"
#include "app/settings_carry.h"
#include "app/time_texts.h"
#include "app/trace_frame.h"
#include "app/trace_schedule.h"
#include "display/background_sprite.h"
#include "display/direct_draw_surface.h"
#include "display/dx_draw.h"
#include "display/dx_image_list.h"
#include "display/dx_sprite_engine.h"
#include "display/dx_timer.h"
#include "display/surface_canvas.h"
#include "framework/application.h"
#include "framework/edit.h"
#include "framework/image.h"
#include "framework/track_bar.h"
#include "framework/up_down.h"
#include "rtl/ms_clock.h"
#include "settings/form_storage.h"
#include "sound/audio_stream.h"
#include "sound/capture_stream.h"
#include "sound/dx_sound.h"
#include "widgets/animated_image.h"
#include "widgets/power_switch.h"
#include "widgets/shadow_label.h"
#include "widgets/speed_button.h"
#include "widgets/timer.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace {

std::vector<TFormatEntry> FormatEntries(const TSoundCaptureStream &stream) {
  std::vector<TFormatEntry> entries;
  const auto &formats = stream.SupportedFormats();
  for (int i = 0; i < formats.Count(); ++i) {
    const auto &format = formats.Items(i);
    entries.push_back({format.SamplesPerSec, format.BitsPerSample, format.Channels});
  }
  return entries;
}

} // namespace

TVexiloFrm::TVexiloFrm()
    : TForm(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      FState(std::make_unique<TScopeState>()), FFrame(std::make_unique<TTraceFrame>()),
      FShown(std::make_unique<TTraceFrame>()), FReadout(std::make_unique<TReadout>()) {
  setObjectName("VexiloFrm");
  setWindowTitle("Scope");
  setFixedSize(693, 585);
  // Placed where it was designed to sit, but never with its caption off the screen.
  QPoint place(108, -17);
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    place.setY(std::max(place.y(), screen->availableGeometry().top()));
  move(place);
  QFont font = this->font();
  font.setPixelSize(11);
  setFont(font);

  TFormReader reader;
  RegisterScopePanelClasses(reader);
  reader.Read(this, ScopePanelLayout());
  FindComponents();
  // The carriers' designed values are the scope's initial state: a first run without settings
  // starts exactly there.
  WriteCarriers(TCarriedSettings{});
  LoadPictures();
  ConnectHandlers();
  // The format trackbar stands over the edge of channel I's panel, so it must lie above it.
  CngFrTbar->raise();
  CngFrTbar->setFocus();
  Application->Guard([this] { FormCreate(this); });
}

TVexiloFrm::~TVexiloFrm() {
  CloseMixer();
  FreeTestStream();
  FreeCaptureStream();
}

void TVexiloFrm::FindComponents() {
  DXDraw1 = Component<TDXDraw>("DXDraw1");
  DXImageList1 = Component<TDXImageList>("DXImageList1");
  DXSpriteEngine1 = Component<TDXSpriteEngine>("DXSpriteEngine1");
  DXTimer1 = Component<TDXTimer>("DXTimer1");
  TimerBt = Component<TTimer>("TimerBt");
  DXSound1 = Component<TDXSound>("DXSound1");
  FormStorage1 = Component<TFormStorage>("FormStorage1");
  Pover = Component<TRxSwitch>("Pover");
  CngFrTbar = Component<TTrackBar>("CngFrTbar");
  MicMuteBt = Component<QRadioButton>("MicMuteBt");
  LinMuteBt = Component<QRadioButton>("LinMuteBt");
  BtTest = Component<TRxSpeedButton>("BtTest");
  CpFrameBt = Component<TRxSpeedButton>("CpFrameBt");
  RxLabel1 = Component<TRxLabel>("RxLabel1");
  for (int ch = chI; ch <= chII; ++ch) {
    const auto named = [ch](const char *base) { return std::string(base) + (ch == chI ? "I" : "II"); };
    TChannelControls &c = Channel[ch];
    c.CntrlPnl = Component<QFrame>(named("CntrlPnl").c_str());
    c.VerticAnim = Component<TAnimatedImage>(named("VerticAnim").c_str());
    c.HorizontAnm = Component<TAnimatedImage>(named("HorizontAnm").c_str());
    c.VoltBt = Component<TAnimatedImage>(named("VoltBt").c_str());
    c.Time = Component<TAnimatedImage>(named("Time").c_str());
    c.VDVl = Component<TEdit>(named("VDVl").c_str());
    c.TimeVl = Component<TEdit>(named("TimeVl").c_str());
    c.UpDownFaze = Component<TUpDown>(named("UpDownFaze").c_str());
    c.Btx2 = Component<TRxSpeedButton>(named("Btx2").c_str());
    c.BtMnusFzCn = Component<TRxSpeedButton>(named("BtMnusFzCn").c_str());
    c.BtPlusFzCn = Component<TRxSpeedButton>(named("BtPlusFzCn").c_str());
    c.CntVol = Component<TRxLabel>(named("CntVol").c_str());
    c.ImageArr = Component<TImage>(named("ImageArr").c_str());
    c.SinxroBt = Component<TRxSpeedButton>(named("SinxroBt").c_str());
    c.SpBtnCntr = Component<TRxSpeedButton>(named("SpBtnCntr").c_str());
  }
}

void TVexiloFrm::LoadPictures() {
  // The graticule travels with the window as its image list's one picture.
  // It covers the whole surface as it is: no colour of it is transparent.
  auto *item = DXImageList1->Items().Add();
  item->SetName("BrIm");
  item->Transparent = false;
  ReadFormPicture("graticule", item->Picture());
  DXImageList1->SetDXDraw(DXDraw1);
  DXSpriteEngine1->SetDXDraw(DXDraw1);
}

void TVexiloFrm::ConnectHandlers() {
  OnActivate = [this](QObject *) { ActivateOnce(); };
  OnDeactivate = [this](QObject *) { FSkipActivation = false; };
  OnClose = [this](QObject *sender, TCloseAction &action) { FormClose(sender, action); };
  // The grid shows from the start, also while nothing has been captured yet, and again
  // whenever the surfaces have been restored.
  DXDraw1->OnRestoreSurface = [this](QObject *) {
    DXSpriteEngine1->Draw();
    DXDraw1->Flip();
  };
  DXTimer1->SetOnTimer([this](QObject *sender, int lag) { DXTimer1Timer(sender, lag); });
  Pover->OnOff = [this](QObject *sender) { PoverOff(sender); };
  CngFrTbar->OnChange = [this](QObject *sender) { CngFrTbarChange(sender); };
  RxLabel1->OnClick = [this](QObject *sender) { RxLabel1Click(sender); };
  BtTest->OnClick = [this](QObject *sender) { BtTestClick(sender); };
  connect(Channel[chI].VDVl, &QLineEdit::textChanged, this,
          [this] { Application->Guard([this] { VDVlIChange(Channel[chI].VDVl); }); });
  FormStorage1->OnRestorePlacement = [this](QObject *sender) { FormStorage1RestorePlacement(sender); };
  // A radio button's handler runs when it becomes the checked one, by the user or the program.
  connect(MicMuteBt, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked)
      Application->Guard([this] { MicMuteBtClick(MicMuteBt); });
  });
  connect(LinMuteBt, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked)
      Application->Guard([this] { LinMuteBtClick(LinMuteBt); });
  });
  ConnectChannelHandlers();
  ConnectMenuHandlers();
}

void TVexiloFrm::ActivateOnce() {
  if (FSkipActivation) {
    FSkipActivation = false;
    return;
  }
  bool failed = true;
  Application->Guard([&] {
    FormActivate(this);
    failed = false;
  });
  FSkipActivation = failed;
}

void TVexiloFrm::FormCreate(QObject *) {
  DXDraw1->DefaultColorTable = DXImageList1->Items().ColorTable;
  DXDraw1->ColorTable = DXImageList1->Items().ColorTable;
  DXDraw1->UpdatePalette();
  auto *background = new TBackgroundSprite(&DXSpriteEngine1->Engine());
  background->SetMapSize(1, 1);
  background->Image = DXImageList1->Items().Find("BrIm");
  background->SetZ(-2);
  background->Tile = true;
}

void TVexiloFrm::FormActivate(QObject *) {
  if (Tag() != 0)
    return;
  DiscoverMixer();
  TSoundCaptureStream &stream = NewCaptureStream();
  const std::vector<TFormatEntry> formats = FormatEntries(stream);
  const TCaptureFormatChoice choice = InitialCaptureFormat(formats);
  CngFrTbar->SetTag(choice.StereoCount);
  if (choice.Usable()) {
    CngFrTbar->SetMax(choice.StereoCount);
    CngFrTbar->SetPosition(choice.Position);
    UseCaptureFormat(stream, choice);
    stream.SetBufferMilliseconds(300);
    StartCapturing(stream);
  } else {
    // The scope reads 16-bit stereo frames only; without such a format it runs without capture.
    FreeCaptureStream();
    CngFrTbar->setEnabled(false);
    Application->MessageBox("The sound card offers no 16-bit stereo recording format, so the scope cannot "
                            "capture. It goes on without input.",
                            Application->Title, MB_OK | MB_ICONWARNING);
  }
  FState->LastIndex = RingLastIndex;
  FState->WriteIndex = 0;
  FState->FilledFrames = 0;
  (*FState)[chI].ReadIndex = 0;
  (*FState)[chII].ReadIndex = 0;
  UpdateTimeTexts();
  OpenMixer();
  SetTag(1);
}

void TVexiloFrm::FormClose(QObject *, TCloseAction &) { FreeCaptureStream(); }

void TVexiloFrm::RxLabel1Click(QObject *) {
  if (FAboutBox)
    FAboutBox->exec();
}

void TVexiloFrm::CaptureDataAvailable(TSoundCaptureStream *Sender) {
  const int64_t readable = std::clamp<int64_t>(Sender->ReadableSize(), 0, INT_MAX);
  HandOffBlock(*FState, static_cast<int>(readable),
               [Sender](uint8_t *buffer, int count) { return Sender->Read(buffer, count); });
}

void TVexiloFrm::CngFrTbarChange(QObject *) {
  EndTestOnFormatChange();
  if (TSoundCaptureStream *old = CaptureStream())
    old->StopCapture();
  TSoundCaptureStream &stream = NewCaptureStream();
  const TCaptureFormatChoice choice = CaptureFormatAt(FormatEntries(stream), CngFrTbar->Position());
  if (!choice.Usable()) {
    FreeCaptureStream();
    throw Exception("The sound card no longer offers this recording format");
  }
  UseCaptureFormat(stream, choice);
  StartCapturing(stream);
  ResetRing();
  // A new rate starts the adaptation afresh: what the renderer had to skip at one rate says
  // nothing about another.
  for (TChannelState &channel : FState->Channels)
    channel.SkipFactor = 1;
  UpdateTimeTexts();
}

void TVexiloFrm::DXTimer1Timer(QObject *, int) {
  int tag = DXTimer1->Tag();
  const bool measured = StartUpTick(*FState, tag);
  DXTimer1->SetTag(tag);
  if (measured)
    DXTimer1->SetOnTimer([this](QObject *sender, int lag) { DXTimerTimer(sender, lag); });
}

void TVexiloFrm::DXTimerTimer(QObject *, int) {
  std::array<TTraceControls, 2> controls;
  for (int ch = chI; ch <= chII; ++ch)
    controls[ch] = {Channel[ch].CntrlPnl->isEnabled(), Channel[ch].SinxroBt->Down(), Channel[ch].Btx2->Down()};
  PlanFrame(*FState, controls, FrameOptions(), *FFrame);
  if (!FFrame->Present || !DXDraw1->Initialized())
    return;
  DXSpriteEngine1->Draw();
  TDirectDrawSurfaceCanvas &canvas = DXDraw1->Surface()->Canvas();
  DrawTraces(canvas, *FState, *FFrame);
  if (FDisplayMenu->Measurements->isChecked()) {
    FReadout->Take(*FFrame);
    FReadout->Refresh(TimeGetTime());
    DrawReadout(canvas, *FState, {controls[chI].Enabled, controls[chII].Enabled}, *FReadout);
  }
  canvas.Release();
  DXDraw1->Flip();
  // What was just shown stays at hand for the export; the next frame is planned into the other.
  std::swap(FFrame, FShown);
}

void TVexiloFrm::UpdateTimeTexts() {
  const auto texts = ComputeTimeTexts(*FState);
  for (int ch = chI; ch <= chII; ++ch)
    Channel[ch].TimeVl->setText(QString::fromStdString(texts[ch]));
}

TSoundCaptureStream &TVexiloFrm::NewCaptureStream() {
  FreeCaptureStream();
  FCaptureStream = std::make_unique<TSoundCaptureStream>();
  return *FCaptureStream;
}

void TVexiloFrm::UseCaptureFormat(TSoundCaptureStream &stream, const TCaptureFormatChoice &choice) {
  stream.SetFormatIndex(choice.FormatIndex);
  FState->SampleRate = choice.SampleRate;
  CngFrTbar->SetHint(QString::fromStdString(choice.Hint));
}

void TVexiloFrm::StartCapturing(TSoundCaptureStream &stream) {
  stream.SetOnDataAvailable([this](TSoundCaptureStream *sender) { CaptureDataAvailable(sender); });
  stream.StartCapture();
}

void TVexiloFrm::FreeCaptureStream() { FCaptureStream.reset(); }

void TVexiloFrm::ResetRing() {
  FState->LastIndex = RingLastIndex;
  RestartRingFromStart(*FState);
}
