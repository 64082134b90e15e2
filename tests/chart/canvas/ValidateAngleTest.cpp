#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "chart/ChartException.h"
#include "chart/canvas/DarkenColor.h"
#include "chart/canvas/ValidateAngle.h"

using chart::ChartException;
using chart::ValidateAngle;

TEST(ValidateAngle, AcceptsZeroTo359) {
  EXPECT_NO_THROW(ValidateAngle(0, "Axis Labels"));
  EXPECT_NO_THROW(ValidateAngle(90, "Axis Labels"));
  EXPECT_NO_THROW(ValidateAngle(359, "Axis Title"));
}

TEST(ValidateAngle, RejectsOutsideWithTheDescriptionInTheMessage) {
  struct Case { int32_t value; const char* description; };
  for (auto c : {Case{-1, "Axis Labels"}, Case{360, "Axis Title"},
                 Case{std::numeric_limits<int32_t>::min(), "Axis Labels"},
                 Case{std::numeric_limits<int32_t>::max(), "Axis Title"}}) {
    try {
      ValidateAngle(c.value, c.description);
      ADD_FAILURE() << "no exception for " << c.value;
    } catch (const ChartException& e) {
      EXPECT_EQ(e.Message(), std::string(c.description) + " Angle must be between 0 and 359 degrees");
    }
  }
}

TEST(DarkenColor, SubtractsFromEachChannelDownToZero) {
  EXPECT_EQ(chart::DarkenColor(fw::RGB(200, 100, 50), 64), fw::RGB(136, 36, 0));
  EXPECT_EQ(chart::DarkenColor(fw::RGB(128, 129, 255), 128), fw::RGB(0, 1, 127));
  EXPECT_EQ(chart::DarkenColor(fw::clWhite, 0), fw::clWhite);
  EXPECT_EQ(chart::DarkenColor(fw::clWhite, 255), fw::clBlack);
}

TEST(DarkenColor, ResolvesSystemColoursAndClampsTheAmount) {
  const fw::TColor face = fw::ColorToRGB(fw::clBtnFace);
  const auto expected = fw::RGB(std::max(0, fw::GetRValue(face) - 32), std::max(0, fw::GetGValue(face) - 32),
                                std::max(0, fw::GetBValue(face) - 32));
  EXPECT_EQ(chart::DarkenColor(fw::clBtnFace, 32), expected);
  EXPECT_EQ(chart::DarkenColor(fw::RGB(10, 20, 30), -50), fw::RGB(10, 20, 30));
  EXPECT_EQ(chart::DarkenColor(fw::RGB(10, 20, 30), 1000), fw::clBlack);
}
