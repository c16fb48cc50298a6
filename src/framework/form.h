#pragma once

#include "framework/events.h"

#include <QWidget>
#include <functional>

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(QObject *Sender, TCloseAction &Action)>;
using TCloseQueryEvent = std::function<void(QObject *Sender, bool &CanClose)>;

// A top-level window with the events a program's main window handles. Each handler runs
// guarded, so an exception it raises is reported and the program goes on.
class TForm : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Tag MEMBER FTag)

public:
  explicit TForm(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Window);
  // Fires OnDestroy while every component of the form still exists.
  ~TForm() override;

  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

  // The border as the window is made: a fixed-size window has a single (or tool-window)
  // border, one the user can resize a sizing border, a frameless one none.
  TFormBorderStyle BorderStyle() const;
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);

  TNotifyEvent OnShow;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;
  TNotifyEvent OnDestroy;
  TMouseMoveEvent OnMouseMove;
  TKeyPressEvent OnKeyPress;

protected:
  bool event(QEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

private:
  int FTag = 0;
};
