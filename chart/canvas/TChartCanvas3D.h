#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chart/canvas/TCanvas3D.h"

namespace fw {
class TBitmap;
}

namespace chart {

/// The chart canvas over the framework's TSurface: 2D primitives, the off-screen frame bitmap,
/// and the flat, orthogonal and rotated projections of chart positions with depth.
///
/// A frame: PrepareSurface -> drawing -> ResetDrawingState -> PresentBuffer. Between frames the
/// panel's own surface is attached, so drawing outside a frame goes straight to the window.
/// The frame bitmap has the target surface's device pixel ratio (a new ratio re-creates it, and
/// RepaintFromBuffer then answers false so that a full frame is drawn); the engine's coordinates
/// stay logical at every ratio.
/// The panel calls MarkDirty on every invalidation; RepaintFromBuffer serves an unchanged paint
/// with one block copy. A change of Monochrome asks the attached options' owner to repaint
/// (TView3DOptions::RequestOwnerRepaint).
///
/// Construction of the solids: faces are drawn only when they turn towards the viewer. The
/// cuboid always draws its front face, then the visible one of its right and left faces (shade
/// 128) and its top face when visible (shade 64). The pyramid has a rectangular base (shade 64)
/// and four triangles to the apex (shade 128 except the one on the front plane); the cone is the
/// always-shaded pyramid. The cylinder's ends are 32-sided polygons; its wall is drawn as
/// outline-free strips plus silhouette and contour edges, its ends shaded like the cuboid face
/// they replace. The 3D pie slice lies in the front plane and is extruded from z0 back to z1:
/// back face, the two radial sides, the rim (up to 64 strips) and the front face, sides shaded by
/// 32. A rotated ellipse is filled as one polygon of its 20 outline points (the same area as a
/// fan of triangles from its centre), then outlined.
class TChartCanvas3D : public TCanvas3D {
public:
  TChartCanvas3D();
  ~TChartCanvas3D() override;

  // 2D operations
  fw::TColor GetBackgroundColor() override;
  int32_t GetBackgroundMode() override;
  fw::TSurface* GetSurfaceHandle() override;
  bool Monochrome() const override { return mMonochrome; }
  int32_t GetTextAlignment() override;
  bool GetBuffered() const override { return mBuffered; }
  void SetBackgroundColor(fw::TColor color) override;
  void SetBackgroundMode(int32_t mode) override;
  /// A different value releases the bitmap, sets Dirty and asks the options' owner to repaint;
  /// the next frame draws into a monochrome bitmap. An equal value does nothing.
  void SetMonochrome(bool value) override;
  void PlotPixel(int32_t x, int32_t y, fw::TColor color) override;
  void SetTextAlignment(int32_t flags) override;
  /// Switching off releases the bitmap and sets Dirty: every paint then draws directly.
  void SetBuffered(bool value) override;
  void DrawArc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
               int32_t y4) override;
  void DrawGraphic(int32_t x, int32_t y, const fw::TGraphic* graphic) override;
  void DrawEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void FillRectangle(const fw::TRect& rect) override;
  void DrawBevel(const fw::TRect& rect, fw::TColor topColor, fw::TColor bottomColor, int32_t width) override;
  void DrawLineTo(int32_t x, int32_t y) override;
  void MovePenTo(int32_t x, int32_t y) override;
  void DrawPieSlice(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                    int32_t y4) override;
  void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void DrawRoundedRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth,
                            int32_t cornerHeight) override;
  void StretchGraphic(const fw::TRect& rect, const fw::TGraphic* graphic) override;
  void WriteText(int32_t x, int32_t y, const std::string& text) override;
  void ClipToRectangle(const fw::TRect& rect) override;
  void DrawHorizontalLine(int32_t x1, int32_t x2, int32_t y) override;
  void DrawRect(const fw::TRect& rect) override;
  void DrawVerticalLine(int32_t x, int32_t y1, int32_t y2) override;
  void EraseArea(const fw::TRect& rect) override;
  /// Bands of solid colour from the start colour at the bottom (vertical bands) or right edge
  /// (horizontal bands), at most 256 of them. For every direction but gdTopBottom and gdLeftRight
  /// the two colours are swapped first (the panel passes them swapped for those).
  void FillGradient(const fw::TRect& rect, fw::TColor startColor, fw::TColor endColor,
                    TGradientDirection direction) override;
  void MarkDirty() override { mDirty = true; }
  void DrawSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void DrawPolygon(std::span<const fw::TPoint> points) override;
  /// Angles above 360 lose 360 once; the brush becomes clear. The font size follows the zoom
  /// when the zoom-text flag is set and ZoomFactor is not 1.
  void WriteRotatedText(int32_t x, int32_t y, int32_t angle, const std::string& text) override;
  void RemoveClipping() override;

  // depth and frame operations
  void PlotPixelAtDepth(int32_t x, int32_t y, int32_t z, fw::TColor color) override;
  bool PrefersDepthDrawing() const override { return false; }
  bool ScalesTextItself() const override { return false; }
  void UnprojectPoint(int32_t& x, int32_t& y, int32_t z) const override;
  fw::TPoint ProjectToPoint(int32_t x, int32_t y, int32_t z) const override;
  /// A flat frame, and an oblique view at 100 % zoom, shift each depth by whole pixels.
  bool ShiftsAtDepth(int32_t z, int64_t& dx, int64_t& dy) const override;
  fw::TRect PrepareSurface(fw::TSurface* target, TView3DOptions* options, fw::TColor backgroundColor, bool view3D,
                           const fw::TRect& rect) override;
  void SetProjectionCenter(int32_t depthWidth, const fw::TRect& panelBounds, const fw::TRect& plotRect) override;
  void PresentBuffer(fw::TSurface* destination, fw::TSurface* defaultSurface, const fw::TRect& rect) override;
  bool RepaintFromBuffer() override;
  /// The next frame redraws every pixel of the frame bitmap: its last picture, if it was moved
  /// to the window rather than copied, need not come back (see fw::TSurface::BlockCopy).
  void DiscardBufferContent();
  void DrawArrow(bool filled, fw::TPoint from, fw::TPoint to, int32_t headWidth, int32_t headLength,
                 int32_t z) override;
  void ClipToBox(const fw::TRect& rect, int32_t z0, int32_t z1) override;
  void DrawCone(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0, int32_t z1,
                bool dark) override;
  void DrawCuboid(int32_t left, int32_t right, int32_t top, int32_t bottom, int32_t z0, int32_t z1,
                  bool dark) override;
  void DrawCylinder(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0,
                    int32_t z1, bool dark) override;
  void DrawHorizontalLineAtDepth(int32_t x1, int32_t x2, int32_t y, int32_t z) override;
  void DrawVerticalLineAtDepth(int32_t x, int32_t y1, int32_t y2, int32_t z) override;
  void DrawDepthLine(int32_t x, int32_t y, int32_t z1, int32_t z2) override;
  void DrawEllipseAtDepth(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) override;
  void BeginFlatDrawing() override;
  void EndFlatDrawing() override;
  void DrawSegmentAtDepth(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) override;
  void MovePenToAtDepth(int32_t x, int32_t y, int32_t z) override;
  void DrawLineToAtDepth(int32_t x, int32_t y, int32_t z) override;
  void DrawPieSlice3D(int32_t xCenter, int32_t yCenter, int32_t xRadius, int32_t yRadius, int32_t z0, int32_t z1,
                      double startAngle, double endAngle, bool darkSides) override;
  void DrawExtrudedSegment(fw::TPoint a, fw::TPoint b, int32_t z0, int32_t z1) override;
  void DrawQuadAtDepth(const std::array<fw::TPoint, 4>& points, int32_t z) override;
  void DrawQuadBetweenDepths(const std::array<fw::TPoint, 4>& points, int32_t z0, int32_t z1) override;
  void DrawPolygonAtDepth(std::span<const fw::TPoint> points, int32_t z) override;
  void DrawPyramid(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0, int32_t z1,
                   bool dark) override;
  void DrawRectangleAtDepth(const fw::TRect& rect, int32_t z) override;
  void DrawHorizontalPlane(int32_t left, int32_t right, int32_t y, int32_t z0, int32_t z1) override;
  void DrawSidePlane(int32_t x, int32_t top, int32_t bottom, int32_t z0, int32_t z1) override;
  void WriteRotatedTextAtDepth(int32_t x, int32_t y, int32_t z, const std::string& text, int32_t angle) override;
  void DrawSphere(int32_t x, int32_t y, int32_t z, double radius) override;
  void DrawSurface(std::span<const TPoint3D> grid, int32_t columns, int32_t rows) override;
  void WriteTextAtDepth(int32_t x, int32_t y, int32_t z, const std::string& text) override;
  void DrawTriangle3D(const std::array<TPoint3D, 3>& points, fw::TColor color0, fw::TColor color1,
                      fw::TColor color2) override;
  void DrawTriangleAtDepth(const std::array<fw::TPoint, 3>& points, int32_t z) override;

  /// Replaces (x, y) by the screen position of chart position (x, y, z) in the current frame.
  void ProjectInPlace(int32_t& x, int32_t& y, int32_t z) const;

  // -- state ------------------------------------------------------------------------------
  bool Buffered() const { return mBuffered; }
  bool Dirty() const { return mDirty; }
  bool Is3D() const { return mIs3D; }                      ///< the current frame projects depth
  bool ZoomText() const { return mZoomText; }
  double ZoomFactor() const { return mZoomFactor; }        ///< Zoom * 0.01 in 3D frames with options, else 1
  double PerspectiveFactor() const { return mPerspectiveFactor; }
  TPoint3D ProjectionCenter() const { return mProjectionCenter; }
  fw::TPoint CenterOffset() const { return mCenterOffset; }
  const fw::TRect& RequestedRect() const { return mRequestedRect; }
  /// The off-screen bitmap (nullptr until the first buffered frame and after a release).
  fw::TBitmap* Bitmap() const { return mBitmap.get(); }

  /// The nine rotation coefficients of the rotated projection.
  struct TRotation {
    double XX = 1, XY = 0, XZ = 0;
    double YX = 0, YY = 1, YZ = 0;
    long double PX = 0, PY = 0;  // perspective weights
    double PZ = 0;
  };
  const TRotation& Rotation() const { return mRotation; }

private:
  void ComputeRotation();
  void ReleaseBitmap();
  void CopyBitmapTo(fw::TSurface& destination, int32_t x, int32_t y);
  void WriteTextWithFontSize(int32_t x, int32_t y, const std::string& text, int32_t size);
  void DrawRotatedEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z);
  void DrawQuad3D(const std::array<TPoint3D, 4>& corners);  // projects into the scratch quad
  void DrawScratchPolygon();
  struct TVec {
    double X = 0, Y = 0, Z = 0;
  };
  /// Projects the face into the scratch points, first ordering it so that its normal points at
  /// `interior`; true when the face turns towards the viewer.
  bool ProjectFace(std::span<TPoint3D> face, const TVec& interior);
  /// The curved side between two contours (cylinder wall, pie rim): visible segments filled
  /// without outlines, then the visible contour edges and silhouette lines with the pen.
  void DrawSmoothSide(std::span<const TPoint3D> front, std::span<const TPoint3D> back, bool closed,
                      const TVec& interior);
  fw::TColor FaceColor();  // the colour that shading darkens: brush colour when solid, else background
  void SetFaceColor(fw::TColor color);

  TPoint3D mProjectionCenter;
  fw::TPoint mCenterOffset;
  TRotation mRotation;
  bool mIs3D = false;
  bool mSavedIs3D = false;
  std::unique_ptr<fw::TBitmap> mBitmap;
  bool mBuffered = true;
  bool mMonochrome = false;
  bool mDirty = true;
  fw::TRect mRequestedRect;
  bool mZoomText = true;
  double mZoomFactor = 1.0;
  double mPerspectiveFactor = 0.0;
  std::array<fw::TPoint, 4> mQuad{};  // scratch for the quadrilateral operations
  std::vector<fw::TPoint> mScratch;   // scratch for ellipses, cylinders and pies; capacity kept
};

}  // namespace chart
