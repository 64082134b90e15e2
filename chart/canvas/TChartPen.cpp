#include "chart/canvas/TChartPen.h"

#include <utility>

namespace chart {

TChartPen::TChartPen(std::function<void()> onChange) { OnChange = std::move(onChange); }

void TChartPen::SetSmallDots(bool value) {
  if (mSmallDots == value) return;
  mSmallDots = value;
  Changed();
}

void TChartPen::SetVisible(bool value) {
  if (mVisible == value) return;
  mVisible = value;
  Changed();
}

void TChartPen::Assign(const fw::TPen& source) {
  if (&source == this) return;
  bool changed = false;
  if (const auto* chartPen = dynamic_cast<const TChartPen*>(&source)) {
    changed = mVisible != chartPen->mVisible || mSmallDots != chartPen->mSmallDots;
    mVisible = chartPen->mVisible;
    mSmallDots = chartPen->mSmallDots;
  }
  // The platform part notifies on its own; collect that into the one notification below.
  auto ownerChange = std::exchange(OnChange, [&changed] { changed = true; });
  fw::TPen::Assign(source);
  OnChange = std::move(ownerChange);
  if (changed) Changed();
}

// The defaults below are set before any owner hook is attached, so constructing raises nothing.
TChartHiddenPen::TChartHiddenPen(std::function<void()> onChange) {
  SetVisible(false);
  OnChange = std::move(onChange);
}

TDottedGrayPen::TDottedGrayPen(std::function<void()> onChange) {
  SetColor(fw::clGray);
  SetStyle(fw::psDot);
  OnChange = std::move(onChange);
}

TDarkGrayPen::TDarkGrayPen(std::function<void()> onChange) {
  SetColor(fw::clGray);
  OnChange = std::move(onChange);
}

TChartAxisPen::TChartAxisPen(std::function<void()> onChange) {
  SetWidth(2);
  OnChange = std::move(onChange);
}

TChartArrowPen::TChartArrowPen(std::function<void()> onChange) {
  SetColor(fw::clWhite);
  OnChange = std::move(onChange);
}

}  // namespace chart
