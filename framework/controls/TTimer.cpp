#include "framework/controls/TTimer.h"

#include <QCoreApplication>
#include <QTimer>

#include "framework/controls/NativeControl.h"
#include "framework/runtime/Exception.h"

namespace fw {

struct TTimerImpl {
  QTimer* Timer = nullptr;   // owned; left alone once the application object is gone
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), mImpl(std::make_unique<TTimerImpl>()) {
  mImpl->Timer = new QTimer;
  mImpl->Timer->setTimerType(Qt::PreciseTimer);
  QObject::connect(mImpl->Timer, &QTimer::timeout, mImpl->Timer, [this] {
    if (!IsDestroying()) detail::Guarded([this] { Timer(); });
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  SetDestroying();
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

void TTimer::UpdateTimer() {
  QTimer& timer = *mImpl->Timer;
  timer.stop();
  if (mEnabled && mInterval > 0 && !IsLoading()) timer.start(mInterval);
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

}  // namespace fw
