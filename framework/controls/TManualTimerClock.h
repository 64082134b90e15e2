#pragma once
#include <cstdint>

namespace fw {

class TTimer;

/// Drives every TTimer from the program instead of the wall clock while it exists: running timers
/// stop ticking by themselves, and Advance moves a clock of its own forward, raising each tick
/// that falls due on the way, in time order (timers due at the same time in creation order). A
/// tick runs like one from the message loop: an exception it throws is reported, and the clock
/// goes on. Ticks never happen inside a tick, whatever the handler does (ProcessMessages
/// included). Made for tests; at most one exists at a time. When it goes, running timers start a
/// full period on the wall clock.
class TManualTimerClock {
public:
  TManualTimerClock();
  ~TManualTimerClock();
  TManualTimerClock(const TManualTimerClock&) = delete;
  TManualTimerClock& operator=(const TManualTimerClock&) = delete;

  /// Milliseconds since the clock was made.
  int64_t Now() const { return mNow; }
  /// Moves the clock forward by `milliseconds` (nothing when not positive) and raises the ticks
  /// due by then. Called from inside a tick it does nothing.
  void Advance(int64_t milliseconds);

  /// The clock in use, or nullptr.
  static TManualTimerClock* Current() { return sCurrent; }

private:
  friend class TTimer;
  /// A timer started, stopped or changed its period: its next tick is one period from now.
  void Restart(TTimer& timer);

  int64_t mNow = 0;
  bool mTicking = false;
  static TManualTimerClock* sCurrent;
};

}  // namespace fw
