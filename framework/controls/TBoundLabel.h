#pragma once
#include <string>

#include "framework/controls/TControl.h"

namespace fw {

class TLabeledEdit;

/// The caption of a labelled edit: a text label that the edit places next to itself (its
/// position follows the edit; its size and font are its own). Transparent over its parent.
class TBoundLabel : public TControl {
public:
  /// Created by its edit, which owns it.
  explicit TBoundLabel(TLabeledEdit* edit);

  std::string ClassName() const override { return "TBoundLabel"; }

  const std::string& Caption() const { return mCaption; }
  void SetCaption(const std::string& value);

protected:
  void Resized() override;
  bool ClicksOnMouseUp() const override { return true; }

private:
  TLabeledEdit* mEdit;
  std::string mCaption;
};

}  // namespace fw
