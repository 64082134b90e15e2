#pragma once
#include "framework/controls/TCustomPanel.h"

namespace fw {

/// The panel as placed in a window layout: a TCustomPanel under its stored class name.
class TPanel : public TCustomPanel {
public:
  explicit TPanel(TComponent* owner = nullptr) : TCustomPanel(owner) {}

  std::string ClassName() const override { return "TPanel"; }
};

}  // namespace fw
