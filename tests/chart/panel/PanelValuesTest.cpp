#include <gtest/gtest.h>

#include "chart/panel/ChartPalette.h"
#include "chart/panel/TZoomPanningRecord.h"

using namespace chart;

TEST(ChartPalette, SixteenColoursInOrderThenWrap) {
  EXPECT_EQ(PaletteColor(0), fw::clRed);
  EXPECT_EQ(PaletteColor(1), fw::clGreen);
  EXPECT_EQ(PaletteColor(2), fw::clYellow);
  EXPECT_EQ(PaletteColor(3), fw::clBlue);
  EXPECT_EQ(PaletteColor(4), fw::clWhite);
  EXPECT_EQ(PaletteColor(8), fw::clNavy);
  EXPECT_EQ(PaletteColor(9), fw::clMaroon);
  EXPECT_EQ(PaletteColor(14), fw::clAqua);
  EXPECT_EQ(PaletteColor(15), fw::clBlack);
  EXPECT_EQ(PaletteColor(16), fw::clRed);
  EXPECT_EQ(PaletteColor(33), fw::clGreen);
  // Negative and huge indices stay inside the table.
  EXPECT_EQ(PaletteColor(-1), fw::clBlack);
  EXPECT_EQ(PaletteColor(INT64_MIN), PaletteColor(0));
  EXPECT_EQ(PaletteColor(INT64_MAX), fw::clBlack);
}

TEST(ZoomPanningRecord, OpenDragSetsBothCornersAndNormalizeOrders) {
  TZoomPanningRecord r;
  EXPECT_FALSE(r.InProgress);
  r.OpenDrag(50, 60);
  EXPECT_TRUE(r.InProgress);
  EXPECT_EQ(r.DragStartX, 50);
  EXPECT_EQ(r.DragEndY, 60);
  r.DragEndX = 10;
  r.DragEndY = 100;
  r.NormalizeDrag();
  EXPECT_EQ(r.DragStartX, 10);
  EXPECT_EQ(r.DragEndX, 50);
  EXPECT_EQ(r.DragStartY, 60);
  EXPECT_EQ(r.DragEndY, 100);
}
