#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "chart/canvas/TChartCanvas3D.h"
#include "chart/panel/TCustomChartPanelExtended.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TPicture.h"
#include "framework/graphics/TRecordingSurface.h"
#include "framework/graphics/TSurface.h"

using namespace chart;

namespace {

class TBackgroundPanel : public TCustomChartPanelExtended {
public:
  using TCustomChartPanelExtended::TCustomChartPanelExtended;
  void DrawContent(const fw::TRect& bounds) override {
    ++Frames;
    PaintPanelBackground(bounds);
  }
  using TCustomChartPanel::Paint;
  int Frames = 0;
};

struct TFrame {
  std::unique_ptr<fw::TBitmap> Image;
  fw::TColor At(int32_t x, int32_t y) const { return Image->Canvas().GetPixel(x, y); }
};

TFrame Render(TBackgroundPanel& panel) {
  TFrame frame{std::make_unique<fw::TBitmap>(panel.Width(), panel.Height())};
  panel.DrawToCanvas(frame.Image->Canvas(), panel.GetPaintArea());
  return frame;
}

std::vector<fw::TColor> Pixels(const TFrame& frame) {
  std::vector<fw::TColor> all;
  for (int32_t y = 0; y < frame.Image->Height(); ++y)
    for (int32_t x = 0; x < frame.Image->Width(); ++x) all.push_back(frame.At(x, y));
  return all;
}

// System colours resolve through the application's palette: ask only once it exists.
fw::TColor HighlightRGB() { return fw::ColorToRGB(fw::clBtnHighlight); }
fw::TColor ShadowRGB() { return fw::ColorToRGB(fw::clBtnShadow); }

}  // namespace

// ---- paint: buffer copy or full frame ---------------------------------------------------------

TEST(ChartPanelPaint, AFrameIsDrawnOffScreenAndCopiedInOneBlock) {
  TBackgroundPanel panel;
  panel.SetBounds(0, 0, 120, 80);
  fw::TRecordingSurface window;
  panel.DrawToCanvas(window, panel.GetPaintArea());
  EXPECT_EQ(panel.Frames, 1);
  EXPECT_EQ(window.CountOf("BlockCopy"), 1u);
  EXPECT_EQ(window.DrawingCallCount(), 1u);
  EXPECT_EQ(window.Calls().back().Ints, (std::vector<int32_t>{0, 0, 120, 80, 0, 0}));
  EXPECT_FALSE(panel.Canvas().Dirty());
}

TEST(ChartPanelPaint, APaintWithoutAChangeIsOneBlockCopy) {
  TBackgroundPanel panel;
  panel.SetBounds(0, 0, 120, 80);
  panel.Paint();
  ASSERT_EQ(panel.Frames, 1);

  fw::TRecordingSurface window;
  panel.Canvas().AttachSurface(&window);
  panel.Paint();
  EXPECT_EQ(panel.Frames, 1);
  EXPECT_EQ(window.CountOf("BlockCopy"), 1u);
  EXPECT_EQ(window.DrawingCallCount(), 1u);

  panel.SetMarginTop(10);
  panel.Paint();
  EXPECT_EQ(panel.Frames, 2);
}

TEST(ChartPanelPaint, NothingIsPaintedWhilePrinting) {
  TBackgroundPanel panel;
  panel.SetPrintingActive(true);
  panel.Paint();
  EXPECT_EQ(panel.Frames, 0);
}

TEST(ChartPanelPaint, UnbufferedEveryPaintIsAFullFrame) {
  TBackgroundPanel panel;
  panel.SetBounds(0, 0, 50, 40);
  panel.SetBufferedDisplay(false);
  panel.Paint();
  panel.Paint();
  EXPECT_EQ(panel.Frames, 2);
}

// ---- background and border pixels -------------------------------------------------------------

TEST(ChartPanelBackground, SolidColourInsideARaisedOnePixelBevel) {
  TBackgroundPanel panel;
  panel.SetBounds(0, 0, 60, 40);
  panel.SetColor(fw::clRed);
  const TFrame f = Render(panel);
  const fw::TColor Highlight = HighlightRGB(), Shadow = ShadowRGB();
  EXPECT_EQ(f.At(0, 0), Highlight);
  EXPECT_EQ(f.At(30, 0), Highlight);
  EXPECT_EQ(f.At(0, 20), Highlight);
  EXPECT_EQ(f.At(59, 0), Shadow);
  EXPECT_EQ(f.At(59, 20), Shadow);
  EXPECT_EQ(f.At(30, 39), Shadow);
  EXPECT_EQ(f.At(0, 39), Shadow);
  EXPECT_EQ(f.At(1, 1), fw::clRed);
  EXPECT_EQ(f.At(58, 38), fw::clRed);
}

TEST(ChartPanelBackground, LoweredOuterBorderAndRaisedInnerBevel) {
  TBackgroundPanel panel;
  panel.SetBounds(0, 0, 60, 40);
  panel.SetColor(fw::clRed);
  panel.SetBevelOuter(fw::bvLowered);
  panel.SetBevelInner(fw::bvRaised);
  panel.SetBevelWidth(2);
  panel.SetBorderWidth(3);
  panel.Gradient().SetVisible(true);
  panel.Gradient().SetStartColor(fw::clBlue);
  panel.Gradient().SetEndColor(fw::clBlue);
  const TFrame f = Render(panel);
  const fw::TColor Highlight = HighlightRGB(), Shadow = ShadowRGB();
  // outer bevel: two rings, shadow at the top-left
  EXPECT_EQ(f.At(0, 20), Shadow);
  EXPECT_EQ(f.At(1, 20), Shadow);
  EXPECT_EQ(f.At(59, 20), Highlight);
  EXPECT_EQ(f.At(58, 20), Highlight);
  // border in Color, three pixels
  EXPECT_EQ(f.At(2, 20), fw::clRed);
  EXPECT_EQ(f.At(4, 20), fw::clRed);
  EXPECT_EQ(f.At(30, 4), fw::clRed);
  EXPECT_EQ(f.At(55, 20), fw::clRed);
  // inner bevel: highlight at the top-left
  EXPECT_EQ(f.At(5, 20), Highlight);
  EXPECT_EQ(f.At(6, 20), Highlight);
  EXPECT_EQ(f.At(53, 20), Shadow);
  // inside: the gradient
  EXPECT_EQ(f.At(7, 20), fw::clBlue);
  EXPECT_EQ(f.At(30, 30), fw::clBlue);
}

TEST(ChartPanelBackground, NoBevelsMeansTheFillReachesTheEdge) {
  TBackgroundPanel panel;
  panel.SetBounds(0, 0, 20, 20);
  panel.SetColor(fw::clLime);
  panel.SetBevelOuter(fw::bvNone);
  const TFrame f = Render(panel);
  EXPECT_EQ(f.At(0, 0), fw::clLime);
  EXPECT_EQ(f.At(19, 19), fw::clLime);
}

TEST(ChartPanelBackground, TopBottomGradientStartsFromTheStartColourAtTheBottom) {
  TBackgroundPanel panel;
  panel.SetBounds(0, 0, 30, 100);
  panel.SetBevelOuter(fw::bvNone);
  panel.Gradient().SetVisible(true);
  panel.Gradient().SetStartColor(fw::clWhite);
  panel.Gradient().SetEndColor(fw::clBlack);
  const TFrame f = Render(panel);
  EXPECT_EQ(f.At(15, 99), fw::clWhite);
  EXPECT_EQ(f.At(15, 0), fw::clBlack);
  EXPECT_GT(fw::GetRValue(f.At(15, 70)), fw::GetRValue(f.At(15, 30)));
}

TEST(ChartPanelBackground, ReversedDirectionsPaintLikeTheirForwardOnes) {
  auto render = [](TGradientDirection direction) {
    TBackgroundPanel panel;
    panel.SetBounds(0, 0, 40, 30);
    panel.SetBevelOuter(fw::bvNone);
    panel.Gradient().SetVisible(true);
    panel.Gradient().SetStartColor(fw::clYellow);
    panel.Gradient().SetEndColor(fw::clNavy);
    panel.Gradient().SetDirection(direction);
    return Pixels(Render(panel));
  };
  EXPECT_EQ(render(gdBottomTop), render(gdTopBottom));
  EXPECT_EQ(render(gdRightLeft), render(gdLeftRight));
  EXPECT_NE(render(gdLeftRight), render(gdTopBottom));
}

TEST(ChartPanelBackground, PictureModes) {
  auto picture = std::make_unique<fw::TBitmap>(4, 3);
  picture->Canvas().Brush().SetColor(fw::clBlue);
  picture->Canvas().FillRect(fw::TRect{0, 0, 4, 3});

  TBackgroundPanel panel;
  panel.SetBounds(0, 0, 10, 9);
  panel.SetBevelOuter(fw::bvNone);
  panel.SetColor(fw::clWhite);
  fw::TPicture source;
  source.SetGraphic(std::move(picture));
  panel.SetBackImage(source);

  // stretched over the whole panel
  TFrame f = Render(panel);
  EXPECT_EQ(f.At(0, 0), fw::clBlue);
  EXPECT_EQ(f.At(9, 8), fw::clBlue);

  // centred: (10 - 4) div 2 = 3, (9 - 3) div 2 = 3
  panel.SetBackImageMode(pbmCenter);
  f = Render(panel);
  EXPECT_EQ(f.At(2, 4), fw::clWhite);
  EXPECT_EQ(f.At(3, 3), fw::clBlue);
  EXPECT_EQ(f.At(6, 5), fw::clBlue);
  EXPECT_EQ(f.At(7, 5), fw::clWhite);
  EXPECT_EQ(f.At(4, 6), fw::clWhite);

  // tiled from the top-left, the last tiles cut at the edge
  panel.SetBackImageMode(pbmTile);
  f = Render(panel);
  EXPECT_EQ(f.At(0, 0), fw::clBlue);
  EXPECT_EQ(f.At(9, 8), fw::clBlue);
  EXPECT_EQ(f.At(5, 4), fw::clBlue);
}

TEST(ChartPanelBackground, ZoomFrameDrawnTwiceRestoresThePixels) {
  TBackgroundPanel panel;
  panel.SetBounds(0, 0, 40, 30);
  panel.SetColor(fw::clWhite);
  fw::TBitmap target(40, 30);
  panel.DrawToCanvas(target.Canvas(), panel.GetPaintArea());
  panel.Canvas().AttachSurface(&target.Canvas());
  std::vector<fw::TColor> original;
  for (int32_t x = 0; x < 40; ++x) original.push_back(target.Canvas().GetPixel(x, 5));

  panel.ZoomDrag().OpenDrag(5, 5);
  panel.ZoomDrag().DragEndX = 30;
  panel.ZoomDrag().DragEndY = 20;
  panel.ToggleZoomFrame();
  // A white panel gets a black frame (white under not-xor would change nothing).
  EXPECT_EQ(panel.Canvas().Pen().Mode(), fw::pmNotXor);
  EXPECT_EQ(panel.Canvas().Pen().Color(), fw::clBlack);
  EXPECT_EQ(target.Canvas().GetPixel(10, 5), fw::clBlack);
  EXPECT_EQ(target.Canvas().GetPixel(10, 12), fw::clWhite);
  panel.ToggleZoomFrame();
  for (int32_t x = 0; x < 40; ++x) EXPECT_EQ(target.Canvas().GetPixel(x, 5), original[static_cast<size_t>(x)]);
}
