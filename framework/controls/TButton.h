#pragma once
#include <string>

#include "framework/controls/TWinControl.h"

namespace fw {

/// A push button. Defaults: 75 x 25, TabStop. OnClick follows a click or Space on it.
class TButton : public TWinControl {
public:
  explicit TButton(TComponent* owner = nullptr);

  std::string ClassName() const override { return "TButton"; }

  /// "&" marks the accelerator letter.
  const std::string& Caption() const { return mCaption; }
  void SetCaption(const std::string& value);

protected:
  bool AcceptsFocus() const override { return true; }
  bool ClicksOnMouseUp() const override { return false; }

private:
  std::string mCaption;
};

}  // namespace fw
