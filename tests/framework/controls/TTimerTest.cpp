#include "framework/controls/TTimer.h"

#include <memory>
#include <string>
#include <vector>

#include "ControlTestSupport.h"
#include "framework/controls/TApplication.h"
#include "framework/controls/TManualTimerClock.h"
#include "framework/runtime/Exception.h"

// The one test on the platform's own timer: ticks arrive from the message loop. It waits for
// them without a time limit that a slow machine could miss.
TEST(TTimer, TicksOnTheWindowThreadWhileEnabled) {
  fw::TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](fw::TComponent* sender) {
    EXPECT_EQ(sender, &timer);
    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    ++ticks;
  };
  timer.SetInterval(5);
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        fw::Application()->ProcessMessages();
        return ticks >= 3;
      },
      600000));
  timer.SetEnabled(false);
  const int stopped = ticks;
  QTest::qWait(30);
  EXPECT_EQ(ticks, stopped);
}

TEST(TTimer, DoesNotRunWhileLoadingOrWithoutInterval) {
  fw::TManualTimerClock clock;
  fw::TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](fw::TComponent*) { ++ticks; };
  timer.SetLoading();
  timer.SetInterval(1);
  EXPECT_FALSE(timer.Running());
  clock.Advance(20);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(0);
  timer.Loaded();
  EXPECT_FALSE(timer.Running());
  clock.Advance(20);
  EXPECT_EQ(ticks, 0);
  EXPECT_THROW(timer.SetInterval(-1), fw::Exception);
  EXPECT_EQ(timer.Interval(), 0);
  timer.SetInterval(10);
  EXPECT_TRUE(timer.Running());
  clock.Advance(20);
  EXPECT_EQ(ticks, 2);
}

TEST(TTimer, AnExceptionFromATickIsReportedAndTheTimerGoesOn) {
  ctltest::MessageBoxRecorder boxes;
  fw::TManualTimerClock clock;
  fw::TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](fw::TComponent*) {
    ++ticks;
    throw fw::Exception("tick failed");
  };
  timer.SetInterval(5);
  clock.Advance(10);
  EXPECT_EQ(ticks, 2);
  ASSERT_EQ(boxes.Boxes.size(), 2u);
  EXPECT_EQ(boxes.Boxes[0].Text, "tick failed");
  EXPECT_EQ(boxes.Boxes[0].Caption, fw::Application()->Title());
}

// ---- the manual clock ---------------------------------------------------------------------------

TEST(ManualTimerClock, RaisesTheTicksDueInTimeOrderTiesInCreationOrder) {
  fw::TManualTimerClock clock;
  fw::TTimer a, b;
  std::vector<std::string> log;
  a.SetInterval(30);
  b.SetInterval(20);
  a.OnTimer = [&](fw::TComponent*) { log.push_back("a" + std::to_string(clock.Now())); };
  b.OnTimer = [&](fw::TComponent*) { log.push_back("b" + std::to_string(clock.Now())); };
  clock.Advance(59);
  EXPECT_EQ(log, (std::vector<std::string>{"b20", "a30", "b40"}));
  clock.Advance(1);
  EXPECT_EQ(log, (std::vector<std::string>{"b20", "a30", "b40", "a60", "b60"}));
  EXPECT_EQ(clock.Now(), 60);
}

TEST(ManualTimerClock, StartingOrChangingThePeriodBeginsAFullPeriod) {
  fw::TManualTimerClock clock;
  fw::TTimer timer;
  timer.SetEnabled(false);
  timer.SetInterval(40);
  int ticks = 0;
  timer.OnTimer = [&](fw::TComponent*) { ++ticks; };
  clock.Advance(100);
  timer.SetEnabled(true);
  clock.Advance(39);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(50);  // at 139: the next tick is at 189
  clock.Advance(49);
  EXPECT_EQ(ticks, 0);
  clock.Advance(1);
  EXPECT_EQ(ticks, 1);
  timer.SetEnabled(true);  // already running: nothing changes
  clock.Advance(50);
  EXPECT_EQ(ticks, 2);
}

TEST(ManualTimerClock, NoTickRunsInsideATickAndHandlersMayStopOrFreeTimers) {
  fw::TManualTimerClock clock;
  fw::TTimer timer;
  auto other = std::make_unique<fw::TTimer>();
  timer.SetInterval(10);
  other->SetInterval(10);
  int ticks = 0, otherTicks = 0;
  other->OnTimer = [&](fw::TComponent*) { ++otherTicks; };
  timer.OnTimer = [&](fw::TComponent*) {
    ++ticks;
    clock.Advance(100);  // ignored inside a tick
    fw::Application()->ProcessMessages();
    if (ticks == 2) other.reset();
    if (ticks == 3) timer.SetEnabled(false);
  };
  clock.Advance(1000);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(otherTicks, 1);  // at 10, after timer's tick; freed by timer's tick at 20
  EXPECT_EQ(clock.Now(), 1000);
}

TEST(ManualTimerClock, TheWallClockTakesOverAgainWhenTheClockGoes) {
  fw::TTimer timer;
  timer.SetInterval(1);
  int ticks = 0;
  timer.OnTimer = [&](fw::TComponent*) { ++ticks; };
  {
    fw::TManualTimerClock clock;
    EXPECT_THROW(fw::TManualTimerClock second, fw::Exception);
    QThread::msleep(5);
    fw::Application()->ProcessMessages();
    EXPECT_EQ(ticks, 0);
  }
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        fw::Application()->ProcessMessages();
        return ticks >= 1;
      },
      600000));
}
