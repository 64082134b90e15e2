#pragma once
#include "chart/canvas/TGradientDirection.h"
#include "framework/runtime/TColor.h"

namespace chart {

class TCustomChartPanel;

/// Two-colour gradient of a panel background. Each setter stores a different value and
/// invalidates the owner panel (when there is one); an equal value does nothing.
class TCustomChartGradient {
public:
  explicit TCustomChartGradient(TCustomChartPanel* owner = nullptr) : mOwner(owner) {}
  virtual ~TCustomChartGradient() = default;
  TCustomChartGradient(const TCustomChartGradient&) = delete;
  TCustomChartGradient& operator=(const TCustomChartGradient&) = delete;

  /// Direction of the colour bands; default gdTopBottom.
  TGradientDirection Direction() const { return mDirection; }
  void SetDirection(TGradientDirection value);
  /// Colour at the far end; default yellow (65535).
  fw::TColor EndColor() const { return mEndColor; }
  void SetEndColor(fw::TColor value);
  /// Colour at the start; default white (16777215).
  fw::TColor StartColor() const { return mStartColor; }
  void SetStartColor(fw::TColor value);
  /// The panel background is the gradient instead of the solid Color; default false.
  bool Visible() const { return mVisible; }
  void SetVisible(bool value);

  TCustomChartPanel* Owner() const { return mOwner; }

  /// Copies the four settings without invalidating.
  void Assign(const TCustomChartGradient& source);

private:
  void Changed();

  TGradientDirection mDirection = gdTopBottom;
  fw::TColor mEndColor = fw::clYellow;
  TCustomChartPanel* mOwner = nullptr;
  fw::TColor mStartColor = fw::clWhite;
  bool mVisible = false;
};

/// The published gradient of a chart panel.
class TChartGradient : public TCustomChartGradient {
public:
  using TCustomChartGradient::TCustomChartGradient;
};

}  // namespace chart
