#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;

// The display's context menu, opened by a right click on the display or by the Menu key while the
// display has the focus. Its entries answer their shortcuts anywhere in the window, which owns
// them; the two switches start off, so the picture starts as the panel draws it.
class TDisplayMenu : public QObject {
  Q_OBJECT

public:
  TDisplayMenu(QWidget *window, QWidget *display);

  QAction *Measurements = nullptr;
  QAction *XYMode = nullptr;
  QAction *SavePicture = nullptr;
  QAction *ExportTraces = nullptr;

private:
  QAction *Entry(QWidget *window, const char *text, const char *shortcut, bool checkable);

  QMenu *FMenu = nullptr;
};
