#include <gtest/gtest.h>

#include <memory>

#include "FakeLineChart.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "framework/graphics/TFont.h"
#include "framework/runtime/FormatFloat.h"

namespace chart::test {
namespace {

std::vector<int32_t> Ints(std::initializer_list<int32_t> v) { return v; }

class MarksTest : public ::testing::Test {
protected:
  MarksTest() {
    series = std::make_unique<TFastLineSeries>();
    series->SetParentChart(&chart);
    series->SetSeriesColor(fw::clRed);
    series->Marks().SetVisible(true);
  }
  ~MarksTest() override { series->SetParentChart(nullptr); }

  void DrawMarks() {
    chart.Surface.ClearCalls();
    chart.Surface.LinePens.clear();
    series->SetFirstVisible(0);
    series->SetLastVisible(series->PointCount() - 1);
    series->DrawMarks();
  }
  TSeriesMarks& Marks() { return series->Marks(); }

  FakeLineChart chart;
  std::unique_ptr<TFastLineSeries> series;
};

// ---------------------------------------------------------------- settings

TEST_F(MarksTest, PensAndFontStartAsTheChartDefaults) {
  EXPECT_EQ(Marks().Arrow().Color(), fw::clWhite);
  EXPECT_TRUE(Marks().Frame().Visible());
  EXPECT_EQ(Marks().Frame().Color(), fw::clBlack);
  EXPECT_EQ(Marks().Font().Name(), "Arial");
  EXPECT_EQ(Marks().Font().Size(), 8);
  EXPECT_EQ(Marks().ArrowLength(), 8);
}

TEST_F(MarksTest, PenAndFontChangesRepaintAndAssignCopiesThem) {
  int before = chart.Invalidations;
  Marks().Arrow().SetColor(fw::clBlue);
  EXPECT_GT(chart.Invalidations, before);
  before = chart.Invalidations;
  Marks().Font().SetSize(12);
  EXPECT_GT(chart.Invalidations, before);

  TFastLineSeries other;
  other.Marks().Assign(Marks());
  EXPECT_EQ(other.Marks().Arrow().Color(), fw::clBlue);
  EXPECT_EQ(other.Marks().Font().Size(), 12);
  EXPECT_TRUE(other.Marks().Visible());
}

// ---------------------------------------------------------------- texts

TEST_F(MarksTest, TextsByStyle) {
  series->AppendPoint(0, 1234.5678, "", fw::clDefault);
  series->AppendPoint(1, -3, "three", fw::clDefault);
  const std::string value0 = fw::FormatFloat("#,##0.###", 1234.5678);

  Marks().SetStyle(smsLabel);
  EXPECT_EQ(series->MarkText(0), value0);  // no label: the value
  EXPECT_EQ(series->MarkText(1), "three");

  Marks().SetStyle(smsValue);
  EXPECT_EQ(series->MarkText(1), "-3");

  Marks().SetStyle(smsLabelValue);
  EXPECT_EQ(series->MarkText(1), "three -3");

  Marks().SetStyle(smsPercent);
  const std::string percent1 = fw::FormatFloat("##0.## %", 3 * 100.0 / (1234.5678 + 3));
  EXPECT_EQ(series->MarkText(1), percent1);

  Marks().SetStyle(smsLabelPercent);
  EXPECT_EQ(series->MarkText(1), "three " + percent1);

  Marks().SetStyle(smsPercentTotal);
  EXPECT_EQ(series->MarkText(1), percent1 + " of " + fw::FormatFloat("#,##0.###", 1234.5678 + 3));

  Marks().SetStyle(smsLabelPercentTotal);
  const std::string percent0 = fw::FormatFloat("##0.## %", 1234.5678 * 100.0 / (1234.5678 + 3));
  EXPECT_EQ(series->MarkText(0), value0 + " " + percent0 + " of " + fw::FormatFloat("#,##0.###", 1234.5678 + 3));

  Marks().SetStyle(smsLegend);
  EXPECT_EQ(series->MarkText(0), "");  // this chart's legend shows no text
}

TEST_F(MarksTest, XValueWithoutAxisUsesTheValueFormat) {
  series->SetParentChart(nullptr);
  series->AppendPoint(7, 1, "", fw::clDefault);
  Marks().SetStyle(smsXValue);
  EXPECT_EQ(series->MarkText(0), "7");
  series->SetParentChart(&chart);
}

TEST_F(MarksTest, XValueIsLabelledByTheHorizontalAxis) {
  series->AppendPoint(7, 1, "", fw::clDefault);
  Marks().SetStyle(smsXValue);
  EXPECT_EQ(series->MarkText(0), "bottom 7");
  series->SetHorizAxis(aTopAxis);
  EXPECT_EQ(series->MarkText(0), "other 7");
}

TEST_F(MarksTest, PercentOfAllZeroValuesIsAHundred) {
  for (int i = 0; i < 3; ++i) series->AppendPoint(i, 0, "", fw::clDefault);
  Marks().SetStyle(smsPercent);
  EXPECT_EQ(series->MarkText(1), "100 %");
}

TEST_F(MarksTest, OnGetMarkTextMayReplaceTheText) {
  series->AppendPoint(0, 5, "", fw::clDefault);
  series->OnGetMarkText = [](TChartSeries*, int32_t index, std::string& text) {
    text = "#" + std::to_string(index) + ":" + text;
  };
  EXPECT_EQ(series->MarkText(0), "#0:5");
}

// ---------------------------------------------------------------- drawing

TEST_F(MarksTest, InvisibleMarksDrawAndRecordNothing) {
  series->AppendPoint(100, 100, "", fw::clDefault);
  Marks().SetVisible(false);
  DrawMarks();
  EXPECT_EQ(chart.Surface.DrawingCallCount(), 0u);
  EXPECT_TRUE(chart.Surface.Geometry().empty());
  EXPECT_EQ(Marks().PositionCount(), 0);
}

TEST_F(MarksTest, BoxEndsArrowLengthAboveThePoint) {
  series->AppendPoint(100, 100, "", fw::clDefault);  // pixel (100, 400)
  DrawMarks();
  const auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 4u);
  // The arrow rises from the point to the box.
  EXPECT_EQ(geometry[0].Ints, Ints({100, 400}));
  EXPECT_EQ(geometry[1].Ints, Ints({100, 392}));
  // The box's last row is 8 pixels above the point (bottom edge exclusive).
  ASSERT_EQ(geometry[2].Name, "Rectangle");
  EXPECT_EQ(geometry[2].Ints[3], 393);
  const TSeriesMarkPosition* stored = Marks().PositionAt(0);
  ASSERT_NE(stored, nullptr);
  EXPECT_FALSE(stored->Custom);
  EXPECT_EQ(stored->ArrowToY, 392);
  EXPECT_EQ(stored->LeftTopY + stored->Height, 393);
  EXPECT_EQ(geometry[2].Ints, Ints({stored->LeftTopX, stored->LeftTopY, stored->LeftTopX + stored->Width, 393}));
  // Box centred on the point's x; the text centred in the box below the frame.
  EXPECT_EQ(stored->LeftTopX, 100 - stored->Width / 2);
  ASSERT_EQ(geometry[3].Name, "TextOut");
  EXPECT_EQ(geometry[3].Ints, Ints({stored->LeftTopX + stored->Width / 2, stored->LeftTopY + 1}));
  EXPECT_EQ(geometry[3].Text, "100");
}

TEST_F(MarksTest, BoxSizeIsTextPlusOneLetterPlusFrame) {
  series->AppendPoint(100, 100, "", fw::clDefault);
  DrawMarks();
  chart.Canvas.Font().Assign(Marks().Font());
  const TSeriesMarkPosition* stored = Marks().PositionAt(0);
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->Width, chart.Canvas.MeasureTextWidth("100") + chart.Canvas.MeasureTextWidth("W") + 2);
  EXPECT_EQ(stored->Height, chart.Canvas.CharacterHeight() + 2);
}

TEST_F(MarksTest, TwoLineTextIsDrawnOneFontHeightApart) {
  series->AppendPoint(100, 100, "", fw::clDefault);
  series->OnGetMarkText = [](TChartSeries*, int32_t, std::string& text) { text = "ab\rcdef"; };
  DrawMarks();
  const auto texts = chart.Surface.CallsNamed("TextOut");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Text, "ab");
  EXPECT_EQ(texts[1].Text, "cdef");
  const int32_t lineHeight = chart.Canvas.CharacterHeight();
  EXPECT_GT(lineHeight, 0);
  EXPECT_EQ(texts[1].Ints[0], texts[0].Ints[0]);
  EXPECT_EQ(texts[1].Ints[1] - texts[0].Ints[1], lineHeight);
  EXPECT_EQ(Marks().PositionAt(0)->Height, 2 * lineHeight + 2);
  // Text alignment goes back to left/top afterwards.
  EXPECT_EQ(chart.Surface.GetTextAlign(), fw::TA_LEFT | fw::TA_TOP);
}

TEST_F(MarksTest, FontChangedByTheTextHandlerAppliesToThatPointsMark) {
  for (int i = 0; i < 3; ++i) series->AppendPoint(100 * (i + 1), 100, "", fw::clDefault);
  // The handler enlarges the font for point 1 only; the font is selected after each text.
  series->OnGetMarkText = [this](TChartSeries*, int32_t index, std::string&) {
    Marks().Font().SetSize(index == 1 ? 20 : 8);
  };
  DrawMarks();

  fw::TFont small = Marks().Font();
  small.SetSize(8);
  fw::TFont large = Marks().Font();
  large.SetSize(20);
  chart.Canvas.Font().Assign(small);
  const int32_t smallHeight = chart.Canvas.CharacterHeight();
  const int32_t smallWidth = chart.Canvas.MeasureTextWidth("100") + chart.Canvas.MeasureTextWidth("W");
  chart.Canvas.Font().Assign(large);
  const int32_t largeHeight = chart.Canvas.CharacterHeight();
  const int32_t largeWidth = chart.Canvas.MeasureTextWidth("100") + chart.Canvas.MeasureTextWidth("W");
  ASSERT_GT(largeHeight, smallHeight);

  EXPECT_EQ(Marks().PositionAt(0)->Height, smallHeight + 2);
  EXPECT_EQ(Marks().PositionAt(1)->Height, largeHeight + 2);
  EXPECT_EQ(Marks().PositionAt(1)->Width, largeWidth + 2);
  EXPECT_EQ(Marks().PositionAt(2)->Height, smallHeight + 2);
  EXPECT_EQ(Marks().PositionAt(2)->Width, smallWidth + 2);
}

TEST_F(MarksTest, ArrowInThePointsColourIsDrawnInContrast) {
  series->AppendPoint(100, 100, "", fw::clDefault);  // a red point
  Marks().Arrow().SetColor(fw::clRed);

  chart.Color = fw::clWhite;
  DrawMarks();
  ASSERT_FALSE(chart.Surface.LinePens.empty());
  EXPECT_EQ(chart.Surface.LinePens[0].Color, fw::clBlack);

  chart.Color = fw::clBlack;
  DrawMarks();
  ASSERT_FALSE(chart.Surface.LinePens.empty());
  EXPECT_EQ(chart.Surface.LinePens[0].Color, fw::clWhite);
}

TEST_F(MarksTest, ArrowInTheChartsColourIsDrawnInContrastOthersKeepTheirColour) {
  series->AppendPoint(100, 100, "", fw::clDefault);
  chart.Color = fw::clWhite;  // the default white arrow would vanish
  DrawMarks();
  ASSERT_FALSE(chart.Surface.LinePens.empty());
  EXPECT_EQ(chart.Surface.LinePens[0].Color, fw::clBlack);

  Marks().Arrow().SetColor(fw::clBlue);
  DrawMarks();
  ASSERT_FALSE(chart.Surface.LinePens.empty());
  EXPECT_EQ(chart.Surface.LinePens[0].Color, fw::clBlue);
}

TEST_F(MarksTest, CustomPositionKeepsTheMarkWhereItWasPut) {
  series->AppendPoint(100, 100, "", fw::clDefault);
  DrawMarks();
  TSeriesMarkPosition* stored = Marks().PositionAt(0);
  ASSERT_NE(stored, nullptr);
  stored->Custom = true;
  stored->LeftTopX = 5;
  stored->LeftTopY = 6;
  const int32_t width = stored->Width, height = stored->Height;

  series->YValues().SetValueAt(0, 300);  // the point moves
  DrawMarks();
  const auto boxes = chart.Surface.CallsNamed("Rectangle");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Ints, Ints({5, 6, 5 + width, 6 + height}));
  EXPECT_TRUE(Marks().PositionAt(0)->Custom);
}

TEST_F(MarksTest, NullPointsAndEmptyTextsHaveNoMark) {
  series->AppendPoint(10, 10, "", fw::clDefault);
  series->AppendNullPoint(20, 20, "");
  series->AppendPoint(30, 30, "", fw::clDefault);
  series->OnGetMarkText = [](TChartSeries*, int32_t index, std::string& text) {
    if (index == 2) text.clear();
  };
  DrawMarks();
  EXPECT_EQ(chart.Surface.CountOf("TextOut"), 1u);
  EXPECT_NE(Marks().PositionAt(0), nullptr);
  EXPECT_EQ(Marks().PositionAt(1), nullptr);
  EXPECT_EQ(Marks().PositionAt(2), nullptr);
}

TEST_F(MarksTest, TransparentMarkWithoutFrameDrawsNoBox) {
  series->AppendPoint(100, 100, "", fw::clDefault);
  Marks().SetTransparent(true);
  Marks().Frame().SetVisible(false);
  Marks().Arrow().SetVisible(false);
  DrawMarks();
  EXPECT_EQ(chart.Surface.CountOf("Rectangle"), 0u);
  EXPECT_EQ(chart.Surface.CountOf("LineTo"), 0u);
  EXPECT_EQ(chart.Surface.CountOf("TextOut"), 1u);
  // Without a frame the box is the text plus one letter.
  chart.Canvas.Font().Assign(Marks().Font());
  EXPECT_EQ(Marks().PositionAt(0)->Height, chart.Canvas.CharacterHeight());
}

TEST_F(MarksTest, ZoomedThreeDimensionalViewZoomsTheMarkFont) {
  TView3DOptions options;
  options.SetZoom(200);
  const fw::TRect rect{0, 0, 1000, 500};
  chart.Canvas.SetBuffered(false);
  chart.Canvas.PrepareSurface(&chart.Surface, &options, fw::clWhite, true, rect);
  chart.Canvas.SetProjectionCenter(0, rect, rect);
  chart.View3D = true;
  series->AppendPoint(100, 100, "", fw::clDefault);
  DrawMarks();
  EXPECT_EQ(chart.Surface.Font().Size(), 16);
  EXPECT_EQ(chart.Surface.CountOf("TextOut"), 1u);

  options.SetZoomText(false);
  chart.Canvas.PrepareSurface(&chart.Surface, &options, fw::clWhite, true, rect);
  DrawMarks();
  EXPECT_EQ(chart.Surface.Font().Size(), 8);
}

TEST_F(MarksTest, ThreeDimensionalMarkFollowsItsProjectedArrow) {
  series->AppendPoint(100, 100, "", fw::clDefault);  // pixel (100, 400)
  DrawMarks();
  const TSeriesMarkPosition flat = *Marks().PositionAt(0);

  TView3DOptions options;
  const fw::TRect rect{0, 0, 1000, 500};
  chart.Canvas.SetBuffered(false);
  chart.Canvas.PrepareSurface(&chart.Surface, &options, fw::clWhite, true, rect);
  chart.Canvas.SetProjectionCenter(40, rect, rect);
  chart.View3D = true;
  Marks().SetDepthPosition(10);
  DrawMarks();
  // Depth 10 moves the arrow and the box ten pixels right and ten up.
  const auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 4u);
  EXPECT_EQ(geometry[0].Ints, Ints({110, 390}));
  EXPECT_EQ(geometry[1].Ints, Ints({110, 382}));
  EXPECT_EQ(geometry[2].Ints, Ints({flat.LeftTopX + 10, flat.LeftTopY - 10, flat.LeftTopX + flat.Width + 10,
                                    flat.LeftTopY + flat.Height - 10}));
}

TEST_F(MarksTest, ClearingThePointsForgetsThePositions) {
  series->AppendPoint(100, 100, "", fw::clDefault);
  DrawMarks();
  EXPECT_EQ(Marks().PositionCount(), 1);
  series->RemoveAllPoints();
  EXPECT_EQ(Marks().PositionCount(), 0);
}

}  // namespace
}  // namespace chart::test
