#include "chart/panel/TChartGradient.h"

#include "chart/panel/TCustomChartPanel.h"

namespace chart {

void TCustomChartGradient::Changed() {
  if (mOwner) mOwner->Invalidate();
}

void TCustomChartGradient::SetDirection(TGradientDirection value) {
  if (mDirection == value) return;
  mDirection = value;
  Changed();
}

void TCustomChartGradient::SetEndColor(fw::TColor value) {
  if (mEndColor == value) return;
  mEndColor = value;
  Changed();
}

void TCustomChartGradient::SetStartColor(fw::TColor value) {
  if (mStartColor == value) return;
  mStartColor = value;
  Changed();
}

void TCustomChartGradient::SetVisible(bool value) {
  if (mVisible == value) return;
  mVisible = value;
  Changed();
}

void TCustomChartGradient::Assign(const TCustomChartGradient& source) {
  mDirection = source.mDirection;
  mEndColor = source.mEndColor;
  mStartColor = source.mStartColor;
  mVisible = source.mVisible;
}

}  // namespace chart
