#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/ControlTypes.h"
#include "framework/controls/TComponent.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/ClampInt.h"
#include "framework/runtime/TColor.h"

namespace fw {

class TWinControl;
class TFont;
struct TControlImpl;

/// A visible element of a window, shown by a platform widget. Position and size are in the
/// parent's client coordinates (a form: the screen and its outer size). Setters compare, store
/// and update the widget; nothing draws outside a paint. The parent (where it shows) is separate
/// from the owner (who frees it); a control without an owner is freed with its parent.
class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner = nullptr);
  ~TControl() override;

  std::string ClassName() const override { return "TControl"; }

  int32_t Left() const { return mLeft; }
  int32_t Top() const { return mTop; }
  int32_t Width() const { return mWidth; }
  int32_t Height() const { return mHeight; }
  void SetLeft(int32_t value) { SetBounds(value, mTop, mWidth, mHeight); }
  void SetTop(int32_t value) { SetBounds(mLeft, value, mWidth, mHeight); }
  void SetWidth(int32_t value) { SetBounds(mLeft, mTop, value, mHeight); }
  void SetHeight(int32_t value) { SetBounds(mLeft, mTop, mWidth, value); }
  /// Moves and sizes in one step; a negative width or height counts as 0.
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  /// The control's rectangle in its parent; a right or bottom edge beyond the 32-bit range is
  /// held at its limit.
  TRect BoundsRect() const;

  /// Size of the area children and drawing use; the whole control unless a frame surrounds it.
  virtual int32_t ClientWidth() const { return mWidth; }
  virtual int32_t ClientHeight() const { return mHeight; }
  /// Sizes the control so that its client area gets the value; the control's size is summed in
  /// 64 bits and held at the 32-bit range.
  void SetClientWidth(int32_t value) { SetWidth(ClampToInt32(int64_t{value} + mWidth - ClientWidth())); }
  void SetClientHeight(int32_t value) { SetHeight(ClampToInt32(int64_t{value} + mHeight - ClientHeight())); }
  TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

  /// Shown when it and all its parents are visible (a form: when shown). Default true.
  bool Visible() const { return mVisible; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  /// A disabled control takes no input. Default true.
  bool Enabled() const { return mEnabled; }
  virtual void SetEnabled(bool value);

  /// Background colour; while ParentColor is set the parent's background shows through.
  TColor Color() const { return mColor; }
  void SetColor(TColor value);
  bool ParentColor() const { return mParentColor; }
  void SetParentColor(bool value);

  /// Text and colour font. Changing it (or assigning one) clears ParentFont.
  TFont& Font() const;
  void SetFont(const TFont& value);
  /// Takes the parent's font while set (and keeps following it). Default true.
  bool ParentFont() const { return mParentFont; }
  void SetParentFont(bool value);

  /// Tool-tip text, shown while hints are on (ShowHint, or the parent's when ParentShowHint).
  const std::string& Hint() const { return mHint; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return mShowHint; }
  /// Turns hints on or off for this control; a change clears ParentShowHint.
  void SetShowHint(bool value);
  bool ParentShowHint() const { return mParentShowHint; }
  void SetParentShowHint(bool value);
  /// Whether the hint shows: ShowHint, or the parent's answer while ParentShowHint is set.
  bool HintShown() const;

  /// Cursor over the control; crDefault takes the parent's.
  TCursor Cursor() const { return mCursor; }
  void SetCursor(TCursor value);

  TWinControl* Parent() const { return mParent; }
  /// Places the control in a parent (nullptr: in none, not shown).
  virtual void SetParent(TWinControl* parent);

  /// Asks for a paint at the next chance (merged with other requests).
  virtual void Invalidate();
  /// Paints at once when shown.
  virtual void Repaint();
  void Refresh() { Repaint(); }

  // Input. The framework's event dispatch calls these; each base raises its event. Public so
  // that tests and hosts can feed input directly. Coordinates are client coordinates.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseMove(TShiftState shift, int32_t x, int32_t y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  /// Wheel turn (delta in 1/120 notches, positive away from the user): OnMouseWheel, then
  /// MouseWheelDown or MouseWheelUp. Returns whether it was handled.
  virtual bool MouseWheel(TShiftState shift, int32_t wheelDelta, int32_t x, int32_t y);
  virtual bool MouseWheelDown(TShiftState shift, int32_t x, int32_t y);
  virtual bool MouseWheelUp(TShiftState shift, int32_t x, int32_t y);
  virtual void MouseEnter();
  virtual void MouseLeave();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  /// The platform side of the control (opaque outside the framework).
  TControlImpl* Handle() const { return mImpl.get(); }

protected:
  /// The widget's geometry follows the stored bounds; a form places its frame instead.
  virtual void UpdateWidgetGeometry();
  /// Pushes Color to the widget; controls that paint themselves ignore it.
  virtual void ApplyColor();
  /// Pushes Font to the widget.
  virtual void ApplyFont();
  /// Called after the font changed (own change, assignment or the parent's font).
  virtual void FontChanged();
  /// Called after the colour changed (own setting or the parent's colour).
  virtual void ColorChanged();
  /// Called after the effective ShowHint may have changed.
  virtual void ParentShowHintChanged();
  /// Called at the end of binding the widget, for class-specific widget set-up.
  virtual void WidgetBound() {}
  /// Called after the size changed.
  virtual void Resized() {}
  /// Whether a left-button release over the control counts as a click (controls whose widget
  /// reports clicks itself answer false).
  virtual bool ClicksOnMouseUp() const { return true; }
  void ApplyHint();
  /// Whether the widget is to be shown: Visible and placed in a parent.
  virtual bool WidgetShown() const { return mVisible && mParent != nullptr; }
  void UpdateWidgetVisibility();
  void ParentFontChanged();
  void ParentColorChanged();

  std::unique_ptr<TControlImpl> mImpl;

private:
  friend class TWinControl;
  friend struct TControlImpl;

  int32_t mLeft = 0;
  int32_t mTop = 0;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  bool mVisible = true;
  bool mEnabled = true;
  TColor mColor = clBtnFace;
  bool mParentColor = true;
  mutable std::unique_ptr<TFont> mFont;
  bool mParentFont = true;
  std::string mHint;
  bool mShowHint = false;
  bool mParentShowHint = true;
  TCursor mCursor = crDefault;
  TWinControl* mParent = nullptr;
};

}  // namespace fw
