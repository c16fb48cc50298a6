#include "app/about_box.h"

#include "app/panel_pictures.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("AboutBox");
  setWindowTitle("About");
  setFixedSize(298, 213);
  auto *panel = new QFrame(this);
  panel->setGeometry(8, 8, 281, 161);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  auto *icon = new QLabel(panel);
  icon->setGeometry(8, 8, 65, 57);
  icon->setPixmap(QPixmap::fromImage(PanelPicture("small_scope")).scaled(48, 45));
  const auto addLabel = [panel](const char *text, QRect bounds) {
    auto *label = new QLabel(text, panel);
    label->setGeometry(bounds);
    label->setWordWrap(true);
  };
  addLabel("Product Name Tonimar", {88, 16, 180, 16});
  addLabel("Version 1.00", {88, 40, 180, 16});
  addLabel("A two-channel oscilloscope on the sound card's input.", {8, 80, 265, 32});
  addLabel("Channel I is the left input, channel II the right.", {8, 120, 265, 32});
  auto *ok = new QPushButton("OK", this);
  ok->setObjectName("OKButton");
  ok->setGeometry(111, 178, 75, 25);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { done(1); });
  if (const QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());
}
