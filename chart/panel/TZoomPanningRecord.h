#pragma once
#include <cstdint>
#include <utility>

namespace chart {

/// State of one mouse drag (zoom rectangle or panning): where it started, where it is now,
/// and whether it is running. Plain value; the panel owns one for each kind of drag.
struct TZoomPanningRecord {
  bool InProgress = false;
  int32_t DragStartX = 0;
  int32_t DragStartY = 0;
  int32_t DragEndX = 0;
  int32_t DragEndY = 0;

  /// Starts a drag at (x, y): both corners at the point, InProgress set.
  void OpenDrag(int32_t x, int32_t y) {
    DragStartX = DragEndX = x;
    DragStartY = DragEndY = y;
    InProgress = true;
  }

  /// Orders the corners so that start is top-left and end bottom-right.
  void NormalizeDrag() {
    if (DragStartX > DragEndX) std::swap(DragStartX, DragEndX);
    if (DragStartY > DragEndY) std::swap(DragStartY, DragEndY);
  }
};

}  // namespace chart
