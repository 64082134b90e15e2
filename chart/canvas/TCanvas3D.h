#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "chart/canvas/TChartCanvas.h"
#include "chart/canvas/TPoint3D.h"

namespace chart {

class TView3DOptions;

/// The depth half of the canvas interface: projection of chart positions (x, y, depth z) to
/// the screen, drawing at depth, 3D shapes, and the frame operations of the off-screen buffer.
/// In a flat frame every depth operation draws its 2D counterpart and ignores z.
///
/// Boxes are given by their screen-space left/top/right/bottom and the depth range z0..z1
/// (z0 front, z1 back). "dark" asks for shaded side (128) and top (64) faces.
class TCanvas3D : public TChartCanvas {
public:
  // -- virtual operations, continuing the order of TChartCanvas --------------------------
  /// The projected pixel; with a pen wider than 1, a dot of the pen's width instead.
  virtual void PlotPixelAtDepth(int32_t x, int32_t y, int32_t z, fw::TColor color) = 0;
  /// True when flat items (legend box, shadow) should be drawn with the depth operations.
  virtual bool PrefersDepthDrawing() const = 0;
  /// True when the canvas scales fonts by the zoom on its own.
  virtual bool ScalesTextItself() const = 0;
  /// Screen position (x, y) back to chart x and y at depth z (perspective not undone).
  virtual void UnprojectPoint(int32_t& x, int32_t& y, int32_t z) const = 0;
  virtual fw::TPoint ProjectToPoint(int32_t x, int32_t y, int32_t z) const = 0;
  /// True when every point at depth z projects to itself moved by (dx, dy), the sums wrapping to
  /// 32 bits as the projection's do; the shapes at that depth are then the flat ones, moved.
  virtual bool ShiftsAtDepth(int32_t /*z*/, int64_t& /*dx*/, int64_t& /*dy*/) const { return false; }
  /// Starts a frame: stores the options (may be nullptr) and the 3D flag, sets zoom and rotation,
  /// attaches the off-screen bitmap (Buffered) or `target`. Returns the rectangle to draw into:
  /// (0, 0, w, h) when buffered, `rect` otherwise. `backgroundColor` is not used by this canvas.
  virtual fw::TRect PrepareSurface(fw::TSurface* target, TView3DOptions* options, fw::TColor backgroundColor,
                                   bool view3D, const fw::TRect& rect) = 0;
  /// Takes the other canvas's Monochrome setting.
  virtual void CopySettings(TChartCanvas& other);
  /// Per-frame projection centre: centre of `plotRect` at depth depthWidth div 2, offsets from
  /// the options, perspective factor. `panelBounds` is not used.
  virtual void SetProjectionCenter(int32_t depthWidth, const fw::TRect& panelBounds, const fw::TRect& plotRect) = 0;
  /// Ends a frame: when buffered, copies the bitmap to `destination` at rect's top-left corner
  /// and clears Dirty; then attaches `defaultSurface` in every case.
  virtual void PresentBuffer(fw::TSurface* destination, fw::TSurface* defaultSurface, const fw::TRect& rect) = 0;
  /// When not Dirty, copies the bitmap to the attached surface at (0, 0) and returns true;
  /// returns false when a full frame must be drawn.
  virtual bool RepaintFromBuffer() = 0;
  /// Arrow from `from` to `to` at depth z: outline (shaft and two head strokes) or one filled
  /// seven-point polygon. Nothing when from equals to; the head is at most as long as the arrow.
  virtual void DrawArrow(bool filled, fw::TPoint from, fw::TPoint to, int32_t headWidth, int32_t headLength,
                         int32_t z) = 0;
  /// Clips to the projected box (replacing any clip area in 3D); flat: ClipToRectangle of
  /// (left + 1, top + 1, right, bottom - 1).
  virtual void ClipToBox(const fw::TRect& rect, int32_t z0, int32_t z1) = 0;
  /// A cone: the pyramid of the same box, always shaded; `dark` is not used.
  virtual void DrawCone(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom,
                        int32_t z0, int32_t z1, bool dark) = 0;
  virtual void DrawCuboid(int32_t left, int32_t right, int32_t top, int32_t bottom, int32_t z0, int32_t z1,
                          bool dark) = 0;
  /// Cylinder in the box: vertical (axis along y, ends at top and bottom) or horizontal (axis
  /// along x); the ends are ellipses spanning the box's width (height) and depth.
  virtual void DrawCylinder(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom,
                            int32_t z0, int32_t z1, bool dark) = 0;
  virtual void DrawHorizontalLineAtDepth(int32_t x1, int32_t x2, int32_t y, int32_t z) = 0;
  virtual void DrawVerticalLineAtDepth(int32_t x, int32_t y1, int32_t y2, int32_t z) = 0;
  virtual void DrawDepthLine(int32_t x, int32_t y, int32_t z1, int32_t z2) = 0;
  /// Flat: DrawEllipse(x1, y1, x2 + 1, y2 + 1). 3D: the projected ellipse at depth z.
  virtual void DrawEllipseAtDepth(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) = 0;
  /// Everything drawn until EndFlatDrawing is flat (titles, legend).
  virtual void BeginFlatDrawing() = 0;
  virtual void EndFlatDrawing() = 0;
  virtual void DrawSegmentAtDepth(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) = 0;
  virtual void MovePenToAtDepth(int32_t x, int32_t y, int32_t z) = 0;
  virtual void DrawLineToAtDepth(int32_t x, int32_t y, int32_t z) = 0;
  /// Pie slice with thickness z0..z1: centre (xCenter, yCenter), radii xRadius, yRadius; angles in
  /// radians counter-clockwise from 3 o'clock (screen y up). Sides shaded by 32 when `darkSides`.
  virtual void DrawPieSlice3D(int32_t xCenter, int32_t yCenter, int32_t xRadius, int32_t yRadius,
                              int32_t z0, int32_t z1, double startAngle, double endAngle, bool darkSides) = 0;
  /// The quadrilateral (a, z0), (b, z0), (b, z1), (a, z1).
  virtual void DrawExtrudedSegment(fw::TPoint a, fw::TPoint b, int32_t z0, int32_t z1) = 0;
  virtual void DrawQuadAtDepth(const std::array<fw::TPoint, 4>& points, int32_t z) = 0;
  /// The first two points at z0, the last two at z1.
  virtual void DrawQuadBetweenDepths(const std::array<fw::TPoint, 4>& points, int32_t z0, int32_t z1) = 0;
  /// DrawPolygon of the points as given: this canvas ignores z.
  virtual void DrawPolygonAtDepth(std::span<const fw::TPoint> points, int32_t z) = 0;
  /// Pyramid in the box: vertical has its base at y = bottom and its apex at the centre of the
  /// face y = top; horizontal has its base at x = left and its apex at the centre of x = right.
  virtual void DrawPyramid(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom,
                           int32_t z0, int32_t z1, bool dark) = 0;
  virtual void DrawRectangleAtDepth(const fw::TRect& rect, int32_t z) = 0;
  /// Rectangle in the plane of height y between depths z0 and z1.
  virtual void DrawHorizontalPlane(int32_t left, int32_t right, int32_t y, int32_t z0, int32_t z1) = 0;
  /// Rectangle in the plane x between depths z0 and z1.
  virtual void DrawSidePlane(int32_t x, int32_t top, int32_t bottom, int32_t z0, int32_t z1) = 0;
  virtual void WriteRotatedTextAtDepth(int32_t x, int32_t y, int32_t z, const std::string& text,
                                       int32_t angle) = 0;
  virtual void DrawSphere(int32_t x, int32_t y, int32_t z, double radius) = 0;
  /// Surface grids (columns x rows points) are not drawn by this canvas.
  virtual void DrawSurface(std::span<const TPoint3D> grid, int32_t columns, int32_t rows) = 0;
  /// Text projected at depth z; with ZoomText the font size follows the zoom.
  virtual void WriteTextAtDepth(int32_t x, int32_t y, int32_t z, const std::string& text) = 0;
  /// The projected triangle; the brush takes `color0` unless it is clear (the other colours are
  /// for canvases that shade per vertex).
  virtual void DrawTriangle3D(const std::array<TPoint3D, 3>& points, fw::TColor color0, fw::TColor color1,
                              fw::TColor color2) = 0;
  virtual void DrawTriangleAtDepth(const std::array<fw::TPoint, 3>& points, int32_t z) = 0;

  // -- frame state --------------------------------------------------------------------------
  /// Options in force for the current frame (owned by the panel; may be nullptr).
  TView3DOptions* View3DOptions() const { return mView3DOptions; }
  /// True in a 3D frame whose options say Orthogonal.
  bool IsOrthogonal() const { return mIsOrthogonal; }

protected:
  TView3DOptions* mView3DOptions = nullptr;  // not owned
  bool mIsOrthogonal = false;
};

}  // namespace chart
