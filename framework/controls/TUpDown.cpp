#include "framework/controls/TUpDown.h"

#include <limits>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <QWidget>

#include "framework/controls/NativeControl.h"
#include "framework/controls/TEdit.h"
#include "framework/runtime/ClampInt.h"

namespace fw {

// Two arrow buttons side by side (or one above the other); a press steps once, holding the
// button repeats after a delay.
class TUpDownWidget : public QWidget {
public:
  explicit TUpDownWidget(TUpDown* upDown) : mUpDown(upDown) {
    mRepeat.setSingleShot(false);
    connect(&mRepeat, &QTimer::timeout, this, [this] {
      mRepeat.setInterval(kRepeatInterval);
      StepPressed();
    });
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const bool vertical = mUpDown->Orientation() == udVertical;
    for (int part = 0; part < 2; ++part) {
      const TUDBtnType button = part == 0 ? (vertical ? btNext : btPrev) : (vertical ? btPrev : btNext);
      QStyleOptionButton bevel;
      bevel.initFrom(this);
      bevel.rect = PartRect(part);
      if (mPressed && mPressedButton == button) bevel.state |= QStyle::State_Sunken;
      else bevel.state |= QStyle::State_Raised;
      style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &bevel, &painter, this);
      QStyleOption arrow;
      arrow.initFrom(this);
      arrow.rect = bevel.rect.adjusted(2, 2, -2, -2);
      const QStyle::PrimitiveElement element =
          vertical ? (button == btNext ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown)
                   : (button == btNext ? QStyle::PE_IndicatorArrowRight : QStyle::PE_IndicatorArrowLeft);
      style()->drawPrimitive(element, &arrow, &painter, this);
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    event->accept();
    if (event->button() != Qt::LeftButton || !detail::ControlOf(this)) return;
    mPressed = true;
    mPressedButton = ButtonAt(event->position().toPoint());
    update();
    QPointer<QWidget> guard(this);
    StepPressed();
    if (!guard || !mPressed) return;
    mRepeat.start(kRepeatDelay);
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    mPressed = false;
    mRepeat.stop();
    update();
  }

  void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }

  // Watches the buddy's keys: Up and Down step like the arrows.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !detail::ControlOf(this) || !mUpDown->ArrowKeys()) return false;
    if (watched != detail::WidgetOf(mUpDown->Associate())) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down) return false;
    detail::Guarded([&] { mUpDown->Step(key == Qt::Key_Up ? btNext : btPrev); });
    return true;
  }

private:
  static constexpr int kRepeatDelay = 400;
  static constexpr int kRepeatInterval = 100;

  QRect PartRect(int part) const {
    if (mUpDown->Orientation() == udVertical) {
      const int half = height() / 2;
      return part == 0 ? QRect(0, 0, width(), half) : QRect(0, half, width(), height() - half);
    }
    const int half = width() / 2;
    return part == 0 ? QRect(0, 0, half, height()) : QRect(half, 0, width() - half, height());
  }

  TUDBtnType ButtonAt(const QPoint& p) const {
    if (mUpDown->Orientation() == udVertical) return p.y() < height() / 2 ? btNext : btPrev;
    return p.x() < width() / 2 ? btPrev : btNext;
  }

  void StepPressed() {
    if (!detail::ControlOf(this) || !isEnabled()) {
      mRepeat.stop();
      return;
    }
    detail::Guarded([this] { mUpDown->Step(mPressedButton); });
  }

  TUpDown* mUpDown;
  QTimer mRepeat;
  bool mPressed = false;
  TUDBtnType mPressedButton = btNext;
};

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 16, 24);
  detail::BindWidget(this, new TUpDownWidget(this));
}

TUpDown::~TUpDown() {
  WatchBuddyKeys(false);
  if (mAssociate) RemoveFreeNotification(mAssociate);
}

void TUpDown::WatchBuddyKeys(bool watch) {
  QWidget* buddy = detail::WidgetOf(mAssociate);
  QWidget* own = detail::WidgetOf(this);
  if (!buddy || !own) return;
  if (watch)
    buddy->installEventFilter(own);
  else
    buddy->removeEventFilter(own);
}

int32_t TUpDown::Clamp(int32_t value) const { return std::min(std::max(value, Low()), High()); }

void TUpDown::SetMin(int32_t value) {
  if (value == mMin) return;
  mMin = value;
  if (!IsLoading()) mPosition = Clamp(mPosition);
}

void TUpDown::SetMax(int32_t value) {
  if (value == mMax) return;
  mMax = value;
  if (!IsLoading()) mPosition = Clamp(mPosition);
}

void TUpDown::SetPosition(int32_t value) {
  if (IsLoading()) {
    mPosition = value;
    return;
  }
  ChangePosition(Clamp(value));
}

bool TUpDown::ChangePosition(int32_t value) {
  if (value == mPosition) return false;
  if (!CanChange()) return false;
  mPosition = value;
  UpdateBuddy();
  return true;
}

bool TUpDown::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TUpDown::SetIncrement(int32_t value) { mIncrement = value; }

void TUpDown::SetWrap(bool value) { mWrap = value; }

void TUpDown::SetOrientation(TUDOrientation value) {
  if (value == mOrientation) return;
  mOrientation = value;
  Invalidate();
}

void TUpDown::Step(TUDBtnType button) {
  // Next moves toward Max, whichever way the range runs.
  int64_t delta = mMax >= mMin ? mIncrement : -static_cast<int64_t>(mIncrement);
  if (button == btPrev) delta = -delta;
  const int64_t target = static_cast<int64_t>(mPosition) + delta;
  int32_t next;
  if (target > High()) {
    if (!mWrap) {
      if (mPosition >= High()) return;
      next = High();
    } else {
      next = Low();
    }
  } else if (target < Low()) {
    if (!mWrap) {
      if (mPosition <= Low()) return;
      next = Low();
    } else {
      next = High();
    }
  } else {
    next = static_cast<int32_t>(target);
  }
  ChangePosition(next);
}

void TUpDown::SetAssociate(TWinControl* value) {
  if (value == this || value == mAssociate) return;
  if (mAssociate) {
    WatchBuddyKeys(false);
    RemoveFreeNotification(mAssociate);
  }
  mAssociate = value;
  if (!mAssociate) return;
  FreeNotification(mAssociate);
  WatchBuddyKeys(true);
  if (IsLoading()) return;
  AlignToBuddy();
  UpdateBuddy();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == mAssociate) mAssociate = nullptr;
}

void TUpDown::Loaded() {
  TWinControl::Loaded();
  mPosition = Clamp(mPosition);
  AlignToBuddy();
  UpdateBuddy();
}

void TUpDown::UpdateBuddy() {
  if (auto* edit = dynamic_cast<TEdit*>(mAssociate)) edit->SetText(std::to_string(mPosition));
}

void TUpDown::AlignToBuddy() {
  if (!mAssociate) return;
  const TWinControl& b = *mAssociate;
  if (mOrientation == udVertical)
    SetBounds(ClampToInt32(int64_t{b.Left()} + b.Width()), b.Top(), Width(), b.Height());
  else
    SetBounds(b.Left(), ClampToInt32(int64_t{b.Top()} + b.Height()), b.Width(), Height());
}

}  // namespace fw
