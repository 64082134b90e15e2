// The frame cycle with the off-screen bitmap, seen through a recording window surface.
#include <gtest/gtest.h>

#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TRecordingSurface.h"

using namespace chart;

namespace {

struct Panel {
  fw::TRecordingSurface window{200, 150};
  int repaints = 0;
  TView3DOptions options{[this] { ++repaints; }};
  TChartCanvas3D canvas;
  Panel() { canvas.AttachSurface(&window); }

  // What the panel's paint handler does.
  fw::TRect Paint(const fw::TRect& rect) {
    if (canvas.RepaintFromBuffer()) return {};
    const fw::TRect bounds = canvas.PrepareSurface(&window, &options, fw::clWhite, false, rect);
    canvas.Brush().SetColor(fw::clRed);
    canvas.FillRectangle(bounds);
    canvas.DrawSegment(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
    canvas.ResetDrawingState();
    canvas.PresentBuffer(&window, &window, rect);
    return bounds;
  }
};

}  // namespace

TEST(CanvasFrame, StartsDirtyAndBufferedWithoutABitmap) {
  TChartCanvas3D canvas;
  EXPECT_TRUE(canvas.Buffered());
  EXPECT_TRUE(canvas.GetBuffered());
  EXPECT_TRUE(canvas.Dirty());
  EXPECT_FALSE(canvas.Monochrome());
  EXPECT_FALSE(canvas.Metafile());
  EXPECT_TRUE(canvas.ZoomText());
  EXPECT_EQ(canvas.Bitmap(), nullptr);
  EXPECT_EQ(canvas.GetSurfaceHandle(), nullptr);
  EXPECT_FALSE(canvas.RepaintFromBuffer());
  EXPECT_FALSE(canvas.PrefersDepthDrawing());
  EXPECT_FALSE(canvas.ScalesTextItself());
}

TEST(CanvasFrame, ABufferedFrameDrawsInBitmapCoordinatesAndCopiesOnce) {
  Panel p;
  const fw::TRect bounds = p.Paint({20, 10, 120, 90});
  EXPECT_EQ(bounds, (fw::TRect{0, 0, 100, 80}));
  EXPECT_FALSE(p.canvas.Dirty());
  EXPECT_EQ(p.canvas.GetSurfaceHandle(), &p.window);  // the window is attached again
  // On the window: exactly one block copy and nothing else drawn.
  EXPECT_EQ(p.window.DrawingCallCount(), 1u);
  ASSERT_EQ(p.window.CountOf("BlockCopy"), 1u);
  EXPECT_EQ(p.window.Calls().back().Name, "BlockCopy");
  EXPECT_EQ(p.window.Calls().back().Ints, (std::vector<int32_t>{20, 10, 100, 80, 0, 0}));
  EXPECT_EQ(p.window.GetPixel(20, 10), fw::clBlack);  // diagonal starts at the frame's corner
  EXPECT_EQ(p.window.GetPixel(60, 20), fw::clRed);
  EXPECT_EQ(p.window.GetPixel(19, 10), fw::clWhite);
  EXPECT_EQ(p.window.GetPixel(120, 50), fw::clWhite);
}

TEST(CanvasFrame, APaintWithoutChangeIsOneBlockCopyAndNoPrimitive) {
  Panel p;
  p.Paint({0, 0, 100, 80});
  p.window.ClearCalls();
  p.Paint({0, 0, 100, 80});
  EXPECT_EQ(p.window.DrawingCallCount(), 1u);
  EXPECT_EQ(p.window.CountOf("BlockCopy"), 1u);

  p.window.ClearCalls();
  p.canvas.MarkDirty();
  p.Paint({0, 0, 100, 80});
  EXPECT_FALSE(p.canvas.Dirty());
  EXPECT_EQ(p.window.CountOf("BlockCopy"), 1u);  // the full frame, presented
}

TEST(CanvasFrame, TheBitmapIsReusedUntilTheSizeChanges) {
  Panel p;
  p.Paint({0, 0, 100, 80});
  const fw::TBitmap* first = p.canvas.Bitmap();
  ASSERT_NE(first, nullptr);
  p.canvas.MarkDirty();
  p.Paint({5, 5, 105, 85});  // moved, same size
  EXPECT_EQ(p.canvas.Bitmap(), first);
  p.canvas.MarkDirty();
  const fw::TRect bounds = p.Paint({0, 0, 101, 80});
  EXPECT_EQ(bounds, (fw::TRect{0, 0, 101, 80}));
  ASSERT_NE(p.canvas.Bitmap(), nullptr);
  EXPECT_EQ(p.canvas.Bitmap()->Width(), 101);
  EXPECT_EQ(p.canvas.Bitmap()->Height(), 80);
}

TEST(CanvasFrame, DrawingIntoTheBitmapRaisesNoBitmapNotifications) {
  Panel p;
  p.Paint({0, 0, 50, 50});
  EXPECT_FALSE(static_cast<bool>(p.canvas.Bitmap()->Canvas().OnChange));
  EXPECT_FALSE(static_cast<bool>(p.canvas.Bitmap()->Canvas().OnChanging));
}

TEST(CanvasFrame, UnbufferedPaintsDrawDirectlyAndStayDirty) {
  Panel p;
  p.Paint({0, 0, 100, 80});
  ASSERT_NE(p.canvas.Bitmap(), nullptr);
  p.canvas.SetBuffered(false);
  EXPECT_EQ(p.canvas.Bitmap(), nullptr);
  EXPECT_TRUE(p.canvas.Dirty());
  p.window.ClearCalls();
  const fw::TRect bounds = p.Paint({10, 10, 110, 90});
  EXPECT_EQ(bounds, (fw::TRect{10, 10, 110, 90}));
  EXPECT_EQ(p.window.CountOf("BlockCopy"), 0u);
  EXPECT_EQ(p.window.CountOf("FillRect"), 1u);
  EXPECT_EQ(p.window.CountOf("LineTo"), 1u);
  EXPECT_TRUE(p.canvas.Dirty());
  p.window.ClearCalls();
  p.Paint({10, 10, 110, 90});  // still a full frame
  EXPECT_EQ(p.window.CountOf("FillRect"), 1u);
  EXPECT_EQ(p.canvas.Bitmap(), nullptr);
}

TEST(CanvasFrame, MonochromeChangesRecreateTheBitmapAndRepaint) {
  Panel p;
  p.Paint({0, 0, 60, 40});
  EXPECT_EQ(p.repaints, 0);
  p.canvas.SetMonochrome(false);  // same value: nothing
  EXPECT_NE(p.canvas.Bitmap(), nullptr);
  EXPECT_FALSE(p.canvas.Dirty());
  EXPECT_EQ(p.repaints, 0);

  p.canvas.SetMonochrome(true);
  EXPECT_TRUE(p.canvas.Monochrome());
  EXPECT_EQ(p.canvas.Bitmap(), nullptr);
  EXPECT_TRUE(p.canvas.Dirty());
  EXPECT_EQ(p.repaints, 1);
  p.Paint({0, 0, 60, 40});
  ASSERT_NE(p.canvas.Bitmap(), nullptr);
  EXPECT_TRUE(p.canvas.Bitmap()->Monochrome());
  // Red is presented black or white.
  const fw::TColor shown = p.window.GetPixel(30, 5);
  EXPECT_TRUE(shown == fw::clBlack || shown == fw::clWhite);

  TChartCanvas3D other;
  other.CopySettings(p.canvas);
  EXPECT_TRUE(other.Monochrome());
}

TEST(CanvasFrame, AnEmptyRequestGivesAnEmptyFrame) {
  Panel p;
  EXPECT_EQ(p.Paint({50, 50, 40, 40}), (fw::TRect{0, 0, 0, 0}));
  EXPECT_EQ(p.canvas.GetSurfaceHandle(), &p.window);
}

TEST(CanvasFrame, PrepareSurfaceTakesZoomAndOrthogonalOnlyIn3D) {
  Panel p;
  p.options.SetZoom(250);
  p.options.SetZoomText(false);
  p.canvas.PrepareSurface(&p.window, &p.options, fw::clWhite, false, {0, 0, 10, 10});
  EXPECT_EQ(p.canvas.ZoomFactor(), 1.0);
  EXPECT_FALSE(p.canvas.IsOrthogonal());
  EXPECT_TRUE(p.canvas.ZoomText());
  EXPECT_EQ(p.canvas.View3DOptions(), &p.options);
  p.canvas.PrepareSurface(&p.window, &p.options, fw::clWhite, true, {0, 0, 10, 10});
  EXPECT_DOUBLE_EQ(p.canvas.ZoomFactor(), 2.5);
  EXPECT_TRUE(p.canvas.IsOrthogonal());
  EXPECT_FALSE(p.canvas.ZoomText());
  EXPECT_TRUE(p.canvas.Is3D());
}
