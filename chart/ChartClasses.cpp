// Published properties of the chart classes that no other table covers (pens, 3D options,
// axes), and the one call that registers every chart class a stored layout may name.
#include "chart/ChartClasses.h"

#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/axes/TChartDepthAxis.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/SeriesClasses.h"
#include "chart/functions/FunctionGallery.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/ChartPanelClasses.h"
#include "chart/panel/TChartFontObject.h"
#include "chart/panel/TChartLegend.h"
#include "chart/series/StandardSeries.h"
#include "framework/graphics/TFont.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

namespace {

void RegisterPens() {
  fw::RegisterClass<TChartPen>("TChartPen")
      .Inherits<fw::TPen>()
      .Boolean("SmallDots", &TChartPen::SmallDots, &TChartPen::SetSmallDots)
      .Default(false)
      .Boolean("Visible", &TChartPen::Visible, &TChartPen::SetVisible)
      .Default(true);
  fw::RegisterClass<TChartHiddenPen>("TChartHiddenPen")
      .Inherits<TChartPen>()
      .Boolean("Visible", &TChartPen::Visible, &TChartPen::SetVisible)
      .Default(false);
  fw::RegisterClass<TDottedGrayPen>("TDottedGrayPen")
      .Inherits<TChartPen>()
      .Color("Color", &fw::TPen::Color, &fw::TPen::SetColor)
      .Default(fw::clGray)
      .Enumeration("Style", &fw::TPen::Style, &fw::TPen::SetStyle,
                   {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame",
                    "psAlternate"})
      .Default(fw::psDot);
  fw::RegisterClass<TDarkGrayPen>("TDarkGrayPen")
      .Inherits<TChartPen>()
      .Color("Color", &fw::TPen::Color, &fw::TPen::SetColor)
      .Default(fw::clGray);
  fw::RegisterClass<TChartAxisPen>("TChartAxisPen")
      .Inherits<TChartPen>()
      .Integer("Width", &fw::TPen::Width, &fw::TPen::SetWidth)
      .Default(2);
  fw::RegisterClass<TChartArrowPen>("TChartArrowPen")
      .Inherits<TChartPen>()
      .Color("Color", &fw::TPen::Color, &fw::TPen::SetColor)
      .Default(fw::clWhite);
}

void RegisterView3DOptions() {
  fw::RegisterClass<TView3DOptions>("TView3DOptions")
      .Integer("Elevation", &TView3DOptions::Elevation, &TView3DOptions::SetElevation)
      .Default(345)
      .Integer("HorizOffset", &TView3DOptions::HorizOffset, &TView3DOptions::SetHorizOffset)
      .Default(0)
      .Boolean("Orthogonal", &TView3DOptions::Orthogonal, &TView3DOptions::SetOrthogonal)
      .Default(true)
      .Integer("Perspective", &TView3DOptions::Perspective, &TView3DOptions::SetPerspective)
      .Default(15)
      .Integer("Rotation", &TView3DOptions::Rotation, &TView3DOptions::SetRotation)
      .Default(345)
      .Integer("Tilt", &TView3DOptions::Tilt, &TView3DOptions::SetTilt)
      .Default(0)
      .Integer("VertOffset", &TView3DOptions::VertOffset, &TView3DOptions::SetVertOffset)
      .Default(0)
      .Integer("Zoom", &TView3DOptions::Zoom, &TView3DOptions::SetZoom)
      .Default(100)
      .Boolean("ZoomText", &TView3DOptions::ZoomText, &TView3DOptions::SetZoomText)
      .Default(true);
}

void RegisterAxes() {
  fw::RegisterClass<TChartAxisTitle>("TChartAxisTitle")
      .Integer("Angle", &TChartAxisTitle::Angle, &TChartAxisTitle::SetAngle)
      .Stored([](TChartAxisTitle& t) { return t.Angle() != t.Axis().DefaultTitleAngle(); })
      .String("Caption", &TChartAxisTitle::Caption, &TChartAxisTitle::SetCaption)
      .Default("")
      .Object("Font", &TChartAxisTitle::Font)
      .Stored([](TChartAxisTitle& t) { return !IsChartDefaultFont(t.Font()); });

  fw::RegisterClass<TCustomChartAxis>("TCustomChartAxis")
      .Boolean("Automatic", &TCustomChartAxis::Automatic, &TCustomChartAxis::SetAutomatic)
      .Default(true)
      .Boolean("AutomaticMaximum", &TCustomChartAxis::AutomaticMaximum, &TCustomChartAxis::SetAutomaticMaximum)
      .Default(true)
      .Boolean("AutomaticMinimum", &TCustomChartAxis::AutomaticMinimum, &TCustomChartAxis::SetAutomaticMinimum)
      .Default(true)
      .Object("Axis", &TCustomChartAxis::Axis)
      .String("AxisValuesFormat", &TCustomChartAxis::AxisValuesFormat, &TCustomChartAxis::SetAxisValuesFormat)
      .Default("#,##0.###")
      .String("DateTimeFormat", &TCustomChartAxis::DateTimeFormat, &TCustomChartAxis::SetDateTimeFormat)
      .Default("")
      .Real("EndPosition", &TCustomChartAxis::EndPosition, &TCustomChartAxis::SetEndPosition)
      .Default(100)
      .Boolean("ExactDateTime", &TCustomChartAxis::ExactDateTime, &TCustomChartAxis::SetExactDateTime)
      .Default(true)
      .Object("Grid", &TCustomChartAxis::Grid)
      .Boolean("GridCentered", &TCustomChartAxis::GridCentered, &TCustomChartAxis::SetGridCentered)
      .Default(false)
      .Real("Increment", &TCustomChartAxis::Increment, &TCustomChartAxis::SetIncrement)
      .Boolean("Inverted", &TCustomChartAxis::Inverted, &TCustomChartAxis::SetInverted)
      .Default(false)
      .Boolean("Labels", &TCustomChartAxis::Labels, &TCustomChartAxis::SetLabels)
      .Default(true)
      .Integer("LabelsAngle", &TCustomChartAxis::LabelsAngle, &TCustomChartAxis::SetLabelsAngle)
      .Default(0)
      .Object("LabelsFont", &TCustomChartAxis::LabelsFont)
      .Stored([](TCustomChartAxis& a) { return !IsChartDefaultFont(a.LabelsFont()); })
      .Boolean("LabelsMultiLine", &TCustomChartAxis::LabelsMultiLine, &TCustomChartAxis::SetLabelsMultiLine)
      .Default(false)
      .Boolean("LabelsOnAxis", &TCustomChartAxis::LabelsOnAxis, &TCustomChartAxis::SetLabelsOnAxis)
      .Default(true)
      .Integer("LabelsSeparation", &TCustomChartAxis::LabelsSeparation, &TCustomChartAxis::SetLabelsSeparation)
      .Default(10)
      .Integer("LabelsSize", &TCustomChartAxis::LabelsSize, &TCustomChartAxis::SetLabelsSize)
      .Default(0)
      .Enumeration("LabelStyle", &TCustomChartAxis::LabelStyle, &TCustomChartAxis::SetLabelStyle,
                   {"talAuto", "talNone", "talValue", "talMark", "talText"})
      .Default(talAuto)
      .Boolean("Logarithmic", &TCustomChartAxis::Logarithmic, &TCustomChartAxis::SetLogarithmic)
      .Default(false)
      .Integer("LogarithmicBase", &TCustomChartAxis::LogarithmicBase, &TCustomChartAxis::SetLogarithmicBase)
      .Default(10)
      // The ends are written before Minimum so that reading them back never meets an
      // inverted pair outside the loading state.
      .Real("Maximum", &TCustomChartAxis::Maximum, &TCustomChartAxis::SetMaximum)
      .Real("Minimum", &TCustomChartAxis::Minimum, &TCustomChartAxis::SetMinimum)
      .Object("MinorGrid", &TCustomChartAxis::MinorGrid)
      .Integer("MinorTickCount", &TCustomChartAxis::MinorTickCount, &TCustomChartAxis::SetMinorTickCount)
      .Default(3)
      .Integer("MinorTickLength", &TCustomChartAxis::MinorTickLength, &TCustomChartAxis::SetMinorTickLength)
      .Default(2)
      .Object("MinorTicks", &TCustomChartAxis::MinorTicks)
      .Real("PositionPercent", &TCustomChartAxis::PositionPercent, &TCustomChartAxis::SetPositionPercent)
      .Boolean("RoundFirstLabel", &TCustomChartAxis::RoundFirstLabel, &TCustomChartAxis::SetRoundFirstLabel)
      .Default(true)
      .Real("StartPosition", &TCustomChartAxis::StartPosition, &TCustomChartAxis::SetStartPosition)
      .Integer("TickInnerLength", &TCustomChartAxis::TickInnerLength, &TCustomChartAxis::SetTickInnerLength)
      .Default(0)
      .Integer("TickLength", &TCustomChartAxis::TickLength, &TCustomChartAxis::SetTickLength)
      .Default(4)
      .Boolean("TickOnLabelsOnly", &TCustomChartAxis::TickOnLabelsOnly, &TCustomChartAxis::SetTickOnLabelsOnly)
      .Default(true)
      .Object("Ticks", &TCustomChartAxis::Ticks)
      .Object("TicksInner", &TCustomChartAxis::TicksInner)
      .Object("Title", &TCustomChartAxis::Title)
      .Integer("TitleSize", &TCustomChartAxis::TitleSize, &TCustomChartAxis::SetTitleSize)
      .Default(0)
      .Boolean("Visible", &TCustomChartAxis::Visible, &TCustomChartAxis::SetVisible);

  // The side axes start visible, the depth axis hidden: each stores Visible against its own start.
  fw::RegisterClass<TChartAxis>("TChartAxis")
      .Inherits<TCustomChartAxis>()
      .Boolean("Visible", &TCustomChartAxis::Visible, &TCustomChartAxis::SetVisible)
      .Default(true);
  fw::RegisterClass<TChartDepthAxis>("TChartDepthAxis")
      .Inherits<TCustomChartAxis>()
      .Boolean("Visible", &TCustomChartAxis::Visible, &TCustomChartAxis::SetVisible)
      .Default(false);
}

void RegisterLegend() {
  fw::RegisterClass<TCustomChartLegend>("TCustomChartLegend")
      .Enumeration("Alignment", &TCustomChartLegend::Alignment, &TCustomChartLegend::SetAlignment,
                   {"laLeft", "laRight", "laTop", "laBottom"})
      .Default(laRight)
      .Object("Brush", &TCustomChartLegend::Brush)
      .Color("Color", &TCustomChartLegend::Color, &TCustomChartLegend::SetColor)
      .Default(fw::clWhite)
      .Integer("ColorWidth", &TCustomChartLegend::ColorWidth, &TCustomChartLegend::SetColorWidth)
      .Default(12)
      .Object("DividingLines", &TCustomChartLegend::DividingLines)
      .Integer("FirstValue", &TCustomChartLegend::FirstValue, &TCustomChartLegend::SetFirstValue)
      .Default(0)
      .Object("Font", &TCustomChartLegend::Font)
      .Stored([](TCustomChartLegend& l) { return !IsChartDefaultFont(l.Font()); })
      .Object("Frame", &TCustomChartLegend::Frame)
      .Integer("HorizMargin", &TCustomChartLegend::HorizMargin, &TCustomChartLegend::SetHorizMargin)
      .Default(0)
      .Boolean("Inverted", &TCustomChartLegend::Inverted, &TCustomChartLegend::SetInverted)
      .Default(false)
      .Enumeration("LegendStyle", &TCustomChartLegend::LegendStyle, &TCustomChartLegend::SetLegendStyle,
                   {"lsAuto", "lsSeries", "lsValues", "lsLastValues"})
      .Default(lsAuto)
      .Integer("MaxNumRows", &TCustomChartLegend::MaxNumRows, &TCustomChartLegend::SetMaxNumRows)
      .Default(10)
      .Boolean("ResizeChart", &TCustomChartLegend::ResizeChart, &TCustomChartLegend::SetResizeChart)
      .Default(true)
      .Color("ShadowColor", &TCustomChartLegend::ShadowColor, &TCustomChartLegend::SetShadowColor)
      .Default(fw::clBlack)
      .Integer("ShadowSize", &TCustomChartLegend::ShadowSize, &TCustomChartLegend::SetShadowSize)
      .Default(3)
      .Enumeration("TextStyle", &TCustomChartLegend::TextStyle, &TCustomChartLegend::SetTextStyle,
                   {"ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent", "ltsRightPercent", "ltsXValue"})
      .Default(ltsLeftValue)
      .Integer("TopPos", &TCustomChartLegend::TopPos, &TCustomChartLegend::SetTopPos)
      .Default(10)
      .Integer("VertMargin", &TCustomChartLegend::VertMargin, &TCustomChartLegend::SetVertMargin)
      .Default(0)
      .Boolean("Visible", &TCustomChartLegend::Visible, &TCustomChartLegend::SetVisible)
      .Default(true);
  fw::RegisterClass<TChartLegend>("TChartLegend").Inherits<TCustomChartLegend>();
}

}  // namespace

void RegisterChartClasses() {
  RegisterPens();
  RegisterView3DOptions();
  RegisterAxes();
  RegisterLegend();
  RegisterChartPanelClasses();
  RegisterSeriesClasses();
  RegisterStandardSeries();
  RegisterFunctionGallery();
}

}  // namespace chart
