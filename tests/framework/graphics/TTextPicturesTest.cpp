// Text pictures: rendered once, drawn from runs with exactly the painter's pixels, and kept in a
// bounded cache.
#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <random>
#include <string>
#include <vector>

#include "framework/graphics/TSurface.h"
#include "framework/graphics/TTextPictures.h"

using namespace fw;

namespace {

constexpr int W = 120, H = 90;

QFont TestFont() {
  QFont f(QStringLiteral("Sans Serif"));
  f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
  f.setPixelSize(13);
  return f;
}

QImage Blank() {
  QImage image(W, H, QImage::Format_RGB32);
  image.fill(0xFFFFFFFFu);
  return image;
}

/// The painter's own drawing of the text, for comparison.
QImage Painted(const QFont& font, const QString& s, int x, int y, int32_t orientation, int32_t align, bool cell) {
  QImage image = Blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  const QColor cellColor(0, 200, 0), ink(200, 0, 0);
  PaintText(p, x, y, orientation, PlaceText(QFontMetrics(font), s, align), font, s, cell ? &cellColor : nullptr,
            &ink);
  return image;
}

TEST(TextPictures, PicturesDrawTheSamePixelsAsThePainter) {
  const QFont font = TestFont();
  const QFontMetrics metrics(font);
  TTextPictures pictures(16);
  const char* texts[] = {"0", "-1,000", "Wave gjpq"};
  const int32_t orientations[] = {0, 900, 2700, -1800};  // the quarter turns drawn exactly
  const int32_t aligns[] = {TA_LEFT | TA_TOP, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BOTTOM};
  int compared = 0;
  for (const char* text : texts) {
    for (const int32_t orientation : orientations) {
      for (const int32_t align : aligns) {
        const TTextKey key{1, orientation, align, text};
        QImage image = Blank();
        const TextPicture& picture = pictures.Get(key, font, metrics, image.dotsPerMeterX(), image.dotsPerMeterY());
        ASSERT_TRUE(picture.cached) << text << " " << orientation;
        for (const bool cell : {false, true}) {
          // Inside, and across the left and bottom edges of the image.
          for (const QPoint at : {QPoint(60, 45), QPoint(2, 85)}) {
            image = Blank();
            const TPixelTarget target{reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4, W, H,
                                      image.rect(), nullptr};
            const uint32_t cellRgb = QColor(0, 200, 0).rgb();
            TTextPictures::Draw(picture, target, at.x(), at.y(), cell ? &cellRgb : nullptr, QColor(200, 0, 0).rgb());
            EXPECT_EQ(image, Painted(font, QString::fromUtf8(text), at.x(), at.y(), orientation, align, cell))
                << text << " orientation " << orientation << " align " << align << " cell " << cell;
            ++compared;
          }
        }
      }
    }
  }
  EXPECT_EQ(compared, 3 * 4 * 3 * 4);
}

TEST(TextPictures, InexactRotationsAreNotCachedAndTheCacheIsBounded) {
  const QFont font = TestFont();
  const QFontMetrics metrics(font);
  TTextPictures pictures(3);
  EXPECT_FALSE(pictures.Get({1, 450, TA_LEFT, "x"}, font, metrics, 3780, 3780).cached);
  EXPECT_FALSE(pictures.Get({1, 1800, TA_LEFT, "x"}, font, metrics, 3780, 3780).cached);
  std::vector<std::string> texts{"a", "b", "c", "d", "e"};
  for (const std::string& t : texts) pictures.Get({1, 0, TA_LEFT, t}, font, metrics, 3780, 3780);
  EXPECT_EQ(pictures.Size(), 3u);
  const TextPicture* e = &pictures.Get({1, 0, TA_LEFT, "e"}, font, metrics, 3780, 3780);
  EXPECT_EQ(e, &pictures.Get({1, 0, TA_LEFT, "e"}, font, metrics, 3780, 3780)) << "found, not rendered again";
  const TextPicture& blank = pictures.Get({1, 0, TA_LEFT, " "}, font, metrics, 3780, 3780);
  EXPECT_TRUE(blank.cached);
  EXPECT_TRUE(blank.ink.empty());
  pictures.Clear();
  EXPECT_EQ(pictures.Size(), 0u);
}

TEST(TextPictures, DrawingKeepsToTheClipRegion) {
  const QFont font = TestFont();
  const QFontMetrics metrics(font);
  TTextPictures pictures(4);
  const TextPicture& picture = pictures.Get({1, 0, TA_LEFT, "MMMM"}, font, metrics, 3780, 3780);
  ASSERT_TRUE(picture.cached);
  QImage image = Blank();
  const std::vector<QRect> region{QRect(0, 0, 20, H), QRect(30, 0, W - 30, H)};
  const TPixelTarget target{reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4, W, H, image.rect(),
                            &region};
  const uint32_t cellRgb = 0xFF00C800u;
  TTextPictures::Draw(picture, target, 5, 10, &cellRgb, 0xFFC80000u);
  int drawn = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      if (image.pixel(x, y) == 0xFFFFFFFFu) continue;
      ++drawn;
      EXPECT_TRUE(x < 20 || x >= 30) << x << "," << y;
    }
  EXPECT_GT(drawn, 50);
}

// Pictures cut by the drawable box and by clip regions of several bands and rectangles: the
// pixels are the painter's where the clip allows them, untouched elsewhere.
TEST(TextPictures, ClippedPicturesDrawThePaintersPixelsInsideTheClip) {
  const QFont font = TestFont();
  const QFontMetrics metrics(font);
  TTextPictures pictures(64);
  std::mt19937 rng(31);
  const char* texts[] = {"144,115,188,075,856,000", "8.18347651974035E149", "Wave gjpq", "0"};
  const int32_t orientations[] = {0, 900, 2700, -1800};
  int compared = 0;
  for (int round = 0; round < 160; ++round) {
    const char* text = texts[rng() % 4];
    const int32_t orientation = orientations[rng() % 4];
    const int32_t align = (rng() % 2) ? (TA_RIGHT | TA_TOP) : (TA_LEFT | TA_BASELINE);
    const TTextKey key{1, orientation, align, text};
    QImage image = Blank();
    const TextPicture& picture = pictures.Get(key, font, metrics, image.dotsPerMeterX(), image.dotsPerMeterY());
    ASSERT_TRUE(picture.cached);
    const int x = static_cast<int>(rng() % (W + 80)) - 40, y = static_cast<int>(rng() % (H + 60)) - 30;
    // A box alone, or a region of a few rectangles (banded by QRegion).
    QRegion region;
    const bool withRegion = rng() % 2 == 0;
    if (withRegion) {
      for (int k = 0; k < 1 + static_cast<int>(rng() % 5); ++k)
        region += QRect(static_cast<int>(rng() % W) - 10, static_cast<int>(rng() % H) - 10,
                        4 + static_cast<int>(rng() % 60), 3 + static_cast<int>(rng() % 40));
    } else {
      region = QRect(static_cast<int>(rng() % 60), static_cast<int>(rng() % 45), 10 + static_cast<int>(rng() % 80),
                     5 + static_cast<int>(rng() % 60));
    }
    const std::vector<QRect> rects(region.begin(), region.end());
    const QRect box = image.rect() & region.boundingRect();
    const bool oneRect = rects.size() == 1;
    const TPixelTarget target{reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4, W, H, box,
                              oneRect ? nullptr : &rects};
    const bool cell = rng() % 3 == 0;
    const uint32_t cellRgb = QColor(0, 200, 0).rgb();
    TTextPictures::Draw(picture, target, x, y, cell ? &cellRgb : nullptr, QColor(200, 0, 0).rgb());
    const QImage painted = Painted(font, QString::fromUtf8(text), x, y, orientation, align, cell);
    QImage expected = Blank();
    for (int py = 0; py < H; ++py)
      for (int px = 0; px < W; ++px)
        if (box.contains(px, py) && region.contains(QPoint(px, py))) expected.setPixel(px, py, painted.pixel(px, py));
    ASSERT_EQ(image, expected) << text << " orientation " << orientation << " at " << x << "," << y << " round "
                               << round << (withRegion ? " region" : " box");
    ++compared;
  }
  EXPECT_EQ(compared, 160);
}

}  // namespace
