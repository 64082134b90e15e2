#pragma once
#include <vector>

#include "framework/controls/TControl.h"

namespace fw {

/// A control that can hold other controls and take the keyboard focus. Children are shown in
/// its client area; Tab moves the focus through them in TabOrder. "Exit" is raised only when
/// the focus moves to another control of the same window: a focus loss because another
/// window (a message box, a dialog) took activation is not an exit, and the focus coming back
/// with the window is not an enter.
class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner = nullptr);
  ~TWinControl() override;

  std::string ClassName() const override { return "TWinControl"; }

  /// Child controls, in the order they were placed.
  int ControlCount() const { return static_cast<int>(mControls.size()); }
  TControl* Controls(int index) const;
  bool ContainsControl(const TControl* control) const;

  /// Position in the parent's tab order (0 first; -1 without a parent). Setting moves the
  /// control there (clamped to the list) and renumbers its siblings. While the control is
  /// loading the value is only stored; loading finishes with the siblings sorted by it.
  int TabOrder() const { return mTabOrder; }
  void SetTabOrder(int value);
  /// Whether Tab stops here. Default false; edits, buttons and check boxes start true.
  bool TabStop() const { return mTabStop; }
  void SetTabStop(bool value);
  /// The windowed children in tab order.
  const std::vector<TWinControl*>& TabList() const { return mTabList; }

  bool Focused() const;
  /// Whether it lies in a form and it and every parent below the form are visible and enabled.
  virtual bool CanFocus() const;
  /// Gives the keyboard focus to this control (it takes effect when its window is active).
  /// Throws fw::Exception when the control cannot take it.
  virtual void SetFocus();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  /// Raise OnEnter / OnExit.
  virtual void DoEnter();
  virtual void DoExit();

  void Loaded() override;

protected:
  /// Whether the widget takes the focus at all (by click, or by Tab when TabStop).
  virtual bool AcceptsFocus() const { return false; }
  void UpdateFocusPolicy();
  void FontChanged() override;
  void ColorChanged() override;
  void ParentShowHintChanged() override;
  void WidgetBound() override;

private:
  friend class TControl;

  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void MoveInTabList(TWinControl* child, int position);
  void RenumberTabList();
  /// Sorts the tab list by the stored TabOrder values (kept order among equal ones).
  void FixupTabList();
  /// Makes the window's Tab chain follow the tab lists of all its containers.
  void ApplyTabChain();

  std::vector<TControl*> mControls;     // not owned (owners free controls)
  std::vector<TWinControl*> mTabList;   // windowed children in tab order
  int mTabOrder = -1;
  bool mTabStop = false;
};

}  // namespace fw
