// Texts drawn from the surface's cache of laid-out texts give exactly the pixels of texts shaped
// and drawn by the painter each time, whatever the font, rotation, alignment, background mode
// and clip region.
#include <gtest/gtest.h>

#include <QImage>

#include <array>
#include <string>
#include <vector>

#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"

using namespace fw;

namespace {

struct FontCase {
  const char* name;
  int32_t height;
  TFontStyles style;
};

const std::array<FontCase, 8> Fonts{{
    {"MS Sans Serif", -11, 0},
    {"Arial", -13, 0},
    {"Arial", -13, fsBold},
    {"Arial", -16, fsItalic},
    {"Times New Roman", -20, fsBold | fsItalic},
    {"Courier New", 24, fsUnderline | fsStrikeOut},
    {"Arial", -9, fsItalic | fsUnderline},
    {"Arial", -80, fsBold},  // past the size where glyphs are drawn as outlines
}};

const std::array<const char*, 9> Texts{
    "0", "-1,000", "1000.25", "gjpqy", "Wave W", "fifl office", "Ågü ÿ", "a\rb", " ",
};

const std::array<int32_t, 9> Orientations{0, 900, 2700, -900, 1800, -1800, 450, 3600, 4500};

const std::array<int32_t, 9> Aligns{
    TA_LEFT | TA_TOP,      TA_CENTER | TA_TOP,      TA_RIGHT | TA_TOP,
    TA_LEFT | TA_BASELINE, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BASELINE,
    TA_LEFT | TA_BOTTOM,   TA_CENTER | TA_BOTTOM,   TA_RIGHT | TA_BOTTOM,
};

enum ClipCase { clipNone, clipRect, clipPolygon, clipCount };

constexpr int32_t W = 360, H = 260;

/// Two surfaces set up alike: one draws through the text cache, the other through the painter.
struct CachedAndDirect : ::testing::Test {
  TBitmap cachedBitmap{W, H};
  TBitmap directBitmap{W, H};
  TSurface& cached = cachedBitmap.Canvas();
  TSurface& direct = directBitmap.Canvas();
  int compared = 0;

  void SetUp() override {
    SurfaceAccess::SetTextCache(direct, false);
    Clear();
  }

  void Both(const std::function<void(TSurface&)>& f) {
    f(cached);
    f(direct);
  }

  void Clear() {
    Both([](TSurface& s) {
      s.RemoveClipping();
      s.PatBlt({0, 0, W, H}, 0xC0C0C0);
      s.PatBlt({W / 2, 0, W, H}, 0x203040);  // ink and cell must show on light and dark ground
    });
  }

  void SetFont(const FontCase& f, int32_t orientation, TColor color = clBlue) {
    Both([&](TSurface& s) {
      s.Font().SetName(f.name);
      s.Font().SetHeight(f.height);
      s.Font().SetStyle(f.style);
      s.Font().SetOrientation(orientation);
      s.Font().SetColor(color);
    });
  }

  void SetClip(ClipCase clip, int32_t x, int32_t y) {
    Both([&](TSurface& s) {
      s.RemoveClipping();
      if (clip == clipRect) {
        s.IntersectClipRect({x - 7, y - 5, x + 9, y + 40});
      } else if (clip == clipPolygon) {
        const std::array<TPoint, 4> diamond{{{x, y - 30}, {x + 31, y}, {x, y + 29}, {x - 30, y + 1}}};
        s.IntersectClipPolygon(diamond);
      }
    });
  }

  static std::string Where(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x)
        if (a.pixel(x, y) != b.pixel(x, y)) return "first difference at " + std::to_string(x) + "," + std::to_string(y);
    return "";
  }

  /// Draws the text on both surfaces and compares every pixel.
  void Draw(int32_t x, int32_t y, const std::string& text, const std::string& what) {
    Both([&](TSurface& s) { s.TextOut(x, y, text); });
    const QImage& a = *SurfaceAccess::Image(cached);
    const QImage& b = *SurfaceAccess::Image(direct);
    ASSERT_TRUE(a == b) << what << " text \"" << text << "\" at " << x << "," << y << ": " << Where(a, b);
    ++compared;
  }
};

TEST_F(CachedAndDirect, EveryFontRotationAlignmentBackgroundAndClipGivesTheSamePixels) {
  const std::array<TPoint, 6> anchors{{{40, 40}, {W / 2, H / 2}, {W - 30, H - 20}, {-6, 120}, {150, -5}, {W / 2 + 1, 37}}};
  int k = 0;
  for (const FontCase& font : Fonts) {
    for (int32_t orientation : Orientations) {
      SetFont(font, orientation);
      for (const char* text : Texts) {
        // Each text twice: the first drawing lays it out, the second takes it from the cache.
        for (int repeat = 0; repeat < 2; ++repeat, ++k) {
          const TPoint at = anchors[static_cast<size_t>(k) % anchors.size()];
          const int32_t align = Aligns[static_cast<size_t>(k) % Aligns.size()];
          const bool opaque = (k / 3) % 2 == 1;
          const auto clip = static_cast<ClipCase>((k / 5) % clipCount);
          Both([&](TSurface& s) {
            s.SetTextAlign(align);
            s.SetBkMode(opaque ? OPAQUE : TRANSPARENT);
            s.SetBkColor(0x00E0FF);
          });
          SetClip(clip, at.X, at.Y);
          Draw(at.X, at.Y, text,
               std::string(font.name) + " " + std::to_string(font.height) + " style " + std::to_string(font.style) +
                   " orientation " + std::to_string(orientation) + " align " + std::to_string(align) +
                   (opaque ? " opaque" : " transparent") + " clip " + std::to_string(clip));
          if (HasFatalFailure()) return;
        }
      }
      Clear();
    }
  }
  EXPECT_EQ(compared, static_cast<int>(Fonts.size() * Orientations.size() * Texts.size() * 2));
}

TEST_F(CachedAndDirect, AllAlignmentsInBothBackgroundModesForTheChartLabels) {
  SetFont(Fonts[0], 0, clBlack);
  for (int32_t align : Aligns) {
    for (int32_t mode : {TRANSPARENT, OPAQUE}) {
      Both([&](TSurface& s) {
        s.SetTextAlign(align);
        s.SetBkMode(mode);
        s.SetBkColor(clWhite);
      });
      for (const char* label : {"-1000", "-500", "0", "500", "1000", "250.5"}) {
        Draw(100, 80, label, "align " + std::to_string(align));
        Draw(W / 2 - 3, 150, label, "align " + std::to_string(align));
      }
    }
  }
}

TEST_F(CachedAndDirect, TextColourAndBackgroundColourFollowEachDrawing) {
  SetFont(Fonts[2], 900, clRed);
  Both([](TSurface& s) { s.SetBkMode(OPAQUE); });
  for (TColor colour : {clRed, clGreen, clWhite, clBlack}) {
    Both([&](TSurface& s) {
      s.SetTextColor(colour);
      s.SetBkColor(colour ^ 0xFFFFFF);
    });
    Draw(60, 200, "123", "colour " + std::to_string(colour));
  }
}

TEST_F(CachedAndDirect, FontAndOrientationChangesNeverReuseAnotherFontsPixels) {
  // The same text alternately in fonts that differ in one property only, and in rotations.
  const std::array<FontCase, 4> similar{{{"Arial", -12, 0}, {"Arial", -12, fsBold}, {"Arial", -13, 0}, {"Times New Roman", -12, 0}}};
  for (int round = 0; round < 3; ++round) {
    for (const FontCase& f : similar) {
      for (int32_t orientation : {0, 900, 2700}) {
        SetFont(f, orientation);
        Draw(120, 120, "Axis 42", f.name + std::string(" ") + std::to_string(orientation));
        Clear();
      }
    }
  }
}

TEST_F(CachedAndDirect, ForgottenTextsAndFontsAreLaidOutAgain) {
  // More texts and fonts than either cache keeps, then the first ones again.
  SetFont(Fonts[1], 0);
  for (int i = 0; i < 600; ++i) {
    const std::string text = std::to_string(i * 7);
    Both([&](TSurface& s) { s.TextOut(i % W, (i * 13) % H, text); });
    EXPECT_EQ(cached.TextWidth(text), direct.TextWidth(text));
  }
  for (int32_t h = -8; h > -30; --h) {
    Both([&](TSurface& s) {
      s.Font().SetHeight(h);
      s.TextOut(-h * 5, 100, "x");
    });
  }
  SetFont(Fonts[1], 0);
  Clear();
  for (int i = 0; i < 10; ++i) Draw(50 + 20 * i, 60, std::to_string(i * 7), "again");
}

TEST_F(CachedAndDirect, MeasuresAgree) {
  for (const FontCase& font : Fonts) {
    SetFont(font, 0);
    for (const char* text : Texts) {
      for (int repeat = 0; repeat < 2; ++repeat) {
        EXPECT_EQ(cached.TextExtent(text), direct.TextExtent(text)) << font.name << " " << text;
        EXPECT_EQ(cached.TextWidth(text), direct.TextWidth(text)) << font.name << " " << text;
      }
    }
  }
}

TEST_F(CachedAndDirect, HugeTextsAreDrawnAlike) {
  // Too large to keep: drawn by the painter, through the cache's surface as well.
  SetFont({"Arial", -300, fsBold}, 0);
  Draw(-40, -60, "WWWW", "huge");
  SetFont({"Arial", -300, fsBold}, 900);
  Draw(30, 250, "8", "huge rotated");
}

TEST_F(CachedAndDirect, FarAwayAnchorsDrawNothingAndDoNotFail) {
  SetFont(Fonts[1], 0);
  for (const TPoint at : {TPoint{INT32_MAX, INT32_MAX}, TPoint{INT32_MIN, INT32_MIN}, TPoint{INT32_MIN, 50},
                          TPoint{1 << 29, 10}, TPoint{W + 1000, H / 2}}) {
    Draw(at.X, at.Y, "1000", "far");
  }
}

}  // namespace
