#include "framework/controls/TTimer.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "framework/controls/NativeControl.h"
#include "framework/controls/TManualTimerClock.h"
#include "framework/runtime/Exception.h"

namespace fw {

struct TTimerImpl {
  QTimer* Timer = nullptr;   // owned; left alone once the application object is gone
};

std::vector<TTimer*>& TTimer::Instances() {
  static std::vector<TTimer*> timers;
  return timers;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), mImpl(std::make_unique<TTimerImpl>()) {
  mImpl->Timer = new QTimer;
  mImpl->Timer->setTimerType(Qt::PreciseTimer);
  QObject::connect(mImpl->Timer, &QTimer::timeout, mImpl->Timer, [this] { Tick(); });
  Instances().push_back(this);
  UpdateTimer();
}

TTimer::~TTimer() {
  SetDestroying();
  auto& all = Instances();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  mImpl->Timer->disconnect();
  if (QCoreApplication::instance()) delete mImpl->Timer;
}

void TTimer::SetInterval(int32_t value) {
  if (value < 0) throw Exception("Invalid property value");
  if (value == mInterval) return;
  mInterval = value;
  UpdateTimer();
}

void TTimer::SetEnabled(bool value) {
  if (value == mEnabled) return;
  mEnabled = value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

bool TTimer::Running() const { return mEnabled && mInterval > 0 && !IsLoading(); }

void TTimer::UpdateTimer() {
  QTimer& timer = *mImpl->Timer;
  timer.stop();
  if (TManualTimerClock* clock = TManualTimerClock::Current()) {
    clock->Restart(*this);
    return;
  }
  if (Running()) timer.start(mInterval);
}

void TTimer::Tick() {
  if (!IsDestroying()) detail::Guarded([this] { Timer(); });
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

}  // namespace fw
