// Pixel-level behaviour of the canvas primitives on a real surface.
#include <gtest/gtest.h>

#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TRecordingSurface.h"
#include "framework/graphics/TSurface.h"
#include "tests/chart/canvas/CanvasTestSupport.h"

using namespace chart;
using canvastest::Count;

namespace {

// A canvas attached straight to a white image, as between frames.
struct Canvas {
  fw::TBitmap image;
  TChartCanvas3D canvas;
  explicit Canvas(int32_t w = 40, int32_t h = 30) : image(w, h) {
    canvas.AttachSurface(&image.Canvas());
    canvas.ResetDrawingState();
  }
  fw::TSurface& S() { return image.Canvas(); }
  fw::TColor At(int32_t x, int32_t y) { return S().GetPixel(x, y); }
};

}  // namespace

TEST(CanvasState, AttachAdoptsTheSurfaceObjects) {
  fw::TBitmap a(4, 4), b(4, 4);
  TChartCanvas3D canvas;
  canvas.AttachSurface(&a.Canvas());
  EXPECT_EQ(&canvas.Pen(), &a.Canvas().Pen());
  EXPECT_EQ(&canvas.Brush(), &a.Canvas().Brush());
  EXPECT_EQ(&canvas.Font(), &a.Canvas().Font());
  EXPECT_EQ(canvas.GetSurfaceHandle(), &a.Canvas());
  canvas.AttachSurface(&b.Canvas());
  EXPECT_EQ(&canvas.Pen(), &b.Canvas().Pen());
  EXPECT_EQ(canvas.GetSurfaceHandle(), &b.Canvas());
}

TEST(CanvasState, BrushSelectionSetsTheBackgroundAsTheCanvasSeesIt) {
  Canvas c;
  c.canvas.Brush().SetColor(fw::clRed);
  c.canvas.Brush().SetStyle(fw::bsSolid);
  EXPECT_EQ(c.canvas.GetBackgroundMode(), fw::OPAQUE);
  EXPECT_EQ(c.canvas.GetBackgroundColor(), fw::clRed);
  c.canvas.Brush().SetStyle(fw::bsCross);
  EXPECT_EQ(c.canvas.GetBackgroundMode(), fw::TRANSPARENT);
  EXPECT_EQ(c.canvas.GetBackgroundColor(), ~fw::clRed & 0xFFFFFF);
  // An explicit setting after the selection stands until the brush changes again.
  c.canvas.SetBackgroundMode(fw::OPAQUE);
  c.canvas.SetBackgroundColor(fw::clBtnFace);
  EXPECT_EQ(c.canvas.GetBackgroundMode(), fw::OPAQUE);
  EXPECT_EQ(c.canvas.GetBackgroundColor(), fw::ColorToRGB(fw::clBtnFace));
}

TEST(CanvasState, WriteTextUsesTheFontColourAndTheAlignment) {
  Canvas c(120, 40);
  c.canvas.Font().SetColor(fw::clBlue);
  c.canvas.SetBackgroundMode(fw::TRANSPARENT);
  c.canvas.SetTextAlignment(fw::TA_RIGHT | fw::TA_BOTTOM);
  EXPECT_EQ(c.canvas.GetTextAlignment(), fw::TA_RIGHT | fw::TA_BOTTOM);
  c.canvas.WriteText(100, 30, "Wg");
  const fw::TRect ink = canvastest::InkBounds(c.S());
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_LE(ink.Right, 100);
  EXPECT_LE(ink.Bottom, 30);
  EXPECT_GT(Count(c.S(), ink, fw::clBlue), 0);
  EXPECT_EQ(c.S().GetTextColor(), fw::clBlue);
}

TEST(CanvasState, ResetDrawingState) {
  Canvas c;
  c.canvas.Pen().SetColor(fw::clRed);
  c.canvas.Pen().SetWidth(5);
  c.canvas.Pen().SetStyle(fw::psDot);
  c.canvas.Brush().SetColor(fw::clBlue);
  c.canvas.Brush().SetStyle(fw::bsClear);
  c.canvas.Font().SetColor(fw::clRed);
  c.canvas.Font().SetSize(20);
  c.canvas.ResetDrawingState();
  EXPECT_EQ(c.canvas.Pen().Color(), fw::clBlack);
  EXPECT_EQ(c.canvas.Pen().Width(), 1);
  EXPECT_EQ(c.canvas.Pen().Style(), fw::psSolid);
  EXPECT_EQ(c.canvas.Brush().Color(), fw::clWhite);
  EXPECT_EQ(c.canvas.Brush().Style(), fw::bsSolid);
  EXPECT_EQ(c.canvas.Font().Color(), fw::clBlack);
  EXPECT_EQ(c.canvas.Font().Size(), 10);
  EXPECT_EQ(c.canvas.GetBackgroundColor(), fw::clWhite);
  EXPECT_EQ(c.canvas.GetBackgroundMode(), fw::TRANSPARENT);
}

TEST(CanvasText, MeasuringAndCharacterHeight) {
  Canvas c;
  EXPECT_EQ(c.canvas.MeasureTextWidth(""), 0);
  EXPECT_GT(c.canvas.MeasureTextWidth("WWW"), c.canvas.MeasureTextWidth("W"));
  EXPECT_EQ(c.canvas.CharacterHeight(), c.canvas.MeasureTextHeight("W"));
  EXPECT_GT(c.canvas.CharacterHeight(), 0);
  TChartCanvas3D detached;
  EXPECT_EQ(detached.MeasureTextWidth("W"), 0);
  EXPECT_EQ(detached.CharacterHeight(), 0);
}

TEST(CanvasLines, TheEndPixelIsExcluded) {
  Canvas c;
  c.canvas.DrawSegment(2, 5, 10, 5);
  for (int32_t x = 2; x < 10; ++x) EXPECT_EQ(c.At(x, 5), fw::clBlack) << x;
  EXPECT_EQ(c.At(10, 5), fw::clWhite);
  EXPECT_EQ(c.At(1, 5), fw::clWhite);
  c.canvas.DrawVerticalLine(20, 3, 8);
  EXPECT_EQ(c.At(20, 3), fw::clBlack);
  EXPECT_EQ(c.At(20, 7), fw::clBlack);
  EXPECT_EQ(c.At(20, 8), fw::clWhite);
  c.canvas.MovePenTo(0, 20);
  c.canvas.DrawLineTo(4, 20);
  c.canvas.DrawLineTo(4, 24);
  EXPECT_EQ(c.At(3, 20), fw::clBlack);
  EXPECT_EQ(c.At(4, 20), fw::clBlack);  // the corner is the start of the second line
  EXPECT_EQ(c.At(4, 24), fw::clWhite);
}

TEST(CanvasLines, NotXorDrawnTwiceRestoresEveryPixel) {
  Canvas c(60, 50);
  c.canvas.FillGradient({0, 0, 60, 50}, fw::clRed, fw::clBlue, gdFromCenter);
  c.canvas.DrawSegment(0, 0, 59, 49);
  const auto before = canvastest::Pixels(c.S());
  c.canvas.Pen().SetMode(fw::pmNotXor);
  c.canvas.Pen().SetColor(fw::clBlack);
  c.canvas.Brush().SetStyle(fw::bsClear);
  c.canvas.DrawRectangle(5, 7, 41, 33);
  EXPECT_NE(canvastest::Pixels(c.S()), before);
  c.canvas.DrawRectangle(5, 7, 41, 33);
  EXPECT_EQ(canvastest::Pixels(c.S()), before);
}

TEST(CanvasClipping, NestedRectanglesLeaveTheIntersectionAndRemoveRestores) {
  Canvas c;
  c.canvas.ClipToRectangle({0, 0, 20, 20});
  c.canvas.ClipToRectangle({10, 5, 30, 25});
  c.canvas.Brush().SetColor(fw::clRed);
  c.canvas.FillRectangle({0, 0, 40, 30});
  EXPECT_EQ(Count(c.S(), {0, 0, 40, 30}, fw::clRed), 10 * 15);
  EXPECT_EQ(Count(c.S(), {10, 5, 20, 20}, fw::clRed), 10 * 15);
  c.canvas.RemoveClipping();
  c.canvas.Brush().SetColor(fw::clBlue);
  c.canvas.EraseArea({0, 0, 40, 30});
  EXPECT_EQ(Count(c.S(), {0, 0, 40, 30}, fw::clBlue), 40 * 30);
}

TEST(CanvasClipping, FlatClipBoxStartsInsideTheLeftAndTopEdges) {
  fw::TRecordingSurface rec(50, 50);
  TChartCanvas3D canvas;
  canvas.AttachSurface(&rec);
  canvas.ClipToBox({10, 10, 40, 30}, 0, 25);
  ASSERT_EQ(rec.CountOf("IntersectClipRect"), 1u);
  EXPECT_EQ(rec.Calls().back().Ints, (std::vector<int32_t>{11, 11, 40, 29}));
}

TEST(CanvasShapes, BevelDrawsTopLeftAndBottomRightEdges) {
  Canvas c(10, 10);
  c.canvas.DrawBevel({1, 1, 9, 9}, fw::clRed, fw::clBlue, 2);
  EXPECT_EQ(c.canvas.Pen().Width(), 1);
  // Outer ring: left column and top row red, right column (x 8) and bottom row (y 8) blue.
  EXPECT_EQ(c.At(1, 1), fw::clRed);
  EXPECT_EQ(c.At(1, 7), fw::clRed);
  EXPECT_EQ(c.At(1, 8), fw::clBlue);  // the bottom line runs to one past the left edge
  EXPECT_EQ(c.At(7, 1), fw::clRed);
  EXPECT_EQ(c.At(8, 1), fw::clBlue);
  EXPECT_EQ(c.At(8, 8), fw::clBlue);
  EXPECT_EQ(c.At(2, 8), fw::clBlue);
  // Inner ring.
  EXPECT_EQ(c.At(2, 2), fw::clRed);
  EXPECT_EQ(c.At(7, 7), fw::clBlue);
  EXPECT_EQ(c.At(7, 2), fw::clBlue);
  // Inside and outside untouched.
  EXPECT_EQ(c.At(4, 4), fw::clWhite);
  EXPECT_EQ(c.At(9, 9), fw::clWhite);
  EXPECT_EQ(c.At(0, 0), fw::clWhite);
}

TEST(CanvasShapes, GraphicsAreSkippedWhenAbsentOrEmpty) {
  fw::TRecordingSurface rec(20, 20);
  TChartCanvas3D canvas;
  canvas.AttachSurface(&rec);
  fw::TBitmap empty;
  canvas.DrawGraphic(0, 0, nullptr);
  canvas.DrawGraphic(0, 0, &empty);
  canvas.StretchGraphic({0, 0, 5, 5}, nullptr);
  EXPECT_EQ(rec.DrawingCallCount(), 0u);
  fw::TBitmap red(3, 2);
  red.Canvas().PatBlt({0, 0, 3, 2}, fw::clRed);
  canvas.DrawGraphic(4, 5, &red);
  EXPECT_EQ(rec.GetPixel(4, 5), fw::clRed);
  EXPECT_EQ(rec.GetPixel(6, 6), fw::clRed);
  EXPECT_EQ(rec.GetPixel(7, 5), fw::clWhite);
  canvas.StretchGraphic({10, 10, 16, 14}, &red);
  EXPECT_EQ(rec.GetPixel(15, 13), fw::clRed);
}

TEST(ChartPens, HiddenPenClearsTheLineButFillsStillHappen) {
  Canvas c;
  c.canvas.Pen().SetColor(fw::clBlue);
  c.canvas.Pen().SetWidth(3);
  c.canvas.ApplyChartPen(TChartHiddenPen());
  EXPECT_EQ(c.canvas.Pen().Style(), fw::psClear);
  EXPECT_EQ(c.canvas.Pen().Color(), fw::clBlue);  // colour and width stay
  EXPECT_EQ(c.canvas.Pen().Width(), 3);
  c.canvas.Brush().SetColor(fw::clRed);
  c.canvas.DrawRectangle(5, 5, 15, 15);
  EXPECT_EQ(c.At(10, 10), fw::clRed);
  EXPECT_EQ(Count(c.S(), {0, 0, 40, 30}, fw::clBlue), 0);
  EXPECT_EQ(Count(c.S(), {0, 0, 40, 30}, fw::clBlack), 0);
}

TEST(ChartPens, SmallDotsSetEveryOtherPixelOnlyAtWidthOne) {
  Canvas c;
  TChartPen dots;
  dots.SetSmallDots(true);
  dots.SetColor(fw::clRed);
  c.canvas.ApplyChartPen(dots);
  EXPECT_EQ(c.canvas.Pen().Style(), fw::psAlternate);
  c.canvas.DrawHorizontalLine(0, 20, 3);
  for (int32_t x = 0; x < 20; ++x) EXPECT_EQ(c.At(x, 3), x % 2 == 0 ? fw::clRed : fw::clWhite) << x;

  dots.SetWidth(2);
  dots.SetStyle(fw::psDash);
  c.canvas.ApplyChartPen(dots);
  EXPECT_EQ(c.canvas.Pen().Style(), fw::psDash);
  EXPECT_EQ(c.canvas.Pen().Width(), 2);

  dots.SetWidth(1);
  dots.SetVisible(false);
  c.canvas.ApplyChartPen(dots);
  EXPECT_EQ(c.canvas.Pen().Style(), fw::psClear);
}

TEST(ChartPens, AVisiblePenIsCopiedIntoTheCanvasPen) {
  Canvas c;
  TChartAxisPen axis;
  axis.SetColor(fw::clTeal);
  axis.SetMode(fw::pmNotXor);
  c.canvas.ApplyChartPen(axis);
  EXPECT_EQ(c.canvas.Pen().Color(), fw::clTeal);
  EXPECT_EQ(c.canvas.Pen().Width(), 2);
  EXPECT_EQ(c.canvas.Pen().Style(), fw::psSolid);
  EXPECT_EQ(c.canvas.Pen().Mode(), fw::pmNotXor);
}
