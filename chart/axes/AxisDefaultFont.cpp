#include "chart/axes/AxisDefaultFont.h"

#include "chart/ChartConst.h"
#include "framework/graphics/TFont.h"

namespace chart {

void AssignAxisDefaultFont(fw::TFont& font) {
  font.SetName(ChartConst::ChartDefaultFontName);
  font.SetSize(ChartConst::ChartDefaultFontSize);
  font.SetColor(fw::clBlack);
  font.SetStyle(0);
  font.SetCharset(fw::DEFAULT_CHARSET);
}

}  // namespace chart
