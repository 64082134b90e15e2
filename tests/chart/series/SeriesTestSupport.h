#pragma once
// A small flat or 3D chart without axes, legend or titles, with fixed axis ranges, for pixel
// tests of the series types.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <vector>

#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TCustomChart.h"
#include "chart/series/TCustomSeries.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"

namespace seriestest {

struct TSeriesChart {
  chart::TChart Chart;
  std::vector<std::unique_ptr<chart::TChartSeries>> Series;  // freed first: they leave the chart
  std::unique_ptr<fw::TBitmap> Image;

  explicit TSeriesChart(int32_t width = 200, int32_t height = 150, bool view3D = false) {
    Chart.SetBounds(0, 0, width, height);
    Chart.SetView3D(view3D);
    Chart.View3DOptions().SetOrthogonal(true);
    Chart.SetAxisVisible(false);
    Chart.SetColor(fw::clWhite);
    Chart.Legend().SetVisible(false);
    // Points 0 .. 10 stay clear of the plot's frame.
    SetRange(Chart.BottomAxis(), -1, 11);
    SetRange(Chart.LeftAxis(), -1, 11);
  }
  ~TSeriesChart() { Series.clear(); }

  static void SetRange(chart::TCustomChartAxis& axis, double minimum, double maximum) {
    axis.SetAutomatic(false);
    axis.SetMaximum(1e300);
    axis.SetMinimum(minimum);
    axis.SetMaximum(maximum);
  }

  /// A series of type S with points (i, ys[i]) in the given colour, shown by the chart.
  template <class S>
  S& Add(std::initializer_list<double> ys, fw::TColor color) {
    auto s = std::make_unique<S>();
    s->SetSeriesColor(color);
    int32_t x = 0;
    for (double y : ys) s->AppendPoint(x++, y, "", fw::clDefault);
    s->SetParentChart(&Chart);
    S& result = *s;
    Series.push_back(std::move(s));
    return result;
  }

  fw::TSurface& Draw() {
    Image = std::make_unique<fw::TBitmap>(Chart.Width(), Chart.Height());
    Chart.DrawToCanvas(Image->Canvas(), Chart.GetPaintArea());
    return Image->Canvas();
  }
  fw::TColor At(int32_t x, int32_t y) { return Image->Canvas().GetPixel(x, y); }
};

/// Bounding box of the pixels in `area` that differ from `background` (empty when none do).
inline fw::TRect InkBounds(fw::TSurface& s, const fw::TRect& area, fw::TColor background = fw::clWhite) {
  fw::TRect box{area.Right, area.Bottom, area.Left, area.Top};
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    for (int32_t x = area.Left; x < area.Right; ++x)
      if (s.GetPixel(x, y) != background) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

/// Bounding box of the pixels of exactly `color` in `area` (empty when there is none).
inline fw::TRect ColorBounds(fw::TSurface& s, const fw::TRect& area, fw::TColor color) {
  fw::TRect box{area.Right, area.Bottom, area.Left, area.Top};
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    for (int32_t x = area.Left; x < area.Right; ++x)
      if (s.GetPixel(x, y) == color) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

/// The series' merging work on or off for one scope, switched back on at its end (also when
/// an assertion leaves the scope early).
struct TMergeDrawingScope {
  explicit TMergeDrawingScope(bool merge) { chart::TCustomSeries::SetMergeDrawing(merge); }
  ~TMergeDrawingScope() { chart::TCustomSeries::SetMergeDrawing(true); }
  TMergeDrawingScope(const TMergeDrawingScope&) = delete;
  TMergeDrawingScope& operator=(const TMergeDrawingScope&) = delete;
};

/// Dense passes drawn by their pixel columns whenever that applies (`columns`), or never; the
/// densities from which they are taken come back at the end of the scope.
struct TColumnsScope {
  explicit TColumnsScope(bool columns)
      : mLines(chart::TFastLineSeries::ColumnsFromDensity), mPointers(chart::TCustomSeries::PointerColumnsFromDensity) {
    chart::TFastLineSeries::ColumnsFromDensity = columns ? 0 : INT32_MAX;
    chart::TCustomSeries::PointerColumnsFromDensity = columns ? 0 : INT32_MAX;
  }
  ~TColumnsScope() {
    chart::TFastLineSeries::ColumnsFromDensity = mLines;
    chart::TCustomSeries::PointerColumnsFromDensity = mPointers;
  }
  TColumnsScope(const TColumnsScope&) = delete;
  TColumnsScope& operator=(const TColumnsScope&) = delete;

private:
  int32_t mLines, mPointers;
};

/// Every pixel of the surface, row by row.
inline std::vector<fw::TColor> AllPixels(fw::TSurface& s) {
  std::vector<fw::TColor> pixels;
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) pixels.push_back(s.GetPixel(x, y));
  return pixels;
}

/// How many pixels of two frames of the same size differ.
inline size_t DifferingPixels(const std::vector<fw::TColor>& a, const std::vector<fw::TColor>& b) {
  size_t differences = 0;
  for (size_t k = 0; k < a.size() && k < b.size(); ++k) differences += a[k] != b[k];
  return differences;
}

inline int Count(fw::TSurface& s, const fw::TRect& area, fw::TColor color) {
  int n = 0;
  for (int32_t y = area.Top; y < area.Bottom; ++y)
    for (int32_t x = area.Left; x < area.Right; ++x) n += s.GetPixel(x, y) == color ? 1 : 0;
  return n;
}

/// A random 3D look: a depth of 1 to maxPercent %, oblique mostly, sometimes rotated or at a zoom
/// off 100 %, sometimes moved.
inline void RandomView3D(chart::TChart& chart, std::mt19937& rng, uint32_t maxPercent) {
  chart.SetChart3DPercent(1 + static_cast<int32_t>(rng() % maxPercent));
  chart::TView3DOptions& view = chart.View3DOptions();
  view.SetOrthogonal(rng() % 6 != 0);
  if (rng() % 6 == 0) view.SetZoom(rng() % 2 ? 90 : 137);
  if (rng() % 3 == 0) view.SetHorizOffset(static_cast<int32_t>(rng() % 60) - 30);
  if (rng() % 3 == 0) view.SetVertOffset(static_cast<int32_t>(rng() % 60) - 30);
}

}  // namespace seriestest
