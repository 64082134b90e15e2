#include "chart/axes/TChartAxisTitle.h"

#include "chart/ChartConst.h"
#include "chart/axes/AxisDefaultFont.h"
#include "chart/axes/TCustomChartAxis.h"
#include "chart/canvas/ValidateAngle.h"
#include "framework/graphics/TFont.h"

namespace chart {

TChartAxisTitle::TChartAxisTitle(TCustomChartAxis& axis)
    : mAxis(&axis), mFont(std::make_unique<fw::TFont>()) {
  AssignAxisDefaultFont(*mFont);
  mFont->OnChange = [this] { Changed(); };
}

TChartAxisTitle::~TChartAxisTitle() = default;

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

void TChartAxisTitle::SetFont(const fw::TFont& value) { mFont->Assign(value); }

void TChartAxisTitle::CopySettingsFrom(const TChartAxisTitle& source) {
  mAngle = source.mAngle;
  mCaption = source.mCaption;
  mFont->Assign(*source.mFont);
}

}  // namespace chart
