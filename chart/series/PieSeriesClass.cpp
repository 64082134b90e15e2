// Published properties of the pie series for the form reader and writer.
#include "chart/series/PieSeriesClass.h"

#include "chart/ChartConst.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartValueList.h"
#include "chart/series/TPieSeries.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

void RegisterPieSeriesClass() {
  fw::RegisterClass<TPieOtherSlice>("TPieOtherSlice")
      .Color("Color", &TPieOtherSlice::Color, &TPieOtherSlice::SetColor)
      .Default(fw::clSilver)
      .Enumeration("Style", &TPieOtherSlice::Style, &TPieOtherSlice::SetStyle,
                   {"poNone", "poBelowPercent", "poBelowValue"})
      .Default(poNone)
      .String("Text", &TPieOtherSlice::Text, &TPieOtherSlice::SetText)
      .Default(ChartConst::PieOtherSliceDefaultText)
      .Real("Value", &TPieOtherSlice::Value, &TPieOtherSlice::SetValue)
      .Default(0.0);

  fw::RegisterClass<TPieShadow>("TPieShadow")
      .Color("Color", &TPieShadow::Color, &TPieShadow::SetColor)
      .Default(fw::clGray)
      .Integer("HorizSize", &TPieShadow::HorizSize, &TPieShadow::SetHorizSize)
      .Default(0)
      .Integer("VertSize", &TPieShadow::VertSize, &TPieShadow::SetVertSize)
      .Default(0);

  using TValueListGetter = TChartValueList& (TChartSeries::*)();
  fw::RegisterClass<TPieSeries>("TPieSeries")
      .Inherits<TChartSeries>()
      .Creatable()
      .Boolean("Circled", &TPieSeries::Circled, &TPieSeries::SetCircled)
      .Default(false)
      // A pie colours its slices from the palette unless told otherwise.
      .Boolean("ColorEachPoint", &TChartSeries::ColorEachPoint, &TChartSeries::SetColorEachPoint)
      .Default(true)
      .Boolean("Dark3D", &TPieSeries::Dark3D, &TPieSeries::SetDark3D)
      .Default(true)
      .Integer("ExplodeBiggest", &TPieSeries::ExplodeBiggest, &TPieSeries::SetExplodeBiggest)
      .Default(0)
      .Object("OtherSlice", &TPieSeries::OtherSlice)
      .Object("PiePen", &TPieSeries::PiePen)
      .Integer("RotationAngle", &TPieSeries::RotationAngle, &TPieSeries::SetRotationAngle)
      .Default(0)
      .Object("Shadow", &TPieSeries::Shadow)
      .Object("XValues", static_cast<TValueListGetter>(&TChartSeries::XValues))
      .Object("YValues", static_cast<TValueListGetter>(&TChartSeries::YValues));
}

}  // namespace chart
