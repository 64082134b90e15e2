#include "chart/series/TAreaSeries.h"

#include "chart/ChartConst.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartValueList.h"
#include "chart/panel/TChartBrush.h"
#include "chart/series/TSeriesGallery.h"
#include "chart/series/TSeriesPointer.h"
#include "framework/graphics/TBrush.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

TAreaSeries::TAreaSeries(fw::TComponent* owner) : TCustomSeries(owner, true, true, false) { SetExtendToEdge(true); }

void TAreaSeries::DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) {
  const fw::TColor color = LegendSymbolColor(valueIndex);
  TSeriesHost* chart = ParentChart();
  if (color == fw::clNone || !chart) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  // The legend has chosen the outline pen; the symbol is filled like the area.
  canvas.SetBackgroundColor(chart->ChartLegendColor());
  canvas.Brush().Assign(AreaBrush());
  canvas.Brush().SetColor(AreaBrush().Color() == fw::clDefault ? color : AreaBrush().Color());
  canvas.DrawRect(rect);
}

void RegisterAreaSeriesClass() {
  fw::RegisterClass<TAreaSeries>("TAreaSeries")
      .Inherits<TChartSeries>()
      .Creatable()
      .Object("AreaBrush", &TCustomSeries::AreaBrush)
      .Object("AreaLinesPen", &TCustomSeries::AreaLinesPen)
      .Boolean("Dark3D", &TCustomSeries::Dark3D, &TCustomSeries::SetDark3D)
      .Default(true)
      .Boolean("InvertedStairs", &TCustomSeries::InvertedStairs, &TCustomSeries::SetInvertedStairs)
      .Default(false)
      .Object("LinePen", &TCustomSeries::LinePen)
      .Enumeration("MultiArea", &TCustomSeries::MultiArea, &TCustomSeries::SetMultiArea,
                   {"maNone", "maStacked", "maStacked100"})
      .Default(maNone)
      .Object("Pointer", &TCustomSeries::Pointer)
      .Boolean("Stairs", &TCustomSeries::Stairs, &TCustomSeries::SetStairs)
      .Default(false)
      .Boolean("UseYOrigin", &TCustomSeries::UseYOrigin, &TCustomSeries::SetUseYOrigin)
      .Default(true)
      .Real("YOrigin", &TCustomSeries::YOrigin, &TCustomSeries::SetYOrigin)
      .Default(0)
      .Object("XValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::XValues))
      .Object("YValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::YValues));
  RegisterGallerySeries(ChartConst::GalleryPageStandard, "TAreaSeries", ChartConst::GalleryArea, 2);
}

}  // namespace chart
