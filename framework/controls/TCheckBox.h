#pragma once
#include <string>

#include "framework/controls/TWinControl.h"

namespace fw {

/// A check box with a caption. Defaults: 97 x 17, TabStop, unchecked. OnClick follows every
/// change of Checked, by the user or assigned (not while loading). The font colour applies to
/// the caption only.
class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TComponent* owner = nullptr);

  std::string ClassName() const override { return "TCheckBox"; }

  const std::string& Caption() const { return mCaption; }
  void SetCaption(const std::string& value);
  bool Checked() const { return mChecked; }
  /// A change raises OnClick (exceptions of the handler reach the caller).
  void SetChecked(bool value);

protected:
  /// The font (and its colour) is the caption's; the box and its mark keep the platform's
  /// standard colours, so the mark stays dark on a light box whatever the caption's colour.
  void ApplyFont() override;
  bool AcceptsFocus() const override { return true; }
  bool ClicksOnMouseUp() const override { return false; }

private:
  void Toggled(bool checked);

  std::string mCaption;
  bool mChecked = false;
};

}  // namespace fw
