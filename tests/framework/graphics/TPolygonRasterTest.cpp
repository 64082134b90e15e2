// The polygon rasterizer against the painter's aliased odd-even fill, pixel by pixel: random
// polygons (convex, self-crossing, jagged with thousands of corners, far outside the image),
// under no clip, a box and banded regions; and the surface with its own fill against the
// surface that hands every polygon to the painter.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

#include <algorithm>
#include <random>
#include <vector>

#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TPolygonRaster.h"
#include "framework/graphics/TSurface.h"

using namespace fw;

namespace {

constexpr uint32_t White = 0xFFFFFFFFu, Fill = 0xFF2080C0u;

/// Random polygons of the kinds charts fill: a few corners anywhere near the image, jagged
/// area outlines over a base line with many corners, and corners out to the rasterizer's limit.
std::vector<TPoint> RandomPolygon(std::mt19937& rng, int w, int h, int round) {
  auto near = [&rng](int size) { return static_cast<int32_t>(rng() % (size + 40)) - 20; };
  std::vector<TPoint> points;
  switch (round % 4) {
    case 0:
    case 1:
      for (int k = 0; k < 3 + static_cast<int>(rng() % 8); ++k) points.push_back({near(w), near(h)});
      break;
    case 2: {
      const int corners = 50 + static_cast<int>(rng() % 3000);
      const int32_t base = near(h);
      for (int k = 0; k < corners; ++k)
        points.push_back({static_cast<int32_t>(k * w / corners), near(h)});
      points.push_back({w, base});
      points.push_back({0, base});
      break;
    }
    default: {
      const auto far = [&rng] {
        return static_cast<int32_t>(rng() % (2 * TPolygonRaster::MaxCoordinate + 1)) - TPolygonRaster::MaxCoordinate;
      };
      for (int k = 0; k < 3 + static_cast<int>(rng() % 5); ++k)
        points.push_back(rng() % 2 ? TPoint{far(), far()} : TPoint{near(w), near(h)});
    }
  }
  return points;
}

QRegion RandomRegion(std::mt19937& rng, int w, int h) {
  QRegion region;
  if (rng() % 2) {
    QPolygon polygon;
    for (int k = 0; k < 3 + static_cast<int>(rng() % 5); ++k)
      polygon << QPoint(static_cast<int>(rng() % (w + 20)) - 10, static_cast<int>(rng() % (h + 20)) - 10);
    region = QRegion(polygon, Qt::OddEvenFill);
  } else {
    for (int k = 0; k < 1 + static_cast<int>(rng() % 5); ++k)
      region += QRect(static_cast<int>(rng() % w), static_cast<int>(rng() % h), static_cast<int>(1 + rng() % w),
                      static_cast<int>(1 + rng() % h));
  }
  return region;
}

TEST(PolygonRaster, FillsThePaintersPixelsForRandomPolygonsAndClips) {
  std::mt19937 rng(41);
  TPolygonRaster polygons;  // one for every fill, as a surface keeps it
  for (int round = 0; round < 1200; ++round) {
    const int w = 8 + static_cast<int>(rng() % 300), h = 8 + static_cast<int>(rng() % 200);
    const std::vector<TPoint> points = RandomPolygon(rng, w, h, round);
    ASSERT_TRUE(TPolygonRaster::Handles(points));
    const int clipKind = static_cast<int>(rng() % 3);  // none, a box, a region
    QRegion clip;
    if (clipKind == 1)
      clip = QRegion(QRect(static_cast<int>(rng() % w), static_cast<int>(rng() % h), static_cast<int>(1 + rng() % w),
                           static_cast<int>(1 + rng() % h)));
    if (clipKind == 2) clip = RandomRegion(rng, w, h);

    QImage painted(w, h, QImage::Format_ARGB32_Premultiplied);
    painted.fill(White);
    {
      QPainter painter(&painted);
      painter.setRenderHint(QPainter::Antialiasing, false);
      if (clipKind != 0) painter.setClipRegion(clip);
      QPolygonF polygon;
      for (const TPoint& p : points) polygon << QPointF(p.X, p.Y);
      QPainterPath path;
      path.setFillRule(Qt::OddEvenFill);
      path.addPolygon(polygon);
      path.closeSubpath();
      painter.fillPath(path, QColor::fromRgba(Fill));
    }

    QImage raster(w, h, QImage::Format_ARGB32_Premultiplied);
    raster.fill(White);
    const std::vector<QRect> rects(clip.begin(), clip.end());
    QRect box(0, 0, w, h);
    if (clipKind != 0) box &= clip.boundingRect();
    const TPixelTarget target{reinterpret_cast<uint32_t*>(raster.bits()), raster.bytesPerLine() / 4, w, h, box,
                              clipKind != 0 && rects.size() != 1 ? &rects : nullptr};
    ASSERT_TRUE(polygons.Fill(target, points, Fill));
    ASSERT_EQ(raster, painted) << "round " << round << ", " << points.size() << " corners, clip " << clipKind;
  }
}

TEST(PolygonRaster, LeavesFarCornersAndTooFewToThePainter) {
  EXPECT_FALSE(TPolygonRaster::Handles(std::vector<TPoint>{{0, 0}, {5, 5}}));
  EXPECT_TRUE(TPolygonRaster::Handles(std::vector<TPoint>{{0, 0}, {TPolygonRaster::MaxCoordinate, 0}, {0, -TPolygonRaster::MaxCoordinate}}));
  EXPECT_FALSE(TPolygonRaster::Handles(std::vector<TPoint>{{0, 0}, {TPolygonRaster::MaxCoordinate + 1, 0}, {0, 5}}));
  EXPECT_FALSE(TPolygonRaster::Handles(std::vector<TPoint>{{0, 0}, {5, 0}, {0, INT32_MIN}}));
}

// Through the surface: brushes, pen modes and clips that the rasterizer takes, and those it
// leaves to the painter, give the same picture as the painter alone, for polygons, boxes and
// the inside of ellipses.
TEST(PolygonRaster, SurfacePolygonsMatchThePainterForEveryBrushModeAndClip) {
  std::mt19937 rng(43);
  const TBrushStyle brushes[] = {bsSolid, bsSolid, bsClear, bsCross, bsFDiagonal};
  const TPenMode modes[] = {pmCopy, pmCopy, pmXor, pmNotXor, pmMerge};
  for (int round = 0; round < 300; ++round) {
    const int w = 20 + static_cast<int>(rng() % 120), h = 20 + static_cast<int>(rng() % 90);
    const std::vector<TPoint> points = RandomPolygon(rng, w, h, round);
    const TBrushStyle brush = brushes[rng() % 5];
    const TPenMode mode = modes[rng() % 5];
    const bool outline = rng() % 2 == 0;
    const int clipKind = static_cast<int>(rng() % 3);
    std::vector<TPoint> clipPolygon;
    for (int k = 0; k < 5; ++k)
      clipPolygon.push_back({static_cast<int32_t>(rng() % w), static_cast<int32_t>(rng() % h)});
    const TRect clipRect{static_cast<int32_t>(rng() % w), static_cast<int32_t>(rng() % h), w, h};
    std::vector<TRect> boxes;
    for (int k = 0; k < 3; ++k) {
      const auto at = [&](int extent) { return static_cast<int32_t>(rng() % (extent + 40)) - 20; };
      const int32_t l = at(w), t = at(h);
      boxes.push_back(k == 2 ? TRect{l, t, l + 1, at(h)} : TRect{l, t, at(w), at(h)});
    }
    // Small shapes, often wholly inside the clip, drawn without cutting them to it.
    const int32_t sx = static_cast<int32_t>(rng() % w), sy = static_cast<int32_t>(rng() % h);
    const std::vector<TPoint> small{{sx, sy}, {sx + 6, sy + 2}, {sx + 5, sy + 9}, {sx - 1, sy + 7}};
    auto draw = [&](bool direct) {
      TSurface::SetDirectFill(direct);
      auto bmp = std::make_unique<TBitmap>(w, h);
      TSurface& s = bmp->Canvas();
      s.Brush().SetColor(clWhite);
      s.FillRect({0, 0, w, h});
      if (clipKind == 1) s.IntersectClipRect(clipRect);
      if (clipKind == 2) s.IntersectClipPolygon(clipPolygon);
      s.Brush().SetStyle(brush);
      s.Brush().SetColor(clTeal);
      s.Pen().SetMode(mode);
      s.Pen().SetStyle(outline ? psSolid : psClear);
      s.Pen().SetColor(clMaroon);
      s.Polygon(points);
      s.Polygon(std::vector<TPoint>{{1, 1}, {w - 3, 4}, {w / 2, h - 2}});  // a second one over it
      // Boxes: corners either way round, one pixel thin, reaching out of the image.
      for (const TRect& r : boxes) s.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
      s.FillRect(boxes[0]);
      s.Ellipse(boxes[1].Left, boxes[1].Top, boxes[1].Right, boxes[1].Bottom);
      s.Polygon(small);
      s.Rectangle(sx + 2, sy - 8, sx + 9, sy - 1);
      // Upright boxes as polygons of four corners, either way round, one of them a pixel thin.
      for (const TRect& r : boxes) {
        const std::vector<TPoint> across{{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
        const std::vector<TPoint> down{{r.Left, r.Top}, {r.Left, r.Bottom}, {r.Right, r.Bottom}, {r.Right, r.Top}};
        s.Polygon(round % 2 ? across : down);
      }
      std::vector<TColor> pixels;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(s.GetPixel(x, y));
      return pixels;
    };
    const std::vector<TColor> painter = draw(false), own = draw(true);
    ASSERT_EQ(own, painter) << "round " << round;
  }
  TSurface::SetDirectFill(true);
}

// Small shapes around the edges of a clip polygon: those wholly inside it are filled and
// outlined without cutting them to it. Fills are compared with the painter's, outlines with the
// same lines drawn as an open path, which is always cut.
TEST(PolygonRaster, SmallShapesInsideTheClipGiveThePixelsOfShapesCutToIt) {
  std::mt19937 rng(71);
  const TPenMode modes[] = {pmCopy, pmCopy, pmXor};
  const TPenStyle styles[] = {psSolid, psSolid, psDot};
  for (int round = 0; round < 150; ++round) {
    const int w = 30 + static_cast<int>(rng() % 60), h = 30 + static_cast<int>(rng() % 50);
    std::vector<TPoint> clip;
    for (int k = 0; k < 3 + static_cast<int>(rng() % 4); ++k)
      clip.push_back({static_cast<int32_t>(rng() % w), static_cast<int32_t>(rng() % h)});
    std::vector<std::vector<TPoint>> shapes;
    for (int k = 0; k < 40; ++k) {
      const int32_t x = static_cast<int32_t>(rng() % w), y = static_cast<int32_t>(rng() % h);
      std::vector<TPoint> shape;
      if (k % 4 == 0) {
        // An upright box, as the front faces of 3D shapes are.
        const int32_t r = x + static_cast<int32_t>(rng() % 13), b = y + static_cast<int32_t>(rng() % 13);
        shape = {{x, y}, {r, y}, {r, b}, {x, b}};
      } else if (k % 4 == 1) {
        // Three sides of an upright box, the fourth slanted.
        const int32_t r = x + static_cast<int32_t>(rng() % 13), b = y + static_cast<int32_t>(rng() % 13);
        shape = {{x, y}, {r, y}, {r, b}, {x + 1 + static_cast<int32_t>(rng() % 4), b}};
      }
      for (int c = 0; c < 3 + static_cast<int>(rng() % 3) && k % 4 > 1; ++c)
        shape.push_back({x + static_cast<int32_t>(rng() % 13), y + static_cast<int32_t>(rng() % 13)});
      shapes.push_back(shape);
    }
    const TPenMode mode = modes[round % 3];
    const TPenStyle style = styles[(round / 3) % 3];
    auto draw = [&](bool own) {
      TSurface::SetDirectFill(own);
      auto bmp = std::make_unique<TBitmap>(w, h);
      TSurface& s = bmp->Canvas();
      s.Brush().SetColor(clWhite);
      s.FillRect({0, 0, w, h});
      s.IntersectClipPolygon(clip);
      for (const std::vector<TPoint>& shape : shapes) {
        s.Pen().SetStyle(psClear);
        s.Brush().SetStyle(bsSolid);
        s.Brush().SetColor(shape[0].X % 2 ? clTeal : clOlive);
        s.Polygon(shape);
        s.Pen().SetStyle(style);
        s.Pen().SetMode(mode);
        s.Pen().SetColor(clMaroon);
        s.Brush().SetStyle(bsClear);
        if (own) {
          s.Polygon(shape);
        } else {
          std::vector<TPoint> closed = shape;
          closed.push_back(shape[0]);
          s.Polyline(closed);
        }
        s.Pen().SetMode(pmCopy);
      }
      std::vector<TColor> pixels;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(s.GetPixel(x, y));
      return pixels;
    };
    const std::vector<TColor> cut = draw(false), own = draw(true);
    ASSERT_EQ(own, cut) << "round " << round;
  }
  TSurface::SetDirectFill(true);
}

// Boxes filled one after another by one raster, each under a region of its own: every pixel of
// the box that lies in the drawable box and the region, and nothing else.
TEST(PolygonRaster, BoxesUnderChangingRegionsFillExactlyTheirDrawablePixels) {
  std::mt19937 rng(17);
  constexpr int W = 50, H = 40;
  std::vector<uint32_t> bits(W * H);
  TPolygonRaster polygons;
  for (int round = 0; round < 1500; ++round) {
    const QRegion region = RandomRegion(rng, W, H);
    const std::vector<QRect> rects(region.begin(), region.end());
    const QRect box = QRect(0, 0, W, H) & region.boundingRect();
    const TPixelTarget target{bits.data(), W, W, H, box, rects.size() != 1 ? &rects : nullptr};
    std::fill(bits.begin(), bits.end(), 0u);
    const int64_t l = static_cast<int64_t>(rng() % (W + 10)) - 5, t = static_cast<int64_t>(rng() % (H + 10)) - 5;
    const int64_t r = l + static_cast<int64_t>(rng() % 40), b = t + static_cast<int64_t>(rng() % 40);
    polygons.FillRect(target, l, t, r, b, 1u);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const bool drawn = x >= l && x < r && y >= t && y < b && region.contains(QPoint(x, y));
        ASSERT_EQ(bits[static_cast<size_t>(y * W + x)], drawn ? 1u : 0u)
            << "round " << round << " pixel " << x << "," << y;
      }
  }
}

// A box is held exactly when each of its pixels lies in the drawable box and the clip region:
// random regions of rectangles and polygons (banded as the surface keeps them), boxes inside,
// across and outside them.
TEST(PixelTarget, HoldsABoxExactlyWhenEveryPixelOfItIsDrawable) {
  std::mt19937 rng(99);
  constexpr int W = 40, H = 30;
  std::vector<uint32_t> bits(W * H);
  int held = 0;
  for (int round = 0; round < 3000; ++round) {
    const QRegion region = RandomRegion(rng, W, H);
    const std::vector<QRect> rects(region.begin(), region.end());
    const QRect drawable = round % 4 == 0 ? QRect(0, 0, W, H) : QRect(static_cast<int>(rng() % 8), static_cast<int>(rng() % 8), 34, 24);
    const TPixelTarget target{bits.data(), W, W, H, drawable & QRect(0, 0, W, H), round % 7 == 0 ? nullptr : &rects};
    for (int k = 0; k < 20; ++k) {
      const int64_t l = static_cast<int64_t>(rng() % (W + 6)) - 3, t = static_cast<int64_t>(rng() % (H + 6)) - 3;
      const int64_t r = l + static_cast<int64_t>(rng() % 9) - 1, b = t + static_cast<int64_t>(rng() % 9) - 1;
      bool every = l < r && t < b;
      for (int64_t y = t; y < b && every; ++y)
        for (int64_t x = l; x < r && every; ++x)
          every = target.Box.contains(static_cast<int>(x), static_cast<int>(y)) &&
                  (target.Region == nullptr || region.contains(QPoint(static_cast<int>(x), static_cast<int>(y))));
      ASSERT_EQ(target.Holds(l, t, r, b), every) << "round " << round << " box " << l << "," << t << "," << r << "," << b;
      held += every ? 1 : 0;
    }
  }
  EXPECT_GT(held, 1000);  // the cases include many held boxes, not only refusals
}

// The band cursor gives what bisecting gives, for every row: rows in order (as fills and lines
// ask), runs that jump back and forth, rows above, between and below the bands, and a cursor
// handed a region that lost its rectangles without being reset.
TEST(PixelTarget, TheBandCursorAnswersEveryRowAsBisectingDoes) {
  std::mt19937 rng(5);
  constexpr int W = 60, H = 50;
  std::vector<uint32_t> bits(W * H);
  TBandCursor cursor;
  int64_t inBand = 0, outside = 0;
  for (int round = 0; round < 2000; ++round) {
    const QRegion region = RandomRegion(rng, W, H);
    const std::vector<QRect> rects(region.begin(), region.end());
    const TPixelTarget target{bits.data(), W, W, H, QRect(0, 0, W, H), &rects};
    cursor.Reset();
    int64_t y = static_cast<int64_t>(rng() % (H + 10)) - 5;
    for (int k = 0; k < 150; ++k) {
      const uint32_t move = rng() % 10;
      y += move < 7 ? 1 : move < 8 ? 0 : static_cast<int64_t>(rng() % 41) - 20;
      y = std::clamp<int64_t>(y, -5, H + 5);
      size_t first = 99, last = 99, wantFirst = 0, wantLast = 0;
      cursor.Find(target, y, first, last);
      target.BandOf(static_cast<int>(y), wantFirst, wantLast);
      ASSERT_EQ(first, wantFirst) << "round " << round << " row " << y;
      ASSERT_EQ(last, wantLast) << "round " << round << " row " << y;
      (first < last ? inBand : outside) += 1;
    }
  }
  EXPECT_GT(inBand, 50000);
  EXPECT_GT(outside, 20000);
  // A region emptied under the cursor: nothing it remembers reaches past the region's end.
  std::vector<QRect> rects{QRect(0, 0, W, 10), QRect(0, 20, 5, 10), QRect(10, 20, 5, 10)};
  TPixelTarget target{bits.data(), W, W, H, QRect(0, 0, W, H), &rects};
  cursor.Reset();
  size_t first = 0, last = 0;
  cursor.Find(target, 25, first, last);
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(last, 3u);
  rects.clear();
  cursor.Find(target, 26, first, last);
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(last, 0u);
}

}  // namespace
