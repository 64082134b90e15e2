#include "framework/controls/TManualTimerClock.h"

#include <cstdint>

#include "framework/controls/TTimer.h"
#include "framework/runtime/Exception.h"

namespace fw {

TManualTimerClock* TManualTimerClock::sCurrent = nullptr;

TManualTimerClock::TManualTimerClock() {
  if (sCurrent) throw Exception("Only one manual timer clock may exist at a time");
  sCurrent = this;
  for (TTimer* timer : TTimer::Instances()) timer->UpdateTimer();
}

TManualTimerClock::~TManualTimerClock() {
  sCurrent = nullptr;
  for (TTimer* timer : TTimer::Instances()) timer->UpdateTimer();
}

void TManualTimerClock::Restart(TTimer& timer) {
  timer.mDue = timer.mInterval > INT64_MAX - mNow ? INT64_MAX : mNow + timer.mInterval;
}

void TManualTimerClock::Advance(int64_t milliseconds) {
  if (milliseconds <= 0 || mTicking) return;
  const int64_t target = milliseconds > INT64_MAX - mNow ? INT64_MAX : mNow + milliseconds;
  mTicking = true;
  for (;;) {
    // Looked up afresh for every tick: a handler may start, stop, create or free timers.
    TTimer* next = nullptr;
    for (TTimer* timer : TTimer::Instances())
      if (timer->Running() && timer->mDue <= target && timer->mDue < INT64_MAX &&
          (!next || timer->mDue < next->mDue))
        next = timer;
    if (!next) break;
    mNow = next->mDue;
    Restart(*next);
    next->Tick();
  }
  mNow = target;
  mTicking = false;
}

}  // namespace fw
