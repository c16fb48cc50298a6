#include "framework/application.h"
#include "framework/event_object.h"
#include "framework/thread.h"

#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A worker that hands `steps` steps to the GUI thread, one after another.
class TStepper : public TThread {
public:
  explicit TStepper(int steps) : TThread(true), FSteps(steps) {}
  ~TStepper() override {
    Terminate();
    WaitFor();
  }

  std::atomic<int> Served{0};
  std::atomic<bool> OnGuiThread{true};
  std::atomic<bool> Raised{false};
  bool Fail = false;

protected:
  void Execute() override {
    for (int i = 0; i < FSteps && !Terminated(); ++i) {
      try {
        Synchronize([this] {
          OnGuiThread = OnGuiThread && IsGuiThread();
          ++Served;
          if (Fail)
            throw std::runtime_error("step failed");
        });
      } catch (const std::runtime_error &) {
        Raised = true;
      }
    }
  }

private:
  int FSteps;
};

// A worker whose body fails with whatever `fail` throws.
class TFailingWorker : public TThread {
public:
  explicit TFailingWorker(std::function<void()> fail) : TThread(true), FFail(std::move(fail)) {}
  ~TFailingWorker() override {
    Terminate();
    WaitFor();
  }

protected:
  void Execute() override { FFail(); }

private:
  std::function<void()> FFail;
};

} // namespace

TEST(ThreadTest, AnExceptionLeavingTheBodyReachesTheApplicationsHandler) {
  std::vector<std::string> reports;
  Application->OnException = [&](QObject *, const std::exception &e) { reports.push_back(e.what()); };
  const std::vector<std::pair<std::function<void()>, std::string>> failures = {
      {[] { throw std::runtime_error("worker failed"); }, "worker failed"},
      {[] { throw 42; }, "Unknown error"},
  };
  for (const auto &[fail, report] : failures) {
    reports.clear();
    TFailingWorker worker(fail);
    worker.Resume();
    worker.WaitFor();
    EXPECT_TRUE(worker.Finished());
    // Reported on the GUI thread, from its event loop.
    for (int i = 0; i < 100 && reports.empty(); ++i)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(reports, std::vector<std::string>{report});
  }
  Application->OnException = nullptr;
}

TEST(ThreadTest, StepsRunOnTheGuiThreadFromItsEventLoop) {
  TStepper worker(5);
  worker.Resume();
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (worker.Finished())
      loop.quit();
  });
  poll.start(5);
  loop.exec();
  worker.WaitFor();
  EXPECT_EQ(worker.Served, 5);
  EXPECT_TRUE(worker.OnGuiThread);
}

TEST(ThreadTest, WaitingForAThreadServesItsStepsSoNeitherWaitsForTheOther) {
  // The GUI thread goes straight into WaitFor without running its event loop; the worker is
  // blocked in Synchronize meanwhile. Both must get through.
  TStepper worker(20);
  worker.Resume();
  worker.WaitFor();
  EXPECT_TRUE(worker.Finished());
  EXPECT_EQ(worker.Served, 20);
  EXPECT_TRUE(worker.OnGuiThread);
}

TEST(ThreadTest, AStepsExceptionIsRaisedAgainInTheWorker) {
  TStepper worker(1);
  worker.Fail = true;
  worker.Resume();
  worker.WaitFor();
  EXPECT_TRUE(worker.Raised);
}

TEST(ThreadTest, SynchronizeOnTheGuiThreadRunsAtOnce) {
  bool ran = false;
  TThread::Synchronize([&] { ran = true; });
  EXPECT_TRUE(ran);
}

TEST(EventTest, AutoResetLetsOneWaitThrough) {
  TEvent event;
  EXPECT_EQ(event.WaitFor(0), TEvent::wrTimeout);
  event.SetEvent();
  EXPECT_EQ(event.WaitFor(0), TEvent::wrSignaled);
  EXPECT_EQ(event.WaitFor(10), TEvent::wrTimeout); // reset by the wait that took it
  event.SetEvent();
  event.ResetEvent();
  EXPECT_EQ(event.WaitFor(0), TEvent::wrTimeout);
}

TEST(EventTest, ASetFromAnotherThreadWakesTheWaiter) {
  TEvent event;
  std::thread setter([&] { event.SetEvent(); });
  EXPECT_EQ(event.WaitFor(TEvent::INFINITE), TEvent::wrSignaled);
  setter.join();
}
