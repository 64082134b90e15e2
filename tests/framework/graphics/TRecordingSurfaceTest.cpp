// The recording surface: a call log with arguments over a working surface.
#include <gtest/gtest.h>

#include <vector>

#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TRecordingSurface.h"

using namespace fw;

namespace {

TEST(RecordingSurface, LogsEveryCallWithItsArguments) {
  TRecordingSurface s;
  s.MoveTo(1, 2);
  s.LineTo(3, 4);
  s.Rectangle(0, 0, 10, 20);
  s.FillRect({1, 2, 3, 4});
  s.PatBlt({5, 6, 7, 8}, clRed);
  s.TextOut(7, 8, "abc");
  s.SetTextAlign(TA_CENTER);
  s.IntersectClipRect({0, 0, 5, 5});
  s.RemoveClipping();
  const std::vector<TPoint> pts = {{1, 1}, {2, 3}, {4, 5}};
  s.Polyline(pts);
  s.Arc(0, 0, 10, 10, 10, 5, 0, 5);
  ASSERT_EQ(s.Calls().size(), 11u);
  EXPECT_EQ(s.Calls()[0].Name, "MoveTo");
  EXPECT_EQ(s.Calls()[0].Ints, (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(s.Calls()[1].Name, "LineTo");
  EXPECT_EQ(s.Calls()[1].Ints, (std::vector<int32_t>{3, 4}));
  EXPECT_EQ(s.Calls()[2].Ints, (std::vector<int32_t>{0, 0, 10, 20}));
  EXPECT_EQ(s.Calls()[4].Ints, (std::vector<int32_t>{5, 6, 7, 8, clRed}));
  EXPECT_EQ(s.Calls()[5].Name, "TextOut");
  EXPECT_EQ(s.Calls()[5].Text, "abc");
  EXPECT_EQ(s.Calls()[6].Ints, (std::vector<int32_t>{TA_CENTER}));
  EXPECT_EQ(s.Calls()[9].Ints, (std::vector<int32_t>{1, 1, 2, 3, 4, 5}));
  EXPECT_EQ(s.Calls()[10].Ints.size(), 8u);
  EXPECT_EQ(s.CountOf("LineTo"), 1u);
  EXPECT_EQ(s.DrawingCallCount(), 7u);  // LineTo, Rectangle, FillRect, PatBlt, TextOut, Polyline, Arc
  s.ClearCalls();
  EXPECT_TRUE(s.Calls().empty());
}

TEST(RecordingSurface, PerformsTheSelectionSideEffects) {
  TRecordingSurface s;
  s.Brush().SetStyle(bsClear);
  s.Rectangle(0, 0, 4, 4);
  s.Font().SetColor(clRed);
  EXPECT_EQ(s.GetBkMode(), TRANSPARENT);
  EXPECT_EQ(s.GetTextColor(), clRed);
  EXPECT_EQ(s.CountOf("GetBkMode"), 1u);
}

TEST(RecordingSurface, MeasuresTextWithRealFonts) {
  TRecordingSurface s;
  s.Font().SetName("Arial");
  s.Font().SetHeight(-20);
  TBitmap bmp(1, 1);
  bmp.Canvas().Font().Assign(s.Font());
  EXPECT_EQ(s.TextWidth("Hello"), bmp.Canvas().TextWidth("Hello"));
  EXPECT_GT(s.TextHeight("W"), 0);
  EXPECT_EQ(s.TextWidth(""), 0);
  EXPECT_EQ(s.CountOf("TextWidth"), 2u);
  EXPECT_EQ(s.CountOf("TextExtent"), 0u);  // TextWidth does not go through the virtual TextExtent
}

TEST(RecordingSurface, DrawsWhenGivenASize) {
  TRecordingSurface s(10, 10);
  EXPECT_EQ(s.Width(), 10);
  s.MoveTo(0, 5);
  s.LineTo(10, 5);
  EXPECT_EQ(s.GetPixel(9, 5), clBlack);
  EXPECT_EQ(s.GetPixel(9, 4), clWhite);
  TRecordingSurface quiet;
  quiet.MoveTo(0, 0);
  quiet.LineTo(5, 5);
  EXPECT_EQ(quiet.GetPixel(0, 0), clNone);
}

TEST(RecordingSurface, LogsBlockCopiesAndGraphics) {
  TBitmap source(4, 4);
  TRecordingSurface s(8, 8);
  s.BlockCopy(1, 2, 3, 4, source.Canvas(), 0, 1);
  s.Draw(2, 2, &source);
  s.StretchDraw({0, 0, 8, 8}, nullptr);
  EXPECT_EQ(s.Calls()[0].Name, "BlockCopy");
  EXPECT_EQ(s.Calls()[0].Ints, (std::vector<int32_t>{1, 2, 3, 4, 0, 1}));
  EXPECT_EQ(s.Calls()[1].Ints, (std::vector<int32_t>{2, 2, 4, 4}));
  EXPECT_EQ(s.CountOf("StretchDraw"), 1u);
}

}  // namespace
