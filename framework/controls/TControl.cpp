#include "framework/controls/TControl.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

#include "framework/controls/NativeControl.h"
#include "framework/controls/TWinControl.h"
#include "framework/graphics/FontPixels.h"
#include "framework/graphics/TFont.h"
#include "framework/runtime/ClampInt.h"
#include "framework/runtime/Exception.h"

namespace fw {

namespace {

constexpr const char* kControlProperty = "fwControl";

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

bool ButtonOf(Qt::MouseButton qtButton, TMouseButton& button) {
  switch (qtButton) {
    case Qt::LeftButton: button = mbLeft; return true;
    case Qt::RightButton: button = mbRight; return true;
    case Qt::MiddleButton: button = mbMiddle; return true;
    default: return false;
  }
}

Qt::CursorShape CursorShapeOf(TCursor cursor) {
  switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

// One filter for every control's widget: turns Qt input into the control's virtual handlers,
// each call guarded so that an exception reaches the application, not the event loop.
class ControlEventFilter : public QObject {
public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    TControl* control = widget ? detail::ControlOf(widget) : nullptr;
    if (!control) return false;
    switch (event->type()) {
      case QEvent::MouseButtonPress: return MousePress(control, static_cast<QMouseEvent*>(event), false);
      case QEvent::MouseButtonDblClick: return MousePress(control, static_cast<QMouseEvent*>(event), true);
      case QEvent::MouseButtonRelease: return MouseRelease(control, widget, static_cast<QMouseEvent*>(event));
      case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(event);
        const QPoint p = m->position().toPoint();
        QPointer<QWidget> guard(widget);
        detail::Guarded([&] { control->MouseMove(ShiftOf(m->modifiers(), m->buttons()), p.x(), p.y()); });
        return !Alive(guard, control);
      }
      case QEvent::Wheel: {
        auto* w = static_cast<QWheelEvent*>(event);
        const QPoint p = w->position().toPoint();
        const int32_t delta = w->angleDelta().y() != 0 ? w->angleDelta().y() : w->angleDelta().x();
        if (delta == 0) return false;
        bool handled = false;
        QPointer<QWidget> guard(widget);
        detail::Guarded(
            [&] { handled = control->MouseWheel(ShiftOf(w->modifiers(), w->buttons()), delta, p.x(), p.y()); });
        if (handled) w->accept();
        return handled || !Alive(guard, control);
      }
      case QEvent::Enter:
      case QEvent::Leave: {
        QPointer<QWidget> guard(widget);
        detail::Guarded([&] {
          if (event->type() == QEvent::Enter)
            control->MouseEnter();
          else
            control->MouseLeave();
        });
        return !Alive(guard, control);
      }
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        if (auto* win = dynamic_cast<TWinControl*>(control)) {
          // The widget handles the focus change first (an edit drops its selection when it
          // loses the focus), so that what the handler does stands.
          QPointer<QWidget> guard(widget);
          static_cast<QObject*>(widget)->event(event);
          if (!Alive(guard, control)) return true;
          const int reason = static_cast<QFocusEvent*>(event)->reason();
          if (event->type() == QEvent::FocusIn)
            detail::WinControlFocusIn(win, reason);
          else
            detail::WinControlFocusOut(win, reason);
          return true;
        }
        return false;
      default: return false;
    }
  }

private:
  // A handler may free its own control; then the event must not reach the widget any more.
  static bool Alive(const QPointer<QWidget>& widget, const TControl* control) {
    return widget && detail::ControlOf(widget) == control;
  }

  static bool MousePress(TControl* control, QMouseEvent* m, bool doubleClick) {
    TMouseButton button;
    if (!ButtonOf(m->button(), button)) return false;
    QPointer<QWidget> guard(control->Handle()->Widget);
    const QPoint p = m->position().toPoint();
    TShiftState shift = ShiftOf(m->modifiers(), m->buttons());
    if (button == mbLeft) control->Handle()->ClickPending = true;
    if (doubleClick) {
      shift |= ssDouble;
      detail::Guarded([&] { control->DblClick(); });
      if (!Alive(guard, control)) return true;
    }
    detail::Guarded([&] { control->MouseDown(button, shift, p.x(), p.y()); });
    return !Alive(guard, control);
  }

  static bool MouseRelease(TControl* control, QWidget* widget, QMouseEvent* m) {
    TMouseButton button;
    if (!ButtonOf(m->button(), button)) return false;
    const QPoint p = m->position().toPoint();
    const TShiftState shift = ShiftOf(m->modifiers(), m->buttons());
    QPointer<QWidget> guard(widget);
    TControlImpl& impl = *control->Handle();
    if (button == mbLeft && impl.ClickPending) {
      impl.ClickPending = false;
      if (impl.ClicksOnMouseUp && widget->rect().contains(p)) {
        detail::Guarded([&] { control->Click(); });
        if (!Alive(guard, control)) return true;
      }
    }
    detail::Guarded([&] { control->MouseUp(button, shift, p.x(), p.y()); });
    return !Alive(guard, control);
  }
};

ControlEventFilter& EventFilter() {
  static ControlEventFilter* filter = new ControlEventFilter;  // lives as long as the process
  return *filter;
}

QColor QColorOf(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

}  // namespace

namespace detail {

QWidget* WidgetOf(const TControl* control) {
  if (!control || !control->Handle()) return nullptr;
  return control->Handle()->Widget;
}

TControl* ControlOf(const QWidget* widget) {
  if (!widget) return nullptr;
  auto* control = static_cast<TControl*>(widget->property(kControlProperty).value<void*>());
  if (!control || control->IsDestroying()) return nullptr;
  return control;
}

void BindWidget(TControl* control, QWidget* widget) {
  TControlImpl& impl = *control->Handle();
  impl.Widget = widget;
  widget->setProperty(kControlProperty, QVariant::fromValue<void*>(control));
  widget->installEventFilter(&EventFilter());
  impl.Bind(control);
}

QFont QFontOf(const TFont& font, const QFont& base) {
  QFont f(base);
  const std::string& name = font.Name();
  if (name.empty() || name == "MS Sans Serif" || name == "MS Shell Dlg" || name == "MS Shell Dlg 2") {
    f.setFamily(QApplication::font().family());
    f.setStyleHint(QFont::SansSerif);
  } else {
    f.setFamily(QString::fromStdString(name));
  }
  const int32_t pixels = FontPixelHeight(font.Height());
  if (font.Height() < 0) {
    f.setPixelSize(pixels);
  } else if (font.Height() > 0) {
    // A positive height is the cell height: scale the em size so that ascent + descent fit it.
    f.setPixelSize(pixels);
    const int cell = QFontMetrics(f).height();
    if (cell > 0) f.setPixelSize(std::max(1, static_cast<int>(int64_t{pixels} * pixels / cell)));
  }
  const TFontStyles style = font.Style();
  f.setBold((style & fsBold) != 0);
  f.setItalic((style & fsItalic) != 0);
  f.setUnderline((style & fsUnderline) != 0);
  f.setStrikeOut((style & fsStrikeOut) != 0);
  return f;
}

QColor QtColor(TColor color) { return QColorOf(color); }

}  // namespace detail

// ---- TControlImpl ----------------------------------------------------------------------------

void TControlImpl::Bind(TControl* control) {
  ClicksOnMouseUp = control->ClicksOnMouseUp();
  control->UpdateWidgetGeometry();
  control->ApplyColor();
  control->ApplyFont();
  control->ApplyHint();
  Widget->setEnabled(control->Enabled());
  if (control->Cursor() != crDefault) Widget->setCursor(CursorShapeOf(control->Cursor()));
  control->WidgetBound();
  control->UpdateWidgetVisibility();
}

// ---- TControl --------------------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner), mImpl(std::make_unique<TControlImpl>()) {}

TControl::~TControl() {
  SetDestroying();
  if (mParent) mParent->RemoveControl(this);
  mParent = nullptr;
  QWidget* widget = mImpl->Widget;
  mImpl->Widget = nullptr;
  if (!widget) return;
  widget->setProperty(kControlProperty, QVariant::fromValue<void*>(nullptr));
  widget->removeEventFilter(&EventFilter());
  widget->disconnect();
  // Widgets must not outlive the application object; after it is gone they are left alone.
  if (QCoreApplication::instance()) delete widget;
}

TRect TControl::BoundsRect() const {
  return {mLeft, mTop, ClampToInt32(int64_t{mLeft} + mWidth), ClampToInt32(int64_t{mTop} + mHeight)};
}

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (left == mLeft && top == mTop && width == mWidth && height == mHeight) return;
  const bool resized = width != mWidth || height != mHeight;
  mLeft = left;
  mTop = top;
  mWidth = width;
  mHeight = height;
  UpdateWidgetGeometry();
  if (resized) Resized();
}

void TControl::UpdateWidgetGeometry() {
  QWidget* w = mImpl->Widget;
  if (!w) return;
  // A widget is at most QWIDGETSIZE_MAX wide; the position is clamped so that the far edge
  // Qt computes (left + width - 1) stays in range.
  const int32_t width = std::min<int32_t>(mWidth, QWIDGETSIZE_MAX);
  const int32_t height = std::min<int32_t>(mHeight, QWIDGETSIZE_MAX);
  w->setGeometry(std::min(mLeft, INT32_MAX - width), std::min(mTop, INT32_MAX - height), width, height);
}

void TControl::SetVisible(bool value) {
  if (value == mVisible) return;
  mVisible = value;
  UpdateWidgetVisibility();
}

void TControl::UpdateWidgetVisibility() {
  if (QWidget* w = mImpl->Widget) w->setVisible(WidgetShown());
}

void TControl::SetEnabled(bool value) {
  if (value == mEnabled) return;
  mEnabled = value;
  if (QWidget* w = mImpl->Widget) w->setEnabled(value);
}

void TControl::SetColor(TColor value) {
  if (value == mColor && !mParentColor) return;
  mColor = value;
  mParentColor = false;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  if (value == mParentColor) return;
  mParentColor = value;
  if (value) ParentColorChanged();
  else ColorChanged();
}

void TControl::ParentColorChanged() {
  if (!mParentColor || !mParent) return;
  mColor = mParent->Color();
  ColorChanged();
}

void TControl::ColorChanged() {
  ApplyColor();
  Invalidate();
}

void TControl::ApplyColor() {
  QWidget* w = mImpl->Widget;
  if (!w) return;
  if (mParentColor) {
    w->setAutoFillBackground(false);
    return;
  }
  QPalette palette = w->palette();
  palette.setColor(QPalette::Window, QColorOf(mColor));
  w->setPalette(palette);
  w->setAutoFillBackground(true);
}

TFont& TControl::Font() const {
  if (!mFont) {
    mFont = std::make_unique<TFont>();
    if (mParent) mFont->Assign(mParent->Font());
    auto* self = const_cast<TControl*>(this);
    mFont->OnChange = [self] {
      self->mParentFont = false;
      self->FontChanged();
    };
  }
  return *mFont;
}

void TControl::SetFont(const TFont& value) { Font().Assign(value); }

void TControl::SetParentFont(bool value) {
  if (value == mParentFont) return;
  mParentFont = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!mParentFont || !mParent) return;
  TFont& font = Font();
  auto handler = std::move(font.OnChange);
  font.OnChange = nullptr;
  font.Assign(mParent->Font());
  font.OnChange = std::move(handler);
  FontChanged();
}

void TControl::FontChanged() {
  ApplyFont();
  Invalidate();
}

void TControl::ApplyFont() {
  QWidget* w = mImpl->Widget;
  if (!w) return;
  const TFont& font = Font();
  w->setFont(detail::QFontOf(font, QApplication::font()));
  QPalette palette = w->palette();
  const QColor color = QColorOf(font.Color());
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  palette.setColor(QPalette::ButtonText, color);
  w->setPalette(palette);
}

void TControl::SetHint(const std::string& value) {
  if (value == mHint) return;
  mHint = value;
  ApplyHint();
}

void TControl::SetShowHint(bool value) {
  if (value == mShowHint) return;
  mShowHint = value;
  mParentShowHint = false;
  ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool value) {
  if (value == mParentShowHint) return;
  mParentShowHint = value;
  ParentShowHintChanged();
}

bool TControl::HintShown() const {
  if (mParentShowHint && mParent) return mParent->HintShown();
  return mShowHint;
}

void TControl::ParentShowHintChanged() { ApplyHint(); }

void TControl::ApplyHint() {
  QWidget* w = mImpl->Widget;
  if (!w) return;
  // The part before '|' is the short hint shown in the tool-tip.
  const std::string text = HintShown() ? mHint.substr(0, mHint.find('|')) : std::string();
  w->setToolTip(QString::fromStdString(text));
}

void TControl::SetCursor(TCursor value) {
  if (value == mCursor) return;
  mCursor = value;
  QWidget* w = mImpl->Widget;
  if (!w) return;
  if (value == crDefault)
    w->unsetCursor();
  else
    w->setCursor(CursorShapeOf(value));
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == mParent) return;
  for (TControl* p = parent; p; p = p->Parent())
    if (p == this) throw Exception("A control cannot have itself as its parent");
  if (mParent) mParent->RemoveControl(this);
  mParent = parent;
  if (QWidget* w = mImpl->Widget) {
    const Qt::WindowFlags flags = w->windowFlags();
    w->setParent(parent ? detail::WidgetOf(parent) : nullptr, flags & ~Qt::WindowType_Mask);
  }
  if (parent) parent->InsertControl(this);
  UpdateWidgetGeometry();
  ParentColorChanged();
  ParentFontChanged();
  ParentShowHintChanged();
  UpdateWidgetVisibility();
}

void TControl::Invalidate() {
  if (QWidget* w = mImpl->Widget) w->update();
}

void TControl::Repaint() {
  if (QWidget* w = mImpl->Widget) w->repaint();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::MouseWheel(TShiftState shift, int32_t wheelDelta, int32_t x, int32_t y) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, x, y, handled);
  if (handled) return true;
  if (wheelDelta < 0) return MouseWheelDown(shift, x, y);
  if (wheelDelta > 0) return MouseWheelUp(shift, x, y);
  return false;
}

bool TControl::MouseWheelDown(TShiftState shift, int32_t x, int32_t y) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, shift, x, y, handled);
  return handled;
}

bool TControl::MouseWheelUp(TShiftState shift, int32_t x, int32_t y) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, shift, x, y, handled);
  return handled;
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

}  // namespace fw
