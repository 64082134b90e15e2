#include "chart/axes/TCustomChartAxis.h"

#include <cmath>
#include <utility>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/panel/TChartFontObject.h"
#include "chart/axes/AxisRounding.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/ValidateAngle.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TChartValueList.h"
#include "framework/graphics/TFont.h"

namespace chart {

using axisdetail::RoundHalfEven;

TCustomChartAxis::TCustomChartAxis(TAxisHost* owner) : mOwner(owner) {
  auto changed = [this] { mOwner->InvalidateChart(); };
  mAxis = std::make_unique<TChartAxisPen>(changed);
  mTitle = std::make_unique<TChartAxisTitle>(*this);
  mGrid = std::make_unique<TDottedGrayPen>(changed);
  mLabelsFont = std::make_unique<fw::TFont>();
  ChartDefaultFont(*mLabelsFont);
  mLabelsFont->OnChange = changed;
  mMinorGrid = std::make_unique<TChartHiddenPen>(changed);
  mMinorTicks = std::make_unique<TDarkGrayPen>(changed);
  mTicks = std::make_unique<TDarkGrayPen>(changed);
  mTicksInner = std::make_unique<TDarkGrayPen>(changed);
  mOwner->AddAxis(*this);
}

TCustomChartAxis::~TCustomChartAxis() = default;

void TCustomChartAxis::CopySettingsFrom(const TCustomChartAxis& source) {
  if (&source == this) return;
  mAutomatic = source.mAutomatic;
  mAutomaticMaximum = source.mAutomaticMaximum;
  mAutomaticMinimum = source.mAutomaticMinimum;
  mIncrement = source.mIncrement;
  mMaximum = source.mMaximum;
  mMinimum = source.mMinimum;
  mLogarithmic = mScale.Logarithmic = source.mLogarithmic;
  mLogarithmicBase = source.mLogarithmicBase;
  mAxis->Assign(*source.mAxis);
  mTitle->CopySettingsFrom(*source.mTitle);
  mTitleSize = source.mTitleSize;
  mGrid->Assign(*source.mGrid);
  mGridCentered = source.mGridCentered;
  mLabels = source.mLabels;
  mLabelsAngle = source.mLabelsAngle;
  mLabelsFont->Assign(*source.mLabelsFont);
  mLabelsOnAxis = source.mLabelsOnAxis;
  mLabelsSeparation = source.mLabelsSeparation;
  mLabelsSize = source.mLabelsSize;
  mLabelStyle = source.mLabelStyle;
  mAxisValuesFormat = source.mAxisValuesFormat;
  mDateTimeFormat = source.mDateTimeFormat;
  mExactDateTime = source.mExactDateTime;
  mRoundFirstLabel = source.mRoundFirstLabel;
  mLabelsMultiLine = source.mLabelsMultiLine;
  mMinorGrid->Assign(*source.mMinorGrid);
  mMinorTickCount = source.mMinorTickCount;
  mMinorTickLength = source.mMinorTickLength;
  mMinorTicks->Assign(*source.mMinorTicks);
  mTicks->Assign(*source.mTicks);
  mTicksInner->Assign(*source.mTicksInner);
  mTickInnerLength = source.mTickInnerLength;
  mTickLength = source.mTickLength;
  mTickOnLabelsOnly = source.mTickOnLabelsOnly;
  mInverted = mScale.Inverted = source.mInverted;
  SetIsHorizontal(source.mIsHorizontal);
  mIsOtherSide = source.mIsOtherSide;
  mVisible = source.mVisible;
  mStartPosition = source.mStartPosition;
  mEndPosition = source.mEndPosition;
  mPositionPercent = source.mPositionPercent;
  mIsDepth = source.mIsDepth;
  mOwner->InvalidateChart();
}

// ---- settings ---------------------------------------------------------------------------------

void TCustomChartAxis::SetAutomatic(bool value) {
  ChangeProperty(mAutomatic, value);
  if (mOwner->ChartLoading()) return;
  ChangeProperty(mAutomaticMinimum, value);
  ChangeProperty(mAutomaticMaximum, value);
}

void TCustomChartAxis::SetAutomaticMaximum(bool value) {
  ChangeProperty(mAutomaticMaximum, value);
  if (!value) ChangeProperty(mAutomatic, false);
  else if (mAutomaticMinimum) ChangeProperty(mAutomatic, true);
}

void TCustomChartAxis::SetAutomaticMinimum(bool value) {
  ChangeProperty(mAutomaticMinimum, value);
  if (!value) ChangeProperty(mAutomatic, false);
  else if (mAutomaticMaximum) ChangeProperty(mAutomatic, true);
}

void TCustomChartAxis::SetIncrement(double value) {
  if (!(value >= 0) || !std::isfinite(value)) throw AxisException(ChartConst::AxisIncrementNegative);
  ChangeProperty(mIncrement, value);
}

void TCustomChartAxis::SetMaximum(double value) {
  // A number that is not finite can never be a sound end, loading or not.
  if (!std::isfinite(value) || (!mOwner->ChartLoading() && value < mMinimum))
    throw AxisException(ChartConst::AxisMaximumBelowMinimum);
  ChangeProperty(mMaximum, value);
}

void TCustomChartAxis::SetMinimum(double value) {
  if (!std::isfinite(value) || (!mOwner->ChartLoading() && value > mMaximum))
    throw AxisException(ChartConst::AxisMinimumAboveMaximum);
  ChangeProperty(mMinimum, value);
}

void TCustomChartAxis::SetLogarithmic(bool value) {
  if (value && !mLogarithmic) {
    if (UsesDateTime()) throw AxisException(ChartConst::AxisDateTimeLogarithmic);
    ComputeWorkingRange();
    if (WorkingMinimum() < 0 || WorkingMaximum() < 0)
      throw AxisException(ChartConst::AxisLogarithmicNegativeRange);
  }
  ChangeProperty(mLogarithmic, value);
  mScale.Logarithmic = value;
}

void TCustomChartAxis::SetLogarithmicBase(int32_t value) {
  if (value < 2) throw AxisException(ChartConst::AxisLogarithmicBaseTooSmall);
  ChangeProperty(mLogarithmicBase, value);
}

void TCustomChartAxis::SetInverted(bool value) {
  ChangeProperty(mInverted, value);
  mScale.Inverted = value;
}

void TCustomChartAxis::SetAxis(const TChartPen& value) { mAxis->Assign(value); }
void TCustomChartAxis::SetGrid(const TChartPen& value) { mGrid->Assign(value); }
void TCustomChartAxis::SetMinorGrid(const TChartPen& value) { mMinorGrid->Assign(value); }
void TCustomChartAxis::SetMinorTicks(const TChartPen& value) { mMinorTicks->Assign(value); }
void TCustomChartAxis::SetTicks(const TChartPen& value) { mTicks->Assign(value); }
void TCustomChartAxis::SetTicksInner(const TChartPen& value) { mTicksInner->Assign(value); }

void TCustomChartAxis::SetTitle(const TChartAxisTitle& value) {
  mTitle->CopySettingsFrom(value);
  mOwner->InvalidateChart();
}

void TCustomChartAxis::SetTitleSize(int32_t value) { ChangeProperty(mTitleSize, value); }
void TCustomChartAxis::SetLabels(bool value) { ChangeProperty(mLabels, value); }

void TCustomChartAxis::SetLabelsAngle(int32_t value) {
  if (value == mLabelsAngle) return;
  ValidateAngle(value, ChartConst::AxisLabelsAngleDescription);
  ChangeProperty(mLabelsAngle, value);
}

void TCustomChartAxis::SetLabelsFont(const fw::TFont& value) { mLabelsFont->Assign(value); }
void TCustomChartAxis::SetLabelsOnAxis(bool value) { ChangeProperty(mLabelsOnAxis, value); }

void TCustomChartAxis::SetLabelsSeparation(int32_t value) {
  if (value < 0) throw AxisException(ChartConst::AxisLabelsSeparationNegative);
  ChangeProperty(mLabelsSeparation, value);
}

void TCustomChartAxis::SetLabelsSize(int32_t value) { ChangeProperty(mLabelsSize, value); }
void TCustomChartAxis::SetLabelStyle(TAxisLabelStyle value) { ChangeProperty(mLabelStyle, value); }
void TCustomChartAxis::SetAxisValuesFormat(const std::string& value) { ChangeProperty(mAxisValuesFormat, value); }
void TCustomChartAxis::SetDateTimeFormat(const std::string& value) { ChangeProperty(mDateTimeFormat, value); }
void TCustomChartAxis::SetExactDateTime(bool value) { ChangeProperty(mExactDateTime, value); }
void TCustomChartAxis::SetRoundFirstLabel(bool value) { ChangeProperty(mRoundFirstLabel, value); }
void TCustomChartAxis::SetLabelsMultiLine(bool value) { ChangeProperty(mLabelsMultiLine, value); }
void TCustomChartAxis::SetGridCentered(bool value) { ChangeProperty(mGridCentered, value); }
void TCustomChartAxis::SetMinorTickCount(int32_t value) { ChangeProperty(mMinorTickCount, value); }
void TCustomChartAxis::SetMinorTickLength(int32_t value) { ChangeProperty(mMinorTickLength, value); }
void TCustomChartAxis::SetTickInnerLength(int32_t value) { ChangeProperty(mTickInnerLength, value); }
void TCustomChartAxis::SetTickLength(int32_t value) { ChangeProperty(mTickLength, value); }
void TCustomChartAxis::SetTickOnLabelsOnly(bool value) { ChangeProperty(mTickOnLabelsOnly, value); }
void TCustomChartAxis::SetVisible(bool value) { ChangeProperty(mVisible, value); }
void TCustomChartAxis::SetStartPosition(double value) { ChangeProperty(mStartPosition, value); }
void TCustomChartAxis::SetEndPosition(double value) { ChangeProperty(mEndPosition, value); }
void TCustomChartAxis::SetPositionPercent(double value) { ChangeProperty(mPositionPercent, value); }

// ---- range and mapping -----------------------------------------------------------------------

void TCustomChartAxis::ComputeWorkingRange() {
  if (mAutomatic || mAutomaticMaximum) mMaximum = mOwner->SeriesRangeForAxis(*this, false, mIsHorizontal);
  if (mAutomatic || mAutomaticMinimum) mMinimum = mOwner->SeriesRangeForAxis(*this, true, mIsHorizontal);
  mScale.SetRange(mMinimum, mMaximum);
}

void TCustomChartAxis::ComputePixelSpan() {
  const fw::TRect r = mOwner->ChartPlotRect();
  const int32_t origin = mIsHorizontal ? r.Left : r.Top;
  const double length = mIsHorizontal ? r.Width() : r.Height();
  const int64_t start = int64_t{origin} + RoundHalfEven(length * 0.01 * mStartPosition);
  const int64_t end = int64_t{origin} + RoundHalfEven(length * 0.01 * mEndPosition);
  mScale.SetSpan(axisdetail::ClampPixel(start), axisdetail::ClampPixel(end));
}

void TCustomChartAxis::WidenForMargins(const fw::TRect& margins) {
  const int32_t a = mIsHorizontal ? margins.Left : margins.Top;
  const int32_t b = mIsHorizontal ? margins.Right : margins.Bottom;
  const int32_t s = mScale.StartPixel;
  const int32_t e = mScale.EndPixel;
  mScale.SetSpan(axisdetail::ClampPixel(int64_t{s} + a), axisdetail::ClampPixel(int64_t{e} - b));
  double p = mScale.PixelToValue(s);
  double q = mScale.PixelToValue(e);
  ComputePixelSpan();
  if (p > q) std::swap(p, q);
  mScale.SetRange(p, q);
}

int32_t TCustomChartAxis::ValueToPixel(double value) const {
  if (mIsDepth) return ValueToDepth(value);
  return mScale.ValueToPixel(value);
}

double TCustomChartAxis::PixelToValue(int32_t pixel) const { return mScale.PixelToValue(pixel); }

int32_t TCustomChartAxis::ValueToDepth(double value) const {
  return mScale.ValueToDepth(value, mOwner->ChartDepthWidth());
}

void TCustomChartAxis::SetAxisRange(double a, double b) {
  mAutomatic = mAutomaticMinimum = mAutomaticMaximum = false;
  if (a > b) std::swap(a, b);
  ChangeProperty(mMinimum, a);
  ChangeProperty(mMaximum, b);
  if (mMaximum - mMinimum < 1e-10) ChangeProperty(mMaximum, mMinimum + 1e-10);
}

void TCustomChartAxis::ShiftRange(double offset, bool checkLimits) {
  if (checkLimits) {
    if (offset > 0) {
      if (!(mOwner->SeriesRangeForAxis(*this, false, mIsHorizontal) > mMaximum)) return;
    } else if (offset < 0) {
      if (!(mOwner->SeriesRangeForAxis(*this, true, mIsHorizontal) < mMinimum)) return;
    } else {
      return;
    }
  }
  mAutomatic = mAutomaticMinimum = mAutomaticMaximum = false;
  mMaximum += offset;
  mMinimum += offset;
  mOwner->InvalidateChart();
}

bool TCustomChartAxis::AxisContainsPoint(int32_t x, int32_t y) const {
  if (!mOwner->AxisShown(*this)) return false;
  const int32_t alongLow = std::min(mScale.StartPixel, mScale.EndPixel);
  const int32_t alongHigh = std::max(mScale.StartPixel, mScale.EndPixel);
  int32_t acrossLow, acrossHigh;
  if (mLabelsPosition < mAxisLinePosition) {
    acrossLow = mLabelsPosition;
    acrossHigh = mAxisLinePosition + 3;
  } else {
    acrossLow = mAxisLinePosition - 3;
    acrossHigh = mLabelsPosition;
  }
  const int32_t along = mIsHorizontal ? x : y;
  const int32_t across = mIsHorizontal ? y : x;
  return along >= alongLow && along < alongHigh && across >= acrossLow && across < acrossHigh;
}

bool TCustomChartAxis::UsesDateTime() const {
  for (int32_t i = 0; i < mOwner->SeriesCount(); ++i) {
    const TChartSeries& series = mOwner->SeriesAt(i);
    if (!series.Active() || !series.UsesAxis(this)) continue;
    return mIsHorizontal ? series.XValues().DateTime() : series.YValues().DateTime();
  }
  return false;
}

}  // namespace chart
