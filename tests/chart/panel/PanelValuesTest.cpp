#include <gtest/gtest.h>

#include "chart/panel/TZoomPanningRecord.h"

using namespace chart;

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
