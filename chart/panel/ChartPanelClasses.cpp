#include "chart/panel/ChartPanelClasses.h"

#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartDepthAxis.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/TCustomPanel.h"
#include "framework/graphics/TPicture.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

namespace {

void RegisterPanelLayers() {
  fw::RegisterClass<TCustomChartPanel>("TCustomChartPanel")
      .Inherits<fw::TCustomPanel>()
      .Integer("Chart3DPercent", &TCustomChartPanel::Chart3DPercent, &TCustomChartPanel::SetChart3DPercent)
      .Default(15)
      .Integer("MarginBottom", &TCustomChartPanel::MarginBottom, &TCustomChartPanel::SetMarginBottom)
      .Default(4)
      .Integer("MarginLeft", &TCustomChartPanel::MarginLeft, &TCustomChartPanel::SetMarginLeft)
      .Default(3)
      .Integer("MarginRight", &TCustomChartPanel::MarginRight, &TCustomChartPanel::SetMarginRight)
      .Default(3)
      .Integer("MarginTop", &TCustomChartPanel::MarginTop, &TCustomChartPanel::SetMarginTop)
      .Default(4)
      .Boolean("Monochrome", &TCustomChartPanel::Monochrome, &TCustomChartPanel::SetMonochrome)
      .Default(false)
      .Boolean("PrintProportional", &TCustomChartPanel::PrintProportional, &TCustomChartPanel::SetPrintProportional)
      .Default(true)
      .Boolean("View3D", &TCustomChartPanel::View3D, &TCustomChartPanel::SetView3D)
      .Default(true)
      .Object("View3DOptions", &TCustomChartPanel::View3DOptions);

  fw::RegisterClass<TCustomChartPanelExtended>("TCustomChartPanelExtended")
      .Inherits<TCustomChartPanel>()
      .Boolean("AllowZoom", &TCustomChartPanelExtended::AllowZoom, &TCustomChartPanelExtended::SetAllowZoom)
      .Default(true)
      .Enumeration("AllowPanning", &TCustomChartPanelExtended::AllowPanning,
                   &TCustomChartPanelExtended::SetAllowPanning, {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"})
      .Default(pmBoth)
      .Boolean("AnimatedZoom", &TCustomChartPanelExtended::AnimatedZoom, &TCustomChartPanelExtended::SetAnimatedZoom)
      .Default(false)
      .Integer("AnimatedZoomSteps", &TCustomChartPanelExtended::AnimatedZoomSteps,
               &TCustomChartPanelExtended::SetAnimatedZoomSteps)
      .Default(8)
      .Object("BackImage", &TCustomChartPanelExtended::BackImage)
      .Enumeration("BackImageMode", &TCustomChartPanelExtended::BackImageMode,
                   &TCustomChartPanelExtended::SetBackImageMode, {"pbmStretch", "pbmTile", "pbmCenter"})
      .Default(pbmStretch)
      .Object("Gradient", &TCustomChartPanelExtended::Gradient)
      .Event("OnAfterDraw", &TCustomChartPanelExtended::OnAfterDraw)
      .Event("OnScroll", &TCustomChartPanelExtended::OnScroll)
      .Event("OnUndoZoom", &TCustomChartPanelExtended::OnUndoZoom)
      .Event("OnZoom", &TCustomChartPanelExtended::OnZoom);

  fw::RegisterClass<TCustomAxisPanel>("TCustomAxisPanel")
      .Inherits<TCustomChartPanelExtended>()
      .Boolean("AxisVisible", &TCustomAxisPanel::AxisVisible, &TCustomAxisPanel::SetAxisVisible)
      .Default(true)
      .Object("BottomAxis", &TCustomAxisPanel::BottomAxis)
      .Boolean("ClipPoints", &TCustomAxisPanel::ClipPoints, &TCustomAxisPanel::SetClipPoints)
      .Default(true)
      .Object("DepthAxis", &TCustomAxisPanel::DepthAxis)
      .Object("LeftAxis", &TCustomAxisPanel::LeftAxis)
      .Integer("MaxPointsPerPage", &TCustomAxisPanel::MaxPointsPerPage, &TCustomAxisPanel::SetMaxPointsPerPage)
      .Default(0)
      .Integer("Page", &TCustomAxisPanel::Page, &TCustomAxisPanel::SetPage)
      .Default(1)
      .Object("RightAxis", &TCustomAxisPanel::RightAxis)
      .Boolean("ScaleLastPage", &TCustomAxisPanel::ScaleLastPage, &TCustomAxisPanel::SetScaleLastPage)
      .Default(true)
      .Object("TopAxis", &TCustomAxisPanel::TopAxis)
      .Boolean("View3DWalls", &TCustomAxisPanel::View3DWalls, &TCustomAxisPanel::SetView3DWalls)
      .Default(true)
      .Event("OnBeforeDrawAxes", &TCustomAxisPanel::OnBeforeDrawAxes)
      .Event("OnBeforeDrawSeries", &TCustomAxisPanel::OnBeforeDrawSeries)
      .Event("OnGetAxisLabel", &TCustomAxisPanel::OnGetAxisLabel)
      .Event("OnGetNextAxisLabel", &TCustomAxisPanel::OnGetNextAxisLabel)
      .Event("OnPageChange", &TCustomAxisPanel::OnPageChange);

  fw::RegisterClass<TCustomChart>("TCustomChart")
      .Inherits<TCustomAxisPanel>()
      .Color("BackColor", &TCustomChart::BackColor, &TCustomChart::SetBackColor)
      .Default(fw::clDefault)
      .Boolean("BackImageInside", &TCustomChart::BackImageInside, &TCustomChart::SetBackImageInside)
      .Default(false)
      .Object("BackWall", &TCustomChart::BackWall)
      .Object("BottomWall", &TCustomChart::BottomWall)
      .Object("Foot", &TCustomChart::Foot)
      .Object("Frame", &TCustomChart::Frame)
      .Object("LeftWall", &TCustomChart::LeftWall)
      .Object("Legend", &TCustomChart::Legend)
      .Object("Title", &TCustomChart::Title)
      .Event("OnAllowScroll", &TCustomChart::OnAllowScroll)
      .Event("OnClickAxis", &TCustomChart::OnClickAxis)
      .Event("OnClickBackground", &TCustomChart::OnClickBackground)
      .Event("OnClickLegend", &TCustomChart::OnClickLegend)
      .Event("OnClickSeries", &TCustomChart::OnClickSeries)
      .Event("OnGetLegendPos", &TCustomChart::OnGetLegendPos)
      .Event("OnGetLegendRect", &TCustomChart::OnGetLegendRect)
      .Event("OnGetLegendText", &TCustomChart::OnGetLegendText);

  fw::RegisterClass<TChart>("TChart").Inherits<TCustomChart>().Creatable();
}

void RegisterChartElements() {
  fw::RegisterClass<TChartBrush>("TChartBrush")
      .Inherits<fw::TBrush>()
      .Color("Color", &TChartBrush::Color, &TChartBrush::SetColor)
      .Default(fw::clDefault);

  fw::RegisterClass<TChartGradient>("TChartGradient")
      .Enumeration("Direction", &TChartGradient::Direction, &TChartGradient::SetDirection,
                   {"gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft", "gdFromCenter", "gdFromTopLeft",
                    "gdFromBottomLeft"})
      .Default(gdTopBottom)
      .Color("EndColor", &TChartGradient::EndColor, &TChartGradient::SetEndColor)
      .Default(fw::clYellow)
      .Color("StartColor", &TChartGradient::StartColor, &TChartGradient::SetStartColor)
      .Default(fw::clWhite)
      .Boolean("Visible", &TChartGradient::Visible, &TChartGradient::SetVisible)
      .Default(false);

  fw::RegisterClass<TChartWall>("TChartWall")
      .Object("Brush", &TChartWall::Brush)
      .Color("Color", &TChartWall::Color, &TChartWall::SetColor)
      .Stored(&TChartWall::IsColorStored)
      .Boolean("Dark3D", &TChartWall::Dark3D, &TChartWall::SetDark3D)
      .Default(true)
      .Object("Pen", &TChartWall::Pen)
      .Integer("Size", &TChartWall::Size, &TChartWall::SetSize)
      .Default(0);

  fw::RegisterClass<TChartTitle>("TChartTitle")
      .Boolean("AdjustFrame", &TChartTitle::AdjustFrame, &TChartTitle::SetAdjustFrame)
      .Default(true)
      .Enumeration("Alignment", &TChartTitle::Alignment, &TChartTitle::SetAlignment,
                   {"taLeftJustify", "taRightJustify", "taCenter"})
      .Default(taCenter)
      .Object("Brush", &TChartTitle::Brush)
      .Color("Color", &TChartTitle::Color, &TChartTitle::SetColor)
      .Default(fw::clDefault)
      .Object("Font", &TChartTitle::Font)
      .Stored([](TChartTitle& t) { return t.IsFontStored(); })
      .Object("Frame", &TChartTitle::Frame)
      .StringList("Text", &TChartTitle::Text, &TChartTitle::SetText)
      .Boolean("Visible", &TChartTitle::Visible, &TChartTitle::SetVisible)
      .Default(true);
}

}  // namespace

void RegisterChartPanelClasses() {
  RegisterPanelLayers();
  RegisterChartElements();
}

}  // namespace chart
