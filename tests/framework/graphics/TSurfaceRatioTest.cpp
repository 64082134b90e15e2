// Surfaces at a device pixel ratio: logical coordinates and measurements, device-resolution
// pixels. At ratio 2 every primitive whose pixels follow from logical pixels alone (fills,
// lines along rows and columns, outlines, hatches, dashes) is the ratio 1 picture enlarged;
// lines are as wide everywhere at fractional ratios; text is drawn at the device size.
#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "framework/graphics/DevicePixels.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"

using namespace fw;

namespace {

const QImage& Image(TBitmap& b) { return *SurfaceAccess::Image(b.Canvas()); }

uint32_t Px(const QImage& img, int64_t x, int64_t y) {
  return img.pixel(static_cast<int>(x), static_cast<int>(y)) & 0xFFFFFFu;
}

/// The ratio 1 picture enlarged by whole device pixels of each logical pixel.
QImage Enlarged(const QImage& one, double r) {
  const int w = static_cast<int>(DeviceSize(one.width(), r)), h = static_cast<int>(DeviceSize(one.height(), r));
  QImage out(w, h, QImage::Format_RGB32);
  for (int y = 0; y < one.height(); ++y)
    for (int x = 0; x < one.width(); ++x)
      for (int64_t dy = DeviceEdge(y, r); dy < DeviceEdge(y + 1, r); ++dy)
        for (int64_t dx = DeviceEdge(x, r); dx < DeviceEdge(x + 1, r); ++dx)
          out.setPixel(static_cast<int>(dx), static_cast<int>(dy), one.pixel(x, y));
  return out;
}

int CountDifferent(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
  return n;
}

/// Draws the same calls at ratio 1 and at r and expects the second to be the first enlarged.
template <class Draw>
void ExpectEnlarged(int32_t w, int32_t h, double r, const Draw& draw) {
  TBitmap one(w, h), scaled(w, h, r);
  draw(one.Canvas());
  draw(scaled.Canvas());
  QImage blank(Image(one).size(), QImage::Format_RGB32);
  blank.fill(Qt::white);
  ASSERT_GT(CountDifferent(Image(one), blank), w * h / 10) << "the calls draw something";
  EXPECT_EQ(CountDifferent(Enlarged(Image(one), r), Image(scaled)), 0) << "ratio " << r;
}

TEST(SurfaceRatio, SizesStayLogicalWhileTheImageHoldsDevicePixels) {
  for (double r : {1.0, 1.5, 2.0}) {
    TBitmap b(41, 30, r);
    EXPECT_EQ(b.Width(), 41);
    EXPECT_EQ(b.Height(), 30);
    EXPECT_EQ(b.Canvas().Width(), 41);
    EXPECT_EQ(b.Canvas().DevicePixelRatio(), r);
    EXPECT_EQ(Image(b).width(), DeviceSize(41, r));
    EXPECT_EQ(Image(b).height(), DeviceSize(30, r));
    EXPECT_EQ(b.Canvas().ClipBounds(), (TRect{0, 0, 41, 30}));
  }
  EXPECT_EQ(Image(*std::make_unique<TBitmap>(961, 529, 2.0)).size(), QSize(1922, 1058));
}

TEST(SurfaceRatio, BadRatiosAreRefusedAndChangeNothing) {
  TBitmap b(10, 8, 1.5);
  b.Canvas().Brush().SetColor(clRed);
  b.Canvas().FillRect({0, 0, 10, 8});
  for (double bad : {0.0, -2.0, 0.1, 17.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()}) {
    try {
      b.SetDevicePixelRatio(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), DevicePixelRatioRangeMessage);
    }
    EXPECT_EQ(b.DevicePixelRatio(), 1.5);
    EXPECT_EQ(b.Width(), 10);
    EXPECT_EQ(Px(Image(b), 14, 11), 0xFF0000u);
  }
  EXPECT_THROW(TBitmap(10, 10, 0.0), Exception);
  // A size whose device image cannot exist is refused like any too large bitmap.
  TBitmap big(3, 2, 16.0);
  EXPECT_THROW(big.SetSize(INT32_MAX / 8, 1), Exception);
  EXPECT_THROW(big.SetSize(1, INT32_MAX), Exception);
  EXPECT_EQ(big.Width(), 3);
  EXPECT_EQ(Image(big).size(), QSize(48, 32));
  // More than 2 GiB of pixels is refused before the allocator is asked (under the sanitizers an
  // allocation that large would stop the program instead of failing).
  EXPECT_THROW(TBitmap(320, INT32_MAX), Exception);
  EXPECT_THROW(TBitmap(23171, 23171), Exception);
  EXPECT_THROW(big.SetSize(5793, 5793), Exception);  // 16 x 16 device pixels each at ratio 16
  EXPECT_EQ(Image(big).size(), QSize(48, 32));
}

// Every kind of primitive, as a chart frame uses them.
void DrawSampler(TSurface& s) {
  s.Brush().SetColor(clYellow);
  s.FillRect({2, 2, 30, 12});
  s.Pen().SetColor(clBlue);
  s.MoveTo(1, 1);
  s.LineTo(50, 20);
  s.LineTo(3, 35);
  s.Pen().SetStyle(psDot);
  s.MoveTo(0, 25);
  s.LineTo(60, 25);
  s.Pen().SetStyle(psSolid);
  s.Pen().SetWidth(2);
  s.MoveTo(5, 38);
  s.LineTo(55, 30);
  s.Pen().SetWidth(1);
  s.Brush().SetStyle(bsDiagCross);
  s.Brush().SetColor(clGreen);
  s.Rectangle(32, 2, 58, 14);
  s.Brush().SetStyle(bsSolid);
  s.Ellipse(10, 14, 26, 24);
  const std::array<TPoint, 4> quad{{{40, 16}, {58, 20}, {50, 28}, {36, 24}}};
  s.Polygon(quad);
  s.Font().SetName("Arial");
  s.Font().SetHeight(-11);
  s.SetBkMode(TRANSPARENT);
  s.TextOut(4, 26, "-500");
  s.IntersectClipRect({0, 0, 20, 40});
  s.MoveTo(0, 39);
  s.LineTo(60, 30);
  s.RemoveClipping();
}

TEST(SurfaceRatio, RatioOneDrawsExactlyAsAPlainSurface) {
  TBitmap plain(60, 40), back(60, 40);
  back.SetDevicePixelRatio(2.0);
  DrawSampler(back.Canvas());  // fonts and pens selected at 2 first
  back.SetDevicePixelRatio(1.0);
  DrawSampler(plain.Canvas());
  DrawSampler(back.Canvas());
  EXPECT_EQ(CountDifferent(Image(plain), Image(back)), 0);
}

TEST(SurfaceRatio, OnePixelLinesAreAsWideEverywhere) {
  for (double r : {1.25, 1.5, 2.0, 3.0}) {
    const int32_t want = DeviceLineWidth(1, r);
    TBitmap b(40, 40, r);
    TSurface& s = b.Canvas();
    for (int32_t y = 1; y < 39; y += 3) {
      s.MoveTo(2, y);
      s.LineTo(38, y);
    }
    const QImage& img = Image(b);
    const int64_t column = DeviceEdge(20, r);
    int run = 0, runs = 0;
    for (int y = 0; y <= img.height(); ++y) {
      if (y < img.height() && Px(img, column, y) == 0) {
        ++run;
        continue;
      }
      if (run > 0) {
        EXPECT_EQ(run, want) << "ratio " << r << " run ending at device row " << y;
        ++runs;
      }
      run = 0;
    }
    EXPECT_EQ(runs, 13) << r;
    // A steep line is as wide in every device row it crosses.
    TBitmap d(40, 40, r);
    d.Canvas().MoveTo(3, 1);
    d.Canvas().LineTo(17, 38);
    const QImage& steep = Image(d);
    for (int64_t y = DeviceEdge(1, r); y < DeviceEdge(38, r) - 1; ++y) {
      int n = 0;
      for (int x = 0; x < steep.width(); ++x) n += Px(steep, x, y) == 0 ? 1 : 0;
      EXPECT_EQ(n, want) << "ratio " << r << " device row " << y;
    }
  }
}

TEST(SurfaceRatio, LinesAlongRowsAndColumnsAreTheLogicalPixelsEnlarged) {
  std::mt19937 rng(7);
  ExpectEnlarged(50, 40, 2.0, [seed = rng()](TSurface& s) {
    std::mt19937 g(seed);
    for (int i = 0; i < 60; ++i) {
      const int32_t a = static_cast<int32_t>(g() % 60) - 5, b = static_cast<int32_t>(g() % 50) - 5;
      const int32_t c = static_cast<int32_t>(g() % 60) - 5;
      s.Pen().SetColor(static_cast<TColor>(g() & 0xFFFFFF));
      s.Pen().SetStyle(i % 3 == 0 ? psDot : (i % 3 == 1 ? psDashDot : psSolid));
      if (i % 2 == 0) {
        s.MoveTo(a, b);
        s.LineTo(c, b);  // along a row, either direction
      } else {
        s.MoveTo(b, a);
        s.LineTo(b, c);  // along a column
      }
    }
  });
}

TEST(SurfaceRatio, FillsOutlinesAndHatchesAreTheLogicalPixelsEnlargedAtTwo) {
  ExpectEnlarged(40, 30, 2.0, [](TSurface& s) {
    s.Brush().SetColor(clTeal);
    s.FillRect({3, 4, 17, 11});
    s.PatBlt({20, 1, 38, 6}, clFuchsia);
    s.Pen().SetColor(clRed);
    s.Brush().SetColor(clWhite);
    s.Rectangle(1, 12, 25, 28);
    s.Brush().SetStyle(bsFDiagonal);
    s.Brush().SetColor(clNavy);
    s.Rectangle(26, 8, 39, 29);
    s.Brush().SetStyle(bsCross);
    s.FillRect({3, 14, 22, 26});
    s.Pen().SetStyle(psDash);
    s.Brush().SetStyle(bsClear);
    s.Rectangle(2, 2, 38, 29);
    s.SetPixel(0, 0, clLime);
  });
}

TEST(SurfaceRatio, ShapesThatShareAnEdgeNeitherGapNorOverlap) {
  for (double r : {1.5, 2.0}) {
    TBitmap b(30, 10, r);
    TSurface& s = b.Canvas();
    s.Pen().SetStyle(psClear);
    s.Brush().SetColor(clRed);
    s.FillRect({0, 0, 7, 10});
    s.Brush().SetColor(clBlue);
    const std::array<TPoint, 4> right{{{7, 0}, {13, 0}, {13, 10}, {7, 10}}};
    s.Polygon(right);
    s.Brush().SetColor(clGreen);
    s.Rectangle(13, 0, 20, 10);
    const QImage& img = Image(b);
    const int64_t y = DeviceEdge(5, r);
    for (int64_t x = 0; x < DeviceEdge(20, r); ++x) {
      const uint32_t want = x < DeviceEdge(7, r) ? 0xFF0000u : (x < DeviceEdge(13, r) ? 0x0000FFu : 0x008000u);
      EXPECT_EQ(Px(img, x, y), want) << "ratio " << r << " device column " << x;
    }
    EXPECT_EQ(Px(img, DeviceEdge(20, r), y), 0xFFFFFFu);
  }
}

TEST(SurfaceRatio, NotXorOutlinesDrawnTwiceLeaveNoTrace) {
  for (double r : {1.25, 1.5, 2.0, 3.0}) {
    TBitmap b(40, 30, r);
    TSurface& s = b.Canvas();
    s.Brush().SetColor(clYellow);
    s.FillRect({5, 5, 30, 20});
    const QImage before = Image(b).copy();
    s.Pen().SetMode(pmNotXor);
    s.Brush().SetStyle(bsClear);
    for (int i = 0; i < 2; ++i) {
      s.Rectangle(3, 4, 33, 25);
      s.Rectangle(10, 10, 12, 26);  // thinner than two outlines
    }
    EXPECT_EQ(CountDifferent(before, Image(b)), 0) << r;
    s.Rectangle(3, 4, 33, 25);
    EXPECT_GT(CountDifferent(before, Image(b)), 0) << r;
  }
}

TEST(SurfaceRatio, TextMeasuresTheSameAtEveryRatio) {
  TBitmap one(10, 10), onehalf(10, 10, 1.5), two(10, 10, 2.0);
  for (TBitmap* b : {&one, &onehalf, &two}) {
    b->Canvas().Font().SetName("Arial");
    b->Canvas().Font().SetHeight(-13);
    b->Canvas().Font().SetStyle(fsBold);
  }
  for (const char* text : {"Standing wave moving relativistically", "-1000", "1 000", "W"}) {
    EXPECT_EQ(onehalf.Canvas().TextExtent(text).cx, one.Canvas().TextExtent(text).cx) << text;
    EXPECT_EQ(two.Canvas().TextWidth(text), one.Canvas().TextWidth(text)) << text;
    EXPECT_EQ(two.Canvas().TextHeight(text), one.Canvas().TextHeight(text)) << text;
  }
}

/// 2 x 2 blocks of the image (aligned to even coordinates) that are not one colour.
int MixedBlocks(const QImage& img) {
  int n = 0;
  for (int y = 0; y + 1 < img.height(); y += 2)
    for (int x = 0; x + 1 < img.width(); x += 2) {
      const QRgb c = img.pixel(x, y);
      n += (img.pixel(x + 1, y) != c || img.pixel(x, y + 1) != c || img.pixel(x + 1, y + 1) != c) ? 1 : 0;
    }
  return n;
}

TEST(SurfaceRatio, TextIsDrawnAtTheDeviceSizeNotEnlarged) {
  for (bool rotated : {false, true}) {
    TBitmap one(120, 120), two(120, 120, 2.0);
    for (TBitmap* b : {&one, &two}) {
      TSurface& s = b->Canvas();
      s.Font().SetName("Arial");
      s.Font().SetHeight(-13);
      if (rotated) s.Font().SetOrientation(900);
      s.SetTextAlign(TA_CENTER | TA_BOTTOM);
      s.TextOut(60, 60, "Wave 1000");
    }
    const QImage enlarged = Enlarged(Image(one), 2.0);
    const int differ = CountDifferent(enlarged, Image(two));
    EXPECT_GT(differ, 40) << "rotated " << rotated;
    EXPECT_GT(MixedBlocks(Image(two)), 20) << "rotated " << rotated;
    EXPECT_EQ(MixedBlocks(enlarged), 0);
    // Same place and about the same ink: the bounding boxes agree within a few device pixels.
    auto bounds = [](const QImage& img) {
      QRect box;
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
          if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) box |= QRect(x, y, 1, 1);
      return box;
    };
    const QRect a = bounds(enlarged), b = bounds(Image(two));
    EXPECT_NEAR(a.left(), b.left(), 4) << rotated;
    EXPECT_NEAR(a.right(), b.right(), 4) << rotated;
    EXPECT_NEAR(a.top(), b.top(), 4) << rotated;
    EXPECT_NEAR(a.bottom(), b.bottom(), 4) << rotated;
  }
}

TEST(SurfaceRatio, ClippingIsGivenAndReportedInLogicalPixels) {
  for (double r : {1.5, 2.0}) {
    TBitmap b(40, 30, r);
    TSurface& s = b.Canvas();
    s.IntersectClipRect({10, 5, 30, 25});
    s.IntersectClipRect({0, 0, 20, 40});
    EXPECT_EQ(s.ClipBounds(), (TRect{10, 5, 20, 25}));
    EXPECT_TRUE(s.HasClipping());
    s.Brush().SetColor(clRed);
    s.FillRect({0, 0, 40, 30});
    const QImage& img = Image(b);
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const bool in = x >= DeviceEdge(10, r) && x < DeviceEdge(20, r) && y >= DeviceEdge(5, r) && y < DeviceEdge(25, r);
        ASSERT_EQ(Px(img, x, y), in ? 0xFF0000u : 0xFFFFFFu) << r << " " << x << "," << y;
      }
    s.RemoveClipping();
    EXPECT_EQ(s.ClipBounds(), (TRect{0, 0, 40, 30}));
  }
}

TEST(SurfaceRatio, PixelsAndCopiesUseLogicalPositions) {
  TBitmap a(20, 20, 2.0);
  a.Canvas().SetPixel(3, 4, clRed);
  EXPECT_EQ(a.Canvas().GetPixel(3, 4), clRed);
  EXPECT_EQ(a.Canvas().GetPixel(4, 4), clWhite);
  EXPECT_EQ(Px(Image(a), 7, 9), 0xFF0000u);
  EXPECT_EQ(Px(Image(a), 8, 9), 0xFFFFFFu);
  // Same ratio: device pixels copied one to one.
  TBitmap b(20, 20, 2.0);
  b.Canvas().BlockCopy(10, 10, 5, 5, a.Canvas(), 1, 2);
  EXPECT_EQ(b.Canvas().GetPixel(12, 12), clRed);
  EXPECT_EQ(Px(Image(b), 25, 25), 0xFF0000u);
  EXPECT_EQ(Px(Image(b), 26, 25), 0xFFFFFFu);
  // From ratio 1 to 2: each source pixel becomes its device block.
  TBitmap c(20, 20);
  c.Canvas().SetPixel(5, 5, clBlue);
  TBitmap d(20, 20, 2.0);
  d.Canvas().BlockCopy(0, 0, 20, 20, c.Canvas(), 0, 0);
  for (int y = 9; y <= 12; ++y)
    for (int x = 9; x <= 12; ++x)
      EXPECT_EQ(Px(Image(d), x, y), x >= 10 && x <= 11 && y >= 10 && y <= 11 ? 0x0000FFu : 0xFFFFFFu) << x << "," << y;
  // A whole copy between surfaces of one ratio keeps every pixel (moved, not copied).
  TBitmap e(20, 20, 2.0);
  e.Canvas().BlockCopy(0, 0, 20, 20, a.Canvas(), 0, 0);
  EXPECT_EQ(e.Canvas().GetPixel(3, 4), clRed);
  EXPECT_EQ(a.Canvas().GetPixel(3, 4), clRed);
}

TEST(SurfaceRatio, DrawnBitmapsKeepTheirDevicePixels) {
  TBitmap picture(10, 10, 2.0);
  picture.Canvas().MoveTo(0, 3);
  picture.Canvas().LineTo(3, 4);  // a shallow step only device resolution shows
  TBitmap target(10, 10, 2.0);
  target.Canvas().Draw(0, 0, &picture);
  EXPECT_EQ(CountDifferent(Image(picture), Image(target)), 0);
}

}  // namespace
