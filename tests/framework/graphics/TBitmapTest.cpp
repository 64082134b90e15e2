// Bitmaps and pictures: sizes, block copies, monochrome presentation, files, graphics drawing.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include <QDir>
#include <QTemporaryDir>

#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TPicture.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"
#include "tests/framework/graphics/PixelText.h"

using namespace fw;

namespace {

TEST(Bitmap, StartsEmptyAndResizesKeepingItsContent) {
  TBitmap bmp;
  EXPECT_TRUE(bmp.Empty());
  EXPECT_EQ(bmp.Width(), 0);
  bmp.SetSize(4, 3);
  EXPECT_EQ(bmp.Canvas().Width(), 4);
  EXPECT_EQ(bmp.Canvas().GetPixel(3, 2), clWhite);
  bmp.Canvas().SetPixel(1, 1, clRed);
  bmp.SetWidth(6);
  EXPECT_EQ(bmp.Width(), 6);
  EXPECT_EQ(bmp.Height(), 3);
  EXPECT_EQ(bmp.Canvas().GetPixel(1, 1), clRed);
  EXPECT_EQ(bmp.Canvas().GetPixel(5, 2), clWhite);
  bmp.Canvas().MoveTo(0, 2);
  bmp.Canvas().LineTo(6, 2);  // the surface draws into the resized image
  EXPECT_EQ(bmp.Canvas().GetPixel(5, 2), clBlack);
}

TEST(Bitmap, RejectsBadSizesAndKeepsTheOldOne) {
  TBitmap bmp(5, 5);
  bmp.Canvas().SetPixel(2, 2, clBlue);
  EXPECT_THROW(bmp.SetSize(-1, 5), Exception);
  EXPECT_THROW(bmp.SetSize(1 << 30, 1 << 30), Exception);
  EXPECT_EQ(bmp.Width(), 5);
  EXPECT_EQ(bmp.Canvas().GetPixel(2, 2), clBlue);
}

TEST(Bitmap, ResizeNotifiesOnce) {
  TBitmap bmp;
  int changes = 0;
  bmp.OnChange = [&] { ++changes; };
  bmp.SetSize(3, 3);
  bmp.SetSize(3, 3);
  EXPECT_EQ(changes, 1);
}

TEST(Bitmap, BlockCopyCopiesARectangleToAPoint) {
  TBitmap from(6, 6), to(8, 8);
  from.Canvas().PatBlt({0, 0, 6, 6}, clRed);
  from.Canvas().SetPixel(2, 3, clBlue);
  to.Canvas().Pen().SetMode(pmXor);  // the copy ignores the pen mode
  to.Canvas().BlockCopy(4, 4, 3, 3, from.Canvas(), 1, 2);
  EXPECT_EQ(to.Canvas().GetPixel(5, 5), clBlue);
  EXPECT_EQ(to.Canvas().GetPixel(4, 4), clRed);
  EXPECT_EQ(to.Canvas().GetPixel(6, 6), clRed);
  EXPECT_EQ(to.Canvas().GetPixel(7, 7), clWhite);
  EXPECT_EQ(to.Canvas().GetPixel(3, 3), clWhite);
  EXPECT_EQ(fwtest::CountNot(to.Canvas(), {0, 0, 8, 8}, clWhite), 9);
}

TEST(Bitmap, BlockCopyOutsideTheSourceCopiesOnlyWhatExists) {
  TBitmap from(4, 4), to(8, 8);
  from.Canvas().PatBlt({0, 0, 4, 4}, clRed);
  to.Canvas().BlockCopy(0, 0, 8, 8, from.Canvas(), -2, -2);
  EXPECT_EQ(fwtest::InkBounds(to.Canvas()), (TRect{2, 2, 6, 6}));
  to.Canvas().BlockCopy(0, 0, 100, 100, from.Canvas(), 50, 50);  // nothing there
  to.Canvas().BlockCopy(0, 0, -3, 4, from.Canvas(), 0, 0);
  EXPECT_EQ(fwtest::InkBounds(to.Canvas()), (TRect{2, 2, 6, 6}));
}

TEST(Bitmap, BlockCopyWithinOneSurfaceMovesTheOriginalPixels) {
  TBitmap bmp(6, 1);
  TSurface& s = bmp.Canvas();
  for (int x = 0; x < 6; ++x) s.SetPixel(x, 0, RGB(x * 40, 0, 0));
  s.BlockCopy(1, 0, 5, 1, s, 0, 0);
  for (int x = 1; x < 6; ++x) EXPECT_EQ(s.GetPixel(x, 0), RGB((x - 1) * 40, 0, 0));
}

TEST(Bitmap, PixelsReadAsABlockAreThoseReadOneByOne) {
  // Plain, monochrome and device-pixel-ratio bitmaps; areas inside, across the edges and off the
  // image (clNone there); a span shorter than the area takes its first pixels only.
  for (const double ratio : {1.0, 1.5, 2.0})
    for (const bool monochrome : {false, true}) {
      TBitmap b(7, 5, ratio);
      b.SetMonochrome(monochrome);
      TSurface& s = b.Canvas();
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) s.SetPixel(x, y, RGB(x * 36, y * 60, (x * y * 13) % 256));
      // A line's pixels may be held back until the next read: the block must see them too.
      s.Pen().SetColor(clBlue);
      s.MoveTo(3, 0);
      s.LineTo(3, 5);
      for (const TRect area :
           {TRect{0, 0, 7, 5}, TRect{2, 1, 5, 4}, TRect{-2, -1, 9, 7}, TRect{8, 6, 10, 8}, TRect{3, 3, 3, 5}}) {
        const int64_t w = std::max(area.Right - area.Left, 0), h = std::max(area.Bottom - area.Top, 0);
        std::vector<TColor> block(static_cast<size_t>(w * h) + 1, clFuchsia), partial(3, clFuchsia);
        s.GetPixels(area, block);
        s.GetPixels(area, std::span<TColor>(partial.data(), std::min<size_t>(2, block.size() - 1)));
        size_t k = 0;
        for (int32_t y = area.Top; y < area.Bottom; ++y)
          for (int32_t x = area.Left; x < area.Right; ++x, ++k) {
            ASSERT_EQ(block[k], s.GetPixel(x, y)) << ratio << " " << monochrome << " at " << x << "," << y;
            if (k < 2) {
              ASSERT_EQ(partial[k], block[k]) << ratio << " " << monochrome;
            }
          }
        EXPECT_EQ(block.back(), clFuchsia);  // past the area: left alone
        EXPECT_EQ(partial[2], clFuchsia);
        if (k < 2) {
          EXPECT_EQ(partial[k], clFuchsia);
        }
      }
      // The widest area there is, into two pixels: they are read, and nothing more is walked.
      std::vector<TColor> two(2, clFuchsia);
      s.GetPixels({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, two);
      EXPECT_EQ(two[0], clNone);
      EXPECT_EQ(two[1], clNone);
    }
}

TEST(Bitmap, MonochromeIsThresholdedWhenReadOrCopied) {
  TBitmap mono(4, 1);
  mono.SetMonochrome(true);
  TSurface& s = mono.Canvas();
  s.SetPixel(0, 0, clRed);
  s.SetPixel(1, 0, clYellow);
  s.SetPixel(2, 0, clGray);
  s.SetPixel(3, 0, clSilver);
  EXPECT_EQ(s.GetPixel(0, 0), clBlack);
  EXPECT_EQ(s.GetPixel(1, 0), clWhite);
  EXPECT_EQ(s.GetPixel(2, 0), clBlack);
  EXPECT_EQ(s.GetPixel(3, 0), clWhite);
  TBitmap colour(4, 1);
  colour.Canvas().BlockCopy(0, 0, 4, 1, s, 0, 0);
  EXPECT_EQ(colour.Canvas().GetPixel(0, 0), clBlack);
  EXPECT_EQ(colour.Canvas().GetPixel(1, 0), clWhite);
  EXPECT_EQ(colour.Canvas().GetPixel(2, 0), clBlack);
}

TEST(Bitmap, DrawingAMonochromeBitmapUsesTextAndBackgroundColours) {
  TBitmap mono(2, 1);
  mono.SetMonochrome(true);
  mono.Canvas().SetPixel(0, 0, clBlack);
  TBitmap target(2, 1);
  TSurface& s = target.Canvas();
  s.SetTextColor(clRed);
  s.SetBkColor(clBlue);
  s.Draw(0, 0, &mono);
  EXPECT_EQ(s.GetPixel(0, 0), clRed);
  EXPECT_EQ(s.GetPixel(1, 0), clBlue);
}

TEST(Bitmap, DrawAndStretchDraw) {
  TBitmap pic(2, 2);
  pic.Canvas().PatBlt({0, 0, 2, 2}, clGreen);
  pic.Canvas().SetPixel(1, 1, clRed);
  TBitmap target(10, 10);
  TSurface& s = target.Canvas();
  s.Draw(3, 4, &pic);
  EXPECT_EQ(fwtest::InkBounds(s), (TRect{3, 4, 5, 6}));
  EXPECT_EQ(s.GetPixel(4, 5), clRed);
  s.PatBlt({0, 0, 10, 10}, clWhite);
  s.StretchDraw({2, 2, 6, 6}, &pic);
  EXPECT_EQ(fwtest::InkBounds(s), (TRect{2, 2, 6, 6}));
  EXPECT_EQ(s.GetPixel(2, 2), clGreen);
  EXPECT_EQ(s.GetPixel(5, 5), clRed);
  EXPECT_EQ(s.GetPixel(4, 4), clRed);
  s.Draw(0, 0, nullptr);
  TBitmap empty;
  s.Draw(0, 0, &empty);
  s.StretchDraw({0, 0, 10, 10}, nullptr);
  EXPECT_EQ(fwtest::InkBounds(s), (TRect{2, 2, 6, 6}));
}

TEST(Bitmap, HugeTargetRectanglesStayCheap) {
  TBitmap pic(2, 2);
  pic.Canvas().PatBlt({0, 0, 2, 2}, clRed);
  TBitmap target(8, 8);
  target.Canvas().StretchDraw({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, &pic);
  target.Canvas().BlockCopy(INT32_MAX - 1, 0, INT32_MAX, INT32_MAX, pic.Canvas(), INT32_MIN, 0);
  target.Canvas().Brush().SetColor(clBlue);
  target.Canvas().FillRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
  target.Canvas().Ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  target.Canvas().Pie(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, 0, 0, INT32_MIN);
  target.Canvas().RoundRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MIN);
  target.Canvas().TextOut(INT32_MAX, INT32_MIN, "far away");
  EXPECT_EQ(target.Canvas().GetPixel(4, 4), clBlue);
}

TEST(Bitmap, PatternBrushTilesTheBitmap) {
  TBitmap pattern(2, 1);
  pattern.Canvas().SetPixel(0, 0, clRed);
  TBitmap target(4, 2);
  target.Canvas().Brush().SetBitmap(&pattern);
  target.Canvas().FillRect({0, 0, 4, 2});
  EXPECT_EQ(target.Canvas().GetPixel(0, 0), clRed);
  EXPECT_EQ(target.Canvas().GetPixel(1, 0), clWhite);
  EXPECT_EQ(target.Canvas().GetPixel(2, 1), clRed);
}

TEST(Bitmap, SavesAndLoadsPng) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string file = QDir(dir.path()).filePath("b.png").toStdString();
  TBitmap bmp(3, 2);
  bmp.Canvas().SetPixel(2, 1, clTeal);
  bmp.SaveToFile(file);
  TBitmap loaded;
  int changes = 0;
  loaded.OnChange = [&] { ++changes; };
  loaded.LoadFromFile(file);
  EXPECT_EQ(loaded.Width(), 3);
  EXPECT_EQ(loaded.Height(), 2);
  EXPECT_EQ(loaded.Canvas().GetPixel(2, 1), clTeal);
  EXPECT_EQ(loaded.Canvas().GetPixel(0, 0), clWhite);
  EXPECT_GE(changes, 1);
  EXPECT_THROW(loaded.LoadFromFile(file + ".missing"), Exception);
  EXPECT_EQ(loaded.Canvas().GetPixel(2, 1), clTeal);
  EXPECT_THROW(TBitmap().SaveToFile(file), Exception);  // nothing to save
}

TEST(Picture, LoadsAGraphicAndCopiesIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string file = QDir(dir.path()).filePath("p.png").toStdString();
  TBitmap bmp(5, 4);
  bmp.Canvas().SetPixel(0, 0, clRed);
  bmp.SaveToFile(file);
  TPicture picture;
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);
  EXPECT_THROW(picture.LoadFromFile(file + ".missing"), Exception);
  picture.LoadFromFile(file);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 5);
  EXPECT_EQ(picture.Height(), 4);
  TPicture copy;
  copy.Assign(picture);
  ASSERT_NE(copy.Graphic(), nullptr);
  EXPECT_NE(copy.Graphic(), picture.Graphic());
  TBitmap target(5, 4);
  target.Canvas().Draw(0, 0, copy.Graphic());
  EXPECT_EQ(target.Canvas().GetPixel(0, 0), clRed);
  EXPECT_EQ(target.Canvas().GetPixel(1, 0), clWhite);
}

}  // namespace
