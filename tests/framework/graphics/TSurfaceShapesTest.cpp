// Shapes, fills and clipping: box edges, brush styles, raster operations on fills, clip nesting.
#include <gtest/gtest.h>

#include <vector>

#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "tests/framework/graphics/PixelText.h"

using namespace fw;
using fwtest::Picture;

namespace {

std::vector<std::string> Rows(std::initializer_list<const char*> rows) { return {rows.begin(), rows.end()}; }

TEST(SurfaceShapes, RectangleExcludesRightAndBottom) {
  TBitmap bmp(8, 7);
  TSurface& s = bmp.Canvas();
  s.Brush().SetColor(clRed);
  s.Rectangle(1, 1, 6, 5);
  EXPECT_EQ(Picture(s, 8, 7), Rows({"........", ".#####..", ".#####..", ".#####..", ".#####..", "........",
                                    "........"}));
  EXPECT_EQ(s.GetPixel(1, 1), clBlack);
  EXPECT_EQ(s.GetPixel(2, 2), clRed);
  EXPECT_EQ(s.GetPixel(4, 3), clRed);
  EXPECT_EQ(s.GetPixel(5, 4), clBlack);
}

TEST(SurfaceShapes, RectangleCornersMayComeInAnyOrder) {
  TBitmap a(8, 8), b(8, 8);
  a.Canvas().Rectangle(1, 2, 6, 7);
  b.Canvas().Rectangle(6, 7, 1, 2);
  EXPECT_EQ(Picture(a.Canvas(), 8, 8), Picture(b.Canvas(), 8, 8));
}

TEST(SurfaceShapes, ThinRectanglesAreSingleLines) {
  TBitmap bmp(6, 4);
  TSurface& s = bmp.Canvas();
  s.Rectangle(1, 1, 5, 2);
  s.Rectangle(0, 3, 1, 4);
  EXPECT_EQ(Picture(s, 6, 4), Rows({"......", ".####.", "......", "#....."}));
}

TEST(SurfaceShapes, RectangleWithoutOutlineFillsTheWholeBox) {
  TBitmap bmp(6, 5);
  TSurface& s = bmp.Canvas();
  s.Pen().SetStyle(psClear);
  s.Brush().SetColor(clBlue);
  s.Rectangle(1, 1, 5, 4);
  EXPECT_EQ(Picture(s, 6, 5), Rows({"......", ".####.", ".####.", ".####.", "......"}));
  EXPECT_EQ(s.GetPixel(4, 3), clBlue);
}

TEST(SurfaceShapes, WidePenFrameIsCentredOrInsideTheBox) {
  TBitmap bmp(12, 12);
  TSurface& s = bmp.Canvas();
  s.Brush().SetStyle(bsClear);
  s.Pen().SetWidth(3);
  s.Rectangle(2, 2, 10, 10);
  EXPECT_EQ(fwtest::InkBounds(s), (TRect{1, 1, 11, 11}));
  EXPECT_EQ(s.GetPixel(4, 4), clWhite);
  EXPECT_EQ(s.GetPixel(3, 3), clBlack);
  s.PatBlt({0, 0, 12, 12}, clWhite);
  s.Pen().SetStyle(psInsideFrame);
  s.Rectangle(2, 2, 10, 10);
  EXPECT_EQ(fwtest::InkBounds(s), (TRect{2, 2, 10, 10}));
  EXPECT_EQ(s.GetPixel(4, 4), clBlack);
  EXPECT_EQ(s.GetPixel(5, 5), clWhite);
}

TEST(SurfaceShapes, FillRectUsesTheBrushWithoutOutline) {
  TBitmap bmp(6, 4);
  TSurface& s = bmp.Canvas();
  s.Brush().SetColor(clGreen);
  s.Pen().SetMode(pmXor);  // fills do not use the pen's raster operation
  s.FillRect({1, 1, 4, 3});
  EXPECT_EQ(Picture(s, 6, 4), Rows({"......", ".###..", ".###..", "......"}));
  EXPECT_EQ(s.GetPixel(3, 2), clGreen);
  s.FillRect({5, 3, 2, 1});  // inverted: nothing
  s.Brush().SetStyle(bsClear);
  s.FillRect({0, 0, 6, 4});
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 6, 4}, clWhite), 6);
}

TEST(SurfaceShapes, PatBltFillsWithoutTouchingTheBrushState) {
  TBitmap bmp(4, 4);
  TSurface& s = bmp.Canvas();
  s.Brush().SetStyle(bsClear);
  s.PatBlt({1, 1, 3, 3}, clTeal);
  EXPECT_EQ(s.GetPixel(1, 1), clTeal);
  EXPECT_EQ(s.GetPixel(2, 2), clTeal);
  EXPECT_EQ(s.GetPixel(3, 3), clWhite);
  EXPECT_EQ(s.GetBkMode(), TRANSPARENT);
}

TEST(SurfaceShapes, HatchGapsShowTheBackgroundOnlyWhenOpaque) {
  TBitmap bmp(8, 8);
  TSurface& s = bmp.Canvas();
  s.PatBlt({0, 0, 8, 8}, clYellow);
  s.Brush().SetColor(clBlue);
  s.Brush().SetStyle(bsHorizontal);
  s.FillRect({0, 0, 8, 8});
  int blue = 0, yellow = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) (s.GetPixel(x, y) == clBlue ? blue : yellow) += 1;
  EXPECT_EQ(blue, 8);  // one hatch line per 8 rows
  EXPECT_EQ(yellow, 56);
  s.SetBkMode(OPAQUE);
  s.SetBkColor(clRed);
  s.FillRect({0, 0, 8, 8});
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 8, 8}, clRed), 8);
}

TEST(SurfaceShapes, FillOfAnOutlinedShapeFollowsThePenMode) {
  TBitmap bmp(6, 6);
  TSurface& s = bmp.Canvas();
  s.Brush().SetColor(RGB(0, 0, 255));
  s.Pen().SetMode(pmXor);
  s.Rectangle(0, 0, 6, 6);
  EXPECT_EQ(s.GetPixel(2, 2), RGB(255, 255, 0));  // red ^ white
  EXPECT_EQ(s.GetPixel(0, 0), clWhite);           // black pen ^ white
}

TEST(SurfaceShapes, PolygonFillsOddEvenAndOutlinesEveryEdge) {
  TBitmap bmp(12, 12);
  TSurface& s = bmp.Canvas();
  s.Brush().SetColor(clRed);
  // Two overlapping squares in one polygon: the overlap is outside by the odd-even rule.
  const std::vector<TPoint> pts = {{1, 1}, {7, 1}, {7, 7}, {1, 7}, {1, 1}, {4, 4}, {10, 4}, {10, 10}, {4, 10}, {4, 4}};
  s.Polygon(pts);
  EXPECT_EQ(s.GetPixel(2, 5), clRed);
  EXPECT_EQ(s.GetPixel(6, 2), clRed);
  EXPECT_EQ(s.GetPixel(8, 8), clRed);
  EXPECT_EQ(s.GetPixel(5, 5), clWhite);
  EXPECT_EQ(s.GetPixel(2, 2), clBlack);  // on the edge back to the first corner
  EXPECT_EQ(s.GetPixel(1, 1), clBlack);
  EXPECT_EQ(s.GetPixel(7, 7), clBlack);
  EXPECT_EQ(s.GetPixel(10, 10), clBlack);
}

TEST(SurfaceShapes, EllipseStaysInsideItsBox) {
  TBitmap bmp(20, 14);
  TSurface& s = bmp.Canvas();
  s.Brush().SetColor(clRed);
  s.Ellipse(2, 3, 18, 12);
  EXPECT_EQ(fwtest::InkBounds(s), (TRect{2, 3, 18, 12}));
  EXPECT_EQ(s.GetPixel(10, 7), clRed);
  EXPECT_EQ(s.GetPixel(2, 3), clWhite);
}

TEST(SurfaceShapes, RoundRectArcAndPieStayInsideTheirBox) {
  TBitmap bmp(24, 24);
  TSurface& s = bmp.Canvas();
  s.Brush().SetColor(clRed);
  s.RoundRect(2, 2, 22, 22, 8, 8);
  EXPECT_EQ(fwtest::InkBounds(s), (TRect{2, 2, 22, 22}));
  EXPECT_EQ(s.GetPixel(2, 2), clWhite);  // corner cut off
  EXPECT_EQ(s.GetPixel(12, 12), clRed);

  s.PatBlt({0, 0, 24, 24}, clWhite);
  // Upper half: counter-clockwise from the right to the left.
  s.Arc(2, 2, 22, 22, 22, 12, 2, 12);
  const TRect arc = fwtest::InkBounds(s);
  EXPECT_EQ(arc.Top, 2);
  EXPECT_LE(arc.Bottom, 13);
  EXPECT_EQ(arc.Left, 2);
  EXPECT_EQ(arc.Right, 22);

  s.PatBlt({0, 0, 24, 24}, clWhite);
  // Quarter pie towards the top right.
  s.Pie(2, 2, 22, 22, 22, 12, 12, 2);
  const TRect pie = fwtest::InkBounds(s);
  EXPECT_GE(pie.Left, 11);
  EXPECT_LE(pie.Bottom, 14);
  EXPECT_EQ(s.GetPixel(16, 8), clRed);
  EXPECT_EQ(s.GetPixel(6, 8), clWhite);
}

TEST(SurfaceShapes, DottedEllipseLeavesGapsAlongItsOutline) {
  TBitmap solid(30, 30), dotted(30, 30);
  for (TBitmap* b : {&solid, &dotted}) b->Canvas().Brush().SetStyle(bsClear);
  dotted.Canvas().Pen().SetStyle(psDot);
  solid.Canvas().Ellipse(2, 2, 28, 28);
  dotted.Canvas().Ellipse(2, 2, 28, 28);
  const int all = fwtest::CountNot(solid.Canvas(), {0, 0, 30, 30}, clWhite);
  const int dots = fwtest::CountNot(dotted.Canvas(), {0, 0, 30, 30}, clWhite);
  EXPECT_NEAR(dots, all / 2, 3);
  // Every dotted pixel lies on the solid outline.
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      if (dotted.Canvas().GetPixel(x, y) != clWhite) {
        EXPECT_EQ(solid.Canvas().GetPixel(x, y), clBlack) << x << "," << y;
      }
    }
  // Opaque gaps fill the rest of the outline with the background colour.
  dotted.Canvas().SetBkMode(OPAQUE);
  dotted.Canvas().SetBkColor(clRed);
  dotted.Canvas().Ellipse(2, 2, 28, 28);
  EXPECT_EQ(fwtest::CountNot(dotted.Canvas(), {0, 0, 30, 30}, clWhite), all);
}

TEST(SurfaceShapes, ClipRectanglesNestAndRemovalRestores) {
  TBitmap bmp(10, 10);
  TSurface& s = bmp.Canvas();
  EXPECT_FALSE(s.HasClipping());
  EXPECT_EQ(s.ClipBounds(), (TRect{0, 0, 10, 10}));
  s.IntersectClipRect({1, 1, 6, 6});
  s.IntersectClipRect({3, 3, 9, 9});
  EXPECT_EQ(s.ClipBounds(), (TRect{3, 3, 6, 6}));
  s.Brush().SetColor(clBlack);
  s.FillRect({0, 0, 10, 10});
  EXPECT_EQ(fwtest::InkBounds(s), (TRect{3, 3, 6, 6}));
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 10, 10}, clWhite), 9);
  s.MoveTo(0, 4);
  s.LineTo(10, 4);
  s.SetPixel(8, 8, clRed);
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 10, 10}, clWhite), 9);

  s.RemoveClipping();
  EXPECT_FALSE(s.HasClipping());
  s.FillRect({0, 0, 10, 10});
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 10, 10}, clBlack), 0);
}

TEST(SurfaceShapes, DisjointClipRectanglesLeaveNothing) {
  TBitmap bmp(10, 10);
  TSurface& s = bmp.Canvas();
  s.IntersectClipRect({0, 0, 4, 4});
  s.IntersectClipRect({5, 5, 9, 9});
  EXPECT_TRUE(s.ClipBounds().IsEmpty());
  s.Brush().SetColor(clBlack);
  s.FillRect({0, 0, 10, 10});
  s.MoveTo(0, 0);
  s.LineTo(9, 9);
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 10, 10}, clWhite), 0);
}

TEST(SurfaceShapes, PolygonClipIntersects) {
  TBitmap bmp(10, 10);
  TSurface& s = bmp.Canvas();
  const std::vector<TPoint> triangle = {{0, 0}, {10, 0}, {0, 10}};
  s.IntersectClipPolygon(triangle);
  s.IntersectClipRect({0, 0, 10, 5});
  s.Brush().SetColor(clBlack);
  s.FillRect({0, 0, 10, 10});
  EXPECT_EQ(s.GetPixel(1, 1), clBlack);
  EXPECT_EQ(s.GetPixel(8, 8), clWhite);  // outside the triangle
  EXPECT_EQ(s.GetPixel(1, 7), clWhite);  // outside the rectangle
  // Lines follow the polygon region too.
  s.RemoveClipping();
  s.PatBlt({0, 0, 10, 10}, clWhite);
  s.IntersectClipPolygon(triangle);
  s.MoveTo(0, 8);
  s.LineTo(10, 8);
  EXPECT_EQ(s.GetPixel(0, 8), clBlack);
  EXPECT_EQ(s.GetPixel(9, 8), clWhite);
}

// A clip polygon reaching far beyond the image (a 3D box seen from very close): the region
// inside the image is the polygon's part there, never an empty clip.
TEST(SurfaceShapes, PolygonClipFarBeyondTheImageKeepsItsInside) {
  TBitmap bmp(40, 40);
  TSurface& s = bmp.Canvas();
  // Left of the line from (-49151, -65536) to (49153, 65536): x = 4.75 at y = 5, 30.25 at y = 39.
  const std::vector<TPoint> wedge = {{-65536, 65536}, {-65536, -65536}, {-49151, -65536}, {49153, 65536}};
  s.IntersectClipPolygon(wedge);
  s.Brush().SetColor(clBlack);
  s.FillRect({0, 0, 40, 40});
  EXPECT_EQ(s.GetPixel(2, 5), clBlack);
  EXPECT_EQ(s.GetPixel(8, 5), clWhite);
  EXPECT_EQ(s.GetPixel(27, 39), clBlack);
  EXPECT_EQ(s.GetPixel(34, 39), clWhite);
  // The widest polygon there is: the whole 32-bit plane less a corner.
  const std::vector<TPoint> huge = {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MAX}};
  s.RemoveClipping();
  s.Brush().SetColor(clBlack);
  s.PatBlt({0, 0, 40, 40}, clWhite);
  s.IntersectClipPolygon(huge);
  s.FillRect({0, 0, 40, 40});
  EXPECT_EQ(s.GetPixel(30, 10), clBlack);
  EXPECT_EQ(s.GetPixel(10, 30), clWhite);
}

TEST(SurfaceShapes, PolygonClipAfterRemovalStillClipsFills) {
  TBitmap bmp(10, 10);
  TSurface& s = bmp.Canvas();
  const std::vector<TPoint> triangle = {{0, 0}, {10, 0}, {0, 10}};
  s.IntersectClipRect({0, 0, 10, 10});
  s.RemoveClipping();
  s.IntersectClipPolygon(triangle);
  s.Brush().SetColor(clBlack);
  s.FillRect({0, 0, 10, 10});
  EXPECT_EQ(s.GetPixel(1, 1), clBlack);
  EXPECT_EQ(s.GetPixel(8, 8), clWhite);  // outside the triangle
}

}  // namespace
