#pragma once
#include <memory>

#include "framework/controls/TBoundLabel.h"
#include "framework/controls/TEdit.h"

namespace fw {

/// Where a labelled edit keeps its label.
enum TLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };

/// An edit field with a label. The label lies in the edit's parent, LabelSpacing pixels from
/// the edit: above it, it starts at the edit's Left and ends LabelSpacing above its Top. It
/// moves, shows and hides with the edit.
class TLabeledEdit : public TEdit {
public:
  explicit TLabeledEdit(TComponent* owner = nullptr);

  std::string ClassName() const override { return "TLabeledEdit"; }

  /// The label (owned): caption, font and size are set on it.
  TBoundLabel& EditLabel() const { return *mEditLabel; }
  /// Gap between label and edit in pixels. Default 3.
  int32_t LabelSpacing() const { return mLabelSpacing; }
  void SetLabelSpacing(int32_t value);
  TLabelPosition LabelPosition() const { return mLabelPosition; }
  void SetLabelPosition(TLabelPosition value);

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void SetParent(TWinControl* parent) override;
  void SetVisible(bool value) override;
  void SetEnabled(bool value) override;

  /// Places the label next to the edit (after either changed size or place).
  void UpdateLabelPosition();

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  TBoundLabel* mEditLabel = nullptr;   // owned through the component tree
  int32_t mLabelSpacing = 3;
  TLabelPosition mLabelPosition = lpAbove;
};

}  // namespace fw
