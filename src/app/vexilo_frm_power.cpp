// Power-off and the settings carried between runs: the persistent scope state travels through
// twelve stored properties of the panel's controls, which the settings component saves when the
// window closes and reads back when it is shown.
#include "app/scope_state.h"
#include "app/settings_carry.h"
#include "app/vexilo_frm.h"
#include "framework/edit.h"
#include "framework/image.h"
#include "widgets/animated_image.h"
#include "widgets/power_switch.h"
#include "widgets/shadow_label.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QRadioButton>

void TVexiloFrm::PoverOff(QObject *) {
  PowerOff();
  close();
  // A message box or a file dialog still up would keep the program running with no window of its
  // own, deaf to the stop it was given: every event loop ends, the dialog's with the rest.
  if (QCoreApplication::instance())
    QCoreApplication::exit(0);
}

void TVexiloFrm::PowerOff() {
  if (FPoweredOff)
    return;
  FPoweredOff = true;
  // The scope held the inputs at its volumes while it ran; the desktop gets its own back.
  RestoreStartVolumes();
  CloseMixer();
  WriteCarriers(CarryOut(*FState, MicMuteBt->isChecked()));
}

void TVexiloFrm::closeEvent(QCloseEvent *event) {
  // However the window is closed (the power switch, the window manager, a stop signal), the
  // state is carried and the mixer given back before the settings are saved.
  PowerOff();
  TForm::closeEvent(event);
}

void TVexiloFrm::FormStorage1RestorePlacement(QObject *) {
  // Every notice carries the stored values in, the first one of a run included: a restore that
  // waited for a second notice would drop every calibration at each start.
  Pover->SetTag(1);
  CarryIn(ReadCarriers(), *FState);
}

TCarriedSettings TVexiloFrm::ReadCarriers() const {
  const TChannelControls &one = Channel[chI];
  const TChannelControls &two = Channel[chII];
  TCarriedSettings carried;
  carried.VDVlITag = one.VDVl->Tag();
  carried.VDVlIText = one.VDVl->text().toStdString();
  carried.VDVlIIText = two.VDVl->text().toStdString();
  carried.VDVlIITag = two.VDVl->Tag();
  carried.ImageArrITag = one.ImageArr->Tag();
  carried.ImageArrIITag = two.ImageArr->Tag();
  carried.HorizontAnmITag = one.HorizontAnm->Tag();
  carried.HorizontAnmIITag = two.HorizontAnm->Tag();
  carried.VoltBtITag = one.VoltBt->Tag();
  carried.TimeVlIText = one.TimeVl->text().toStdString();
  carried.CntVolITag = one.CntVol->Tag();
  carried.CntVolIITag = two.CntVol->Tag();
  return carried;
}

void TVexiloFrm::WriteCarriers(const TCarriedSettings &carried) {
  TChannelControls &one = Channel[chI];
  TChannelControls &two = Channel[chII];
  one.CntVol->SetTag(carried.CntVolITag);
  two.CntVol->SetTag(carried.CntVolIITag);
  one.VDVl->setText(QString::fromStdString(carried.VDVlIText));
  one.TimeVl->setText(QString::fromStdString(carried.TimeVlIText));
  two.VDVl->setText(QString::fromStdString(carried.VDVlIIText));
  one.VDVl->SetTag(carried.VDVlITag);
  one.VoltBt->SetTag(carried.VoltBtITag);
  two.VDVl->SetTag(carried.VDVlIITag);
  one.HorizontAnm->SetTag(carried.HorizontAnmITag);
  one.ImageArr->SetTag(carried.ImageArrITag);
  two.HorizontAnm->SetTag(carried.HorizontAnmIITag);
  two.ImageArr->SetTag(carried.ImageArrIITag);
}
