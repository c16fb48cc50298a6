#include "framework/application.h"
#include "rtl/exception.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

void RunLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

class ApplicationTest : public testing::Test {
protected:
  void SetUp() override {
    Application->SetMessagePresenter([this](const std::string &text, const std::string &caption, int flags) {
      Shown.push_back(caption + ": " + text);
      Flags = flags;
      return static_cast<int>(IDOK);
    });
  }
  void TearDown() override {
    Application->SetOnIdle(nullptr);
    Application->SetMessagePresenter(nullptr);
  }
  std::vector<std::string> Shown;
  int Flags = -1;
};

} // namespace

TEST_F(ApplicationTest, AnExceptionLeavingAHandlerIsShownAndTheProgramGoesOn) {
  Application->Guard([] { throw Exception("Wave is invalid"); });
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0], "Scope: Wave is invalid.");
  EXPECT_EQ(Flags & MB_ICONERROR, MB_ICONERROR);
  // An exception thrown inside a queued call is caught before it can unwind through Qt.
  QMetaObject::invokeMethod(
      Application, [] { throw std::runtime_error("late failure"); }, Qt::QueuedConnection);
  RunLoopFor(20);
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_EQ(Shown[1], "Scope: late failure.");
}

TEST_F(ApplicationTest, AnIdleHandlerThatIsDoneWaitsForTheNextEvent) {
  int passes = 0;
  Application->SetOnIdle([&](QObject *, bool &done) {
    ++passes;
    done = true;
  });
  RunLoopFor(100);
  EXPECT_GE(passes, 1);
  // A quiet loop: only the event that ended the previous loop may bring one more pass.
  const int before = passes;
  RunLoopFor(200);
  EXPECT_LE(passes - before, 1);
  const int settled = passes;
  QCoreApplication::postEvent(Application, new QEvent(QEvent::User));
  RunLoopFor(20);
  EXPECT_GT(passes, settled);
}

TEST_F(ApplicationTest, AnIdleHandlerThatIsNotDoneIsPacedNotSpun) {
  int passes = 0;
  Application->SetOnIdle([&](QObject *, bool &done) {
    ++passes;
    done = false;
  });
  RunLoopFor(300);
  // Called again without any event, but at the pace of the display, not thousands of times.
  EXPECT_GE(passes, 2);
  EXPECT_LT(passes, 300 / Application->RefreshInterval() * 3 + 10);
}

TEST_F(ApplicationTest, AnIdleHandlerMayReplaceOrClearItself) {
  std::vector<int> calls;
  Application->SetOnIdle([&](QObject *, bool &done) {
    calls.push_back(1);
    done = false;
    Application->SetOnIdle([&](QObject *, bool &) {
      calls.push_back(2);
      Application->SetOnIdle(nullptr);
    });
  });
  RunLoopFor(100);
  EXPECT_EQ(calls, (std::vector<int>{1, 2}));
  EXPECT_FALSE(Application->OnIdle());
}

TEST_F(ApplicationTest, ActivationHooksHearEveryChange) {
  std::vector<bool> heard;
  const int id = Application->HookActivation([&](bool active) { heard.push_back(active); });
  const bool was = Application->Active();
  Application->SetActive(!was);
  Application->SetActive(!was); // no change: no notice
  Application->SetActive(was);
  Application->UnhookActivation(id);
  Application->SetActive(!was);
  Application->SetActive(was);
  EXPECT_EQ(heard, (std::vector<bool>{!was, was}));
}
