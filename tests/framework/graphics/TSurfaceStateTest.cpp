// Pen, brush and font objects and the lazy selection with its device side effects.
#include <gtest/gtest.h>

#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"

using namespace fw;

namespace {

TEST(GraphicsObjects, SettersNotifyOnlyRealChanges) {
  int penChanges = 0, brushChanges = 0, fontChanges = 0;
  TPen pen;
  TBrush brush;
  TFont font;
  pen.OnChange = [&] { ++penChanges; };
  brush.OnChange = [&] { ++brushChanges; };
  font.OnChange = [&] { ++fontChanges; };
  pen.SetColor(clBlack);
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  pen.SetMode(pmCopy);
  brush.SetColor(clWhite);
  brush.SetStyle(bsSolid);
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  font.SetOrientation(0);
  EXPECT_EQ(penChanges + brushChanges + fontChanges, 0);
  pen.SetColor(clRed);
  pen.SetWidth(2);
  pen.SetStyle(psDot);
  pen.SetMode(pmNotXor);
  brush.SetStyle(bsClear);
  brush.SetColor(clRed);
  font.SetStyle(fsBold | fsItalic);
  font.SetColor(clBlue);
  font.SetCharset(ANSI_CHARSET);
  font.SetOrientation(900);
  font.SetSize(10);
  EXPECT_EQ(penChanges, 4);
  EXPECT_EQ(brushChanges, 2);
  EXPECT_EQ(fontChanges, 5);
}

TEST(GraphicsObjects, AssignCopiesValuesWithOneNotification) {
  TPen source;
  source.SetColor(clTeal);
  source.SetWidth(3);
  source.SetStyle(psDash);
  source.SetMode(pmXor);
  TPen target;
  int changes = 0;
  target.OnChange = [&] { ++changes; };
  target.Assign(source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(target.Color(), clTeal);
  EXPECT_EQ(target.Width(), 3);
  EXPECT_EQ(target.Style(), psDash);
  EXPECT_EQ(target.Mode(), pmXor);
  target = source;  // same values: nothing changes
  EXPECT_EQ(changes, 1);
  const TPen copy(source);  // a copy has no notification of its own
  EXPECT_FALSE(copy.OnChange);
  EXPECT_EQ(copy.Width(), 3);

  TFont f;
  f.SetName("Arial");
  f.SetStyle(fsUnderline);
  f.SetOrientation(450);
  TFont g;
  g.Assign(f);
  EXPECT_EQ(g.Name(), "Arial");
  EXPECT_EQ(g.Style(), static_cast<TFontStyles>(fsUnderline));
  EXPECT_EQ(g.Orientation(), 450);
}

TEST(GraphicsObjects, RejectedSettingsKeepTheOldValue) {
  TPen pen;
  pen.SetWidth(4);
  EXPECT_THROW(pen.SetWidth(-1), Exception);
  EXPECT_EQ(pen.Width(), 4);
  TFont font;
  EXPECT_THROW(font.SetPixelsPerInch(0), Exception);
  EXPECT_EQ(font.PixelsPerInch(), 96);
}

TEST(GraphicsObjects, FontSizeAndHeightConvertThroughPixelsPerInch) {
  TFont font;
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  EXPECT_EQ(font.Size(), 10);
  font.SetPixelsPerInch(120);
  EXPECT_EQ(font.Height(), -13);  // the pixel height stays
  font.SetSize(12);
  EXPECT_EQ(font.Height(), -20);
}

TEST(SurfaceState, SolidBrushMakesTheBackgroundOpaqueInItsColour) {
  TSurface s;
  s.Brush().SetColor(clRed);
  EXPECT_EQ(s.GetBkMode(), OPAQUE);
  EXPECT_EQ(s.GetBkColor(), clRed);
}

TEST(SurfaceState, OtherBrushStylesMakeItTransparentWithTheComplement) {
  TSurface s;
  s.Brush().SetColor(RGB(0x12, 0x34, 0x56));
  s.Brush().SetStyle(bsClear);
  EXPECT_EQ(s.GetBkMode(), TRANSPARENT);
  EXPECT_EQ(s.GetBkColor(), RGB(0xED, 0xCB, 0xA9));
  s.Brush().SetStyle(bsCross);
  EXPECT_EQ(s.GetBkMode(), TRANSPARENT);
}

TEST(SurfaceState, SelectionHappensOnlyWhenSomethingChanged) {
  TSurface s;
  s.Brush().SetStyle(bsClear);
  s.SetBkMode(OPAQUE);  // selects the clear brush first, then overrides its mode
  EXPECT_EQ(s.GetBkMode(), OPAQUE);
  s.SetBkColor(clLime);
  s.Rectangle(0, 0, 5, 5);  // nothing changed: the explicit settings survive a primitive
  EXPECT_EQ(s.GetBkMode(), OPAQUE);
  EXPECT_EQ(s.GetBkColor(), clLime);
  s.Brush().SetStyle(bsClear);  // same value: no change, no reselection
  EXPECT_EQ(s.GetBkMode(), OPAQUE);
  s.Brush().SetColor(clBlack);  // a real change selects the brush again
  EXPECT_EQ(s.GetBkMode(), TRANSPARENT);
  EXPECT_EQ(s.GetBkColor(), clWhite);
}

TEST(SurfaceState, FontSelectionSetsTheTextColour) {
  TSurface s;
  s.Font().SetColor(clBlue);
  EXPECT_EQ(s.GetTextColor(), clBlue);
  s.SetTextColor(clRed);
  EXPECT_EQ(s.GetTextColor(), clRed);
  s.Font().SetHeight(-20);  // any font change selects the font and its colour again
  EXPECT_EQ(s.GetTextColor(), clBlue);
}

TEST(SurfaceState, SystemColoursAreResolvedWhenTheyReachTheSurface) {
  TSurface s;
  EXPECT_EQ(s.GetTextColor(), ColorToRGB(clWindowText));
  s.Brush().SetColor(clBtnFace);
  EXPECT_EQ(s.GetBkColor(), ColorToRGB(clBtnFace));
  s.SetBkColor(clWindow);
  EXPECT_EQ(s.GetBkColor(), ColorToRGB(clWindow));
}

TEST(SurfaceState, SettersReturnThePreviousValueAndIgnoreUnknownModes) {
  TSurface s;
  EXPECT_EQ(s.SetTextAlign(TA_CENTER | TA_BOTTOM), TA_LEFT | TA_TOP);
  EXPECT_EQ(s.GetTextAlign(), TA_CENTER | TA_BOTTOM);
  EXPECT_EQ(s.SetBkMode(TRANSPARENT), OPAQUE);
  EXPECT_EQ(s.SetBkMode(7), TRANSPARENT);
  EXPECT_EQ(s.GetBkMode(), TRANSPARENT);
  EXPECT_EQ(s.SetBkColor(clRed), clWhite);
}

TEST(SurfaceState, PenModeTakesEffectAtTheNextPrimitive) {
  TBitmap bmp(4, 1);
  TSurface& s = bmp.Canvas();
  s.Pen().SetMode(pmNot);
  s.MoveTo(0, 0);
  s.LineTo(2, 0);
  s.Pen().SetMode(pmCopy);
  s.Pen().SetColor(clRed);
  s.LineTo(4, 0);
  EXPECT_EQ(s.GetPixel(0, 0), clBlack);
  EXPECT_EQ(s.GetPixel(2, 0), clRed);
}

TEST(SurfaceState, SurfaceWithoutImageKeepsStateAndDrawsNothing) {
  TSurface s;
  EXPECT_EQ(s.Width(), 0);
  s.Rectangle(0, 0, 10, 10);
  s.MoveTo(0, 0);
  s.LineTo(5, 5);
  EXPECT_EQ(s.PenPos(), (TPoint{5, 5}));
  EXPECT_EQ(s.GetPixel(0, 0), clNone);
  EXPECT_GT(s.TextWidth("W"), 0);
}

TEST(SurfaceState, DrawingNotifiesAndDetachedNotificationsStaySilent) {
  TBitmap bmp(4, 4);
  int bitmapChanges = 0;
  bmp.OnChange = [&] { ++bitmapChanges; };
  bmp.Canvas().Rectangle(0, 0, 2, 2);
  EXPECT_EQ(bitmapChanges, 1);
  bmp.Canvas().OnChange = nullptr;
  bmp.Canvas().OnChanging = nullptr;
  bmp.Canvas().Rectangle(0, 0, 3, 3);
  bmp.Canvas().MoveTo(0, 3);
  bmp.Canvas().LineTo(3, 3);
  EXPECT_EQ(bitmapChanges, 1);
  EXPECT_EQ(bmp.Canvas().GetPixel(2, 3), clBlack);
}

}  // namespace
