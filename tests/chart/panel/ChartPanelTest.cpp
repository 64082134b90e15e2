#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartException.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/panel/TCustomChartPanelExtended.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TPicture.h"
#include "framework/graphics/TRecordingSurface.h"
#include "framework/graphics/TSurface.h"

using namespace chart;

namespace {

/// A panel whose content is the background only; it remembers each frame's rectangles.
class TTestPanel : public TCustomChartPanelExtended {
public:
  using TCustomChartPanelExtended::TCustomChartPanelExtended;
  void DrawContent(const fw::TRect& bounds) override {
    ++Frames;
    Bounds = bounds;
    FirstPlotRect = PlotRect();
    PaintPanelBackground(bounds);
  }
  using TCustomChartPanel::Paint;
  int Frames = 0;
  fw::TRect Bounds;
  fw::TRect FirstPlotRect;
};

std::unique_ptr<TTestPanel> MakePanel(int32_t width, int32_t height) {
  auto panel = std::make_unique<TTestPanel>();
  panel->SetBounds(0, 0, width, height);
  return panel;
}

fw::TRect FirstPlotRectOf(TTestPanel& panel) {
  fw::TBitmap target(panel.Width(), panel.Height());
  panel.DrawToCanvas(target.Canvas(), panel.GetPaintArea());
  return panel.FirstPlotRect;
}

}  // namespace

// ---- construction -----------------------------------------------------------------------------

TEST(ChartPanel, NewPanelDefaults) {
  TTestPanel panel;
  EXPECT_EQ(panel.Width(), 400);
  EXPECT_EQ(panel.Height(), 250);
  EXPECT_EQ(panel.Chart3DPercent(), 15);
  EXPECT_EQ(panel.MarginLeft(), 3);
  EXPECT_EQ(panel.MarginTop(), 4);
  EXPECT_EQ(panel.MarginRight(), 3);
  EXPECT_EQ(panel.MarginBottom(), 4);
  EXPECT_TRUE(panel.View3D());
  EXPECT_TRUE(panel.StackSeriesInDepth());
  EXPECT_TRUE(panel.RepaintEnabled());
  EXPECT_TRUE(panel.BufferedDisplay());
  EXPECT_FALSE(panel.Monochrome());
  EXPECT_TRUE(panel.PrintProportional());
  EXPECT_EQ(panel.PrintMarginPercents(), (fw::TRect{15, 15, 15, 15}));
  EXPECT_FALSE(panel.PanDrag().InProgress);
  EXPECT_FALSE(panel.ZoomDrag().InProgress);
  EXPECT_EQ(panel.AnimatedZoomSteps(), 8);
  EXPECT_FALSE(panel.AnimatedZoom());
  EXPECT_TRUE(panel.AllowZoom());
  EXPECT_EQ(panel.AllowPanning(), pmBoth);
  EXPECT_EQ(panel.BackImageMode(), pbmStretch);
  EXPECT_FALSE(panel.Gradient().Visible());
  EXPECT_EQ(panel.Gradient().Owner(), &panel);
  EXPECT_FALSE(panel.ZoomApplied());
}

// ---- the first plot rectangle -----------------------------------------------------------------

TEST(ChartPanelPlotRect, DefaultMarginsOnTheMainWindowSize) {
  auto panel = MakePanel(961, 529);
  EXPECT_EQ(FirstPlotRectOf(*panel), (fw::TRect{29, 21, 932, 508}));
  EXPECT_EQ(panel->Bounds, (fw::TRect{0, 0, 961, 529}));
  EXPECT_EQ(panel->PlotWidth(), 903);
  EXPECT_EQ(panel->PlotHeight(), 487);
  EXPECT_EQ(panel->PlotCenterX(), 480);
  EXPECT_EQ(panel->PlotCenterY(), 264);
}

TEST(ChartPanelPlotRect, DefaultMarginsOnANewPanel) {
  auto panel = MakePanel(400, 250);
  EXPECT_EQ(FirstPlotRectOf(*panel), (fw::TRect{12, 10, 388, 240}));
}

TEST(ChartPanelPlotRect, BorderWidthIsSubtractedButNotTheBevel) {
  auto panel = MakePanel(400, 250);
  panel->SetBorderWidth(5);
  panel->SetBevelWidth(3);
  EXPECT_EQ(FirstPlotRectOf(*panel), (fw::TRect{17, 15, 383, 235}));
}

TEST(ChartPanelPlotRect, CollapsedWidthBecomesTheControlWidth) {
  auto panel = MakePanel(400, 250);
  panel->SetMarginLeft(50);
  panel->SetMarginRight(50);
  const fw::TRect r = FirstPlotRectOf(*panel);
  EXPECT_EQ(r.Left, 200);
  EXPECT_EQ(r.Right, 600);
  EXPECT_EQ(panel->PlotWidth(), 400);
}

TEST(ChartPanelPlotRect, InvertedWidthBecomesOnePixel) {
  auto panel = MakePanel(961, 529);
  panel->SetMarginLeft(50);
  panel->SetMarginRight(50);
  const fw::TRect r = FirstPlotRectOf(*panel);
  EXPECT_EQ(r.Left, 481);
  EXPECT_EQ(r.Right, 482);
}

TEST(ChartPanelPlotRect, NormalizeKeepsTheRectangleInsideTheTopLeftOfTheFrame) {
  auto panel = MakePanel(400, 250);
  panel->SetMarginLeft(-10);
  panel->SetMarginTop(60);
  panel->SetMarginBottom(60);
  const fw::TRect r = FirstPlotRectOf(*panel);
  EXPECT_EQ(r.Left, 0);
  EXPECT_EQ(r.Top, 150);
  EXPECT_EQ(r.Bottom, 151);
  EXPECT_EQ(r.Right, 388);
}

TEST(ChartPanelPlotRect, ExtremeMarginsNeitherOverflowNorCrash) {
  auto panel = MakePanel(400, 250);
  panel->SetMarginLeft(INT32_MAX);
  panel->SetMarginRight(INT32_MIN);
  panel->SetMarginTop(INT32_MIN);
  panel->SetMarginBottom(INT32_MAX);
  const fw::TRect r = FirstPlotRectOf(*panel);
  EXPECT_GT(r.Right, r.Left);
  EXPECT_GT(r.Bottom, r.Top);
  EXPECT_GE(r.Left, 0);
  EXPECT_GE(r.Top, 0);
}

TEST(ChartPanelPlotRect, SetPlotRectNormalizesAndCentres) {
  auto panel = MakePanel(400, 250);
  FirstPlotRectOf(*panel);
  panel->SetPlotRect(fw::TRect{-5, 30, 100, 20});
  EXPECT_EQ(panel->PlotRect(), (fw::TRect{0, 30, 100, 31}));
  EXPECT_EQ(panel->PlotCenterX(), 50);
  EXPECT_EQ(panel->PlotCenterY(), 30);
  // Clamped to the frame first, the edges end up inverted: one pixel each.
  panel->SetPlotRect(fw::TRect{-7, -3, -7, -3});
  EXPECT_EQ(panel->PlotRect(), (fw::TRect{0, 0, 1, 1}));
  // Collapsed edges open to the control's size.
  panel->SetPlotRect(fw::TRect{10, 20, 10, 20});
  EXPECT_EQ(panel->PlotRect(), (fw::TRect{10, 20, 410, 270}));
}

// ---- settings ---------------------------------------------------------------------------------

TEST(ChartPanelSettings, Chart3DPercentOutsideOneToHundredIsRejectedAndKept) {
  TTestPanel panel;
  for (int32_t bad : {0, 101, -1, INT32_MIN, INT32_MAX}) {
    try {
      panel.SetChart3DPercent(bad);
      FAIL() << "accepted " << bad;
    } catch (const ChartException& e) {
      EXPECT_EQ(e.Message(), "3D effect percent must be between 1 and 100");
    }
    EXPECT_EQ(panel.Chart3DPercent(), 15);
  }
  panel.SetChart3DPercent(1);
  EXPECT_EQ(panel.Chart3DPercent(), 1);
  panel.SetChart3DPercent(100);
  EXPECT_EQ(panel.Chart3DPercent(), 100);
}

TEST(ChartPanelSettings, ChangePropertyStoresAndInvalidatesOnlyOnChange) {
  auto panel = MakePanel(100, 80);
  TChartCanvas3D& canvas = panel->Canvas();
  FirstPlotRectOf(*panel);  // a presented frame leaves the canvas clean
  ASSERT_FALSE(canvas.Dirty());

  int32_t i = 5;
  EXPECT_FALSE(panel->ChangeProperty(i, 5));
  double d = 1.5;
  EXPECT_FALSE(panel->ChangeProperty(d, 1.5));
  std::string s = "a";
  EXPECT_FALSE(panel->ChangeProperty(s, std::string("a")));
  bool b = true;
  EXPECT_FALSE(panel->ChangeProperty(b, true));
  panel->SetMarginLeft(3);
  panel->SetChart3DPercent(15);
  EXPECT_FALSE(canvas.Dirty());

  EXPECT_TRUE(panel->ChangeProperty(i, 6));
  EXPECT_EQ(i, 6);
  EXPECT_TRUE(canvas.Dirty());

  for (auto change : std::vector<std::function<void()>>{
           [&] { panel->ChangeProperty(d, -1.5); }, [&] { panel->ChangeProperty(s, std::string("b")); },
           [&] { panel->ChangeProperty(b, false); }, [&] { panel->SetMarginTop(9); },
           [&] { panel->SetView3D(false); }, [&] { panel->View3DOptions().SetZoom(120); },
           [&] { panel->Gradient().SetStartColor(fw::clRed); }, [&] { panel->SetBackImageMode(pbmCenter); }}) {
    FirstPlotRectOf(*panel);
    ASSERT_FALSE(canvas.Dirty());
    change();
    EXPECT_TRUE(canvas.Dirty());
  }
  EXPECT_EQ(d, -1.5);
  EXPECT_EQ(s, "b");
  EXPECT_FALSE(b);
}

TEST(ChartPanelSettings, NothingInvalidatesWhileRepaintIsDisabled) {
  auto panel = MakePanel(100, 80);
  FirstPlotRectOf(*panel);
  panel->SetRepaintEnabled(false);
  panel->SetMarginTop(20);
  EXPECT_EQ(panel->MarginTop(), 20);
  EXPECT_FALSE(panel->Canvas().Dirty());
}

TEST(ChartPanelSettings, CopyingFromAnotherPanel) {
  TTestPanel source;
  source.SetMarginLeft(7);
  source.SetMarginBottom(9);
  source.SetChart3DPercent(40);
  source.SetView3D(false);
  source.View3DOptions().SetZoom(150);
  source.SetColor(fw::clTeal);
  source.SetPrintProportional(false);
  source.SetBackImageMode(pbmTile);
  source.Gradient().SetVisible(true);
  source.Gradient().SetDirection(gdLeftRight);
  source.SetAllowPanning(pmVertical);
  source.SetAllowZoom(false);
  source.SetAnimatedZoom(true);
  source.SetAnimatedZoomSteps(3);
  source.SetMonochrome(true);
  source.SetBufferedDisplay(false);

  TTestPanel target;
  target.Assign(source);
  EXPECT_EQ(target.MarginLeft(), 7);
  EXPECT_EQ(target.MarginBottom(), 9);
  EXPECT_EQ(target.Chart3DPercent(), 40);
  EXPECT_FALSE(target.View3D());
  EXPECT_EQ(target.View3DOptions().Zoom(), 150);
  EXPECT_EQ(target.Color(), fw::clTeal);
  EXPECT_FALSE(target.PrintProportional());
  EXPECT_EQ(target.BackImageMode(), pbmTile);
  EXPECT_TRUE(target.Gradient().Visible());
  EXPECT_EQ(target.Gradient().Direction(), gdLeftRight);
  EXPECT_EQ(target.Gradient().Owner(), &target);
  EXPECT_EQ(target.AllowPanning(), pmVertical);
  EXPECT_FALSE(target.AllowZoom());
  EXPECT_TRUE(target.AnimatedZoom());
  EXPECT_EQ(target.AnimatedZoomSteps(), 3);
  EXPECT_TRUE(target.Monochrome());
  EXPECT_FALSE(target.BufferedDisplay());
}

TEST(ChartPanelSettings, MouseLeavingEndsPanningAndRestoresTheRestingCursor) {
  TTestPanel panel;
  panel.SetRestingCursor(fw::crCross);
  panel.SetCursor(fw::crHandPoint);
  panel.PanDrag().OpenDrag(10, 10);
  panel.MouseLeave();
  EXPECT_FALSE(panel.PanDrag().InProgress);
  EXPECT_EQ(panel.Cursor(), fw::crCross);
}

// ---- text and brushes -------------------------------------------------------------------------

TEST(ChartPanelText, MultiLineTextCountsLinesAndReportsTheWidestLine) {
  TTestPanel panel;
  TChartCanvas3D& canvas = panel.Canvas();
  int32_t lines = 0;
  EXPECT_EQ(panel.MeasureMultiLineText("abc", lines), canvas.MeasureTextWidth("abc"));
  EXPECT_EQ(lines, 1);
  EXPECT_EQ(panel.MeasureMultiLineText("a\rbcd\r", lines), canvas.MeasureTextWidth("bcd"));
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(panel.MeasureMultiLineText("wwww\rb", lines), canvas.MeasureTextWidth("wwww"));
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(panel.MeasureMultiLineText("\r\r", lines), 0);
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(panel.MeasureMultiLineText("", lines), 0);
  EXPECT_EQ(lines, 1);
}

TEST(ChartPanelBrush, HatchOnItsOwnBackgroundTurnsVisible) {
  TTestPanel panel;
  TChartCanvas3D& canvas = panel.Canvas();
  panel.ApplyFillBrush(fw::clBlack, fw::bsCross, fw::clBlack);
  EXPECT_EQ(canvas.Brush().Color(), fw::clWhite);
  EXPECT_EQ(canvas.Brush().Style(), fw::bsCross);
  EXPECT_EQ(canvas.GetBackgroundMode(), 2);
  EXPECT_EQ(canvas.GetBackgroundColor(), fw::clBlack);

  panel.ApplyFillBrush(fw::clRed, fw::bsCross, fw::clRed);
  EXPECT_EQ(canvas.Brush().Color(), fw::clBlack);

  panel.ApplyFillBrush(fw::clRed, fw::bsSolid, fw::clRed);
  EXPECT_EQ(canvas.Brush().Color(), fw::clRed);
  EXPECT_EQ(canvas.Brush().Style(), fw::bsSolid);
  EXPECT_EQ(canvas.GetBackgroundMode(), 1);
}

TEST(ChartPanelBrush, ClippingIsAllowedOnThisCanvas) {
  TTestPanel panel;
  EXPECT_TRUE(panel.ClippingAllowed());
  panel.SetPrintingActive(true);
  EXPECT_TRUE(panel.ClippingAllowed());
}
