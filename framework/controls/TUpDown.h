#pragma once
#include <string>

#include "framework/controls/TWinControl.h"

namespace fw {

class TUpDownWidget;

/// Arrow of an up-down control: btNext steps toward Max, btPrev toward Min.
enum TUDBtnType { btNext, btPrev };

/// A spinner: two arrow buttons that step Position by Increment within Min..Max. OnChanging
/// runs before every change, by a click or by assigning Position, and can refuse it (the
/// position stays). After each change the position is written as plain integer text (no
/// thousands separators) into the Associate edit. A position set outside the range is clamped
/// to it; a click that would pass a limit stops at it (at the limit it does nothing) unless Wrap is
/// set, which jumps to the other limit.
/// Defaults: 16 x 24, Min 0, Max 100, Position 0, Increment 1, no Wrap, vertical.
class TUpDown : public TWinControl {
public:
  explicit TUpDown(TComponent* owner = nullptr);
  ~TUpDown() override;

  std::string ClassName() const override { return "TUpDown"; }

  int32_t Min() const { return mMin; }
  void SetMin(int32_t value);
  int32_t Max() const { return mMax; }
  void SetMax(int32_t value);
  int32_t Position() const { return mPosition; }
  /// Clamped to the range; a different position asks OnChanging first (exceptions of the
  /// handler reach the caller) and then updates the buddy. Only stored while loading.
  void SetPosition(int32_t value);
  int32_t Increment() const { return mIncrement; }
  void SetIncrement(int32_t value);
  bool Wrap() const { return mWrap; }
  void SetWrap(bool value);
  TUDOrientation Orientation() const { return mOrientation; }
  void SetOrientation(TUDOrientation value);

  /// The buddy edit; the spinner sits at its right edge with its height (vertical), or at its
  /// bottom edge with its width (horizontal).
  TWinControl* Associate() const { return mAssociate; }
  void SetAssociate(TWinControl* value);

  /// Up and Down keys in the buddy step as the arrows do. Default true.
  bool ArrowKeys() const { return mArrowKeys; }
  void SetArrowKeys(bool value) { mArrowKeys = value; }

  /// What a click on the arrow does.
  void Step(TUDBtnType button);

  TUDChangingEvent OnChanging;

  void Loaded() override;

protected:
  /// Asks OnChanging; true when the change may go ahead.
  virtual bool CanChange();
  void Notification(TComponent* component, TOperation operation) override;
  bool ClicksOnMouseUp() const override { return false; }

private:
  friend class TUpDownWidget;

  int32_t Low() const { return mMin <= mMax ? mMin : mMax; }
  int32_t High() const { return mMin <= mMax ? mMax : mMin; }
  int32_t Clamp(int32_t value) const;
  /// Moves to the position after asking OnChanging; false when refused or unchanged.
  bool ChangePosition(int32_t value);
  void UpdateBuddy();
  void AlignToBuddy();
  void WatchBuddyKeys(bool watch);

  int32_t mMin = 0;
  int32_t mMax = 100;
  int32_t mPosition = 0;
  int32_t mIncrement = 1;
  bool mWrap = false;
  TUDOrientation mOrientation = udVertical;
  TWinControl* mAssociate = nullptr;
  bool mArrowKeys = true;
};

}  // namespace fw
