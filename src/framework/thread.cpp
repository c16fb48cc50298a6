#include "framework/thread.h"

#include "framework/application.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

namespace {

struct TSyncRequest {
  const std::function<void()> *Method;
  std::exception_ptr Error;
  bool Done = false;
};

// One queue of steps for the whole process; the condition wakes both the workers waiting for
// their step and a GUI thread waiting in WaitFor.
std::mutex SyncMutex;
std::condition_variable SyncChanged;
std::deque<TSyncRequest *> SyncQueue;

} // namespace

bool TThread::IsGuiThread() {
  const auto *app = QCoreApplication::instance();
  return app && app->thread() == QThread::currentThread();
}

TThread::TThread(bool createSuspended) {
  if (!createSuspended)
    Resume();
}

TThread::~TThread() {
  if (FThread.joinable()) {
    Terminate();
    WaitFor();
  }
}

void TThread::Resume() {
  if (FStarted)
    return;
  FStarted = true;
  FThread = std::thread([this] { Run(); });
}

void TThread::Run() {
  try {
    Execute();
  } catch (...) {
    // Nobody on this thread can report it: the application's handler hears of it on the GUI
    // thread, so a worker never ends unnoticed.
    if (Application)
      QMetaObject::invokeMethod(
          Application,
          [error = std::current_exception()] { Application->Guard([&] { std::rethrow_exception(error); }); },
          Qt::QueuedConnection);
  }
  {
    std::lock_guard lock(SyncMutex);
    FFinished = true;
  }
  SyncChanged.notify_all();
}

void TThread::WaitFor() {
  if (!FThread.joinable())
    return;
  if (IsGuiThread()) {
    std::unique_lock lock(SyncMutex);
    while (!FFinished) {
      if (!SyncQueue.empty()) {
        lock.unlock();
        CheckSynchronize();
        lock.lock();
        continue;
      }
      SyncChanged.wait(lock);
    }
  }
  FThread.join();
}

void TThread::Synchronize(const std::function<void()> &method) {
  if (IsGuiThread() || !QCoreApplication::instance()) {
    method();
    return;
  }
  TSyncRequest request{&method, nullptr, false};
  {
    std::lock_guard lock(SyncMutex);
    SyncQueue.push_back(&request);
  }
  SyncChanged.notify_all();
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [] { CheckSynchronize(); }, Qt::QueuedConnection);
  {
    std::unique_lock lock(SyncMutex);
    SyncChanged.wait(lock, [&] { return request.Done; });
  }
  if (request.Error)
    std::rethrow_exception(request.Error);
}

bool TThread::CheckSynchronize() {
  bool any = false;
  for (;;) {
    TSyncRequest *request = nullptr;
    {
      std::lock_guard lock(SyncMutex);
      if (SyncQueue.empty())
        break;
      request = SyncQueue.front();
      SyncQueue.pop_front();
    }
    any = true;
    try {
      (*request->Method)();
    } catch (...) {
      request->Error = std::current_exception();
    }
    {
      std::lock_guard lock(SyncMutex);
      request->Done = true;
    }
    SyncChanged.notify_all();
  }
  return any;
}
