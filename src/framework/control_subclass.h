#pragma once

#include <QObject>
#include <QSet>
#include <functional>

class QWidget;

// Takes the chosen events of a window before the window sees them and hands each to a hook
// together with the window's own handling, which the hook runs when and if it wants it.
// Destroying the subclass gives the window its events back.
class TControlSubClass : public QObject {
  Q_OBJECT
public:
  using TDefaultHandler = std::function<void()>;
  using THook = std::function<void(QEvent *Message, const TDefaultHandler &DefWindowProc)>;

  TControlSubClass(QWidget *control, QSet<int> eventTypes, THook hook);
  ~TControlSubClass() override;

  QWidget *Control() const { return FControl; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QWidget *FControl;
  QSet<int> FEventTypes;
  THook FHook;
  bool FInDefault = false;
};
