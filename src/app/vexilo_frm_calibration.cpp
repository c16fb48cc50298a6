// The calibration test: "Test.wav" plays in a loop while the person types the volts per division
// each channel shows; releasing the test button turns them into the channels' factors.
#include "app/calibration.h"
#include "app/scope_state.h"
#include "app/vexilo_frm.h"
#include "framework/edit.h"
#include "rtl/exception.h"
#include "sound/audio_file_stream.h"
#include "sound/direct_sound_buffer.h"
#include "sound/dx_sound.h"
#include "sound/wave_format.h"
#include "widgets/speed_button.h"

#include <QDir>
#include <memory>

namespace {

const char *const TestFileName = "Test.wav";

} // namespace

void TVexiloFrm::BtTestClick(QObject *) {
  if (BtTest->Down())
    StartTest();
  else
    EndTest();
}

void TVexiloFrm::StartTest() {
  for (TChannelControls &c : Channel)
    c.VDVl->setEnabled(true);
  try {
    DXSound1->Initialize();
    // The sound goes on while the person looks at a meter in another window.
    DXSound1->SetOptions(DXSound1->Options() | TCustomDXSound::soGlobalFocus);
    FreeTestStream();
    auto owned = std::make_unique<TAudioFileStream>(*DXSound1->DSound());
    TAudioFileStream *stream = owned.get();
    FTestStream = std::move(owned);
    stream->SetAutoRefill(true);
    stream->SetBufferMilliseconds(1000);
    stream->SetSourceFileName(TestFileName);
    stream->SetLooping(true);
    TWaveFormatEx format;
    MakePcmFormat(format, 44100, stream->Format().wBitsPerSample, 2);
    DXSound1->Primary()->SetFormat(format);
    stream->StartPlayback();
  } catch (const Exception &e) {
    // The button stays down and the boxes open, so releasing it still ends the test cleanly.
    throw Exception("The calibration test cannot play %s: %s",
                    QDir::current().absoluteFilePath(TestFileName).toStdString(), e.Message());
  }
}

void TVexiloFrm::EndTest() {
  FreeTestStream();
  DXSound1->Finalize();
  TScopeState &s = *FState;
  s[chI].VoltFactor = FactorFromVoltsText(Channel[chI].VDVl->text().toStdString(), s[chI].VoltShift);
  Channel[chI].VDVl->setEnabled(false);
  s[chII].VoltFactor = FactorFromVoltsText(Channel[chII].VDVl->text().toStdString(), s[chII].VoltShift);
  Channel[chII].VDVl->setEnabled(false);
  // The volumes the person set for the test are the ones to hold from now on; one that cannot
  // be read keeps the volume held so far.
  GetMixerValue(s.MicControl, s.MicVolume);
  GetMixerValue(s.LineControl, s.LineVolume);
}

void TVexiloFrm::EndTestOnFormatChange() {
  if (!BtTest->Down())
    return;
  FreeTestStream();
  DXSound1->Finalize();
  BtTest->SetDown(false); // the factors stay as they were and the boxes open
}

void TVexiloFrm::VDVlIChange(QObject *) { Channel[chI].VDVl->repaint(); }

void TVexiloFrm::FreeTestStream() { FTestStream.reset(); }
