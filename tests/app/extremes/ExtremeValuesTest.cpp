// The main window with settings at the ends of their range: every accepted value draws a whole
// frame without arithmetic overflow (the sanitizer build stops on any).
#include <QApplication>
#include <QPixmap>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/Main.h"
#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TLabeledEdit.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TFont.h"
#include "framework/streaming/EmbeddedForms.h"
#include "framework/streaming/TClassRegistry.h"
#include "tests/support/PublishedNumbers.h"
#include "tests/framework/controls/ControlTestSupport.h"

using ctltest::W;

namespace {

constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();
constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();

/// The main window's layout with one line replaced (the text must occur once).
std::string LayoutWith(const std::string& from, const std::string& to) {
  std::string text = EmbeddedMainForm();
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  EXPECT_EQ(text.find(from, at + 1), std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

struct ExtremeValues : ::testing::Test {
  app::TForm1* form = nullptr;

  void Open(const std::string& layout) {
    form = new app::TForm1(nullptr, layout);
    form->AfterConstruction();
    form->Show();
    QApplication::processEvents();
  }
  void TearDown() override { delete form; }

  /// The chart's frame drawn off screen, then the whole window painted through Qt (a window of
  /// no size, or wider than Qt allows, has no picture: `picture` false accepts that).
  void DrawEverything(bool picture = true) {
    fw::TBitmap image(400, 300);
    form->Chart1->DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 400, 300});
    form->Chart1->Invalidate();
    // A fixed part of the window: a window as wide as the integer range has no picture.
    const QPixmap shot = W(form)->grab(QRect(0, 0, 400, 300));
    if (picture) {
      EXPECT_FALSE(shot.isNull());
    }
  }
};

}  // namespace

// ---- the listed cases ---------------------------------------------------------------------------

TEST_F(ExtremeValues, AControlAsWideAsTheIntegerRangeInALayout) {
  Open(LayoutWith("      Width = 961\n", "      Width = 2147483647\n"));
  EXPECT_EQ(form->Chart1->Left(), 20);
  EXPECT_EQ(form->Chart1->Width(), Max32);
  DrawEverything();
  form->Button1->SetBounds(Max32, Max32, Max32, Max32);
  form->Button1->SetBounds(Min32, Min32, Max32, Max32);
  form->LabeledEdit1->SetBounds(Max32, Min32, Max32, Max32);
  form->LabeledEdit1->SetLabelSpacing(Max32);
  for (const fw::TLabelPosition p : {fw::lpAbove, fw::lpBelow, fw::lpLeft, fw::lpRight}) {
    form->LabeledEdit1->SetLabelPosition(p);
    form->LabeledEdit1->SetBounds(Min32, Max32, Max32, 0);
  }
  DrawEverything();
  // The rectangle of a control reaching past the integer range ends at the range's limit.
  form->Button1->SetBounds(20, Min32, Max32, Max32);
  EXPECT_EQ(form->Button1->BoundsRect(), (fw::TRect{20, Min32, Max32, -1}));
  form->Button1->SetBounds(Min32, 5, Max32, 0);
  EXPECT_EQ(form->Button1->BoundsRect(), (fw::TRect{Min32, 5, -1, 5}));
}

// Marks as axis labels: the label band is as wide as the widest mark box, whose frame may be
// as wide as the integer range.
TEST_F(ExtremeValues, MarkFramesAsWideAsTheIntegerRangeOnAMarksAxis) {
  Open(EmbeddedMainForm());
  chart::TChart& chart = *form->Chart1;
  chart::TChartSeries& series = chart.SeriesAt(0);
  for (int i = 0; i < 5; ++i) series.AppendPoint(i, i, "", fw::clDefault);
  series.Marks().SetVisible(true);
  series.Marks().Frame().SetVisible(true);
  chart.BottomAxis().SetLabelStyle(chart::talMark);
  chart.LeftAxis().SetLabelStyle(chart::talMark);
  chart.BottomAxis().SetLabelsAngle(90);  // across the axis: the band is the widest mark
  for (const int32_t width : {1291845632, Max32}) {
    series.Marks().Frame().SetWidth(width);
    DrawEverything();
  }
}

TEST_F(ExtremeValues, TickLengthsAndAxisPenWidthsInCode) {
  Open(EmbeddedMainForm());
  chart::TChart& chart = *form->Chart1;
  for (const int32_t v : {Max32, Min32}) {
    for (chart::TChartAxis* axis : {&chart.LeftAxis(), &chart.BottomAxis(), &chart.TopAxis(), &chart.RightAxis()}) {
      axis->SetTickLength(v);
      axis->SetMinorTickLength(v);
      axis->SetTickInnerLength(v);
      axis->TicksInner().SetVisible(true);
      axis->MinorTicks().SetVisible(true);
      EXPECT_EQ(axis->TickLength(), v);
    }
    DrawEverything();
    chart.SetView3D(true);
    DrawEverything();
    chart.SetView3D(false);
  }
  // A pen is never narrower than 0: the most negative width is refused and the old one kept.
  chart.LeftAxis().Axis().SetWidth(Max32);
  chart.BottomAxis().Ticks().SetWidth(Max32);
  EXPECT_EQ(chart.LeftAxis().Axis().Width(), Max32);
  EXPECT_ANY_THROW(chart.LeftAxis().Axis().SetWidth(Min32));
  EXPECT_EQ(chart.LeftAxis().Axis().Width(), Max32);
  DrawEverything();
}

TEST_F(ExtremeValues, TickLengthsAndAxisPenWidthsInALayout) {
  Open(LayoutWith("      LeftAxis.Increment = 10\n",
                  "      LeftAxis.Increment = 10\n"
                  "      LeftAxis.TickLength = 2147483647\n"
                  "      LeftAxis.MinorTickLength = -2147483648\n"
                  "      LeftAxis.TickInnerLength = -2147483648\n"
                  "      LeftAxis.TicksInner.Visible = True\n"
                  "      LeftAxis.Axis.Width = 2147483647\n"
                  "      BottomAxis.TickLength = -2147483648\n"
                  "      BottomAxis.TickInnerLength = 2147483647\n"
                  "      BottomAxis.MinorTickLength = 2147483647\n"));
  EXPECT_EQ(form->Chart1->LeftAxis().TickLength(), Max32);
  EXPECT_EQ(form->Chart1->BottomAxis().TickLength(), Min32);
  EXPECT_EQ(form->Chart1->LeftAxis().Axis().Width(), Max32);
  DrawEverything();
}

TEST_F(ExtremeValues, FontHeightsThatReachAControl) {
  Open(EmbeddedMainForm());
  for (const int32_t h : {Min32, 100000, Max32, -100000, 1, -1}) {
    form->Font().SetHeight(h);
    form->Button1->Font().SetHeight(h);
    form->LabeledEdit1->EditLabel().Font().SetHeight(h);
    form->Chart1->Title().Font().SetHeight(h);
    EXPECT_EQ(form->Button1->Font().Height(), h);
    DrawEverything();
  }
}

// ---- every number of every component of the window ----------------------------------------------

namespace {

using TSetting = testsupport::TPublishedNumber;

}  // namespace

// Each published integer and real of the window and of every component on it, at the ends of
// its range: an accepted value draws the chart's frame and paints the window, a rejected one
// keeps the old value. (The chart's own settings, with every series type, are walked the same
// way by the chart frame tests.)
TEST_F(ExtremeValues, EveryNumberOfEveryComponentOfTheWindow) {
  Open(EmbeddedMainForm());
  std::vector<fw::TComponent*> components{form};
  for (int i = 0; i < form->ComponentCount(); ++i) components.push_back(form->Components(i));
  const std::vector<TSetting> settings =
      testsupport::PublishedNumbersOf(components, [](fw::TComponent& c) { return c.Name(); });
  EXPECT_GT(settings.size(), 200u);
  const auto valuesOf = [](const fw::TPropInfo& info) -> std::vector<double> {
    if (info.Kind == fw::pkReal)
      return {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), std::nan("")};
    return {static_cast<double>(std::max<int64_t>(info.MinValue, Min32)),
            static_cast<double>(std::min<int64_t>(info.MaxValue, Max32))};
  };
  const int accepted =
      testsupport::SetEachValueAndDraw(settings, valuesOf, [this](const TSetting&, double) { DrawEverything(false); });
  EXPECT_GT(accepted, 200);
}
