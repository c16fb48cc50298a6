#pragma once

#include "app/channel_knobs.h"
#include "app/mixer_selection.h"
#include "framework/form.h"
#include "framework/form_reader.h"
#include "rtl/exception.h"

#include <array>
#include <memory>

class QFrame;
struct MIXERCONTROLDETAILS;
class QRadioButton;
class TAboutBox;
class TAnimatedImage;
class TAudioStream;
struct TCaptureFormatChoice;
class TDXDraw;
class TDisplayMenu;
class TReadout;
class TDXImageList;
class TDXSpriteEngine;
class TDXSound;
class TDXTimer;
class TEdit;
class TFormStorage;
class TImage;
class TRxLabel;
class TRxSpeedButton;
class TRxSwitch;
class TSoundCaptureStream;
class TTimer;
class TTrackBar;
class TUpDown;
struct TCarriedSettings;
struct TScopeState;
struct TFrameOptions;
struct TTraceFrame;

// The controls each channel panel holds, named with the suffix I or II on the panel.
struct TChannelControls {
  QFrame *CntrlPnl = nullptr;
  TAnimatedImage *VerticAnim = nullptr;
  TAnimatedImage *HorizontAnm = nullptr;
  TAnimatedImage *VoltBt = nullptr;
  TAnimatedImage *Time = nullptr;
  TEdit *VDVl = nullptr;
  TEdit *TimeVl = nullptr;
  TUpDown *UpDownFaze = nullptr;
  TRxSpeedButton *Btx2 = nullptr;
  TRxSpeedButton *BtMnusFzCn = nullptr;
  TRxSpeedButton *BtPlusFzCn = nullptr;
  TRxLabel *CntVol = nullptr;
  TImage *ImageArr = nullptr;
  TRxSpeedButton *SinxroBt = nullptr;
  TRxSpeedButton *SpBtnCntr = nullptr;
};

// The scope panel: the program's one window. It captures the sound card's stereo input into
// the frame ring and draws channel I and channel II over the graticule whenever enough new
// frames have arrived. The Tag of the window is 1 once the first activation has completed.
class TVexiloFrm : public TForm {
  Q_OBJECT

public:
  TVexiloFrm();
  ~TVexiloFrm() override;

  // Components the program's code uses.
  TDXDraw *DXDraw1 = nullptr;
  TDXImageList *DXImageList1 = nullptr;
  TDXSpriteEngine *DXSpriteEngine1 = nullptr;
  TDXTimer *DXTimer1 = nullptr;
  TTimer *TimerBt = nullptr;
  TDXSound *DXSound1 = nullptr;
  TFormStorage *FormStorage1 = nullptr;
  TRxSwitch *Pover = nullptr;
  TTrackBar *CngFrTbar = nullptr;
  QRadioButton *MicMuteBt = nullptr;
  QRadioButton *LinMuteBt = nullptr;
  TRxSpeedButton *BtTest = nullptr;
  TRxSpeedButton *CpFrameBt = nullptr;
  TRxLabel *RxLabel1 = nullptr;
  std::array<TChannelControls, 2> Channel;

  void SetAboutBox(TAboutBox *aboutBox) { FAboutBox = aboutBox; }
  TScopeState &ScopeState() { return *FState; }
  TSoundCaptureStream *CaptureStream() const { return FCaptureStream.get(); }
  // The calibration test's playback while the test runs; none otherwise.
  TAudioStream *TestStream() const { return FTestStream.get(); }

  // Handlers.
  void FormCreate(QObject *Sender);
  void FormActivate(QObject *Sender);
  void FormClose(QObject *Sender, TCloseAction &Action);
  void RxLabel1Click(QObject *Sender);
  void CaptureDataAvailable(TSoundCaptureStream *Sender);
  void CngFrTbarChange(QObject *Sender);
  void DXTimer1Timer(QObject *Sender, int LagCount);
  void DXTimerTimer(QObject *Sender, int LagCount);
  void PoverOff(QObject *Sender);
  void UpdateTimeTexts();

  // Knobs and the repeat timer. The mouse handlers of the eight knobs are one per kind, told the
  // channel; a knob's MouseMove and MouseUp are the same.
  void PositionKnobMouseDown(TChannel Ch, TPositionKnob Knob, TMouseButton Button);
  void VoltBtMouseDown(TChannel Ch, TMouseButton Button);
  void TimeMouseDown(TChannel Ch, TMouseButton Button);
  void KnobMouseMove(TAnimatedImage *Knob);
  void FormMouseMove(QObject *Sender);
  void TimerBtTimer(QObject *Sender);

  // Switches, trims and keys.
  void Btx2Click(TChannel Ch);
  void UpDownFazeChanging(TChannel Ch);
  void BtMnusFzCnClick(TChannel Ch);
  void BtPlusFzCnClick(TChannel Ch);
  void SpBtnCntrClick(TChannel Ch);
  void CpFrameBtClick(QObject *Sender);
  void FormKeyPress(QObject *Sender, char &Key);
  void TimeVlIIEnter(QObject *Sender);

  // Recording input through the mixer. GetMixerValue answers whether the value could be read.
  bool GetMixerValue(uint32_t Control, uint16_t &Value);
  void SetMixerValue(uint32_t Control, uint16_t Value);
  void ReadSourceSelection();
  void WriteSourceSelection(uint32_t Control, bool Value);
  void MixerControlChange(uint32_t LParam);
  void HoldVolume(uint32_t Control, uint16_t Wanted);
  void MicMuteBtClick(QObject *Sender);
  void LinMuteBtClick(QObject *Sender);
  // Gives each input back the volume read at activation, where that reading succeeded.
  void RestoreStartVolumes();
  void CloseMixer();

  // The calibration test.
  void BtTestClick(QObject *Sender);
  void VDVlIChange(QObject *Sender);

  // The display's context menu.
  void SavePictureClick();
  void ExportTracesClick();

  // Settings carried between runs. PowerOff gives the mixer back and writes the persistent
  // state into the stored properties, once, however the window is closed.
  void FormStorage1RestorePlacement(QObject *Sender);
  void PowerOff();

protected:
  bool event(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

private:
  template <class T> T *Component(const char *name) {
    T *component = findChild<T *>(name);
    if (!component)
      throw Exception("Component %s not found", name);
    return component;
  }
  void FindComponents();
  void LoadPictures();
  void ConnectHandlers();
  void ConnectChannelHandlers();
  void ConnectMenuHandlers();
  // What the menu's switches ask of the next frame.
  TFrameOptions FrameOptions() const;
  void UpdateVoltTexts();
  // The inputs and their controls found on the mixer, the radio buttons named after them, the
  // selection shown, channel I's calibration loaded for it and the held volumes written.
  void DiscoverMixer();
  // Opens the mixer for its change notices; says so when it cannot.
  void OpenMixer();
  void ShowSelection(const TSelectionBuffer &selection);
  // The record-select switches (or the selector) set for the chosen input.
  void WriteInputSwitches(QRadioButton *chosen);
  void WriteMixer(MIXERCONTROLDETAILS &details);
  void StartTest();
  void EndTest();
  // A format change ends a running test without taking its values.
  void EndTestOnFormatChange();
  void FreeTestStream();
  TCarriedSettings ReadCarriers() const;
  void WriteCarriers(const TCarriedSettings &carried);
  void ActivateOnce();
  // Opens the default capture device afresh, freeing the stream before; the new stream is not
  // capturing yet.
  TSoundCaptureStream &NewCaptureStream();
  // The chosen format for the stream, the rate for the time texts and the trackbar's hint.
  void UseCaptureFormat(TSoundCaptureStream &stream, const TCaptureFormatChoice &choice);
  void StartCapturing(TSoundCaptureStream &stream);
  void FreeCaptureStream();
  void ResetRing();

  std::unique_ptr<TScopeState> FState;
  std::unique_ptr<TTraceFrame> FFrame; // planned into, then shown
  std::unique_ptr<TTraceFrame> FShown; // the frame last presented
  std::unique_ptr<TReadout> FReadout;
  std::unique_ptr<TSoundCaptureStream> FCaptureStream;
  std::unique_ptr<TAudioStream> FTestStream;
  TAboutBox *FAboutBox = nullptr;
  TDisplayMenu *FDisplayMenu = nullptr;
  // A failed first activation is reported in a message box; the activation that follows the
  // box's closing is not a new attempt, or the box would come back at once, forever.
  bool FSkipActivation = false;
  bool FPoweredOff = false;
};
