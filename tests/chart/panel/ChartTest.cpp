#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/TPanel.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TRecordingSurface.h"

using namespace chart;

namespace {

/// A chart whose plot rectangle is set by hand and whose canvas draws on a recording surface.
struct TTitleBench {
  TChart Chart;
  fw::TRecordingSurface Surface;
  fw::TRect Plot{12, 40, 388, 240};

  TTitleBench() {
    Chart.SetBounds(0, 0, 400, 250);
    Chart.Canvas().AttachSurface(&Surface);
  }
  void Render(TChartTitle& title, bool onTop) {
    Chart.SetPlotRect(Plot);
    title.RenderTitle(onTop);
  }
  /// Line height and "W" width in the title's font.
  int32_t LineHeight(const TChartTitle& title) {
    Chart.SelectFont(title.Font());
    return Chart.Canvas().CharacterHeight();
  }
  int32_t WidthOf(const TChartTitle& title, const std::string& text) {
    Chart.SelectFont(title.Font());
    return Chart.Canvas().MeasureTextWidth(text);
  }
  std::vector<fw::TSurfaceCall> Calls(const std::string& name) const {
    std::vector<fw::TSurfaceCall> found;
    for (const auto& c : Surface.Calls())
      if (c.Name == name) found.push_back(c);
    return found;
  }
};

}  // namespace

// ---- elements and defaults --------------------------------------------------------------------

TEST(ChartElements, WallsTitlesAndFrameDefaults) {
  TChart chart;
  EXPECT_EQ(chart.BackWall().Color(), fw::clDefault);
  EXPECT_EQ(chart.BackWall().Brush().Style(), fw::bsClear);
  EXPECT_EQ(chart.BackWall().Brush().Color(), fw::clDefault);
  EXPECT_EQ(chart.LeftWall().Color(), 8454143);
  EXPECT_EQ(chart.LeftWall().Brush().Style(), fw::bsSolid);
  EXPECT_EQ(chart.BottomWall().Color(), fw::clWhite);
  EXPECT_FALSE(chart.BottomWall().IsColorStored());
  chart.BottomWall().SetColor(fw::clRed);
  EXPECT_TRUE(chart.BottomWall().IsColorStored());
  EXPECT_TRUE(chart.BackWall().Dark3D());
  EXPECT_EQ(chart.BackWall().Size(), 0);
  EXPECT_TRUE(chart.BackWall().Pen().Visible());
  EXPECT_EQ(chart.BackWall().Pen().Color(), fw::clBlack);
  EXPECT_EQ(chart.Frame(), &chart.BackWall().Pen());
  EXPECT_EQ(chart.BackColor(), fw::clDefault);

  EXPECT_TRUE(chart.Title().Visible());
  EXPECT_TRUE(chart.Title().AdjustFrame());
  EXPECT_EQ(chart.Title().Alignment(), taCenter);
  EXPECT_EQ(chart.Title().Color(), fw::clDefault);
  EXPECT_FALSE(chart.Title().Frame().Visible());
  EXPECT_TRUE(chart.Title().Text().empty());
  EXPECT_EQ(chart.Title().Font().Name(), "Arial");
  EXPECT_EQ(chart.Title().Font().Size(), 8);
  EXPECT_EQ(chart.Title().Font().Color(), fw::clBlue);
  EXPECT_FALSE(chart.Title().IsFontStored());
  chart.Title().Font().SetStyle(fw::fsBold);
  EXPECT_TRUE(chart.Title().IsFontStored());
  EXPECT_FALSE(chart.BackImageInside());
}

TEST(ChartElements, UsesDarkSidesOnlyForSolidUnpatternedDarkWalls) {
  TChart chart;
  EXPECT_FALSE(chart.BackWall().UsesDarkSides());  // clear brush
  EXPECT_TRUE(chart.LeftWall().UsesDarkSides());
  chart.LeftWall().SetDark3D(false);
  EXPECT_FALSE(chart.LeftWall().UsesDarkSides());
  fw::TBitmap pattern(8, 8);
  chart.BottomWall().Brush().SetBitmap(&pattern);
  EXPECT_TRUE(chart.BottomWall().Brush().HasBrushBitmap());
  EXPECT_FALSE(chart.BottomWall().UsesDarkSides());
  chart.BottomWall().Brush().SetBitmap(nullptr);
}

TEST(ChartElements, ElementChangesRepaintTheChart) {
  TChart chart;
  chart.SetBounds(0, 0, 100, 80);
  fw::TBitmap target(100, 80);
  TChartCanvas3D& canvas = chart.Canvas();
  const std::vector<std::function<void()>> changes{
      [&] { chart.BackWall().SetColor(fw::clRed); },       [&] { chart.LeftWall().SetSize(4); },
      [&] { chart.BottomWall().Pen().SetWidth(3); },       [&] { chart.BackWall().Brush().SetStyle(fw::bsCross); },
      [&] { chart.Title().SetText({"a"}); },               [&] { chart.Title().Font().SetHeight(-20); },
      [&] { chart.Foot().SetAlignment(taLeftJustify); },   [&] { chart.Foot().Frame().SetVisible(true); },
      [&] { chart.Title().Brush().SetColor(fw::clLime); }, [&] { chart.SetBackImageInside(true); }};
  for (const auto& change : changes) {
    chart.DrawToCanvas(target.Canvas(), chart.GetPaintArea());
    ASSERT_FALSE(canvas.Dirty());
    change();
    EXPECT_TRUE(canvas.Dirty());
  }
}

TEST(ChartElements, CopyingAChartCopiesWallsAndTitles) {
  TChart source;
  source.Title().SetText({"one", "two"});
  source.Title().Font().SetColor(fw::clRed);
  source.Foot().SetVisible(false);
  source.LeftWall().SetSize(7);
  source.BackWall().Pen().SetColor(fw::clGreen);
  source.SetBackImageInside(true);
  source.SetMaxPointsPerPage(50);
  source.SetMarginTop(11);
  TChart target;
  target.Assign(source);
  EXPECT_EQ(target.Title().Text(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(target.Title().Font().Color(), fw::clRed);
  EXPECT_FALSE(target.Foot().Visible());
  EXPECT_EQ(target.LeftWall().Size(), 7);
  EXPECT_EQ(target.BackWall().Pen().Color(), fw::clGreen);
  EXPECT_TRUE(target.BackImageInside());
  EXPECT_EQ(target.MaxPointsPerPage(), 50);
  EXPECT_EQ(target.MarginTop(), 11);
}

TEST(ChartElements, BackColorMakesTheWallSolidOnlyForAChartInAWindowAtRunTime) {
  TChart loose;
  loose.SetBackColor(fw::clYellow);
  EXPECT_EQ(loose.BackWall().Color(), fw::clYellow);
  EXPECT_EQ(loose.BackWall().Brush().Style(), fw::bsClear);

  fw::TPanel window;
  auto* placed = new TChart(&window);
  placed->SetParent(&window);
  placed->SetLoading();
  placed->SetBackColor(fw::clYellow);
  EXPECT_EQ(placed->BackWall().Brush().Style(), fw::bsClear);
  placed->Loaded();
  placed->SetBackColor(fw::clAqua);
  EXPECT_EQ(placed->BackColor(), fw::clAqua);
  EXPECT_EQ(placed->BackWall().Brush().Style(), fw::bsSolid);
}

TEST(ChartElements, WallThicknessCountsOnlyIn3DWithWalls) {
  TChart chart;
  chart.LeftWall().SetSize(6);
  chart.BottomWall().SetSize(9);
  EXPECT_EQ(chart.WallThicknessForAxis(chart.LeftAxis()), 6);
  EXPECT_EQ(chart.WallThicknessForAxis(chart.BottomAxis()), 9);
  EXPECT_EQ(chart.WallThicknessForAxis(chart.RightAxis()), 0);
  EXPECT_EQ(chart.WallThicknessForAxis(chart.TopAxis()), 0);
  chart.SetView3DWalls(false);
  EXPECT_EQ(chart.WallThicknessForAxis(chart.LeftAxis()), 0);
  chart.SetView3DWalls(true);
  chart.SetView3D(false);
  EXPECT_EQ(chart.WallThicknessForAxis(chart.LeftAxis()), 0);
  EXPECT_EQ(chart.WallThicknessForAxis(chart.BottomAxis()), 0);
}

TEST(ChartElements, ColorIsFreeLooksAtSeriesAndBackground) {
  TChart chart;
  chart.SetColor(fw::clSilver);
  auto s = std::make_unique<TChartSeries>();
  s->SetSeriesColor(fw::clNavy);
  s->SetActive(false);
  s->SetParentChart(&chart);
  EXPECT_FALSE(chart.ColorIsFree(fw::clNavy, false));  // inactive series count too
  EXPECT_TRUE(chart.ColorIsFree(fw::clSilver, false));
  EXPECT_FALSE(chart.ColorIsFree(fw::clSilver, true));
  chart.SetBackColor(fw::clOlive);
  EXPECT_FALSE(chart.ColorIsFree(fw::clOlive, true));
  EXPECT_TRUE(chart.ColorIsFree(fw::clOlive, false));
}

// ---- titles -----------------------------------------------------------------------------------

TEST(ChartTitle, AnEmptyTitleTakesNoRoom) {
  TTitleBench bench;
  bench.Render(bench.Chart.Title(), true);
  EXPECT_EQ(bench.Chart.PlotRect().Top, 40);
  bench.Render(bench.Chart.Foot(), false);
  EXPECT_EQ(bench.Chart.PlotRect().Bottom, 240);
  EXPECT_EQ(bench.Surface.CountOf("TextOut"), 0u);
}

TEST(ChartTitle, OneLineMovesTheTopEdgeByALineAndTheGap) {
  TTitleBench bench;
  TChartTitle& title = bench.Chart.Title();
  title.SetText({"Standing wave"});
  const int32_t h = bench.LineHeight(title);
  const int32_t w = bench.WidthOf(title, "Standing wave");
  bench.Surface.ClearCalls();
  bench.Render(title, true);
  EXPECT_EQ(bench.Chart.PlotRect().Top, 40 + h + 5);
  const auto texts = bench.Calls("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, "Standing wave");
  EXPECT_EQ(texts[0].Ints[0], (12 + 388) / 2 - w / 2);
  EXPECT_EQ(texts[0].Ints[1], 40);
  EXPECT_EQ(title.TitleBox(), (fw::TRect{12, 40, 388, 40 + h}));
  EXPECT_TRUE(title.ContainsPoint(12, 40));
  EXPECT_FALSE(title.ContainsPoint(388, 40));
  title.SetVisible(false);
  EXPECT_FALSE(title.ContainsPoint(12, 40));
}

TEST(ChartTitle, AFramedTitleAddsTheFrameTwice) {
  TTitleBench bench;
  TChartTitle& title = bench.Chart.Title();
  title.SetText({"x"});
  title.Frame().SetVisible(true);
  title.Frame().SetColor(fw::clBlack);
  title.Frame().SetWidth(2);
  const int32_t h = bench.LineHeight(title);
  bench.Render(title, true);
  EXPECT_EQ(bench.Chart.PlotRect().Top, 40 + 2 + h + 2 + 5);
  EXPECT_EQ(bench.Calls("Rectangle").size(), 1u);
}

TEST(ChartTitle, RightJustifiedLineEndsHalfAWInsideThePlot) {
  TTitleBench bench;
  TChartTitle& title = bench.Chart.Title();
  title.SetText({"abc"});
  title.SetAlignment(taRightJustify);
  const int32_t w = bench.WidthOf(title, "abc");
  const int32_t wW = bench.WidthOf(title, "W");
  bench.Surface.ClearCalls();
  bench.Render(title, true);
  const auto texts = bench.Calls("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Ints[0], 388 - w - wW / 2);

  title.SetAlignment(taLeftJustify);
  bench.Surface.ClearCalls();
  bench.Render(title, true);
  EXPECT_EQ(bench.Calls("TextOut")[0].Ints[0], 12 + wW / 2);
}

TEST(ChartTitle, FootLinesStackUpwardFromTheBottomEdge) {
  TTitleBench bench;
  TChartTitle& foot = bench.Chart.Foot();
  foot.SetText({"zero", "one", "two"});
  const int32_t h = bench.LineHeight(foot);
  bench.Surface.ClearCalls();
  bench.Render(foot, false);
  const auto texts = bench.Calls("TextOut");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].Text, "two");
  EXPECT_EQ(texts[0].Ints[1], 240 - h);
  EXPECT_EQ(texts[1].Text, "one");
  EXPECT_EQ(texts[1].Ints[1], 240 - 2 * h);
  EXPECT_EQ(texts[2].Text, "zero");
  EXPECT_EQ(texts[2].Ints[1], 240 - 3 * h);
  EXPECT_EQ(bench.Chart.PlotRect().Bottom, 240 - 3 * h - 5);
}

TEST(ChartTitle, AdjustedBoxIsTheWidestLinePlusAWCentred) {
  TTitleBench bench;
  TChartTitle& title = bench.Chart.Title();
  title.SetText({"short", "a longer line"});
  title.SetColor(fw::clYellow);
  const int32_t m = bench.WidthOf(title, "a longer line") + bench.WidthOf(title, "W");
  const int32_t h = bench.LineHeight(title);
  bench.Surface.ClearCalls();
  bench.Render(title, true);
  const auto boxes = bench.Calls("Rectangle");
  ASSERT_EQ(boxes.size(), 1u);
  const int32_t mid = (12 + 388) / 2;
  EXPECT_EQ(boxes[0].Ints, (std::vector<int32_t>{mid - m / 2, 40, mid + m / 2, 40 + 2 * h}));
  EXPECT_EQ(bench.Chart.Canvas().Brush().Color(), fw::clYellow);
}

TEST(ChartTitle, ASolidBrushColourBecomesTheTitleColour) {
  TTitleBench bench;
  TChartTitle& title = bench.Chart.Title();
  title.SetText({"t"});
  title.Brush().SetColor(fw::clRed);
  bench.Render(title, true);
  EXPECT_EQ(title.Color(), fw::clRed);
  EXPECT_EQ(bench.Calls("Rectangle").size(), 1u);
  EXPECT_EQ(bench.Chart.Canvas().Brush().Color(), fw::clRed);
}

TEST(ChartTitle, WithoutFrameOrBackgroundNoBoxIsDrawn) {
  TTitleBench bench;
  TChartTitle& title = bench.Chart.Title();
  title.SetText({"t"});
  bench.Render(title, true);
  EXPECT_EQ(bench.Calls("Rectangle").size(), 0u);
  EXPECT_EQ(title.TitleBox().Left, 12);
  EXPECT_EQ(title.TitleBox().Right, 388);
}

// ---- whole frames -----------------------------------------------------------------------------

TEST(ChartFrame, The2DBackWallOutlinesThePlotRectangleInclusive) {
  TChart chart;
  chart.SetBounds(0, 0, 200, 150);
  chart.SetView3D(false);
  chart.SetAxisVisible(false);
  chart.SetColor(fw::clWhite);
  fw::TBitmap target(200, 150);
  chart.DrawToCanvas(target.Canvas(), chart.GetPaintArea());
  const fw::TRect p = chart.PlotRect();
  EXPECT_EQ(p, (fw::TRect{6, 6, 194, 144}));  // margins only: no title text, no axes
  fw::TSurface& s = target.Canvas();
  for (int32_t x = p.Left; x <= p.Right; ++x) {
    EXPECT_EQ(s.GetPixel(x, p.Top), fw::clBlack) << x;
    EXPECT_EQ(s.GetPixel(x, p.Bottom), fw::clBlack) << x;
  }
  for (int32_t y = p.Top; y <= p.Bottom; ++y) {
    EXPECT_EQ(s.GetPixel(p.Left, y), fw::clBlack) << y;
    EXPECT_EQ(s.GetPixel(p.Right, y), fw::clBlack) << y;
  }
  EXPECT_EQ(s.GetPixel(p.Left + 1, p.Top + 1), fw::clWhite);
  EXPECT_EQ(s.GetPixel(p.Right + 1, p.Bottom), fw::clWhite);
}

TEST(ChartFrame, EventsInPipelineOrder) {
  TChart chart;
  chart.SetBounds(0, 0, 200, 150);
  std::vector<std::string> order;
  chart.OnBeforeDrawAxes = [&](fw::TComponent*) { order.push_back("axes"); };
  chart.OnBeforeDrawSeries = [&](fw::TComponent*) { order.push_back("series"); };
  chart.OnAfterDraw = [&](fw::TComponent*) {
    order.push_back("after");
    EXPECT_EQ(chart.Canvas().Pen().Color(), fw::clBlack);  // drawing state already reset
    EXPECT_EQ(chart.Canvas().Brush().Color(), fw::clWhite);
  };
  fw::TBitmap target(200, 150);
  chart.DrawToCanvas(target.Canvas(), chart.GetPaintArea());
  EXPECT_EQ(order, (std::vector<std::string>{"axes", "series", "after"}));
  chart.SetAxisVisible(false);
  order.clear();
  chart.DrawToCanvas(target.Canvas(), chart.GetPaintArea());
  EXPECT_EQ(order, (std::vector<std::string>{"series", "after"}));
}

TEST(ChartFrame, AxesTakeRoomOnlyWhenShown) {
  TChart chart;
  chart.SetBounds(0, 0, 400, 250);
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  auto s = std::make_unique<TChartSeries>();
  s->AppendPoint(0, 0, "", fw::clDefault);
  s->AppendPoint(10, 5, "", fw::clDefault);
  s->SetParentChart(&chart);
  fw::TBitmap target(400, 250);
  chart.DrawToCanvas(target.Canvas(), chart.GetPaintArea());
  const fw::TRect withAxes = chart.PlotRect();
  EXPECT_GT(withAxes.Left, 12);     // the left axis' labels and ticks
  EXPECT_LT(withAxes.Bottom, 240);  // the bottom axis' labels and ticks
  EXPECT_EQ(withAxes.Right, 388);   // no right axis: no room taken
  EXPECT_EQ(withAxes.Top, 10);      // no top axis, no title text
  chart.SetAxisVisible(false);
  chart.DrawToCanvas(target.Canvas(), chart.GetPaintArea());
  EXPECT_EQ(chart.PlotRect(), (fw::TRect{12, 10, 388, 240}));
}

TEST(ChartFrame, SeriesAreClippedToThePlotRectangleWhenAsked) {
  TChart chart;
  chart.SetBounds(0, 0, 200, 150);
  chart.SetView3D(false);
  auto s = std::make_unique<TChartSeries>();
  s->AppendPoint(0, 0, "", fw::clDefault);
  s->SetParentChart(&chart);
  fw::TRecordingSurface window;
  auto clipsOnFrame = [&] {
    // Unbuffered: the frame draws straight on the recording surface.
    chart.SetBufferedDisplay(false);
    window.ClearCalls();
    chart.DrawToCanvas(window, chart.GetPaintArea());
    return window.CountOf("IntersectClipRect");
  };
  const auto withClip = clipsOnFrame();
  chart.SetClipPoints(false);
  const auto withoutClip = clipsOnFrame();
  EXPECT_EQ(withClip, withoutClip + 1);
}
