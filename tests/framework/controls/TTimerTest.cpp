#include "framework/controls/TTimer.h"

#include "ControlTestSupport.h"
#include "framework/controls/TApplication.h"
#include "framework/runtime/Exception.h"

TEST(TTimer, TicksOnTheWindowThreadWhileEnabled) {
  fw::TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](fw::TComponent* sender) {
    EXPECT_EQ(sender, &timer);
    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    ++ticks;
  };
  timer.SetInterval(5);
  EXPECT_TRUE(QTest::qWaitFor([&] {
    fw::Application()->ProcessMessages();
    return ticks >= 3;
  }));
  timer.SetEnabled(false);
  const int stopped = ticks;
  QTest::qWait(30);
  EXPECT_EQ(ticks, stopped);
}

TEST(TTimer, DoesNotRunWhileLoadingOrWithoutInterval) {
  fw::TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](fw::TComponent*) { ++ticks; };
  timer.SetLoading();
  timer.SetInterval(1);
  QTest::qWait(20);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(0);
  timer.Loaded();
  QTest::qWait(20);
  EXPECT_EQ(ticks, 0);
  EXPECT_THROW(timer.SetInterval(-1), fw::Exception);
  EXPECT_EQ(timer.Interval(), 0);
}

TEST(TTimer, AnExceptionFromATickIsReportedAndTheTimerGoesOn) {
  ctltest::MessageBoxRecorder boxes;
  fw::TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&](fw::TComponent*) {
    ++ticks;
    throw fw::Exception("tick failed");
  };
  timer.SetInterval(5);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }));
  ASSERT_GE(boxes.Boxes.size(), 2u);
  EXPECT_EQ(boxes.Boxes[0].Text, "tick failed");
  EXPECT_EQ(boxes.Boxes[0].Caption, fw::Application()->Title());
}
