// Text, drawing at depth and the 3D shapes.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/canvas/DarkenColor.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TRecordingSurface.h"
#include "tests/chart/canvas/CanvasTestSupport.h"

using namespace chart;

namespace {

std::vector<fw::TColor> RotatedText(int32_t angle) {
  fw::TBitmap image(120, 120);
  TChartCanvas3D canvas;
  canvas.AttachSurface(&image.Canvas());
  canvas.Font().SetName("Arial");
  canvas.Font().SetSize(12);
  canvas.WriteRotatedText(60, 60, angle, "Axis");
  return canvastest::Pixels(image.Canvas());
}

// A recording window with a canvas in a frame (unbuffered, so calls land on the window).
struct Frame {
  fw::TRecordingSurface window{300, 300};
  TView3DOptions options;
  TChartCanvas3D canvas;
  void Start(bool view3D) {
    canvas.SetBuffered(false);
    canvas.PrepareSurface(&window, &options, fw::clWhite, view3D, {0, 0, 300, 300});
    canvas.SetProjectionCenter(60, {0, 0, 300, 300}, {50, 50, 250, 250});
    window.ClearCalls();
  }
  std::vector<fw::TSurfaceCall> Take() {
    auto calls = window.Calls();
    window.ClearCalls();
    return calls;
  }
};

bool SameCalls(const std::vector<fw::TSurfaceCall>& a, const std::vector<fw::TSurfaceCall>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].Name != b[i].Name || a[i].Ints != b[i].Ints || a[i].Text != b[i].Text) return false;
  return true;
}

}  // namespace

TEST(CanvasRotatedText, AnglesAboveAFullTurnLoseOneTurn) {
  const auto horizontal = RotatedText(0);
  const auto vertical = RotatedText(90);
  EXPECT_NE(horizontal, vertical);
  EXPECT_EQ(RotatedText(450), vertical);
  EXPECT_EQ(RotatedText(360), horizontal);
}

TEST(CanvasRotatedText, ClearsTheBrushAndRestoresTheFont) {
  fw::TBitmap image(100, 100);
  TChartCanvas3D canvas;
  canvas.AttachSurface(&image.Canvas());
  canvas.Font().SetSize(11);
  canvas.WriteRotatedText(50, 50, 90, "Up");
  EXPECT_EQ(canvas.Brush().Style(), fw::bsClear);
  EXPECT_EQ(canvas.Font().Orientation(), 0);
  EXPECT_EQ(canvas.Font().Size(), 11);
  // Vertical text is taller than wide.
  const fw::TRect ink = canvastest::InkBounds(image.Canvas());
  EXPECT_GT(ink.Height(), ink.Width());
}

TEST(CanvasDepth, FlatFrameDepthOperationsDrawLikeTheir2DCounterparts) {
  Frame f;
  f.options.SetOrthogonal(false);
  f.options.SetZoom(180);
  f.Start(false);
  for (int32_t z : {0, 40, -7}) {
    f.canvas.DrawHorizontalLine(10, 90, 30);
    auto flat = f.Take();
    f.canvas.DrawHorizontalLineAtDepth(10, 90, 30, z);
    EXPECT_TRUE(SameCalls(f.Take(), flat));

    f.canvas.DrawVerticalLine(12, 5, 80);
    flat = f.Take();
    f.canvas.DrawVerticalLineAtDepth(12, 5, 80, z);
    EXPECT_TRUE(SameCalls(f.Take(), flat));

    f.canvas.DrawSegment(1, 2, 30, 40);
    flat = f.Take();
    f.canvas.DrawSegmentAtDepth(1, 2, 30, 40, z);
    EXPECT_TRUE(SameCalls(f.Take(), flat));
    f.canvas.MovePenToAtDepth(1, 2, z);
    f.canvas.DrawLineToAtDepth(30, 40, z);
    EXPECT_TRUE(SameCalls(f.Take(), flat));

    f.canvas.DrawRectangle(5, 6, 70, 80);
    flat = f.Take();
    f.canvas.DrawRectangleAtDepth({5, 6, 70, 80}, z);
    EXPECT_TRUE(SameCalls(f.Take(), flat));

    f.canvas.WriteText(40, 50, "Text");
    flat = f.Take();
    f.canvas.WriteTextAtDepth(40, 50, z, "Text");
    EXPECT_TRUE(SameCalls(f.Take(), flat));

    EXPECT_EQ(f.canvas.ProjectToPoint(77, 88, z), (fw::TPoint{77, 88}));
  }
}

TEST(CanvasDepth, FlatEllipseAtDepthExtendsRightAndBottomByOne) {
  Frame f;
  f.Start(false);
  f.canvas.DrawEllipseAtDepth(10, 20, 50, 60, 33);
  ASSERT_EQ(f.window.CountOf("Ellipse"), 1u);
  EXPECT_EQ(f.window.Calls().back().Ints, (std::vector<int32_t>{10, 20, 51, 61}));
  f.window.ClearCalls();
  f.canvas.DrawSphere(100, 100, 5, 10.5);  // radius rounds half to even: 10
  EXPECT_EQ(f.window.Calls().back().Ints, (std::vector<int32_t>{90, 90, 111, 111}));
}

TEST(CanvasDepth, OrthogonalOperationsProjectEveryPoint) {
  Frame f;
  f.Start(true);  // default options: orthogonal, zoom 100
  f.canvas.DrawDepthLine(100, 100, 0, 20);
  const auto calls = f.Take();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Ints, (std::vector<int32_t>{100, 100}));
  EXPECT_EQ(calls[1].Ints, (std::vector<int32_t>{120, 80}));
  f.canvas.DrawEllipseAtDepth(10, 20, 50, 60, 10);
  EXPECT_EQ(f.window.Calls().back().Ints, (std::vector<int32_t>{20, 10, 60, 50}));
}

TEST(CanvasDepth, RotatedEllipseIsFilledThenOutlined) {
  Frame f;
  f.options.SetOrthogonal(false);
  f.Start(true);
  f.canvas.DrawEllipseAtDepth(100, 100, 160, 140, 10);
  ASSERT_EQ(f.window.CountOf("Polygon"), 1u);
  ASSERT_EQ(f.window.CountOf("Polyline"), 1u);
  EXPECT_EQ(f.window.Calls().back().Ints.size(), 64u);  // 32 points
  EXPECT_EQ(f.canvas.Pen().Style(), fw::psSolid);     // pen restored after the fill
  f.window.ClearCalls();
  f.canvas.Brush().SetStyle(fw::bsClear);
  f.canvas.DrawEllipseAtDepth(100, 100, 160, 140, 10);
  EXPECT_EQ(f.window.CountOf("Polygon"), 0u);
  EXPECT_EQ(f.window.CountOf("Polyline"), 1u);
}

TEST(CanvasDepth, TextAtDepthScalesWithTheZoom) {
  auto inkHeight = [](int32_t zoom, bool zoomText) {
    fw::TBitmap image(300, 200);
    TView3DOptions options;
    options.SetZoom(zoom);
    options.SetZoomText(zoomText);
    TChartCanvas3D canvas;
    canvas.SetBuffered(false);
    canvas.PrepareSurface(&image.Canvas(), &options, fw::clWhite, true, {0, 0, 300, 200});
    canvas.SetProjectionCenter(0, {}, {0, 0, 300, 200});
    canvas.Font().SetName("Arial");
    canvas.Font().SetSize(10);
    canvas.SetBackgroundMode(fw::TRANSPARENT);
    canvas.WriteTextAtDepth(150, 100, 0, "H");
    EXPECT_EQ(canvas.Font().Size(), 10);  // the temporary font is gone again
    return canvastest::InkBounds(image.Canvas()).Height();
  };
  const int32_t normal = inkHeight(100, true);
  EXPECT_GT(normal, 0);
  EXPECT_NEAR(inkHeight(200, true), 2 * normal, 2);
  EXPECT_EQ(inkHeight(200, false), normal);
}

TEST(CanvasDepth, ArrowOutlinesAndFills) {
  Frame f;
  f.Start(false);
  f.canvas.DrawArrow(false, {10, 10}, {10, 10}, 8, 8, 0);
  EXPECT_TRUE(f.window.Calls().empty());
  f.canvas.DrawArrow(false, {10, 50}, {90, 50}, 20, 30, 0);
  EXPECT_EQ(f.window.CountOf("LineTo"), 3u);
  f.window.ClearCalls();
  f.canvas.DrawArrow(true, {10, 50}, {90, 50}, 20, 200, 0);  // head capped at the length
  ASSERT_EQ(f.window.CountOf("Polygon"), 1u);
  EXPECT_EQ(f.window.Calls().back().Ints,
            (std::vector<int32_t>{10, 55, 10, 55, 10, 60, 90, 50, 10, 40, 10, 45, 10, 45}));
}

TEST(CanvasDepth, WidePenPixelIsADot) {
  fw::TBitmap image(30, 30);
  TChartCanvas3D canvas;
  canvas.AttachSurface(&image.Canvas());
  canvas.PlotPixelAtDepth(5, 5, 0, fw::clRed);
  EXPECT_EQ(image.Canvas().GetPixel(5, 5), fw::clRed);
  canvas.Pen().SetWidth(5);
  canvas.Pen().SetColor(fw::clBlue);
  canvas.PlotPixelAtDepth(20, 20, 0, fw::clRed);
  EXPECT_EQ(image.Canvas().GetPixel(20, 20), fw::clBlue);
  EXPECT_EQ(image.Canvas().GetPixel(19, 20), fw::clBlue);
  EXPECT_EQ(image.Canvas().GetPixel(26, 20), fw::clWhite);
  EXPECT_EQ(canvas.Pen().Style(), fw::psSolid);
  EXPECT_EQ(canvas.Brush().Style(), fw::bsSolid);
  EXPECT_EQ(canvas.Brush().Color(), fw::clWhite);
}

TEST(CanvasDepth, ThreeDimensionalClipBoxIsTheProjectedOutline) {
  Frame f;
  f.Start(true);
  f.canvas.ClipToBox({50, 50, 250, 250}, 0, 60);
  ASSERT_EQ(f.window.CountOf("IntersectClipPolygon"), 1u);
  EXPECT_EQ(f.window.Calls().back().Ints,
            (std::vector<int32_t>{50, 250, 50, 50, 110, -10, 310, -10, 310, 190, 250, 250}));
  f.canvas.Brush().SetColor(fw::clRed);
  f.canvas.FillRectangle({0, 0, 300, 300});
  EXPECT_EQ(f.window.GetPixel(290, 100), fw::clRed);
  EXPECT_EQ(f.window.GetPixel(100, 100), fw::clRed);
  EXPECT_EQ(f.window.GetPixel(5, 5), fw::clWhite);
  EXPECT_EQ(f.window.GetPixel(60, 20), fw::clWhite);  // above the slanted top-left edge
  EXPECT_EQ(f.window.GetPixel(290, 260), fw::clWhite);
}

TEST(CanvasDepth, ThreeDimensionalClipBoxReplacesAnEarlierClip) {
  Frame f;
  f.Start(true);
  f.canvas.ClipToRectangle({0, 0, 10, 10});
  f.canvas.ClipToBox({50, 50, 250, 250}, 0, 60);
  EXPECT_EQ(f.window.ClipBounds(), (fw::TRect{50, 0, 300, 250}));
}

TEST(CanvasShapes3D, CuboidShowsFrontSideAndTopFacesShaded) {
  fw::TBitmap image(200, 200);
  TView3DOptions options;
  TChartCanvas3D canvas;
  canvas.SetBuffered(false);
  canvas.PrepareSurface(&image.Canvas(), &options, fw::clWhite, true, {0, 0, 200, 200});
  canvas.SetProjectionCenter(40, {}, {0, 0, 200, 200});
  const fw::TColor face = fw::RGB(200, 180, 160);
  canvas.Brush().SetColor(face);
  canvas.DrawCuboid(50, 100, 80, 150, 0, 30, true);
  auto at = [&](int32_t x, int32_t y) { return image.Canvas().GetPixel(x, y); };
  EXPECT_EQ(at(75, 120), face);                          // front
  EXPECT_EQ(at(115, 110), DarkenColor(face, 128));       // right side (depth goes up and right)
  EXPECT_EQ(at(80, 65), DarkenColor(face, 64));          // top
  EXPECT_EQ(at(60, 140 - 100), fw::clWhite);             // nothing above the top face
  EXPECT_EQ(at(45, 120), fw::clWhite);                   // left side hidden
  EXPECT_EQ(canvas.Brush().Color(), face);               // brush colour restored

  fw::TBitmap plain(200, 200);
  canvas.AttachSurface(&plain.Canvas());
  canvas.Brush().SetColor(face);
  canvas.DrawCuboid(50, 100, 80, 150, 0, 30, false);
  EXPECT_EQ(plain.Canvas().GetPixel(115, 110), face);
}

TEST(CanvasShapes3D, SolidsDrawOnlyFacesTurnedTowardsTheViewer) {
  Frame f;
  f.options.SetOrthogonal(false);
  f.options.SetPerspective(0);
  f.Start(true);
  f.canvas.DrawPyramid(true, 100, 100, 160, 200, 0, 40, true);
  // Base hidden (below eye level at elevation 345 the bottom is not seen), at most three sides.
  const size_t pyramidFaces = f.window.CountOf("Polygon");
  EXPECT_GE(pyramidFaces, 1u);
  EXPECT_LE(pyramidFaces, 3u);
  f.window.ClearCalls();
  f.canvas.DrawCylinder(true, 100, 100, 160, 200, 0, 40, true);
  EXPECT_GT(f.window.CountOf("Polygon"), 5u);
  EXPECT_LT(f.window.CountOf("Polygon"), 32u);  // never the whole wall
  f.window.ClearCalls();
  f.canvas.DrawPieSlice3D(150, 150, 60, 60, 0, 20, 0.0, 1.5, true);
  EXPECT_GE(f.window.CountOf("Polygon"), 2u);
  f.window.ClearCalls();
  f.canvas.DrawSurface({}, 0, 0);
  EXPECT_TRUE(f.window.Calls().empty());
}

TEST(CanvasShapes3D, DegenerateAndExtremeShapesAreSafe) {
  Frame f;
  f.Start(true);
  f.canvas.DrawCuboid(10, 10, 10, 10, 5, 5, true);
  f.canvas.DrawCylinder(false, 0, 0, 0, 0, 0, 0, true);
  f.canvas.DrawPyramid(false, 5, 5, 5, 5, 0, 0, false);
  f.canvas.DrawPieSlice3D(0, 0, 0, 0, 0, 0, 0, 0, false);
  f.canvas.DrawPieSlice3D(0, 0, 10, 10, 0, 5, std::nan(""), 1, false);
  f.canvas.DrawPieSlice3D(0, 0, 10, 10, 0, 5, -1e308, 1e308, false);
  f.canvas.DrawCuboid(INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, true);
  f.canvas.DrawSphere(0, 0, 0, 1e300);
  f.canvas.DrawArrow(true, {INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, INT32_MAX, INT32_MAX, 0);
  f.canvas.DrawBevel({0, 0, 300, 300}, fw::clWhite, fw::clGray, INT32_MAX);  // stops at the middle
  f.canvas.DrawBevel({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, fw::clWhite, fw::clGray, 2);
  f.canvas.Pen().SetWidth(9);
  f.canvas.PlotPixelAtDepth(INT32_MAX, INT32_MIN, 0, fw::clRed);
  f.canvas.BeginFlatDrawing();
  f.canvas.DrawEllipseAtDepth(0, 0, INT32_MAX, INT32_MAX, 0);
  f.canvas.ClipToBox({INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}, 0, 0);
  f.canvas.EndFlatDrawing();
  EXPECT_EQ(f.window.GetPixel(150, 150), fw::clGray);  // the innermost bevel ring reached the middle
}
