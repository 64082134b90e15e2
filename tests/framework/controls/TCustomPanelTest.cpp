#include "framework/controls/TPanel.h"

#include "ControlTestSupport.h"
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
