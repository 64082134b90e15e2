#include "chart/axes/TChartAxisTitle.h"

#include "chart/ChartConst.h"
#include "chart/axes/TCustomChartAxis.h"
#include "chart/canvas/ValidateAngle.h"

namespace chart {

TChartAxisTitle::TChartAxisTitle(TCustomChartAxis& axis)
    : TChartFontObject(axis.OwnerChart().ChartPanel()), mAxis(&axis) {}

void TChartAxisTitle::Changed() { mAxis->OwnerChart().InvalidateChart(); }

void TChartAxisTitle::SetAngle(int32_t value) {
  if (value == mAngle) return;
  ValidateAngle(value, ChartConst::AxisTitleAngleDescription);
  mAngle = value;
  Changed();
}

void TChartAxisTitle::SetCaption(const std::string& value) {
  if (value == mCaption) return;
  mCaption = value;
  Changed();
}

void TChartAxisTitle::CopySettingsFrom(const TChartAxisTitle& source) {
  mAngle = source.mAngle;
  mCaption = source.mCaption;
  Assign(source);
}

}  // namespace chart
