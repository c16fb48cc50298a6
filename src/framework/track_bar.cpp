#include "framework/track_bar.h"

#include "framework/application.h"

#include <QKeyEvent>

TTrackBar::TTrackBar(QWidget *parent) : QSlider(Qt::Vertical, parent) {
  setInvertedAppearance(true);
  setInvertedControls(true);
  setTickPosition(QSlider::TicksBothSides);
  setPageStep(1);
  connect(this, &QSlider::valueChanged, this, [this](int) {
    if (!FSilent && OnChange)
      Application->Guard([this] { OnChange(this); });
  });
  connect(this, &QSlider::rangeChanged, this, [this] { setInvertedAppearance(orientation() == Qt::Vertical); });
}

template <class F> void TTrackBar::Silently(F &&change) {
  FSilent = true;
  change();
  FSilent = false;
}

void TTrackBar::SetMin(int value) {
  Silently([&] { setMinimum(value); });
}

void TTrackBar::SetMax(int value) {
  Silently([&] { setMaximum(value); });
}

void TTrackBar::SetPosition(int value) {
  Silently([&] { setValue(value); });
}

void TTrackBar::keyPressEvent(QKeyEvent *event) {
  HandleKeyPress(OnKeyPress, this, *event, [&] { QSlider::keyPressEvent(event); });
}
