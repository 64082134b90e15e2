#include "framework/controls/TForm.h"

#include <QCloseEvent>
#include <QEvent>
#include <QPalette>
#include <QWidget>

#include "framework/controls/NativeControl.h"
#include "framework/controls/TApplication.h"
#include "framework/graphics/TFont.h"
#include "framework/runtime/Exception.h"

namespace fw {

class TFormWidget : public QWidget {
public:
  explicit TFormWidget(TForm* form) : QWidget(nullptr, Qt::Window), mForm(form) {}

protected:
  bool event(QEvent* event) override {
    const bool result = QWidget::event(event);
    if (!detail::ControlOf(this)) return result;
    switch (event->type()) {
      case QEvent::WindowActivate: mForm->WindowActivated(); break;
      case QEvent::Move:
      case QEvent::Resize: mForm->WindowGeometryChanged(); break;
      default: break;
    }
    return result;
  }

  void closeEvent(QCloseEvent* event) override {
    event->accept();
    if (detail::ControlOf(this)) mForm->WindowClosed();
  }

private:
  TForm* mForm;
};

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  SetColor(clBtnFace);
  detail::BindWidget(this, new TFormWidget(this));
  UpdateWindowFlags();
}

TForm::~TForm() = default;

void TForm::SetParent(TWinControl* parent) {
  if (parent) throw Exception("A form cannot be placed in another control");
}

int32_t TForm::FrameWidth() const { return mBorderStyle == bsNone ? 0 : 2 * FrameSide; }
int32_t TForm::FrameHeight() const { return mBorderStyle == bsNone ? 0 : FrameTop + FrameSide; }

int32_t TForm::ClientWidth() const { return std::max(0, Width() - FrameWidth()); }
int32_t TForm::ClientHeight() const { return std::max(0, Height() - FrameHeight()); }

void TForm::UpdateWidgetGeometry() {
  QWidget* w = detail::WidgetOf(this);
  if (!w || mSyncingGeometry) return;
  mSyncingGeometry = true;
  w->move(Left(), Top());
  if (mBorderStyle == bsSizeable || mBorderStyle == bsSizeToolWin) {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(ClientWidth(), ClientHeight());
  } else {
    w->setFixedSize(ClientWidth(), ClientHeight());
  }
  mSyncingGeometry = false;
}

void TForm::WindowGeometryChanged() {
  if (mSyncingGeometry) return;
  QWidget* w = detail::WidgetOf(this);
  if (!w->isVisible()) return;
  mSyncingGeometry = true;
  SetBounds(w->x(), w->y(), w->width() + FrameWidth(), w->height() + FrameHeight());
  mSyncingGeometry = false;
}

void TForm::UpdateWindowFlags() {
  QWidget* w = detail::WidgetOf(this);
  if (!w) return;
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
  if (mBorderStyle == bsNone) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::WindowTitleHint;
    if (mBorderStyle == bsToolWindow || mBorderStyle == bsSizeToolWin) flags |= Qt::Tool;
    if (mBorderIcons & biSystemMenu) {
      flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (mBorderIcons & biMinimize) flags |= Qt::WindowMinimizeButtonHint;
      if (mBorderIcons & biMaximize) flags |= Qt::WindowMaximizeButtonHint;
      if (mBorderIcons & biHelp) flags |= Qt::WindowContextHelpButtonHint;
    }
  }
  if (w->windowFlags() == flags) return;
  w->setWindowFlags(flags);  // hides the window
  UpdateWidgetGeometry();
  UpdateWidgetVisibility();
}

void TForm::SetCaption(const std::string& value) {
  if (value == mCaption) return;
  mCaption = value;
  if (QWidget* w = detail::WidgetOf(this)) w->setWindowTitle(QString::fromStdString(value));
}

void TForm::SetBorderIcons(TBorderIcons value) {
  if (value == mBorderIcons) return;
  mBorderIcons = value;
  UpdateWindowFlags();
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == mBorderStyle) return;
  // The outer size stays; the client area follows the new frame.
  mBorderStyle = value;
  UpdateWindowFlags();
  UpdateWidgetGeometry();
  Resized();
}

void TForm::SetPixelsPerInch(int32_t value) {
  if (value <= 0) throw Exception("Invalid property value");
  if (value == mPixelsPerInch) return;
  mPixelsPerInch = value;
  Font().SetPixelsPerInch(value);
}

void TForm::ApplyColor() {
  QWidget* w = detail::WidgetOf(this);
  if (!w) return;
  QPalette palette = w->palette();
  palette.setColor(QPalette::Window, detail::QtColor(Color()));
  w->setPalette(palette);
  w->setAutoFillBackground(true);
}

bool TForm::Active() const {
  const QWidget* w = detail::WidgetOf(this);
  return w && w->isActiveWindow();
}

void TForm::Close() {
  if (!Visible()) return;
  WindowClosed();
}

void TForm::WindowClosed() {
  SetVisible(false);
  detail::Guarded([this] {
    if (OnClose) OnClose(this);
  });
  if (Application()->MainForm() == this) Application()->Terminate();
}

void TForm::AfterConstruction() {
  if (mCreated) return;
  mCreated = true;
  detail::Guarded([this] {
    if (OnCreate) OnCreate(this);
  });
}

void TForm::Loaded() {
  TWinControl::Loaded();
  UpdateWidgetVisibility();
}

void TForm::WindowActivated() {
  if (mActivatedOnce) return;
  mActivatedOnce = true;
  detail::Guarded([this] {
    if (OnActivate) OnActivate(this);
  });
}

}  // namespace fw
