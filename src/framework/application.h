#pragma once

#include <QApplication>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <exception>
#include <functional>
#include <map>
#include <string>

// Message box styles and answers.
enum TMessageBoxFlags : int {
  MB_OK = 0x00,
  MB_OKCANCEL = 0x01,
  MB_YESNO = 0x04,
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40,
};
enum TMessageBoxResult : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// The application object: the Qt application with the program's message-loop roles.
//
// Idle handling: one replaceable handler is called whenever the event queue has become empty.
// A handler that leaves `done` false is called again at the next display refresh, or sooner when
// an event arrives; one that sets it true waits for the next event. So frames follow the screen
// and a program that always asks for more does not keep a core busy.
//
// Errors: an exception must not pass through Qt's event loop, so every event handler, timer tick,
// idle call and cross-thread step enters through Guard, which reports what escapes in a message
// box. The message box goes through a replaceable presenter, so tests record the text instead.
class TApplication : public QApplication {
  Q_OBJECT

public:
  using TIdleEvent = std::function<void(QObject *Sender, bool &Done)>;
  using TExceptionEvent = std::function<void(QObject *Sender, const std::exception &E)>;
  using TMessagePresenter = std::function<int(const std::string &Text, const std::string &Caption, int Flags)>;
  using TActivationHook = std::function<void(bool Active)>;

  TApplication(int &argc, char **argv);
  ~TApplication() override;

  std::string Title = "Scope";

  // Idle handler slot. Replacing or clearing it takes effect at once.
  const TIdleEvent &OnIdle() const { return FOnIdle; }
  void SetOnIdle(TIdleEvent handler);

  // Activation notices: each hook hears every change of the application's active state.
  // SetActive is where the window system's notice arrives; tests call it to switch.
  bool Active() const { return FActive; }
  void SetActive(bool active);
  int HookActivation(TActivationHook hook);
  void UnhookActivation(int id);

  // Exceptions that leave an event handler end here.
  TExceptionEvent OnException;
  void HandleException(const std::exception &e);
  // Inside a catch block: reports the exception being handled, whatever its type.
  void HandleCurrentException() noexcept {
    Guard([] { throw; });
  }
  void ShowException(const std::exception &e);
  void SetMessagePresenter(TMessagePresenter presenter);
  int MessageBox(const std::string &text, const std::string &caption, int flags);

  template <class F> void Guard(F &&f) noexcept {
    try {
      f();
    } catch (const std::exception &e) {
      HandleException(e);
    } catch (...) {
      HandleUnknownException();
    }
  }

  // Interval between two refreshes of the primary screen, in milliseconds.
  double RefreshInterval() const;

  // Serves pending events once, then runs an idle pass if one is due.
  void ProcessMessages();

  bool notify(QObject *receiver, QEvent *event) override;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void timerEvent(QTimerEvent *event) override;

private:
  void DoIdle();
  void ScheduleIdle(int delayMs);
  void HandleUnknownException();

  TIdleEvent FOnIdle;
  TMessagePresenter FPresenter;
  std::map<int, TActivationHook> FActivationHooks;
  int FNextHookId = 1;
  bool FActive = false;
  QBasicTimer FIdleTimer;
  int FIdleDelay = 0;
  bool FInIdle = false;
  QElapsedTimer FClock;
  qint64 FLastPassStart = 0;
};

// The one application object, set while it exists.
extern TApplication *Application;
