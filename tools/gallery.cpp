// Shows one of each control widget in a window: a knob in its four frames and animating, the
// power switch on, off and disabled, repeat and latching buttons in their looks, and shadowed
// labels. With --save FILE it renders the window into FILE instead of showing it.

#include "framework/application.h"
#include "widgets/animated_image.h"
#include "widgets/power_switch.h"
#include "widgets/shadow_label.h"
#include "widgets/speed_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// A four-frame knob strip: a grey ribbed knob, plain, with a two-way arrow, and with an arrow
// turning either way. The lower-left pixel's colour is see-through.
QImage KnobStrip() {
  const int size = 45;
  QImage strip(4 * size, size, QImage::Format_RGB32);
  strip.fill(QColor(255, 0, 255));
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int frame = 0; frame < 4; ++frame) {
    const QPointF c(frame * size + size / 2.0, size / 2.0);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(160, 160, 160));
    p.drawEllipse(c, 17, 17);
    for (int rib = 0; rib < 12; ++rib) {
      const double a = rib * M_PI / 6;
      p.drawLine(c + QPointF(12 * std::cos(a), 12 * std::sin(a)), c + QPointF(16 * std::cos(a), 16 * std::sin(a)));
    }
    p.setPen(QPen(QColor(255, 0, 0), 2));
    if (frame == 1) {
      p.drawLine(c + QPointF(-9, 0), c + QPointF(9, 0));
      p.drawLine(c + QPointF(-9, 0), c + QPointF(-5, -4));
      p.drawLine(c + QPointF(9, 0), c + QPointF(5, -4));
    } else if (frame >= 2) {
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(c.x() - 8, c.y() - 8, 16, 16), 30 * 16, 240 * 16);
      const QPointF tip = frame == 2 ? c + QPointF(7, -4) : c + QPointF(7, 4);
      p.drawLine(tip, tip + QPointF(-5, frame == 2 ? -2 : 2));
    }
  }
  return strip;
}

TAnimatedImage *Knob(QWidget *parent, const QImage &strip, int x, int frame) {
  auto *knob = new TAnimatedImage(parent);
  knob->move(x, 40);
  knob->SetGlyph(strip);
  knob->SetNumGlyphs(4);
  knob->SetInactiveGlyph(frame);
  return knob;
}

TRxLabel *Label(QWidget *parent, const QString &caption, int x, int y) {
  auto *label = new TRxLabel(parent);
  label->move(x, y);
  label->SetCaption(caption);
  return label;
}

TRxSpeedButton *Button(QWidget *parent, const QString &caption, int x, int y) {
  auto *button = new TRxSpeedButton(parent);
  button->setGeometry(x, y, 25, 30);
  button->SetCaption(caption);
  return button;
}

// Returns the button that a saved picture shows held down.
TRxSpeedButton *Populate(QWidget &window) {
  const QImage strip = KnobStrip();
  Label(&window, "Knob frames 0 to 3, and animating", 10, 10);
  for (int frame = 0; frame < 4; ++frame)
    Knob(&window, strip, 10 + 55 * frame, frame);
  Knob(&window, strip, 240, -1)->SetActive(true);

  Label(&window, "Switch: on, off, disabled, captioned", 10, 100);
  auto *on = new TRxSwitch(&window);
  on->move(10, 120);
  on->SetStateOn(true);
  (new TRxSwitch(&window))->move(70, 120);
  auto *disabled = new TRxSwitch(&window);
  disabled->move(130, 120);
  disabled->setEnabled(false);
  auto *captioned = new TRxSwitch(&window);
  captioned->setGeometry(190, 120, 110, 60);
  captioned->SetCaption("&Power");
  captioned->SetTextPosition(TRxSwitch::tpRight);

  Label(&window, "Buttons: up, held, latched, flat, flat latched, disabled", 10, 200);
  auto *repeat = Button(&window, "+", 10, 220);
  repeat->SetAllowTimer(true);
  repeat->SetStyle(TRxSpeedButton::bsNew);
  QFont bold = repeat->font();
  bold.setBold(true);
  bold.setPixelSize(19);
  repeat->setFont(bold);
  auto *latched = Button(&window, "x2", 80, 220);
  latched->SetGroupIndex(1);
  latched->SetAllowAllUp(true);
  latched->SetDown(true);
  auto *flat = Button(&window, "x2", 115, 220);
  flat->SetFlat(true);
  auto *flatLatched = Button(&window, "x2", 150, 220);
  flatLatched->SetFlat(true);
  flatLatched->SetGroupIndex(2);
  flatLatched->SetAllowAllUp(true);
  flatLatched->SetDown(true);
  Button(&window, "-", 185, 220)->setEnabled(false);
  auto *held = Button(&window, "-", 45, 220);
  held->SetAllowTimer(true);

  Label(&window, "Labels: shadow left-top, none, right-bottom 2, disabled", 10, 270);
  auto *shadowed = Label(&window, "Volt/d", 10, 290);
  shadowed->SetShadowColor(cl3DDkShadow);
  shadowed->SetFontColor(clAqua);
  auto *plain = Label(&window, "msec/d", 80, 290);
  plain->SetShadowSize(0);
  plain->SetFontColor(clBlue);
  auto *deep = Label(&window, "Volt/d", 150, 290);
  deep->SetShadowSize(2);
  deep->SetShadowPos(TextFormat::spRightBottom);
  deep->SetShadowColor(cl3DDkShadow);
  deep->SetFontColor(clRed);
  Label(&window, "Disabled", 220, 290)->setEnabled(false);

  return held;
}

// Presses `button` as the mouse would, so its held look shows.
void Hold(TRxSpeedButton *button) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(12, 15), button->mapToGlobal(QPointF(12, 15)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(button, &press);
}

} // namespace

int main(int argc, char **argv) {
  TApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("Control widgets");
  window.resize(340, 330);
  TRxSpeedButton *held = Populate(window);
  window.show();
  if (argc == 3 && std::strcmp(argv[1], "--save") == 0) {
    application.processEvents();
    Hold(held);
    if (!window.grab().save(argv[2])) {
      std::fprintf(stderr, "cannot write %s\n", argv[2]);
      return 1;
    }
    return 0;
  }
  return application.exec();
}
