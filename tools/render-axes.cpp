// Renders the two axes of the main window (bottom 0..1000, left -1000..1000 with Increment 10)
// into a PNG, laid out the way the chart lays out its axes, for looking at labels, ticks and
// grid without the rest of the chart.
//
//   render-axes [output.png] [width height]
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "chart/axes/TAxisHost.h"
#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/controls/TApplication.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TSurface.h"

namespace {

using namespace chart;

// Just enough chart for axes without series: a plot rectangle, a canvas and fixed ranges.
class AxesOnlyChart : public TAxisHost {
public:
  AxesOnlyChart(fw::TSurface& surface, const fw::TRect& bounds) {
    mCanvas.SetBuffered(false);
    mCanvas.PrepareSurface(&surface, &mOptions, fw::clWhite, false, bounds);
  }

  void AddAxis(TCustomChartAxis& axis) override { mAxes.push_back(&axis); }
  void RemoveAxis(TCustomChartAxis& axis) override { std::erase(mAxes, &axis); }
  int32_t AxisCount() const override { return static_cast<int32_t>(mAxes.size()); }
  TCustomChartAxis& Axes(int32_t index) const override { return *mAxes.at(static_cast<size_t>(index)); }
  bool ChartLoading() const override { return false; }
  void InvalidateChart() override {}
  TCustomChartPanel* ChartPanel() override { return nullptr; }
  fw::TRect ChartPlotRect() const override { return Plot; }
  int32_t ChartDepthWidth() const override { return 0; }
  bool ChartView3D() const override { return false; }
  fw::TColor ChartColor() const override { return fw::clWhite; }
  bool ChartPrintingActive() const override { return false; }
  TCanvas3D& Canvas3D() override { return mCanvas; }
  void ChartSelectFont(const fw::TFont& font) override { mCanvas.Font().Assign(font); }
  int32_t ChartMeasureMultiLineText(const std::string& text, int32_t& lineCount) override {
    lineCount = 0;
    int32_t width = 0;
    size_t start = 0;
    for (size_t stop; (stop = text.find('\r', start)) != std::string::npos; start = stop + 1) {
      width = std::max(width, mCanvas.MeasureTextWidth(text.substr(start, stop - start)));
      ++lineCount;
    }
    if (start < text.size() || lineCount == 0) {
      width = std::max(width, mCanvas.MeasureTextWidth(text.substr(start)));
      ++lineCount;
    }
    return width;
  }
  int32_t SeriesCount() const override { return 0; }
  TChartSeries& SeriesAt(int32_t) const override { std::abort(); }
  double SeriesRangeForAxis(const TCustomChartAxis&, bool, bool) const override { return 0; }
  bool AxisShown(const TCustomChartAxis& axis) const override { return axis.Visible(); }
  int32_t WallThicknessForAxis(const TCustomChartAxis&) const override { return 0; }
  int32_t WidestLabelText() const override { return 0; }
  int32_t WidestMark() const override { return 0; }
  std::string LegendTitleOf(int32_t) const override { return {}; }
  std::string SeriesMarkText(TChartSeries&, int32_t) override { return {}; }
  const TAxisOnGetLabel& GetAxisLabelHandler() const override { return mOnGetAxisLabel; }
  const TAxisOnGetNextLabel& GetNextAxisLabelHandler() const override { return mOnGetNextAxisLabel; }

  fw::TRect Plot;

private:
  TChartCanvas3D mCanvas;
  TView3DOptions mOptions;
  std::vector<TCustomChartAxis*> mAxes;
  TAxisOnGetLabel mOnGetAxisLabel;
  TAxisOnGetNextLabel mOnGetNextAxisLabel;
};

void Fix(TCustomChartAxis& axis, double minimum, double maximum) {
  axis.SetAutomatic(false);
  axis.SetMinimum(minimum);
  axis.SetMaximum(maximum);
  axis.SetLabelStyle(talValue);  // no series to choose the style from
}

}  // namespace

int main(int argc, char** argv) {
  const std::string output = argc > 1 ? argv[1] : "axes.png";
  const int32_t width = argc > 3 ? std::atoi(argv[2]) : 961;
  const int32_t height = argc > 3 ? std::atoi(argv[3]) : 529;
  try {
    fw::TApplication application;
    application.Initialize();
    fw::TBitmap bitmap(width, height);
    const fw::TRect bounds{0, 0, width, height};
    AxesOnlyChart chart(bitmap.Canvas(), bounds);
    chart.Canvas3D().Brush().SetColor(fw::clWhite);
    chart.Canvas3D().Brush().SetStyle(fw::bsSolid);
    chart.Canvas3D().EraseArea(bounds);

    TChartAxis bottom(&chart);
    bottom.SetIsHorizontal(true);
    TChartAxis left(&chart);
    left.SetDefaultTitleAngle(90);
    left.Title().SetAngle(90);
    Fix(bottom, 0, 1000);
    Fix(left, -1000, 1000);
    left.SetIncrement(10);

    // Default margins (3, 4, 3, 4 percent) less a title line at the top.
    chart.Plot = {width * 3 / 100, height * 4 / 100 + 16, width - width * 3 / 100, height - height * 4 / 100};
    for (TCustomChartAxis* axis : {&bottom, &left}) axis->ComputeWorkingRange();
    fw::TRect r = chart.Plot;
    for (TCustomChartAxis* axis : {&bottom, &left}) {
      fw::TRect reduced = r;
      axis->ReserveSpace(reduced, true);
      r = reduced;
    }
    chart.Plot = r;
    for (TCustomChartAxis* axis : {&bottom, &left}) axis->ComputePixelSpan();
    for (TCustomChartAxis* axis : {&bottom, &left}) axis->DrawAxis(true);

    bitmap.SaveToFile(output);
    std::printf("%s: plot (%d, %d, %d, %d); bottom %d labels, left %d labels\n", output.c_str(), r.Left, r.Top,
                r.Right, r.Bottom, bottom.TickPositions().Count(), left.TickPositions().Count());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "render-axes: %s\n", e.what());
    return 1;
  }
}
