#pragma once
// Framework-internal: links controls to the Qt widgets that show them. Only framework .cpp files
// include this (tests may too, to reach a control's widget); the chart engine and the
// application never do. Forward declarations only: Qt headers stay in the .cpp files.
#include <exception>

class QColor;
class QFont;
class QWidget;

#include "framework/runtime/TColor.h"

namespace fw {

class TControl;
class TFont;
class TWinControl;

/// The platform side of a control.
struct TControlImpl {
  QWidget* Widget = nullptr;   // owned by the control; nullptr until bound
  bool ClickPending = false;   // a left press happened over the control
  bool ClicksOnMouseUp = true;
  /// Pushes the control's whole state into the freshly bound widget.
  void Bind(TControl* control);
};

namespace detail {

/// The widget that shows the control (a form: its client widget), or nullptr.
QWidget* WidgetOf(const TControl* control);
/// The control a widget shows, or nullptr (also while the control is being destroyed).
TControl* ControlOf(const QWidget* widget);
/// Gives the control its widget (the control owns it from now on) and pushes the control's
/// state (bounds, visibility, enabled state, colour, font, hint, cursor) into it. Called once,
/// by the constructor of the concrete control class.
void BindWidget(TControl* control, QWidget* widget);

/// The Qt font for a framework font ("MS Sans Serif" maps to the desktop's sans-serif family;
/// a negative height is the character height in pixels).
QFont QFontOf(const TFont& font, const QFont& base);
QColor QtColor(TColor color);

/// Focus tracking of windowed controls (reason is a Qt::FocusReason value).
void WinControlFocusIn(TWinControl* control, int reason);
void WinControlFocusOut(TWinControl* control, int reason);

/// Routes an exception that escaped an event handler to the application's handler.
void HandleEventException(const std::exception* error);

/// Marks a paint in progress: exceptions escaping a paint are shown after it, not inside it.
struct PaintScope {
  PaintScope();
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
};
bool InPaint();

/// Runs an event handler: any exception it lets escape is shown by the application instead
/// of unwinding through the window system.
template <class F>
void Guarded(F&& handler) noexcept {
  try {
    handler();
  } catch (const std::exception& e) {
    HandleEventException(&e);
  } catch (...) {
    HandleEventException(nullptr);
  }
}

}  // namespace detail
}  // namespace fw
