#pragma once
#include <functional>

#include "framework/graphics/TPen.h"

namespace chart {

/// The pen of every line the chart draws: a platform pen plus a visibility switch and a
/// fine-dotted mode. Loaded into the canvas with TChartCanvas::ApplyChartPen, which is where
/// Visible and SmallDots take effect. Changes raise OnChange (the owner's repaint request).
class TChartPen : public fw::TPen {
public:
  /// `onChange` is the owner's change notification (may be empty); the pen does not own its owner.
  explicit TChartPen(std::function<void()> onChange = {});

  /// Every other pixel set (finer than psDot); only for width 1. Default false.
  bool SmallDots() const { return mSmallDots; }
  void SetSmallDots(bool value);
  /// When false the element's line is not drawn. Default true.
  bool Visible() const { return mVisible; }
  void SetVisible(bool value);

  /// From another chart pen: Visible and SmallDots, then colour, width, style and mode.
  /// From a plain pen: colour, width, style and mode only. OnChange at most once.
  void Assign(const fw::TPen& source) override;

private:
  bool mSmallDots = false;
  bool mVisible = true;
};

/// Invisible by default (minor grid, legend dividing lines, title frame).
class TChartHiddenPen : public TChartPen {
public:
  explicit TChartHiddenPen(std::function<void()> onChange = {});
};

/// Grey (8421504) dotted (grid).
class TDottedGrayPen : public TChartPen {
public:
  explicit TDottedGrayPen(std::function<void()> onChange = {});
};

/// Grey (8421504) solid (ticks).
class TDarkGrayPen : public TChartPen {
public:
  explicit TDarkGrayPen(std::function<void()> onChange = {});
};

/// Width 2 (axis line).
class TChartAxisPen : public TChartPen {
public:
  explicit TChartAxisPen(std::function<void()> onChange = {});
};

/// White (mark arrows).
class TChartArrowPen : public TChartPen {
public:
  explicit TChartArrowPen(std::function<void()> onChange = {});
};

}  // namespace chart
