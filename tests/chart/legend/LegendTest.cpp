#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/ChartException.h"
#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TChartSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TRecordingSurface.h"
#include "framework/graphics/TSurface.h"

using namespace chart;

namespace {

// A flat chart without axes: after a frame, PlotRect is exactly what the titles and the legend
// left of the margin rectangle. A 400 x 250 chart starts with the plot at (12, 10, 388, 240).
struct TLegendChart {
  TChart Chart;
  std::vector<std::unique_ptr<TChartSeries>> Series;  // freed first: they leave the chart

  explicit TLegendChart(int32_t width = 400, int32_t height = 250) {
    Chart.SetBounds(0, 0, width, height);
    Chart.SetView3D(false);
    Chart.SetAxisVisible(false);
    Chart.SetColor(fw::clWhite);
  }
  ~TLegendChart() { Series.clear(); }

  TChartSeries& AddSeries(const std::string& title, int32_t points = 0, fw::TColor color = fw::clDefault) {
    auto s = std::make_unique<TChartSeries>();
    s->SetTitle(title);
    if (color != fw::clDefault) s->SetSeriesColor(color);
    for (int32_t i = 0; i < points; ++i) s->AppendPoint(i, i + 1.0, "P" + std::to_string(i), fw::clDefault);
    s->SetParentChart(&Chart);
    Series.push_back(std::move(s));
    return *Series.back();
  }

  std::unique_ptr<fw::TBitmap> Draw() {
    auto image = std::make_unique<fw::TBitmap>(Chart.Width(), Chart.Height());
    Chart.DrawToCanvas(image->Canvas(), Chart.GetPaintArea());
    return image;
  }

  TChartLegend& Legend() { return Chart.Legend(); }
};

struct TItemPosition {
  int32_t Index, X, Y, XColor;
};

// Records every drawn item through the chart's position event.
std::vector<TItemPosition>& RecordPositions(TCustomChart& chart, std::vector<TItemPosition>& log) {
  chart.OnGetLegendPos = [&log](TCustomChart*, int32_t index, int32_t& x, int32_t& y, int32_t& xColor) {
    log.push_back({index, x, y, xColor});
  };
  return log;
}

fw::TRect MarginPlot() { return fw::TRect{12, 10, 388, 240}; }

}  // namespace

// ---- settings -----------------------------------------------------------------------------------

TEST(LegendSettings, Defaults) {
  TChart chart;
  const TChartLegend& l = chart.Legend();
  EXPECT_EQ(l.Alignment(), laRight);
  EXPECT_EQ(l.Color(), fw::clWhite);
  EXPECT_EQ(l.ColorWidth(), 12);
  EXPECT_EQ(l.FirstValue(), 0);
  EXPECT_TRUE(l.Frame().Visible());
  EXPECT_EQ(l.Frame().Color(), fw::clBlack);
  EXPECT_EQ(l.Frame().Width(), 1);
  EXPECT_FALSE(l.DividingLines().Visible());
  EXPECT_EQ(l.LegendStyle(), lsAuto);
  EXPECT_EQ(l.MaxNumRows(), 10);
  EXPECT_TRUE(l.ResizeChart());
  EXPECT_EQ(l.ShadowColor(), fw::clBlack);
  EXPECT_EQ(l.ShadowSize(), 3);
  EXPECT_EQ(l.TextStyle(), ltsLeftValue);
  EXPECT_EQ(l.TopPos(), 10);
  EXPECT_TRUE(l.Visible());
  EXPECT_EQ(l.Font().Name(), "Arial");
}

TEST(LegendSettings, RejectedValuesThrowTheirMessageAndKeepTheOldValue) {
  TChart chart;
  TChartLegend& l = chart.Legend();
  l.SetTopPos(40);
  for (int32_t bad : {-1, 101, INT32_MIN, INT32_MAX}) {
    try {
      l.SetTopPos(bad);
      ADD_FAILURE() << "TopPos " << bad << " accepted";
    } catch (const LegendException& e) {
      EXPECT_EQ(e.Message(), "Top Legend Position must be between 0 and 100 %");
    }
    EXPECT_EQ(l.TopPos(), 40);
  }
  l.SetColorWidth(30);
  for (int32_t bad : {-1, 101}) {
    try {
      l.SetColorWidth(bad);
      ADD_FAILURE() << "ColorWidth " << bad << " accepted";
    } catch (const LegendException& e) {
      EXPECT_EQ(e.Message(), "Legend Color Width must be between 0 and 100 %");
    }
    EXPECT_EQ(l.ColorWidth(), 30);
  }
  l.SetFirstValue(3);
  try {
    l.SetFirstValue(-1);
    ADD_FAILURE() << "FirstValue -1 accepted";
  } catch (const LegendException& e) {
    EXPECT_EQ(e.Message(), "First Legend Value must be > 0");
  }
  EXPECT_EQ(l.FirstValue(), 3);

  // The ends of the ranges are valid.
  l.SetTopPos(0);
  l.SetTopPos(100);
  l.SetColorWidth(0);
  l.SetColorWidth(100);
  l.SetFirstValue(0);
  EXPECT_EQ(l.TopPos(), 100);
  EXPECT_EQ(l.ColorWidth(), 100);
  EXPECT_EQ(l.FirstValue(), 0);
}

TEST(LegendSettings, ChangesRepaintTheChartOnlyWhenTheValueDiffers) {
  TLegendChart c;
  c.AddSeries("A");
  c.Draw();
  ASSERT_FALSE(c.Chart.Canvas().Dirty());
  c.Legend().SetShadowSize(3);
  c.Legend().SetAlignment(laRight);
  EXPECT_FALSE(c.Chart.Canvas().Dirty());
  c.Legend().SetAlignment(laTop);
  EXPECT_TRUE(c.Chart.Canvas().Dirty());
  c.Draw();
  c.Legend().Frame().SetColor(fw::clRed);  // owned pens and brushes repaint too
  EXPECT_TRUE(c.Chart.Canvas().Dirty());
  c.Draw();
  c.Legend().Font().SetSize(12);
  EXPECT_TRUE(c.Chart.Canvas().Dirty());
}

TEST(LegendSettings, AssignCopiesAllButShadowAndDividingLines) {
  TChart source;
  TChartLegend& s = source.Legend();
  s.SetVisible(false);
  s.SetLegendStyle(lsLastValues);
  s.SetFirstValue(2);
  s.SetAlignment(laBottom);
  s.SetTextStyle(ltsRightPercent);
  s.SetColorWidth(40);
  s.SetHorizMargin(7);
  s.SetVertMargin(9);
  s.SetResizeChart(false);
  s.SetInverted(true);
  s.SetTopPos(60);
  s.SetColor(fw::clTeal);
  s.Frame().SetWidth(3);
  s.SetMaxNumRows(4);
  s.Brush().SetStyle(fw::bsCross);
  s.Font().SetSize(14);
  s.SetShadowColor(fw::clRed);
  s.SetShadowSize(8);
  s.DividingLines().SetVisible(true);

  TChart target;
  target.SetLegend(s);
  const TChartLegend& t = target.Legend();
  EXPECT_FALSE(t.Visible());
  EXPECT_EQ(t.LegendStyle(), lsLastValues);
  EXPECT_EQ(t.FirstValue(), 2);
  EXPECT_EQ(t.Alignment(), laBottom);
  EXPECT_EQ(t.TextStyle(), ltsRightPercent);
  EXPECT_EQ(t.ColorWidth(), 40);
  EXPECT_EQ(t.HorizMargin(), 7);
  EXPECT_EQ(t.VertMargin(), 9);
  EXPECT_FALSE(t.ResizeChart());
  EXPECT_TRUE(t.Inverted());
  EXPECT_EQ(t.TopPos(), 60);
  EXPECT_EQ(t.Color(), fw::clTeal);
  EXPECT_EQ(t.Frame().Width(), 3);
  EXPECT_EQ(t.MaxNumRows(), 4);
  EXPECT_EQ(t.Brush().Style(), fw::bsCross);
  EXPECT_EQ(t.Font().Size(), 14);
  EXPECT_EQ(t.ShadowColor(), fw::clBlack);
  EXPECT_EQ(t.ShadowSize(), 3);
  EXPECT_FALSE(t.DividingLines().Visible());
  EXPECT_NE(&t, &s);
}

// ---- items and texts ----------------------------------------------------------------------------

TEST(LegendItems, AutoListsThePointsOfOneActiveSeriesAndTheSeriesOfSeveral) {
  TLegendChart c;
  TChartSeries& a = c.AddSeries("A", 5);
  TChartSeries& b = c.AddSeries("B", 2);
  b.SetActive(false);
  TChartLegend& l = c.Legend();
  l.ResolveStyle();
  EXPECT_EQ(l.EffectiveStyle(), lsValues);
  EXPECT_EQ(l.TotalItems(), 5);
  EXPECT_EQ(c.Chart.LegendTextFor(1), "P1 2");

  b.SetActive(true);
  l.ResolveStyle();
  EXPECT_EQ(l.EffectiveStyle(), lsSeries);
  EXPECT_EQ(l.TotalItems(), 2);
  EXPECT_EQ(c.Chart.LegendTextFor(1), "B");

  // A series hidden from the legend is no item; a values legend of such a series is empty.
  b.SetShowInLegend(false);
  EXPECT_EQ(l.TotalItems(), 1);
  l.SetLegendStyle(lsValues);
  a.SetShowInLegend(false);
  EXPECT_EQ(l.TotalItems(), 0);
}

TEST(LegendItems, FirstValueSkipsLeadingItemsAndNeverGivesANegativeCount) {
  TLegendChart c;
  c.AddSeries("A", 5);
  TChartLegend& l = c.Legend();
  l.ResolveStyle();
  l.SetFirstValue(2);
  EXPECT_EQ(l.TotalItems(), 3);
  l.SetFirstValue(9);
  EXPECT_EQ(l.TotalItems(), 0);
}

TEST(LegendItems, LastValuesShowTheLastPointOfEachSeries) {
  TLegendChart c;
  c.AddSeries("A", 3);
  c.AddSeries("Empty", 0);
  c.Legend().SetLegendStyle(lsLastValues);
  EXPECT_EQ(c.Chart.LegendTextFor(0), "P2 3");
  EXPECT_EQ(c.Chart.LegendTextFor(1), "");
  EXPECT_EQ(c.Chart.LegendTextFor(2), "");
}

TEST(LegendItems, SeriesTitleFallsBackToNameThenNumber) {
  TLegendChart c;
  c.AddSeries("Wave");
  TChartSeries& named = c.AddSeries("");
  named.SetName("Series7");
  c.AddSeries("");
  c.Legend().SetLegendStyle(lsSeries);
  EXPECT_EQ(c.Chart.LegendTextFor(0), "Wave");
  EXPECT_EQ(c.Chart.LegendTextFor(1), "Series7");
  EXPECT_EQ(c.Chart.LegendTextFor(2), "Series 2");
}

TEST(LegendItems, TextStylesCombineLabelValuePercentAndX) {
  TChartSeries s;
  s.AppendPoint(1234.5, 1, "a", fw::clDefault);
  s.AppendPoint(2000, 3, "b", fw::clDefault);
  EXPECT_EQ(PointLegendText(s, 0, ltsPlain), "a");
  EXPECT_EQ(PointLegendText(s, 0, ltsLeftValue), "a 1");
  EXPECT_EQ(PointLegendText(s, 1, ltsRightValue), "3 b");
  EXPECT_EQ(PointLegendText(s, 0, ltsLeftPercent), "a 25 %");
  EXPECT_EQ(PointLegendText(s, 1, ltsRightPercent), "75 % b");
  EXPECT_EQ(PointLegendText(s, 0, ltsXValue), "1,234.5");  // no chart: the series' ValueFormat
  EXPECT_EQ(PointLegendText(s, 2, ltsLeftValue), "");
  EXPECT_EQ(PointLegendText(s, -1, ltsLeftValue), "");
}

TEST(LegendItems, PercentOfAZeroTotalIsAHundred) {
  TChartSeries s;
  s.AppendPoint(0, 0, "a", fw::clDefault);
  s.AppendPoint(1, 0, "b", fw::clDefault);
  EXPECT_EQ(PointLegendText(s, 0, ltsLeftPercent), "a 100 %");
  EXPECT_EQ(PointLegendText(s, 1, ltsRightPercent), "100 % b");
}

TEST(LegendItems, LineBreaksInLabelsShowAsSpaces) {
  TLegendChart c;
  TChartSeries& s = c.AddSeries("A");
  s.AppendPoint(0, 5, "two\rlines", fw::clDefault);
  c.Legend().SetTextStyle(ltsPlain);
  c.Legend().ResolveStyle();
  EXPECT_EQ(c.Chart.LegendTextFor(0), "two lines");
  EXPECT_EQ(c.Chart.FormattedLegendValue(s, 0), "two lines");
}

TEST(LegendItems, TheTextEventMayReplaceEachText) {
  TLegendChart c;
  c.AddSeries("A", 3);
  std::vector<TLegendStyle> styles;
  c.Chart.OnGetLegendText = [&](TCustomChart* sender, TLegendStyle style, int32_t index, std::string& text) {
    EXPECT_EQ(sender, &c.Chart);
    styles.push_back(style);
    text = "#" + std::to_string(index) + " " + text;
  };
  c.Legend().ResolveStyle();
  EXPECT_EQ(c.Chart.LegendTextFor(2), "#2 P2 3");
  ASSERT_EQ(styles.size(), 1u);
  EXPECT_EQ(styles[0], lsValues);
}

TEST(LegendItems, TheTextEventIsAskedEachTimeAnItemsTextIsNeeded) {
  TLegendChart c;
  c.AddSeries("A", 3);
  std::vector<int> asked(3, 0);
  c.Chart.OnGetLegendText = [&](TCustomChart*, TLegendStyle, int32_t index, std::string& text) {
    ++asked.at(static_cast<size_t>(index));
    text += " (" + std::to_string(asked[static_cast<size_t>(index)]) + ")";
  };
  // A right legend asks for every text for the widest text, again for the widest of the rows
  // that fit, and once more to draw it.
  fw::TRecordingSurface surface(400, 250);
  c.Chart.SetBufferedDisplay(false);
  c.Chart.DrawToCanvas(surface, c.Chart.GetPaintArea());
  EXPECT_EQ(asked, (std::vector<int>{3, 3, 3}));
  std::vector<std::string> drawn;
  for (const fw::TSurfaceCall& call : surface.Calls())
    if (call.Name == "TextOut") drawn.push_back(call.Text);
  EXPECT_EQ(drawn, (std::vector<std::string>{"P0 1 (3)", "P1 2 (3)", "P2 3 (3)"}));

  // A top legend measures once and draws once.
  c.Legend().SetAlignment(laTop);
  asked.assign(3, 0);
  c.Chart.DrawToCanvas(surface, c.Chart.GetPaintArea());
  EXPECT_EQ(asked, (std::vector<int>{2, 2, 2}));

  // Without a handler the texts are formatted once per frame and drawn unchanged.
  c.Chart.OnGetLegendText = nullptr;
  surface.ClearCalls();
  c.Chart.DrawToCanvas(surface, c.Chart.GetPaintArea());
  drawn.clear();
  for (const fw::TSurfaceCall& call : surface.Calls())
    if (call.Name == "TextOut") drawn.push_back(call.Text);
  EXPECT_EQ(drawn, (std::vector<std::string>{"P0 1", "P1 2", "P2 3"}));
}

// ---- painting and layout -----------------------------------------------------------------------

TEST(LegendLayout, AHiddenLegendOrNoActiveSeriesDrawsNothingAndTakesNoRoom) {
  TLegendChart c;
  TChartSeries& s = c.AddSeries("A", 3);
  std::vector<TItemPosition> log;
  RecordPositions(c.Chart, log);

  c.Legend().SetVisible(false);
  c.Draw();
  EXPECT_EQ(c.Chart.PlotRect(), MarginPlot());

  c.Legend().SetVisible(true);
  s.SetActive(false);
  fw::TRecordingSurface surface(400, 250);
  c.Chart.SetBufferedDisplay(false);
  c.Chart.DrawToCanvas(surface, c.Chart.GetPaintArea());
  EXPECT_EQ(c.Chart.PlotRect(), MarginPlot());
  EXPECT_TRUE(log.empty());
  for (const fw::TSurfaceCall& call : surface.Calls()) EXPECT_NE(call.Name, "TextOut") << call.Text;
  EXPECT_EQ(c.Legend().Clicked(370, 30), -1);
}

TEST(LegendLayout, ARightLegendStandsLeftOfTheFrameAndShadowAndPushesThePlotEdge) {
  TLegendChart c;
  c.AddSeries("A", 3);
  c.Draw();
  const TChartLegend& l = c.Legend();
  const fw::TRect b = l.LegendBounds();
  EXPECT_EQ(b.Right, 388 - 2 - 3);  // frame width + 1, shadow
  EXPECT_EQ(b.Top, 25);             // TopPos 10 % of the panel height
  EXPECT_EQ(l.RowCount(), 3);
  EXPECT_EQ(l.ColumnCount(), 1);
  EXPECT_EQ(b.Bottom, b.Top + 3 * l.ItemHeight() + 2);
  // The plot ends at the box, less 3 % of the plot width (376) as gap.
  EXPECT_EQ(c.Chart.PlotRect().Right, b.Left - 11);
  EXPECT_EQ(c.Chart.PlotRect().Left, 12);
  EXPECT_EQ(c.Chart.PlotRect().Top, 10);
  EXPECT_EQ(c.Chart.PlotRect().Bottom, 240);
}

TEST(LegendLayout, EachSideMovesItsOwnPlotEdge) {
  TLegendChart c;
  c.AddSeries("A", 3);
  TChartLegend& l = c.Legend();

  l.SetAlignment(laLeft);
  c.Draw();
  EXPECT_EQ(l.LegendBounds().Left, 14);
  EXPECT_EQ(c.Chart.PlotRect().Left, l.LegendBounds().Right + 11);

  l.SetAlignment(laTop);
  c.Draw();
  EXPECT_EQ(l.LegendBounds().Top, 12);
  EXPECT_EQ(l.LegendBounds().Bottom, 12 + l.RowCount() * l.ItemHeight() + 2);
  // Below the box and its shadow, less 4 % of the plot height (230).
  EXPECT_EQ(c.Chart.PlotRect().Top, l.LegendBounds().Bottom + 3 + 9);

  l.SetAlignment(laBottom);
  c.Draw();
  EXPECT_EQ(l.LegendBounds().Bottom, 240 - 3 - 2);
  EXPECT_EQ(c.Chart.PlotRect().Bottom, l.LegendBounds().Top - 9);
}

TEST(LegendLayout, WithoutResizeChartOnlyTheMarginMovesThePlotEdge) {
  TLegendChart c;
  c.AddSeries("A", 3);
  TChartLegend& l = c.Legend();
  l.SetResizeChart(false);
  c.Draw();
  EXPECT_EQ(c.Chart.PlotRect().Right, 388 - 11);
  l.SetHorizMargin(20);
  c.Draw();
  EXPECT_EQ(c.Chart.PlotRect().Right, 388 - 20);
  l.SetAlignment(laBottom);
  c.Draw();
  EXPECT_EQ(c.Chart.PlotRect().Bottom, 240 - 9);
  l.SetVertMargin(5);
  c.Draw();
  EXPECT_EQ(c.Chart.PlotRect().Bottom, 240 - 5);
}

TEST(LegendLayout, ASideLegendTallerThanThePlotShowsOnlyTheItemsThatFit) {
  TLegendChart c;
  c.AddSeries("A", 100);
  std::vector<TItemPosition> log;
  RecordPositions(c.Chart, log);
  c.Draw();
  const TChartLegend& l = c.Legend();
  const int32_t fit = (240 - 2 * 1 - 25) / l.ItemHeight();
  EXPECT_EQ(l.RowCount(), fit);
  ASSERT_EQ(static_cast<int32_t>(log.size()), fit);
  EXPECT_EQ(log.back().Index, fit - 1);
  EXPECT_EQ(log[1].Y - log[0].Y, l.ItemHeight());
}

TEST(LegendLayout, TopPosPlacesASideLegendAlongThePanelHeight) {
  TLegendChart c;
  c.AddSeries("A", 3);
  TChartLegend& l = c.Legend();
  l.SetTopPos(0);
  c.Draw();
  EXPECT_EQ(l.LegendBounds().Top, 0);

  std::vector<TItemPosition> log;
  RecordPositions(c.Chart, log);
  l.SetTopPos(100);
  c.Draw();
  EXPECT_EQ(l.LegendBounds().Top, 250);
  EXPECT_EQ(l.RowCount(), 0);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(c.Chart.PlotRect(), MarginPlot());
}

TEST(LegendLayout, TopLegendRowsFollowColumnsAndMaxNumRows) {
  // All 25 texts equally wide and no symbol column: a column is (text + 4) + 8 wide. The chart
  // is made as wide as 4 such columns plus the 8-pixel lead and the frame need, and a bit.
  // The text width is read off a right legend: its text column ends 2 pixels inside the box.
  const auto sameText = [](TCustomChart*, TLegendStyle, int32_t, std::string& text) { text = "Item"; };
  int32_t column = 0;
  {
    TLegendChart measure;
    measure.AddSeries("A", 1);
    measure.Chart.OnGetLegendText = sameText;
    std::vector<TItemPosition> first;
    RecordPositions(measure.Chart, first);
    measure.Legend().SetColorWidth(0);
    measure.Legend().SetShadowSize(0);
    measure.Draw();
    ASSERT_EQ(first.size(), 1u);
    const int32_t textWidth = measure.Legend().LegendBounds().Right - 2 - first[0].X;
    ASSERT_GT(textWidth, 10);
    column = textWidth + 4 + 8;
  }

  TLegendChart c(8 + 2 + 4 * column + column / 2, 250);
  c.Chart.SetMarginLeft(0);
  c.Chart.SetMarginRight(0);
  c.AddSeries("A", 25);
  c.Chart.OnGetLegendText = sameText;
  std::vector<TItemPosition> log;
  RecordPositions(c.Chart, log);
  TChartLegend& l = c.Legend();
  l.SetAlignment(laTop);
  l.SetColorWidth(0);
  l.SetShadowSize(0);

  c.Draw();
  EXPECT_EQ(l.ColumnCount(), 4);
  EXPECT_EQ(l.RowCount(), 7);
  EXPECT_EQ(log.size(), 25u);

  log.clear();
  l.SetMaxNumRows(3);
  c.Draw();
  EXPECT_EQ(l.RowCount(), 3);
  ASSERT_EQ(log.size(), 12u);
  // Row by row, left to right.
  EXPECT_EQ(log[1].Y, log[0].Y);
  EXPECT_EQ(log[1].X - log[0].X, column - 4);
  EXPECT_EQ(log[4].X, log[0].X);
  EXPECT_EQ(log[4].Y - log[0].Y, l.ItemHeight());

  // Hit test: column k, row r is item k + r * columns.
  const fw::TRect b = l.LegendBounds();
  const int32_t cw = (b.Right - b.Left) / 4;
  EXPECT_EQ(l.LegendItemAt(b.Left + 2, b.Top + 2), 0);
  EXPECT_EQ(l.LegendItemAt(b.Left + 2 * cw + 5, b.Top + 2 + l.ItemHeight() + 3), 6);
  EXPECT_EQ(l.LegendItemAt(b.Left - 1, b.Top + 2), -1);
  EXPECT_EQ(l.LegendItemAt(b.Left + 2, b.Bottom), -1);
}

TEST(LegendLayout, FirstValueAndInvertedChooseWhichItemGoesWhere) {
  TLegendChart c;
  c.AddSeries("A", 5);
  std::vector<TItemPosition> log;
  RecordPositions(c.Chart, log);
  TChartLegend& l = c.Legend();
  l.SetFirstValue(2);
  c.Draw();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].Index, 2);
  EXPECT_EQ(log[2].Index, 4);
  EXPECT_LT(log[0].Y, log[1].Y);
  const fw::TRect b = l.LegendBounds();
  EXPECT_EQ(l.LegendItemAt(b.Left + 3, log[0].Y + 1), 0);
  EXPECT_EQ(l.LegendItemAt(b.Left + 3, log[2].Y + 2), 2);

  log.clear();
  l.SetFirstValue(0);
  l.SetInverted(true);
  c.Draw();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0].Index, 4);  // the last item on top
  EXPECT_EQ(log[4].Index, 0);
  EXPECT_LT(log[0].Y, log[4].Y);
}

TEST(LegendLayout, TheRectEventMayMoveTheBox) {
  TLegendChart c;
  c.AddSeries("A", 2);
  c.Chart.OnGetLegendRect = [](TCustomChart*, fw::TRect& r) {
    r.Left -= 100;
    r.Right -= 100;
  };
  std::vector<TItemPosition> log;
  RecordPositions(c.Chart, log);
  c.Draw();
  const fw::TRect b = c.Legend().LegendBounds();
  EXPECT_EQ(b.Right, 383 - 100);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].Y, b.Top + 1);
  EXPECT_EQ(c.Chart.PlotRect().Right, b.Left - 11);
}

TEST(LegendHitTest, RowsOfASideLegendAndPointsOutsideTheBox) {
  TLegendChart c;
  c.AddSeries("A", 4);
  c.Draw();
  const TChartLegend& l = c.Legend();
  const fw::TRect b = l.LegendBounds();
  const int32_t h = (b.Bottom - b.Top) / 4;
  EXPECT_EQ(l.LegendItemAt(b.Left, b.Top + 1), 0);
  EXPECT_EQ(l.LegendItemAt(b.Right - 1, b.Top + 1 + h + 1), 1);
  EXPECT_EQ(l.LegendItemAt(b.Left + 3, b.Top + 1 + 3 * h + 1), 3);
  EXPECT_EQ(l.LegendItemAt(b.Left + 3, b.Top), -1);  // above the first row
  EXPECT_EQ(l.LegendItemAt(b.Right, b.Top + 5), -1);
  EXPECT_EQ(l.LegendItemAt(b.Left - 1, b.Top + 5), -1);
  EXPECT_EQ(l.LegendItemAt(b.Left + 3, b.Bottom), -1);
  EXPECT_EQ(l.Clicked(b.Left + 3, b.Top + 2), 0);

  c.Legend().SetVisible(false);
  EXPECT_EQ(l.Clicked(b.Left + 3, b.Top + 2), -1);
  c.Draw();
  EXPECT_EQ(l.LegendItemAt(b.Left + 3, b.Top + 2), -1);  // nothing painted: nothing to hit
}

// ---- pixels ------------------------------------------------------------------------------------

TEST(LegendPixels, BoxShadowAndSymbolOutlinePen) {
  TLegendChart c;
  c.AddSeries("A", 0, fw::clRed);
  c.AddSeries("B", 0, fw::clBlue);
  std::vector<TItemPosition> log;
  RecordPositions(c.Chart, log);
  c.Legend().SetColorWidth(100);  // symbols as wide as the text column plus 10
  auto image = c.Draw();
  const TChartLegend& l = c.Legend();
  const fw::TRect b = l.LegendBounds();
  fw::TSurface& px = image->Canvas();
  // Frame one pixel outside the bounds, white inside, shadow below right.
  EXPECT_EQ(px.GetPixel(b.Left - 1, b.Top + 3), fw::clBlack);
  EXPECT_EQ(px.GetPixel(b.Left + 1, b.Top + 1), fw::clWhite);
  EXPECT_EQ(px.GetPixel(b.Right + 2, b.Bottom + 2), fw::clBlack);
  EXPECT_EQ(px.GetPixel(b.Right + 5, b.Bottom + 2), fw::clWhite);

  // Symbols left of the text: outlined in black, filled with the series colour.
  ASSERT_EQ(log.size(), 2u);
  const int32_t sw = l.SymbolWidth();
  ASSERT_GT(sw, 4);
  const fw::TRect first{log[0].X - 4 - sw, log[0].Y + 2, log[0].X - 4, log[0].Y + l.ItemHeight() - 2};
  EXPECT_EQ(px.GetPixel(first.Left, first.Top), fw::clBlack);
  EXPECT_EQ(px.GetPixel(first.Left + 2, first.Top + 2), fw::clRed);
  EXPECT_EQ(px.GetPixel(log[1].X - 6, log[1].Y + 4), fw::clBlue);

  // On a black legend the outline pen is white.
  c.Legend().SetColor(fw::clBlack);
  log.clear();
  image = c.Draw();
  fw::TSurface& dark = image->Canvas();
  EXPECT_EQ(dark.GetPixel(first.Left, first.Top), fw::clWhite);
  EXPECT_EQ(dark.GetPixel(first.Left + 2, first.Top + 2), fw::clRed);
  EXPECT_EQ(dark.GetPixel(b.Left + 1, b.Top + 1), fw::clBlack);
}

TEST(LegendPixels, DividingLinesRunBetweenItems) {
  TLegendChart c;
  c.AddSeries("A", 3);
  std::vector<TItemPosition> log;
  RecordPositions(c.Chart, log);
  c.Legend().DividingLines().SetVisible(true);
  c.Legend().DividingLines().SetColor(fw::clRed);
  auto image = c.Draw();
  const fw::TRect b = c.Legend().LegendBounds();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_NE(image->Canvas().GetPixel(b.Left + 1, log[0].Y), fw::clRed);
  EXPECT_EQ(image->Canvas().GetPixel(b.Left + 1, log[1].Y), fw::clRed);
  EXPECT_EQ(image->Canvas().GetPixel(b.Left + 1, log[2].Y), fw::clRed);
}

// ---- with the titles -----------------------------------------------------------------------------

TEST(LegendWithTitles, ATopLegendSitsBelowTheTitleAndASideLegendIgnoresTheFoot) {
  TLegendChart c;
  c.AddSeries("A", 100);
  c.Chart.Title().SetText({"Title"});
  c.Chart.Foot().SetText({"Foot"});
  TChartLegend& l = c.Legend();

  l.SetVisible(false);
  c.Draw();
  const fw::TRect titled = c.Chart.PlotRect();
  ASSERT_GT(titled.Top, 10);
  ASSERT_LT(titled.Bottom, 240);

  l.SetVisible(true);
  l.SetAlignment(laTop);
  c.Draw();
  EXPECT_EQ(l.LegendBounds().Top, titled.Top + 2);

  // A side legend is laid out before the foot takes its room.
  l.SetAlignment(laRight);
  c.Draw();
  EXPECT_EQ(l.RowCount(), (240 - 2 - 25) / l.ItemHeight());
  EXPECT_EQ(c.Chart.PlotRect().Bottom, titled.Bottom);
}

TEST(LegendWithTitles, XValueTextsAreFormattedByTheSeriesAxis) {
  TLegendChart c;
  TChartSeries& s = c.AddSeries("A");
  s.AppendPoint(1234.5, 1, "a", fw::clDefault);
  const std::string expected = c.Chart.AxisValueText(c.Chart.BottomAxis(), 1234.5, s.ValueFormat());
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(PointLegendText(s, 0, ltsXValue), expected);
  c.Legend().SetTextStyle(ltsXValue);
  EXPECT_EQ(c.Chart.FormattedLegendValue(s, 0), expected);
}
