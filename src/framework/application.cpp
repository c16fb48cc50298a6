#include "framework/application.h"

#include "rtl/exception.h"
#include "rtl/float_text.h"

#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTimerEvent>
#include <cmath>

TApplication *Application = nullptr;

namespace {

int ShowMessageBox(const std::string &text, const std::string &caption, int flags) {
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(caption));
  box.setText(QString::fromStdString(text));
  switch (flags & 0xF0) {
  case MB_ICONERROR:
    box.setIcon(QMessageBox::Critical);
    break;
  case MB_ICONQUESTION:
    box.setIcon(QMessageBox::Question);
    break;
  case MB_ICONWARNING:
    box.setIcon(QMessageBox::Warning);
    break;
  case MB_ICONINFORMATION:
    box.setIcon(QMessageBox::Information);
    break;
  default:
    break;
  }
  switch (flags & 0x0F) {
  case MB_OKCANCEL:
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    break;
  case MB_YESNO:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    break;
  default:
    box.setStandardButtons(QMessageBox::Ok);
    break;
  }
  switch (box.exec()) {
  case QMessageBox::Cancel:
    return IDCANCEL;
  case QMessageBox::Yes:
    return IDYES;
  case QMessageBox::No:
    return IDNO;
  default:
    return IDOK;
  }
}

} // namespace

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv), FPresenter(ShowMessageBox) {
  Application = this;
  DecimalSeparator = QLocale::system().decimalPoint().at(0).toLatin1();
  if (DecimalSeparator == 0)
    DecimalSeparator = '.';
  FClock.start();
  FActive = applicationState() == Qt::ApplicationActive;
  connect(this, &QGuiApplication::applicationStateChanged, this,
          [this](Qt::ApplicationState state) { SetActive(state == Qt::ApplicationActive); });
  installEventFilter(this);
}

TApplication::~TApplication() {
  removeEventFilter(this);
  FIdleTimer.stop();
  Application = nullptr;
}

void TApplication::SetOnIdle(TIdleEvent handler) {
  FOnIdle = std::move(handler);
  if (FOnIdle)
    ScheduleIdle(0);
  else
    FIdleTimer.stop();
}

int TApplication::HookActivation(TActivationHook hook) {
  const int id = FNextHookId++;
  FActivationHooks.emplace(id, std::move(hook));
  return id;
}

void TApplication::UnhookActivation(int id) { FActivationHooks.erase(id); }

void TApplication::SetActive(bool active) {
  if (active == FActive)
    return;
  FActive = active;
  // A hook may unhook itself or another while we walk, so walk a copy of the ids.
  std::vector<int> ids;
  for (const auto &entry : FActivationHooks)
    ids.push_back(entry.first);
  for (int id : ids)
    if (auto it = FActivationHooks.find(id); it != FActivationHooks.end()) {
      const TActivationHook hook = it->second;
      Guard([&] { hook(active); });
    }
}

void TApplication::HandleException(const std::exception &e) {
  if (OnException)
    OnException(this, e);
  else
    ShowException(e);
}

void TApplication::HandleUnknownException() { HandleException(Exception("Unknown error")); }

void TApplication::ShowException(const std::exception &e) {
  std::string text = e.what();
  if (!text.empty() && text.back() != '.')
    text += '.';
  MessageBox(text, Title, MB_OK | MB_ICONERROR);
}

void TApplication::SetMessagePresenter(TMessagePresenter presenter) {
  FPresenter = presenter ? std::move(presenter) : TMessagePresenter(ShowMessageBox);
}

int TApplication::MessageBox(const std::string &text, const std::string &caption, int flags) {
  return FPresenter(text, caption, flags);
}

double TApplication::RefreshInterval() const {
  const QScreen *screen = primaryScreen();
  const double rate = screen ? screen->refreshRate() : 0;
  return 1000.0 / (rate > 1 ? rate : 60.0);
}

void TApplication::ProcessMessages() { processEvents(QEventLoop::AllEvents); }

bool TApplication::notify(QObject *receiver, QEvent *event) {
  // The last line of defence: handlers guard themselves, but nothing may unwind through Qt.
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception &e) {
    HandleException(e);
  } catch (...) {
    HandleUnknownException();
  }
  return false;
}

bool TApplication::eventFilter(QObject *watched, QEvent *event) {
  // Any event other than our own idle timer means the queue was busy: once it is empty again
  // the idle handler runs.
  const bool ownTimer = watched == this && event->type() == QEvent::Timer &&
                        static_cast<QTimerEvent *>(event)->timerId() == FIdleTimer.timerId();
  if (!ownTimer && FOnIdle && !FInIdle)
    ScheduleIdle(0);
  return false;
}

void TApplication::timerEvent(QTimerEvent *event) {
  if (event->timerId() == FIdleTimer.timerId())
    DoIdle();
  else
    QApplication::timerEvent(event);
}

void TApplication::ScheduleIdle(int delayMs) {
  // A zero delay fires once the queue is empty; never put off a pass that is already due sooner.
  if (FIdleTimer.isActive() && delayMs > 0)
    return;
  if (FIdleTimer.isActive() && FIdleDelay == 0)
    return;
  FIdleDelay = delayMs;
  FIdleTimer.start(delayMs, Qt::PreciseTimer, this);
}

void TApplication::DoIdle() {
  FIdleTimer.stop();
  if (!FOnIdle)
    return;
  FLastPassStart = FClock.elapsed();
  bool done = true;
  const TIdleEvent handler = FOnIdle; // the handler may replace itself
  FInIdle = true;
  Guard([&] { handler(this, done); });
  FInIdle = false;
  if (!done && FOnIdle) {
    const double next = static_cast<double>(FLastPassStart) + RefreshInterval();
    ScheduleIdle(std::max(0, static_cast<int>(std::ceil(next - static_cast<double>(FClock.elapsed())))));
  }
}
