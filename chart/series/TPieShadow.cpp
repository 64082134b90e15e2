#include "chart/series/TPieShadow.h"

#include "chart/ChartConst.h"
#include "chart/ChartException.h"

namespace chart {

void TPieShadow::SetColor(fw::TColor value) {
  if (mColor == value) return;
  mColor = value;
  Changed();
}

void TPieShadow::SetHorizSize(int32_t value) {
  if (value < -MaxSize || value > MaxSize) throw ChartException(ChartConst::PieShadowSizeRange);
  if (mHorizSize == value) return;
  mHorizSize = value;
  Changed();
}

void TPieShadow::SetVertSize(int32_t value) {
  if (value < -MaxSize || value > MaxSize) throw ChartException(ChartConst::PieShadowSizeRange);
  if (mVertSize == value) return;
  mVertSize = value;
  Changed();
}

void TPieShadow::Assign(const TPieShadow& source) {
  if (&source == this) return;
  mColor = source.mColor;
  mHorizSize = source.mHorizSize;
  mVertSize = source.mVertSize;
  Changed();
}

}  // namespace chart
