// Text: alignment flags, opaque cells, rotation and measuring.
#include <gtest/gtest.h>

#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "tests/framework/graphics/PixelText.h"

using namespace fw;
using fwtest::InkBounds;

namespace {

struct TextSurface : ::testing::Test {
  TBitmap bmp{120, 80};
  TSurface& s = bmp.Canvas();
  void SetUp() override {
    s.Font().SetName("Arial");
    s.Font().SetHeight(-16);
    s.Font().SetColor(clBlack);
    s.SetBkMode(TRANSPARENT);
  }
  TRect Ink(int32_t align, const char* text = "HHHH") {
    s.PatBlt({0, 0, 120, 80}, clWhite);
    s.SetTextAlign(align);
    s.TextOut(60, 40, text);
    return InkBounds(s);
  }
};

TEST_F(TextSurface, EmptyTextMeasuresZero) {
  EXPECT_EQ(s.TextWidth(""), 0);
  EXPECT_EQ(s.TextHeight(""), 0);
  EXPECT_EQ(s.TextExtent(""), (TSize{0, 0}));
  s.TextOut(10, 10, "");
  EXPECT_TRUE(InkBounds(s).IsEmpty());
}

TEST_F(TextSurface, MeasuresGrowWithTextAndFont) {
  const int32_t one = s.TextWidth("W");
  EXPECT_GT(one, 0);
  EXPECT_GT(s.TextWidth("WWW"), 2 * one);
  const int32_t h = s.TextHeight("W");
  EXPECT_GE(h, 16);
  EXPECT_EQ(s.TextHeight("x"), h);  // the cell height, not the ink
  s.Font().SetHeight(-32);
  EXPECT_GT(s.TextHeight("W"), h);
}

TEST_F(TextSurface, PositiveHeightIsTheCellHeight) {
  s.Font().SetHeight(24);
  EXPECT_NEAR(s.TextHeight("W"), 24, 1);
  s.Font().SetHeight(-24);  // the character height: the cell adds the internal leading
  EXPECT_GT(s.TextHeight("W"), 24);
}

TEST_F(TextSurface, ArialIsAvailableAndMetricCompatible) {
  // Arial and Liberation Sans share their advance widths; a fallback font would not.
  const int32_t arial = s.TextWidth("The quick brown fox 0123456789");
  s.Font().SetName("Liberation Sans");
  EXPECT_EQ(s.TextWidth("The quick brown fox 0123456789"), arial);
}

TEST_F(TextSurface, HorizontalAlignmentMovesTheTextAroundTheReferencePoint) {
  const TRect left = Ink(TA_LEFT | TA_TOP);
  const TRect right = Ink(TA_RIGHT | TA_TOP);
  const TRect centre = Ink(TA_CENTER | TA_TOP);
  const int32_t w = s.TextWidth("HHHH");
  EXPECT_GE(left.Left, 60);
  EXPECT_LE(left.Left, 62);
  EXPECT_LE(right.Right, 60);
  EXPECT_GE(right.Right, 58);
  EXPECT_NEAR(centre.Left + centre.Right, 120, 3);
  EXPECT_NEAR(left.Left - right.Left, w, 1);
  EXPECT_EQ(left.Top, right.Top);
}

TEST_F(TextSurface, VerticalAlignmentMovesTheTextAroundTheReferencePoint) {
  const TRect top = Ink(TA_LEFT | TA_TOP);
  const TRect baseline = Ink(TA_LEFT | TA_BASELINE);
  const TRect bottom = Ink(TA_LEFT | TA_BOTTOM);
  EXPECT_GT(top.Top, 40);          // internal leading above the capitals
  EXPECT_EQ(baseline.Bottom, 40);  // capitals sit on the baseline
  EXPECT_LT(bottom.Bottom, 40);    // the descent stays below the capitals
  EXPECT_GT(bottom.Bottom, 40 - 6);
  EXPECT_EQ(top.Height(), baseline.Height());
}

TEST_F(TextSurface, OpaqueBackgroundFillsTheTextCell) {
  s.SetBkMode(OPAQUE);
  s.SetBkColor(clYellow);
  s.SetTextAlign(TA_LEFT | TA_TOP);
  s.TextOut(10, 20, "Hi");
  const TSize cell = s.TextExtent("Hi");
  EXPECT_EQ(s.GetPixel(10, 20), clYellow);
  EXPECT_EQ(s.GetPixel(10 + cell.cx - 1, 20 + cell.cy - 1), clYellow);
  EXPECT_EQ(s.GetPixel(10 + cell.cx, 20), clWhite);
  EXPECT_EQ(s.GetPixel(10, 20 + cell.cy), clWhite);
  EXPECT_EQ(InkBounds(s), (TRect{10, 20, 10 + cell.cx, 20 + cell.cy}));
}

TEST_F(TextSurface, TransparentBackgroundLeavesTheCell) {
  s.SetTextAlign(TA_LEFT | TA_TOP);
  s.TextOut(10, 20, "Hi");
  EXPECT_EQ(s.GetPixel(10, 20), clWhite);
}

TEST_F(TextSurface, TextUsesTheTextColour) {
  s.Font().SetColor(clRed);
  s.TextOut(10, 10, "H");
  int red = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x) {
      const TColor c = s.GetPixel(x, y);
      EXPECT_TRUE(c == clWhite || c == clRed) << "no smoothing";
      red += c == clRed;
    }
  EXPECT_GT(red, 10);
}

TEST_F(TextSurface, RotatedByNinetyDegreesRunsUpwards) {
  const TRect flat = Ink(TA_LEFT | TA_TOP, "HHHHHH");
  EXPECT_GT(flat.Width(), flat.Height());
  s.Font().SetOrientation(900);
  const TRect up = Ink(TA_LEFT | TA_TOP, "HHHHHH");
  EXPECT_GT(up.Height(), up.Width());
  EXPECT_LE(up.Bottom, 61);  // from the reference point upwards
  EXPECT_GE(up.Left, 60);    // the cell, below the baseline-to-be, turns to the right of x
  s.Font().SetOrientation(3600);
  const TRect full = Ink(TA_LEFT | TA_TOP, "HHHHHH");
  EXPECT_EQ(full, flat);
}

TEST_F(TextSurface, TextRespectsClipping) {
  s.IntersectClipRect({0, 0, 65, 80});
  const TRect ink = Ink(TA_LEFT | TA_TOP);
  EXPECT_LE(ink.Right, 65);
}

}  // namespace
