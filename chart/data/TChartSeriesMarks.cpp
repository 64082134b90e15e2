// The series side of marks: the text of a mark and the loop that places and draws the marks of
// the visible points. The drawing of one mark is TSeriesMarks::DrawOneMark.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "chart/ChartConst.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/MarkText.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "framework/graphics/TFont.h"
#include "framework/runtime/FormatFloat.h"
#include "framework/runtime/Rounding.h"

namespace chart {

namespace {

std::string FillPercentOfTotal(const std::string& percent, const std::string& total) {
  std::string text = ChartConst::MarksPercentOfTotal;
  const auto first = text.find("%s");
  if (first == std::string::npos) return text;
  text.replace(first, 2, percent);
  const auto second = text.find("%s", first + percent.size());
  if (second != std::string::npos) text.replace(second, 2, total);
  return text;
}

// Selects the marks font into the chart canvas, zoomed with the 3D text zoom when the canvas does
// not scale text itself.
void SelectMarksFont(TSeriesHost& chart, TCanvas3D& canvas, const fw::TFont& marksFont) {
  chart.ChartSelectFont(marksFont);
  const TView3DOptions* options = canvas.View3DOptions();
  if (chart.ChartView3D() && !canvas.ScalesTextItself() && options && options->ZoomText()) {
    fw::TFont& font = canvas.Font();
    font.SetSize(std::max(1, fw::RoundHalfEven(static_cast<long double>(font.Size()) * options->Zoom() * 0.01L)));
  }
}

}  // namespace

std::string TChartSeries::MarkText(int32_t index) {
  const double value = MarkValue(index);
  const double total = MandatoryList().TotalAbsValue();
  const auto valueText = [&] { return fw::FormatFloat(mValueFormat, value); };
  const auto percentText = [&] {
    const double percent = total == 0 ? 100.0 : std::fabs(value) * 100.0 / total;
    return fw::FormatFloat(mPercentFormat, percent);
  };
  const auto labelOrValue = [&] {
    std::string label = LabelOfPoint(index);
    return label.empty() ? valueText() : label;
  };
  const auto percentOfTotal = [&] { return FillPercentOfTotal(percentText(), fw::FormatFloat(mValueFormat, total)); };

  std::string text;
  switch (mMarks->Style()) {
    case smsValue: text = valueText(); break;
    case smsPercent: text = percentText(); break;
    case smsLabel: text = labelOrValue(); break;
    case smsLabelPercent: text = labelOrValue() + ' ' + percentText(); break;
    case smsLabelValue: text = labelOrValue() + ' ' + valueText(); break;
    case smsLegend: text = mParentChart ? mParentChart->FormattedLegendValue(*this, index) : std::string(); break;
    case smsPercentTotal: text = percentOfTotal(); break;
    case smsLabelPercentTotal: text = labelOrValue() + ' ' + percentOfTotal(); break;
    case smsXValue:
      text = mParentChart && mResolvedHorizAxis
                 ? mParentChart->AxisValueText(*mResolvedHorizAxis, XValueOf(index), mValueFormat)
                 : fw::FormatFloat(mValueFormat, XValueOf(index));
      break;
  }
  if (OnGetMarkText) OnGetMarkText(this, index, text);
  return text;
}

int32_t TChartSeries::MaxMarkWidth() {
  if (!mParentChart) return 0;
  TCanvas3D& canvas = mParentChart->Canvas3D();
  if (!canvas.Surface()) return 0;
  int32_t widest = 0;
  const int32_t count = PointCount();
  for (int32_t i = 0; i < count; ++i) {
    ForEachMarkLine(MarkText(i), [&](std::string_view line) {
      widest = std::max(widest, canvas.MeasureTextWidth(std::string(line)));
    });
  }
  return widest;
}

void TChartSeries::DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position) {
  mMarks->DrawOneMark(index, ColorOfPoint(index), position, text);
}

void TChartSeries::DrawMarks() {
  TSeriesHost* chart = mParentChart;
  if (!chart || !mMarks->Visible() || mFirstVisible < 0) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  const int32_t first = mFirstVisible;
  const int32_t last = std::min(mLastVisible, PointCount() - 1);

  const TChartPen& frame = mMarks->Frame();

  for (int32_t i = first; i <= last; ++i) {
    if (IsNullPoint(i)) continue;
    const std::string text = MarkText(i);
    if (text.empty()) continue;
    // Selected after the text is built: a mark text handler may change the font for this point.
    SelectMarksFont(*chart, canvas, mMarks->Font());
    const int32_t lineHeight = canvas.CharacterHeight();
    const int32_t extraWidth = canvas.MeasureTextWidth("W");
    int32_t lines = 0;
    int32_t widest = 0;
    ForEachMarkLine(text, [&](std::string_view line) {
      ++lines;
      widest = std::max(widest, canvas.MeasureTextWidth(std::string(line)));
    });
    int64_t width = int64_t{widest} + extraWidth;
    int64_t height = int64_t{lines} * lineHeight;
    canvas.ApplyChartPen(frame);
    if (frame.Visible()) {
      width += 2 * int64_t{frame.Width()};
      height += 2 * int64_t{frame.Width()};
    }
    TSeriesMarkPosition position;
    const int32_t x = XPixel(i);
    const int32_t y = YPixel(i);
    position.ArrowFromX = position.ArrowToX = x;
    position.ArrowFromY = position.ArrowToY = y;
    position.Width = static_cast<int32_t>(std::min<int64_t>(width, INT32_MAX));
    position.Height = static_cast<int32_t>(std::min<int64_t>(height, INT32_MAX));
    position.LeftTopX = static_cast<int32_t>(int64_t{x} - position.Width / 2);
    position.LeftTopY = static_cast<int32_t>(int64_t{y} - position.Height + 1);
    DrawMark(i, text, position);
  }
}

}  // namespace chart
