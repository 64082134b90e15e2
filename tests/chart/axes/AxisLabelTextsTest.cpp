// Number label texts kept between frames: always the text FormatFloat gives now.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/axes/TAxisLabelTexts.h"
#include "chart/axes/TCustomChartAxis.h"
#include "framework/runtime/FormatFloat.h"
#include "framework/runtime/TFormatSettings.h"
#include "tests/chart/axes/FakeAxisHost.h"

using namespace chart;
using axistest::ChartAxes;
using axistest::FakeAxisHost;
using axistest::FixRange;

namespace {

class LabelTexts : public ::testing::Test {
protected:
  void SetUp() override {
    saved = fw::FormatSettings;
    fw::FormatSettings = fw::TFormatSettings::Invariant();
  }
  void TearDown() override { fw::FormatSettings = saved; }
  fw::TFormatSettings saved;
};

const std::vector<double> Values{0.0,   -0.0,  1000,   -1000, 0.5,   -0.0004, 1234.5678, 1e308, -1e308,
                                 1e-300, 0.1,  2.5e15, 999.9995, std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN()};

}  // namespace

TEST_F(LabelTexts, GiveWhatFormattingGivesForEveryMaskAndValue) {
  TAxisLabelTexts texts;
  for (int round = 0; round < 2; ++round)
    for (const char* mask : {"#,##0.###", "0.00", "", "0.0E+00", "#;(#);'zero'"})
      for (double v : Values) EXPECT_EQ(texts.Format(mask, v), fw::FormatFloat(mask, v)) << mask << " " << v;
}

TEST_F(LabelTexts, FollowTheSeparatorsOfTheMoment) {
  TAxisLabelTexts texts;
  EXPECT_EQ(texts.Format("#,##0.###", 1234.5), "1,234.5");
  fw::FormatSettings.DecimalSeparator = ',';
  fw::FormatSettings.ThousandSeparator = '.';
  EXPECT_EQ(texts.Format("#,##0.###", 1234.5), "1.234,5");
  fw::FormatSettings.ThousandSeparator = ' ';
  EXPECT_EQ(texts.Format("#,##0.###", 1234.5), "1 234,5");
}

TEST_F(LabelTexts, ManyDistinctValuesStayRight) {
  TAxisLabelTexts texts;
  for (int round = 0; round < 3; ++round)
    for (int i = 0; i < 3 * static_cast<int>(TAxisLabelTexts::Capacity); ++i) {
      const double v = i * 0.25 - 7;
      ASSERT_EQ(texts.Format("0.00", v), fw::FormatFloat("0.00", v));
    }
}

TEST_F(LabelTexts, AxisLabelsFollowFormatAndEventsInEveryFrame) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 1000);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetIncrement(500);
  std::vector<std::string> seen;
  host.OnGetAxisLabel = [&](TCustomChartAxis*, TChartSeries*, int32_t, std::string& text) {
    seen.push_back(text);
    text += "!";
  };
  auto draw = [&] {
    fw::TRect r = host.Plot;
    axes.Bottom.ComputeWorkingRange();
    axes.Bottom.ReserveSpace(r, true);
    axes.Bottom.ComputePixelSpan();
    host.Surface.ClearCalls();
    seen.clear();
    axes.Bottom.DrawAxis(true);
    std::vector<std::string> drawn;
    for (const auto& call : host.Calls("TextOut")) drawn.push_back(call.Text);
    return drawn;
  };
  const std::vector<std::string> first = draw();
  const std::vector<std::string> firstSeen = seen;
  EXPECT_EQ(first, (std::vector<std::string>{"1,000!", "500!", "0!"}));
  // The next frame calls the event as often, with the plain texts again.
  EXPECT_EQ(draw(), first);
  EXPECT_EQ(seen, firstSeen);
  axes.Bottom.SetAxisValuesFormat("0.0");
  EXPECT_EQ(draw(), (std::vector<std::string>{"1000.0!", "500.0!", "0.0!"}));
  fw::FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(draw(), (std::vector<std::string>{"1000,0!", "500,0!", "0,0!"}));
}
