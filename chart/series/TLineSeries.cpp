#include "chart/series/TLineSeries.h"

#include "chart/ChartConst.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartValueList.h"
#include "chart/series/LegendPointer.h"
#include "chart/series/TSeriesGallery.h"
#include "chart/series/TSeriesPointer.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

TLineSeries::TLineSeries(fw::TComponent* owner) : TCustomSeries(owner, true, false, false) { SetExtendToEdge(true); }

void TLineSeries::SetSeriesColor(fw::TColor value) {
  TChartSeries::SetSeriesColor(value);
  LinePen().SetColor(value);
}

void TLineSeries::SetLinePen(const fw::TPen& value) {
  LinePen().Assign(value);
  SetSeriesColor(LinePen().Color());
}

void TLineSeries::DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) {
  const fw::TColor color = LegendSymbolColor(valueIndex);
  TSeriesHost* chart = ParentChart();
  if (color == fw::clNone || !chart) return;
  TCanvas3D& canvas = chart->Canvas3D();
  PrepareLinePen(canvas);
  if (!canvas.Surface()) return;
  canvas.Pen().SetColor(color);
  const int32_t y = LegendMiddle(rect.Top, rect.Bottom);
  canvas.DrawHorizontalLine(rect.Left, rect.Right, y);
  if (!Pointer().Visible()) return;
  int32_t h = 0, v = 0;
  LegendPointerSize(rect, Pointer().HorizSize(), Pointer().VertSize(), h, v);
  canvas.SetBackgroundColor(chart->ChartLegendColor());
  Pointer().DrawFlat(canvas, LegendMiddle(rect.Left, rect.Right), y, h, v, color);
}

void RegisterLineSeriesClass() {
  fw::RegisterClass<TLineSeries>("TLineSeries")
      .Inherits<TChartSeries>()
      .Creatable()
      .Boolean("Dark3D", &TCustomSeries::Dark3D, &TCustomSeries::SetDark3D)
      .Default(true)
      .Boolean("InvertedStairs", &TCustomSeries::InvertedStairs, &TCustomSeries::SetInvertedStairs)
      .Default(false)
      .Object("LinePen", &TCustomSeries::LinePen)
      .Object("Pointer", &TCustomSeries::Pointer)
      .Boolean("Stairs", &TCustomSeries::Stairs, &TCustomSeries::SetStairs)
      .Default(false)
      .Object("XValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::XValues))
      .Object("YValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::YValues));
  RegisterGallerySeries(ChartConst::GalleryPageStandard, "TLineSeries", ChartConst::GalleryLine, 2);
}

}  // namespace chart
