#include "display/dx_timer.h"
#include "framework/application.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

uint32_t Now = 0;
uint32_t TestClock() { return Now; }

class DXTimerTest : public testing::Test {
protected:
  void SetUp() override {
    Now = 1000;
    Application->SetActive(true);
    Timer.SetClock(TestClock);
    Timer.SetOnTimer([this](QObject *, int lag) { Lags.push_back(lag); });
  }
  void TearDown() override {
    Timer.Finalize();
    Application->SetOnIdle(nullptr);
  }

  // One idle pass of the message loop; answers the handler's `done`.
  bool IdlePass() {
    bool done = true;
    if (Application->OnIdle())
      Application->OnIdle()(Application, done);
    return done;
  }

  TDXTimer Timer;
  std::vector<int> Lags;
};

} // namespace

TEST_F(DXTimerTest, IntervalZeroTicksOnEveryPassWithALagOfAtLeastOne) {
  Timer.SetInterval(0);
  Timer.Loaded();
  ASSERT_TRUE(Timer.Initialized());
  EXPECT_FALSE(IdlePass()); // it keeps the loop coming back
  Now += 3;
  IdlePass();
  EXPECT_EQ(Lags, (std::vector<int>{1, 3}));
}

TEST_F(DXTimerTest, LagCountsWholeIntervalsFromTheLastTick) {
  Timer.SetInterval(50);
  Timer.Loaded();
  Now += 120;
  IdlePass();
  Now += 40; // 40 ms since that tick, not since a multiple of the interval
  IdlePass();
  Now += 10;
  IdlePass();
  EXPECT_EQ(Lags, (std::vector<int>{2, 1}));
}

TEST_F(DXTimerTest, NegativeIntervalBecomesZero) {
  Timer.SetInterval(-5);
  EXPECT_EQ(Timer.Interval(), 0);
  Timer.Loaded();
  IdlePass();
  EXPECT_EQ(Lags, (std::vector<int>{1}));
}

TEST_F(DXTimerTest, TicksGoOnAcrossTheClockWrap) {
  Now = 0xFFFFFFF0u;
  Timer.SetInterval(20);
  Timer.Loaded();
  Now = 0x10; // 32 ms later
  IdlePass();
  EXPECT_EQ(Lags, (std::vector<int>{1}));
}

TEST_F(DXTimerTest, MaxLagKeepsTheLargestLagButDoesNotCapIt) {
  Timer.SetInterval(10);
  Timer.SetMaxLag(5);
  Timer.Loaded();
  Now += 200;
  IdlePass();
  EXPECT_EQ(Lags, (std::vector<int>{20}));
  EXPECT_EQ(Timer.MaxLag(), 20);
  Timer.SetMaxLag(0); // not positive: left alone
  Now += 300;
  IdlePass();
  EXPECT_EQ(Timer.MaxLag(), 0);
}

TEST_F(DXTimerTest, FrameRateOverSpansOfAtLeastASecond) {
  Timer.SetInterval(0);
  Timer.Loaded();
  for (int i = 0; i < 30; ++i) {
    Now += 33;
    IdlePass();
  }
  EXPECT_EQ(Timer.FrameRate(), 0); // 990 ms: not measured yet
  Now += 10;
  IdlePass();
  EXPECT_EQ(Timer.FrameRate(), 31);
  // Disabling and enabling again restarts the measurement from that moment.
  Timer.SetEnabled(false);
  Now += 5000;
  Timer.SetEnabled(true);
  Now += 1000;
  IdlePass();
  EXPECT_EQ(Timer.FrameRate(), 1);
  EXPECT_EQ(Lags.back(), 1000);
}

TEST_F(DXTimerTest, EnabledWhileLoadingWaitsForLoaded) {
  Timer.BeginLoading();
  Timer.SetEnabled(false);
  Timer.SetEnabled(true);
  EXPECT_FALSE(Timer.Initialized());
  Timer.Loaded();
  EXPECT_TRUE(Timer.Initialized());
  Timer.SetEnabled(false);
  EXPECT_FALSE(Timer.Initialized());
  EXPECT_FALSE(Application->OnIdle());
}

TEST_F(DXTimerTest, ActiveOnlyFollowsTheApplicationsActivation) {
  int activations = 0, deactivations = 0;
  Timer.OnActivate = [&](QObject *) { ++activations; };
  Timer.OnDeactivate = [&](QObject *) { ++deactivations; };
  Timer.SetInterval(0);
  Timer.Loaded();
  Application->SetActive(false);
  EXPECT_EQ(deactivations, 1);
  EXPECT_FALSE(Application->OnIdle());
  Now += 500;
  Application->SetActive(true);
  EXPECT_EQ(activations, 1);
  ASSERT_TRUE(Application->OnIdle());
  IdlePass();
  EXPECT_EQ(Lags, (std::vector<int>{1})); // measured from the resume, not across the pause
  // Without ActiveOnly the timer runs on in the background, and the events still fire.
  Timer.SetActiveOnly(false);
  Application->SetActive(false);
  EXPECT_EQ(deactivations, 2);
  EXPECT_TRUE(Application->OnIdle());
  Timer.SetActiveOnly(true);
  EXPECT_FALSE(Application->OnIdle());
}

TEST_F(DXTimerTest, ATickMayReplaceItsOwnHandler) {
  std::vector<std::string> calls;
  Timer.SetInterval(0);
  Timer.SetOnTimer([&](QObject *, int) {
    calls.push_back("start-up");
    Timer.SetOnTimer([&](QObject *, int) { calls.push_back("frame"); });
  });
  Timer.Loaded();
  IdlePass();
  IdlePass();
  IdlePass();
  EXPECT_EQ(calls, (std::vector<std::string>{"start-up", "frame", "frame"}));
}

TEST_F(DXTimerTest, AFailingTickIsReportedAndTheTimerStaysInstalled) {
  std::vector<std::string> reported;
  Application->OnException = [&](QObject *, const std::exception &e) { reported.push_back(e.what()); };
  Timer.SetInterval(0);
  Timer.SetOnTimer([](QObject *, int) { throw std::runtime_error("drawing failed"); });
  Timer.Loaded();
  QEventLoop loop;
  QTimer::singleShot(100, &loop, &QEventLoop::quit);
  loop.exec(); // real idle passes through the application
  Application->OnException = nullptr;
  ASSERT_FALSE(reported.empty());
  EXPECT_EQ(reported.front(), "drawing failed");
  EXPECT_TRUE(Application->OnIdle());
}
