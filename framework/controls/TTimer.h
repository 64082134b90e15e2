#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/TComponent.h"

namespace fw {

struct TTimerImpl;

/// A periodic timer whose ticks run on the window thread, from the message loop (or from
/// ProcessMessages). Runs while Enabled with a positive Interval, not while loading.
/// Defaults: Interval 1000 ms, Enabled. While a TManualTimerClock exists, that clock drives it.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner = nullptr);
  ~TTimer() override;

  std::string ClassName() const override { return "TTimer"; }

  /// Milliseconds between ticks; 0 stops the timer. Throws fw::Exception when negative (the
  /// old value stays). A change restarts the period.
  int32_t Interval() const { return mInterval; }
  void SetInterval(int32_t value);
  bool Enabled() const { return mEnabled; }
  /// Starting begins a full period; setting the current value changes nothing.
  void SetEnabled(bool value);

  TNotifyEvent OnTimer;
  /// Raises OnTimer.
  virtual void Timer();

  void Loaded() override;

  /// Whether the timer ticks: Enabled, a positive Interval and not loading.
  bool Running() const;

private:
  friend class TManualTimerClock;
  /// Every live timer in creation order.
  static std::vector<TTimer*>& Instances();
  void UpdateTimer();
  /// Raises the tick as the message loop does: exceptions are reported, not thrown.
  void Tick();

  std::unique_ptr<TTimerImpl> mImpl;
  int32_t mInterval = 1000;
  bool mEnabled = true;
  int64_t mDue = 0;  ///< next tick on the manual clock

};

}  // namespace fw
