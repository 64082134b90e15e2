#include "framework/controls/TCustomControl.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "framework/controls/NativeControl.h"
#include "framework/graphics/DevicePixels.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TSurface.h"

namespace fw {

// The widget of a self-drawing control: paints from the control's window image and keeps
// mouse input to itself (the control's handlers ran in the framework's event filter).
class TCustomControlWidget : public QWidget {
public:
  explicit TCustomControlWidget(TCustomControl* control) : mControl(control) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
  }

protected:
  bool event(QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::ParentChange:
        mControl->ForgetQueuedUpdate();
        break;
      case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
      case QEvent::DevicePixelRatioChange:
#endif
        // Another screen may have another pixel density: the next paint checks the ratio.
        if (detail::ControlOf(this)) mControl->Invalidate();
        break;
      default:
        break;
    }
    return QWidget::event(event);
  }
  void paintEvent(QPaintEvent* event) override {
    if (!detail::ControlOf(this)) return;
    const QRect r = event->rect();
    mControl->PaintRequest({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
  }
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
  void mouseMoveEvent(QMouseEvent* event) override { event->accept(); }

private:
  TCustomControl* mControl;
};

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), mCanvas(std::make_unique<TSurface>()) {
  mCanvas->OnChange = [this] {
    if (!mPainting) ScheduleCopy();
  };
  detail::BindWidget(this, new TCustomControlWidget(this));
}

TCustomControl::~TCustomControl() { mCanvas->OnChange = nullptr; }

TSurface& TCustomControl::Canvas() {
  UpdateWindowImage();
  return *mCanvas;
}

double TCustomControl::WindowPixelRatio() const {
  const QWidget* w = detail::WidgetOf(this);
  const double ratio = w != nullptr ? w->devicePixelRatioF() : 1.0;
  return ValidDevicePixelRatio(ratio) ? ratio : 1.0;
}

void TCustomControl::UpdateWindowImage() {
  const int32_t w = ClientWidth();
  const int32_t h = ClientHeight();
  const double ratio = WindowPixelRatio();
  const bool sameRatio = mCanvas->DevicePixelRatio() == ratio;
  if (mCanvas->Width() == w && mCanvas->Height() == h && sameRatio) return;
  if (w <= 0 || h <= 0) {
    SurfaceAccess::Attach(*mCanvas, nullptr);
    return;
  }
  // At a new ratio the old picture is of no use: the control paints again.
  if (!sameRatio) mPaintPending = true;
  SurfaceAccess::CreateImage(*mCanvas, w, h, ratio, sameRatio);
}

void TCustomControl::Resized() {
  UpdateWindowImage();
  mPaintPending = true;
}

void TCustomControl::Invalidate() {
  mPaintPending = true;
  QueueUpdate();
}

void TCustomControl::QueueUpdate() {
  if (mUpdateQueued) return;
  QWidget* w = detail::WidgetOf(this);
  if (!w) return;
  w->update();
  // The window system drops an update of a hidden widget, one whose updates are off and one
  // without area: only a request it keeps may stand for the next ones.
  mUpdateQueued = w->isVisible() && w->updatesEnabled() && w->width() > 0 && w->height() > 0;
}

void TCustomControl::Repaint() {
  mPaintPending = true;
  if (QWidget* w = detail::WidgetOf(this)) w->repaint();
}

void TCustomControl::ScheduleCopy() {
  mCopyPending = true;
  QueueUpdate();
}

void TCustomControl::PaintRequest(const TRect& rect) {
  UpdateWindowImage();
  // A request that only follows drawing outside a paint copies the image as it is; any other
  // (an invalidation, or the window system exposing the control) paints first.
  const bool copyOnly = mCopyPending && !mPaintPending;
  // Cleared before Paint(): an invalidation from inside the paint must queue a new update.
  mUpdateQueued = false;
  mCopyPending = false;
  mPaintPending = false;
  if (!copyOnly) {
    mPainting = true;
    {
      detail::PaintScope scope;
      detail::Guarded([this] { Paint(); });
    }
    mPainting = false;
  }
  QWidget* widget = detail::WidgetOf(this);
  const QImage* image = SurfaceAccess::Image(*mCanvas);
  if (!widget || !image) return;
  const QRect r(rect.Left, rect.Top, rect.Width(), rect.Height());
  QPainter painter(widget);
  const double ratio = mCanvas->DevicePixelRatio();
  if (ratio == 1.0) {
    painter.drawImage(r, *image, r);
    return;
  }
  // The image holds device pixels: shown at its ratio it maps one to one onto the screen.
  QImage view(image->constBits(), image->width(), image->height(), image->bytesPerLine(), image->format());
  view.setDevicePixelRatio(ratio);
  painter.setClipRect(r);
  painter.drawImage(QPointF(0, 0), view);
}

}  // namespace fw
