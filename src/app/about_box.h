#pragma once

#include <QDialog>

// The About box: the program's name, version and who made it, closed with OK.
class TAboutBox : public QDialog {
  Q_OBJECT

public:
  explicit TAboutBox(QWidget *parent = nullptr);
};
