// Published properties of the legend for the form reader and writer.
#include "chart/panel/ChartLegendClass.h"

#include "chart/panel/TChartLegend.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

void RegisterChartLegendClass() {
  fw::RegisterClass<TChartLegend>("TChartLegend")
      .Enumeration("Alignment", &TChartLegend::Alignment, &TChartLegend::SetAlignment,
                   {"laLeft", "laRight", "laTop", "laBottom"})
      .Default(laRight)
      .Object("Brush", &TChartLegend::Brush)
      .Color("Color", &TChartLegend::Color, &TChartLegend::SetColor)
      .Default(fw::clWhite)
      .Integer("ColorWidth", &TChartLegend::ColorWidth, &TChartLegend::SetColorWidth)
      .Default(12)
      .Object("DividingLines", &TChartLegend::DividingLines)
      .Integer("FirstValue", &TChartLegend::FirstValue, &TChartLegend::SetFirstValue)
      .Default(0)
      .Object("Font", &TChartLegend::Font)
      .Stored([](TChartLegend& l) { return l.IsFontStored(); })
      .Object("Frame", &TChartLegend::Frame)
      .Integer("HorizMargin", &TChartLegend::HorizMargin, &TChartLegend::SetHorizMargin)
      .Default(0)
      .Boolean("Inverted", &TChartLegend::Inverted, &TChartLegend::SetInverted)
      .Default(false)
      .Enumeration("LegendStyle", &TChartLegend::LegendStyle, &TChartLegend::SetLegendStyle,
                   {"lsAuto", "lsSeries", "lsValues", "lsLastValues"})
      .Default(lsAuto)
      .Integer("MaxNumRows", &TChartLegend::MaxNumRows, &TChartLegend::SetMaxNumRows)
      .Default(10)
      .Boolean("ResizeChart", &TChartLegend::ResizeChart, &TChartLegend::SetResizeChart)
      .Default(true)
      .Color("ShadowColor", &TChartLegend::ShadowColor, &TChartLegend::SetShadowColor)
      .Default(fw::clBlack)
      .Integer("ShadowSize", &TChartLegend::ShadowSize, &TChartLegend::SetShadowSize)
      .Default(3)
      .Enumeration("TextStyle", &TChartLegend::TextStyle, &TChartLegend::SetTextStyle,
                   {"ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent", "ltsRightPercent", "ltsXValue"})
      .Default(ltsLeftValue)
      .Integer("TopPos", &TChartLegend::TopPos, &TChartLegend::SetTopPos)
      .Default(10)
      .Integer("VertMargin", &TChartLegend::VertMargin, &TChartLegend::SetVertMargin)
      .Default(0)
      .Boolean("Visible", &TChartLegend::Visible, &TChartLegend::SetVisible)
      .Default(true);
}

}  // namespace chart
