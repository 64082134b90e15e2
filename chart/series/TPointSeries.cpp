#include "chart/series/TPointSeries.h"

#include "chart/ChartConst.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/data/TChartValueList.h"
#include "chart/series/LegendPointer.h"
#include "chart/series/TSeriesGallery.h"
#include "chart/series/TSeriesPointer.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

TPointSeries::TPointSeries(fw::TComponent* owner) : TCustomSeries(owner, false, false, true) {}

void TPointSeries::DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) {
  const fw::TColor color = LegendSymbolColor(valueIndex);
  TSeriesHost* chart = ParentChart();
  if (color == fw::clNone || !chart) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  int32_t h = 0, v = 0;
  LegendPointerSize(rect, Pointer().HorizSize(), Pointer().VertSize(), h, v);
  canvas.SetBackgroundColor(chart->ChartLegendColor());
  Pointer().DrawFlat(canvas, LegendMiddle(rect.Left, rect.Right), LegendMiddle(rect.Top, rect.Bottom), h, v, color);
}

void RegisterPointSeriesClass() {
  fw::RegisterClass<TPointSeries>("TPointSeries")
      .Inherits<TChartSeries>()
      .Creatable()
      .Object("Pointer", &TCustomSeries::Pointer)
      .Object("XValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::XValues))
      .Object("YValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::YValues));
  RegisterGallerySeries(ChartConst::GalleryPageStandard, "TPointSeries", ChartConst::GalleryPoint, 2);
}

}  // namespace chart
