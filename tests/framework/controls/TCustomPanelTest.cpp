#include "framework/controls/TPanel.h"

#include <array>
#include <random>
#include <vector>

#include "ControlTestSupport.h"
#include "framework/controls/Frame3D.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"

using ctltest::W;

namespace {

// A 20 x 12 panel shown in a window, painted once.
struct PanelPixels : ::testing::Test {
  fw::TForm form;
  fw::TPanel* panel = new fw::TPanel(&form);

  void SetUp() override {
    panel->SetParent(&form);
    panel->SetBounds(5, 5, 20, 12);
    panel->SetColor(fw::clTeal);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(W(&form)));
  }

  uint32_t At(int x, int y) {
    panel->Repaint();
    const uint32_t p = fw::SurfaceAccess::Image(panel->Canvas())->pixel(x, y) & 0xFFFFFF;
    // QImage pixels are 0xRRGGBB; colours are red in the low byte.
    return fw::RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

// System colours resolve from the platform palette, which exists only once the tests run.
fw::TColor Light() { return fw::ColorToRGB(fw::clBtnHighlight); }
fw::TColor Shadow() { return fw::ColorToRGB(fw::clBtnShadow); }

}  // namespace

TEST_F(PanelPixels, RaisedBevelIsLightTopLeftAndDarkBottomRightAroundTheColour) {
  EXPECT_EQ(panel->ClassName(), "TPanel");
  EXPECT_EQ(At(0, 0), Light());
  EXPECT_EQ(At(18, 0), Light());
  EXPECT_EQ(At(0, 10), Light());
  EXPECT_EQ(At(19, 0), Shadow());
  EXPECT_EQ(At(19, 11), Shadow());
  EXPECT_EQ(At(0, 11), Shadow());
  EXPECT_EQ(At(1, 1), fw::clTeal);
  EXPECT_EQ(At(18, 10), fw::clTeal);
}

TEST_F(PanelPixels, LoweredInnerBevelInsideABorderAndNoOuterBevel) {
  panel->SetBevelOuter(fw::bvNone);
  panel->SetBorderWidth(2);
  panel->SetBevelInner(fw::bvLowered);
  EXPECT_EQ(At(0, 0), fw::clTeal);
  EXPECT_EQ(At(1, 1), fw::clTeal);
  EXPECT_EQ(At(2, 2), Shadow());
  EXPECT_EQ(At(17, 2), Light());
  EXPECT_EQ(At(2, 9), Light());
  EXPECT_EQ(At(3, 3), fw::clTeal);
}

TEST_F(PanelPixels, WideBevelDrawsOneRingPerPixel) {
  panel->SetBevelWidth(2);
  EXPECT_EQ(At(1, 1), Light());
  EXPECT_EQ(At(18, 10), Shadow());
  EXPECT_EQ(At(2, 2), fw::clTeal);
}

TEST(TCustomPanel, RejectedSettingsKeepTheOldValue) {
  fw::TPanel panel;
  EXPECT_EQ(panel.Width(), 185);
  EXPECT_EQ(panel.Height(), 41);
  EXPECT_FALSE(panel.ParentColor());
  EXPECT_THROW(panel.SetBevelWidth(0), fw::Exception);
  EXPECT_EQ(panel.BevelWidth(), 1);
  EXPECT_THROW(panel.SetBorderWidth(-1), fw::Exception);
  EXPECT_EQ(panel.BorderWidth(), 0);
}

// ---- Frame3D: the rings it draws against drawing every ring ----------------------------------------

namespace {

/// Every one of `width` rings, one after the other (what Frame3D must look like).
void EveryRing(fw::TSurface& s, fw::TRect& rect, fw::TColor top, fw::TColor bottom, int32_t width) {
  s.Pen().SetWidth(1);
  s.Pen().SetStyle(fw::psSolid);
  s.Pen().SetMode(fw::pmCopy);
  --rect.Bottom;
  --rect.Right;
  for (; width > 0; --width) {
    s.Pen().SetColor(top);
    const std::array<fw::TPoint, 3> a{{{rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}}};
    s.Polyline(a);
    s.Pen().SetColor(bottom);
    const std::array<fw::TPoint, 3> b{{{rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}}};
    s.Polyline(b);
    ++rect.Left;
    ++rect.Top;
    --rect.Right;
    --rect.Bottom;
  }
  ++rect.Bottom;
  ++rect.Right;
}

std::vector<fw::TColor> PixelsOf(fw::TSurface& s, int w, int h) {
  std::vector<fw::TColor> out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.push_back(s.GetPixel(x, y));
  return out;
}

}  // namespace

// Rectangles inside, across and outside a 24 x 18 image, widths up to far past the middle: the
// same pixels and the same remaining rectangle as drawing every ring. A width of the integer
// range finishes with the pixels of any width past the last ring that shows.
TEST(Frame3D, StopsAtTheLastRingThatShowsWithThePixelsOfEveryRing) {
  constexpr int Wd = 24, Ht = 18;
  std::mt19937 rng(8);
  for (int round = 0; round < 300; ++round) {
    const int32_t l = static_cast<int32_t>(rng() % 40) - 10, t = static_cast<int32_t>(rng() % 30) - 8;
    const fw::TRect start{l, t, l + static_cast<int32_t>(rng() % 30), t + static_cast<int32_t>(rng() % 24)};
    const int32_t width = static_cast<int32_t>(rng() % 90);
    fw::TBitmap a(Wd, Ht), b(Wd, Ht);
    fw::TRect ra = start, rb = start;
    fw::Frame3D(a.Canvas(), ra, fw::clRed, fw::clBlue, width);
    EveryRing(b.Canvas(), rb, fw::clRed, fw::clBlue, width);
    ASSERT_EQ(PixelsOf(a.Canvas(), Wd, Ht), PixelsOf(b.Canvas(), Wd, Ht)) << "round " << round << " width " << width;
    ASSERT_EQ(ra, rb) << "round " << round;
  }
  fw::TBitmap a(Wd, Ht), b(Wd, Ht);
  fw::TRect ra{2, 3, 20, 15}, rb{2, 3, 20, 15};
  fw::Frame3D(a.Canvas(), ra, fw::clRed, fw::clBlue, INT32_MAX);
  EveryRing(b.Canvas(), rb, fw::clRed, fw::clBlue, 100);
  EXPECT_EQ(PixelsOf(a.Canvas(), Wd, Ht), PixelsOf(b.Canvas(), Wd, Ht));
  EXPECT_EQ(ra.Left, INT32_MAX);
  EXPECT_EQ(ra.Right, 20 - INT32_MAX);
}
