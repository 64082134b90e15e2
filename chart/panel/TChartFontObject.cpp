#include "chart/panel/TChartFontObject.h"

#include "chart/ChartConst.h"
#include "chart/panel/TCustomChartPanel.h"

namespace chart {

void ChartDefaultFont(fw::TFont& font) {
  font.SetName(ChartConst::ChartDefaultFontName);
  font.SetSize(ChartConst::ChartDefaultFontSize);
  font.SetColor(fw::clBlack);
  font.SetStyle(0);
  font.SetCharset(fw::DEFAULT_CHARSET);
}

bool IsChartDefaultFont(const fw::TFont& font) {
  return font.Name() == ChartConst::ChartDefaultFontName && font.Size() == ChartConst::ChartDefaultFontSize &&
         font.Color() == fw::clBlack && font.Style() == 0 && font.Charset() == fw::DEFAULT_CHARSET;
}

TChartFontObject::TChartFontObject(TCustomChartPanel* parent)
    : mParent(parent), mFont(std::make_unique<fw::TFont>()) {
  ChartDefaultFont(*mFont);
  mFont->OnChange = [this] { Repaint(); };
}

TChartFontObject::~TChartFontObject() = default;

void TChartFontObject::Repaint() const {
  if (mParent) mParent->NotifyChange();
}

}  // namespace chart
