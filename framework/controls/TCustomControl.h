#pragma once
#include <memory>

#include "framework/controls/TWinControl.h"

namespace fw {

class TSurface;
class TCustomControlWidget;

/// A windowed control that draws itself. It owns a window image the size of its client area
/// at the screen's device pixel ratio (re-created when the size changes, old content kept at
/// the top-left; re-created and painted anew when the ratio changes, as when the window moves
/// to a screen of another density) and a surface, Canvas(),
/// that draws into it. Each paint request of the window system calls Paint() and then copies
/// the image to the screen. Drawing on Canvas() outside Paint() goes into the window image and
/// only schedules a copy to the screen: it does not call Paint(). The window background is
/// never erased before a paint.
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner = nullptr);
  ~TCustomControl() override;

  std::string ClassName() const override { return "TCustomControl"; }

  /// The control's own surface, drawing into the window image.
  TSurface& Canvas();
  /// True while Paint() runs.
  bool Painting() const { return mPainting; }
  /// True while an Invalidate or Repaint waits for its Paint() (cleared when Paint() starts).
  bool PaintPending() const { return mPaintPending; }

  /// Asks for a paint (Paint() and copy) at the next chance; requests merge.
  void Invalidate() override;
  /// Paints (Paint() and copy) at once when the control is shown.
  void Repaint() override;

protected:
  /// Draws the control on Canvas(). The base draws nothing.
  virtual void Paint() {}
  void Resized() override;
  void ApplyColor() override {}
  bool ClicksOnMouseUp() const override { return true; }

private:
  friend class TCustomControlWidget;

  /// Device pixels per logical pixel of the screen the control is shown on.
  double WindowPixelRatio() const;
  /// Makes the window image match the client size and the screen's pixel ratio.
  void UpdateWindowImage();
  /// Drawing outside a paint landed in the window image: show it without painting.
  void ScheduleCopy();
  /// Asks the window system for a paint of the whole control unless one is already queued.
  void QueueUpdate();
  /// The queued update was answered, or dropped by the window system (hidden, reparented).
  void ForgetQueuedUpdate() { mUpdateQueued = false; }
  /// Handles one paint request of the window system for the rectangle (client coordinates).
  void PaintRequest(const TRect& rect);

  std::unique_ptr<TSurface> mCanvas;
  bool mPainting = false;
  bool mPaintPending = false;   // Invalidate or Repaint asked for Paint()
  bool mCopyPending = false;    // drawing outside a paint asked for a copy only
  // An update of the whole widget is queued and a paint will answer it: further requests
  // would only merge into it. Cleared by the paint and whenever the window system may drop
  // the request (hide, show, reparenting), so at worst one request too many goes out.
  bool mUpdateQueued = false;
};

}  // namespace fw
