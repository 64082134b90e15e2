#include "chart/series/TPieOtherSlice.h"

#include <cmath>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"

namespace chart {

TPieOtherSlice::TPieOtherSlice(std::function<void()> onChange)
    : mText(ChartConst::PieOtherSliceDefaultText), mOnChange(std::move(onChange)) {}

void TPieOtherSlice::SetStyle(TPieOtherStyle value) {
  if (value < poNone || value > poBelowValue) value = poNone;
  if (mStyle == value) return;
  mStyle = value;
  Changed();
}

void TPieOtherSlice::SetValue(double value) {
  if (!(value >= 0) || !std::isfinite(value)) throw ChartException(ChartConst::PieOtherSliceValueNegative);
  if (mValue == value) return;
  mValue = value;
  Changed();
}

void TPieOtherSlice::SetText(const std::string& value) {
  if (mText == value) return;
  mText = value;
  Changed();
}

void TPieOtherSlice::SetColor(fw::TColor value) {
  if (mColor == value) return;
  mColor = value;
  Changed();
}

void TPieOtherSlice::Assign(const TPieOtherSlice& source) {
  if (&source == this) return;
  mStyle = source.mStyle;
  mValue = source.mValue;
  mText = source.mText;
  mColor = source.mColor;
  Changed();
}

}  // namespace chart
