// Drawing of one mark: arrow, box and text on the chart canvas of the owning series.
#include <string>
#include <string_view>

#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/MarkText.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TSurface.h"

namespace chart {

namespace {

// a + b on pixels, wrapping instead of overflowing for pixels far off the surface.
int32_t AddPixels(int32_t a, int64_t b) { return static_cast<int32_t>(static_cast<int64_t>(a) + b); }

}  // namespace

void TSeriesMarks::DrawOneMark(int32_t index, fw::TColor color, TSeriesMarkPosition& position,
                               const std::string& text) {
  UseMarkPosition(index, position);
  TSeriesHost* chart = mParent.ParentChart();
  if (!chart) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  const bool view3D = chart->ChartView3D();
  const bool native3D = canvas.PrefersDepthDrawing();
  const int32_t z = mDepthPosition;

  if (mArrow->Visible()) {
    canvas.ApplyChartPen(*mArrow);
    canvas.Brush().SetStyle(fw::bsClear);
    // An arrow in the point's or the chart's own colour would vanish: draw it in contrast.
    const fw::TColor background = chart->ChartColor();
    if (mArrow->Color() == color || mArrow->Color() == background)
      canvas.Pen().SetColor(background == fw::clBlack ? fw::clWhite : fw::clBlack);
    if (view3D)
      canvas.DrawSegmentAtDepth(position.ArrowFromX, position.ArrowFromY, position.ArrowToX, position.ArrowToY, z);
    else
      canvas.DrawSegment(position.ArrowFromX, position.ArrowFromY, position.ArrowToX, position.ArrowToY);
  }

  int32_t left = position.LeftTopX;
  int32_t top = position.LeftTopY;
  if (view3D && !native3D) {
    // The box keeps its place relative to the projected arrow end.
    const fw::TPoint end = canvas.ProjectToPoint(position.ArrowToX, position.ArrowToY, z);
    left = AddPixels(left, int64_t{end.X} - position.ArrowToX);
    top = AddPixels(top, int64_t{end.Y} - position.ArrowToY);
  }

  if (mFrame->Visible() || !mTransparent) {
    canvas.Brush().SetColor(mBackColor);
    canvas.Brush().SetStyle(mTransparent ? fw::bsClear : fw::bsSolid);
    canvas.ApplyChartPen(*mFrame);
    const fw::TRect box{left, top, AddPixels(left, position.Width), AddPixels(top, position.Height)};
    if (view3D && native3D)
      canvas.DrawRectangleAtDepth(box, z + 1);
    else
      canvas.DrawRect(box);
    if (mFrame->Visible()) top = AddPixels(top, mFrame->Width());
  }

  canvas.Brush().SetStyle(fw::bsClear);
  canvas.SetTextAlignment(fw::TA_CENTER | fw::TA_TOP);
  const int32_t x = AddPixels(left, position.Width / 2);
  const int32_t lineHeight = canvas.CharacterHeight();
  int64_t y = top;
  ForEachMarkLine(text, [&](std::string_view line) {
    const std::string lineText(line);
    if (native3D)
      canvas.WriteTextAtDepth(x, static_cast<int32_t>(y), z, lineText);
    else
      canvas.WriteText(x, static_cast<int32_t>(y), lineText);
    y += lineHeight;
  });
  canvas.SetTextAlignment(fw::TA_LEFT | fw::TA_TOP);
}

}  // namespace chart
