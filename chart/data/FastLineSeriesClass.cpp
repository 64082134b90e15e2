// Published properties of the fast line series for the form reader and writer.
#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartValueList.h"
#include "chart/data/TFastLineSeries.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

void RegisterFastLineSeriesClass() {
  fw::RegisterClass<TFastLineSeries>("TFastLineSeries")
      .Inherits<TChartSeries>()
      .Creatable()
      .Boolean("AutoRepaint", &TFastLineSeries::AutoRepaint, &TFastLineSeries::SetAutoRepaint)
      .Default(true)
      .Object("LinePen", &TFastLineSeries::LinePen)
      .Object("XValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::XValues))
      .Object("YValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::YValues));
}

}  // namespace chart
