#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "chart/canvas/GradientBands.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TRecordingSurface.h"
#include "framework/runtime/Rounding.h"
#include "tests/chart/canvas/CanvasTestSupport.h"

using namespace chart;

namespace {

struct Band {
  fw::TRect rect;
  fw::TColor color;
};

std::vector<Band> Bands(const fw::TRect& r, fw::TColor a, fw::TColor b, TGradientDirection d) {
  std::vector<Band> out;
  ComputeGradientBands(r, a, b, d, [&out](const fw::TRect& band, fw::TColor c) { out.push_back({band, c}); });
  return out;
}

std::vector<fw::TColor> Paint(const fw::TRect& area, int32_t w, int32_t h, fw::TColor a, fw::TColor b,
                              TGradientDirection d) {
  fw::TBitmap image(w, h);
  image.Canvas().PatBlt({0, 0, w, h}, fw::clFuchsia);
  TChartCanvas3D canvas;
  canvas.AttachSurface(&image.Canvas());
  canvas.FillGradient(area, a, b, d);
  return canvastest::Pixels(image.Canvas());
}

constexpr TGradientDirection AllDirections[] = {gdTopBottom,  gdBottomTop,   gdLeftRight,     gdRightLeft,
                                                gdFromCenter, gdFromTopLeft, gdFromBottomLeft};

}  // namespace

TEST(Gradient, VerticalBandsOf300RowsFollowMulDiv) {
  fw::TRecordingSurface rec(20, 320);
  TChartCanvas3D canvas;
  canvas.AttachSurface(&rec);
  const fw::TColor start = fw::RGB(0, 0, 0), end = fw::RGB(255, 200, 100);
  canvas.FillGradient({0, 10, 20, 310}, start, end, gdTopBottom);
  ASSERT_EQ(rec.CountOf("PatBlt"), 256u);
  int i = 0;
  for (const auto& call : rec.Calls()) {
    if (call.Name != "PatBlt") continue;
    EXPECT_EQ(call.Ints[0], 0);
    EXPECT_EQ(call.Ints[2], 20);
    EXPECT_EQ(call.Ints[1], 310 - fw::MulDiv(i + 1, 300, 256)) << i;
    EXPECT_EQ(call.Ints[3], 310 - fw::MulDiv(i, 300, 256)) << i;
    EXPECT_EQ(call.Ints[4], fw::RGB(fw::MulDiv(i, 255, 255), fw::MulDiv(i, 200, 255), fw::MulDiv(i, 100, 255)));
    ++i;
  }
  // The start colour as passed lies on the bottom row, the end colour on the top row.
  EXPECT_EQ(rec.GetPixel(5, 309), start);
  EXPECT_EQ(rec.GetPixel(5, 10), end);
  EXPECT_EQ(rec.GetPixel(5, 9), fw::clWhite);
  EXPECT_EQ(rec.GetPixel(5, 310), fw::clWhite);
}

TEST(Gradient, HorizontalBandsStartAtTheRightEdge) {
  const auto bands = Bands({10, 0, 110, 5}, fw::clRed, fw::clBlue, gdLeftRight);
  ASSERT_EQ(bands.size(), 100u);
  EXPECT_EQ(bands.front().rect, (fw::TRect{109, 0, 110, 5}));
  EXPECT_EQ(bands.front().color, fw::clRed);
  EXPECT_EQ(bands.back().rect, (fw::TRect{10, 0, 11, 5}));
  EXPECT_EQ(bands.back().color, fw::clBlue);
}

TEST(Gradient, SwappedDirectionsPaintLikeTheirPartnersWithSwappedColours) {
  const fw::TRect area{3, 4, 57, 45};
  const fw::TColor a = fw::RGB(10, 200, 30), b = fw::RGB(250, 20, 130);
  EXPECT_EQ(Paint(area, 60, 50, a, b, gdBottomTop), Paint(area, 60, 50, b, a, gdTopBottom));
  EXPECT_EQ(Paint(area, 60, 50, a, b, gdRightLeft), Paint(area, 60, 50, b, a, gdLeftRight));
  // The panel passes the colours swapped for those directions, so both paint the same picture.
  EXPECT_EQ(Paint(area, 60, 50, b, a, gdBottomTop), Paint(area, 60, 50, a, b, gdTopBottom));
}

TEST(Gradient, EveryDirectionCoversExactlyTheRectangle) {
  for (auto d : AllDirections) {
    for (fw::TRect area : {fw::TRect{3, 4, 57, 45}, fw::TRect{5, 5, 6, 40}, fw::TRect{2, 7, 50, 8},
                           fw::TRect{10, 10, 11, 11}, fw::TRect{0, 0, 60, 50}}) {
      const auto pixels = Paint(area, 60, 50, fw::clRed, fw::clBlue, d);
      for (int32_t y = 0; y < 50; ++y)
        for (int32_t x = 0; x < 60; ++x) {
          const bool inside = area.Contains(x, y);
          ASSERT_EQ(pixels[y * 60 + x] != fw::clFuchsia, inside) << "direction " << d << " at " << x << "," << y;
        }
    }
  }
}

TEST(Gradient, InvertedRectanglesAreNormalisedAndEmptyOnesPaintNothing) {
  const fw::TRect area{3, 4, 57, 45}, inverted{57, 45, 3, 4};
  for (auto d : AllDirections) {
    EXPECT_EQ(Paint(inverted, 60, 50, fw::clRed, fw::clBlue, d), Paint(area, 60, 50, fw::clRed, fw::clBlue, d));
    EXPECT_TRUE(Bands({5, 5, 5, 40}, fw::clRed, fw::clBlue, d).empty());
    EXPECT_TRUE(Bands({5, 5, 40, 5}, fw::clRed, fw::clBlue, d).empty());
  }
}

TEST(Gradient, ASingleBandHasTheStartColour) {
  const auto bands = Bands({0, 0, 10, 1}, fw::RGB(0, 0, 0), fw::clWhite, gdTopBottom);
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].color, fw::RGB(0, 0, 0));
}

TEST(Gradient, RadialAndCornerGradientsRunFromStartToEnd) {
  const fw::TColor start = fw::RGB(0, 0, 0), end = fw::RGB(240, 240, 240);
  {
    fw::TBitmap image(41, 41);
    TChartCanvas3D canvas;
    canvas.AttachSurface(&image.Canvas());
    canvas.FillGradient({0, 0, 41, 41}, end, start, gdFromCenter);  // swapped back by the canvas
    EXPECT_EQ(image.Canvas().GetPixel(0, 0), start);
    EXPECT_EQ(image.Canvas().GetPixel(40, 40), start);
    EXPECT_EQ(image.Canvas().GetPixel(20, 20), end);
  }
  for (auto d : {gdFromTopLeft, gdFromBottomLeft}) {
    fw::TBitmap image(30, 20);
    TChartCanvas3D canvas;
    canvas.AttachSurface(&image.Canvas());
    canvas.FillGradient({0, 0, 30, 20}, end, start, d);
    const int32_t anchorY = d == gdFromTopLeft ? 0 : 19, farY = d == gdFromTopLeft ? 19 : 0;
    EXPECT_EQ(image.Canvas().GetPixel(0, anchorY), start) << d;
    const fw::TColor far = image.Canvas().GetPixel(29, farY);
    EXPECT_GE(fw::GetRValue(far), 220) << d;
  }
}

TEST(Gradient, BandColoursChangeMonotonically) {
  const auto bands = Bands({0, 0, 50, 600}, fw::RGB(255, 0, 0), fw::RGB(0, 0, 255), gdTopBottom);
  ASSERT_EQ(bands.size(), 256u);
  std::set<fw::TColor> distinct;
  for (size_t i = 1; i < bands.size(); ++i) {
    EXPECT_LE(fw::GetRValue(bands[i].color), fw::GetRValue(bands[i - 1].color));
    EXPECT_GE(fw::GetBValue(bands[i].color), fw::GetBValue(bands[i - 1].color));
    EXPECT_EQ(bands[i].rect.Bottom, bands[i - 1].rect.Top);
    distinct.insert(bands[i].color);
  }
  EXPECT_GT(distinct.size(), 250u);
}

TEST(Gradient, HugeRectanglesStayBounded) {
  fw::TRecordingSurface rec(30, 20);
  TChartCanvas3D canvas;
  canvas.AttachSurface(&rec);
  canvas.FillGradient({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, fw::clRed, fw::clBlue, gdFromTopLeft);
  canvas.FillGradient({-2000000000, 0, 2000000000, 20}, fw::clRed, fw::clBlue, gdFromCenter);
  EXPECT_LT(rec.CountOf("PatBlt"), 1000u);
  EXPECT_NE(rec.GetPixel(10, 10), fw::clWhite);
}
