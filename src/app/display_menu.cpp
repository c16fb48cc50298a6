#include "app/display_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

TDisplayMenu::TDisplayMenu(QWidget *window, QWidget *display) : QObject(window), FMenu(new QMenu(window)) {
  FMenu->setObjectName("DisplayMenu");
  Measurements = Entry(window, "&Measurements", "Ctrl+M", true);
  XYMode = Entry(window, "&XY mode", "Ctrl+L", true);
  FMenu->addSeparator();
  SavePicture = Entry(window, "&Save picture…", "Ctrl+S", false);
  ExportTraces = Entry(window, "&Export traces…", "Ctrl+E", false);
  display->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(display, &QWidget::customContextMenuRequested, FMenu,
          [this, display](const QPoint &at) { FMenu->popup(display->mapToGlobal(at)); });
}

QAction *TDisplayMenu::Entry(QWidget *window, const char *text, const char *shortcut, bool checkable) {
  auto *action = new QAction(text, window);
  action->setShortcut(QKeySequence(shortcut));
  action->setShortcutContext(Qt::WindowShortcut);
  action->setCheckable(checkable);
  window->addAction(action);
  FMenu->addAction(action);
  return action;
}
