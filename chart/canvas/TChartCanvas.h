#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "chart/canvas/TGradientDirection.h"
#include "framework/graphics/TPoint.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace fw {
class TSurface;
class TPen;
class TBrush;
class TFont;
class TGraphic;
}  // namespace fw

namespace chart {

class TChartPen;

/// The one way the chart engine draws: an abstract set of primitives over a platform surface.
/// The virtual operations below keep their fixed order; the implementation is TChartCanvas3D.
///
/// Coordinates are pixels in the attached surface's coordinates; rectangles exclude their right
/// and bottom edges. Every primitive draws with the pen, brush and font in force at the call
/// (the surface selects them lazily). Colours may be system colours; they are resolved to RGB
/// before reaching the surface.
class TChartCanvas {
public:
  TChartCanvas() = default;
  virtual ~TChartCanvas() = default;
  TChartCanvas(const TChartCanvas&) = delete;
  TChartCanvas& operator=(const TChartCanvas&) = delete;

  // -- virtual operations, in their fixed order --------------------------------------------
  virtual fw::TColor GetBackgroundColor() = 0;           ///< background colour for text cells and styled lines
  virtual int32_t GetBackgroundMode() = 0;               ///< 1 transparent, 2 opaque
  virtual fw::TSurface* GetSurfaceHandle() = 0;          ///< the attached surface (nullptr before AttachSurface)
  virtual bool Monochrome() const = 0;
  virtual int32_t GetTextAlignment() = 0;                ///< platform text-alignment flags
  virtual bool GetBuffered() const = 0;
  virtual void SetBackgroundColor(fw::TColor color) = 0;
  virtual void SetBackgroundMode(int32_t mode) = 0;      ///< 1 transparent, 2 opaque; passed unchanged
  virtual void SetMonochrome(bool value) = 0;
  virtual void PlotPixel(int32_t x, int32_t y, fw::TColor color) = 0;
  /// Flags passed unchanged: left 0, right 2, centre 6; top 0, bottom 8, baseline 24.
  virtual void SetTextAlignment(int32_t flags) = 0;
  virtual void SetBuffered(bool value) = 0;
  /// Elliptic arc in the bounding box (x1, y1)-(x2, y2), counter-clockwise from the ray
  /// towards (x3, y3) to the ray towards (x4, y4); outline with the pen.
  virtual void DrawArc(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                       int32_t x3, int32_t y3, int32_t x4, int32_t y4) = 0;
  /// Graphic at (x, y) in its own size; background colour := brush colour and text colour :=
  /// font colour first. Nothing for an absent or empty graphic.
  virtual void DrawGraphic(int32_t x, int32_t y, const fw::TGraphic* graphic) = 0;
  virtual void DrawEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  virtual void FillRectangle(const fw::TRect& rect) = 0;  ///< brush only, no outline
  /// Raised/sunk edge `width` pixels deep: top and left in `topColor`, bottom and right in
  /// `bottomColor`; the pen width becomes 1.
  virtual void DrawBevel(const fw::TRect& rect, fw::TColor topColor, fw::TColor bottomColor, int32_t width) = 0;
  virtual void DrawLineTo(int32_t x, int32_t y) = 0;      ///< from the pen position; end pixel excluded
  virtual void MovePenTo(int32_t x, int32_t y) = 0;
  /// Pie wedge; arguments as DrawArc; outline with the pen, inside with the brush.
  virtual void DrawPieSlice(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            int32_t x3, int32_t y3, int32_t x4, int32_t y4) = 0;
  /// Outline with the pen (right and bottom edges exclusive), inside with the brush.
  virtual void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  virtual void DrawRoundedRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                    int32_t cornerWidth, int32_t cornerHeight) = 0;
  virtual void StretchGraphic(const fw::TRect& rect, const fw::TGraphic* graphic) = 0;
  /// Text in the font colour at (x, y) as the alignment flags say; the cell is filled with the
  /// background colour when the background mode is opaque.
  virtual void WriteText(int32_t x, int32_t y, const std::string& text) = 0;
  /// Width / height of the text in the current font; 0 without a surface or for empty text.
  virtual int32_t MeasureTextWidth(const std::string& text);
  virtual int32_t MeasureTextHeight(const std::string& text);
  /// Intersects the clip area with the rectangle: nested calls only shrink it.
  virtual void ClipToRectangle(const fw::TRect& rect) = 0;
  virtual void DrawHorizontalLine(int32_t x1, int32_t x2, int32_t y) = 0;
  virtual void DrawRect(const fw::TRect& rect) = 0;       ///< DrawRectangle with the four sides
  virtual void DrawVerticalLine(int32_t x, int32_t y1, int32_t y2) = 0;
  virtual void EraseArea(const fw::TRect& rect) = 0;      ///< same as FillRectangle
  virtual void FillGradient(const fw::TRect& rect, fw::TColor startColor, fw::TColor endColor,
                            TGradientDirection direction) = 0;
  virtual void MarkDirty() = 0;                           ///< the next paint draws a full frame
  virtual void DrawSegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
  /// Closed polygon: outline with the pen, inside with the brush (alternate fill).
  virtual void DrawPolygon(std::span<const fw::TPoint> points) = 0;
  /// Text rotated counter-clockwise by `angle` degrees about (x, y), transparent background.
  virtual void WriteRotatedText(int32_t x, int32_t y, int32_t angle, const std::string& text) = 0;
  virtual void RemoveClipping() = 0;                      ///< the whole surface is drawable again

  // -- non-virtual ----------------------------------------------------------------------
  /// Makes `surface` the target; the canvas's Pen, Brush and Font become that surface's objects.
  void AttachSurface(fw::TSurface* surface);
  /// Black solid pen of width 1, white solid brush, black font of size 10, white transparent
  /// background. Run at the end of every frame.
  void ResetDrawingState();
  /// Loads a chart pen into the canvas pen: an invisible pen becomes psClear (colour and width
  /// untouched); SmallDots with width 1 gives an every-other-pixel pen; else a plain copy.
  void ApplyChartPen(const TChartPen& pen);
  /// What ApplyChartPen makes of the canvas pen `target`, done to any pen.
  static void ApplyChartPenTo(fw::TPen& target, const TChartPen& pen);
  /// Line height of the current font: MeasureTextHeight("W").
  int32_t CharacterHeight();

  /// The attached surface's own pen, brush and font (require an attached surface).
  fw::TPen& Pen() const { return *mPen; }
  fw::TBrush& Brush() const { return *mBrush; }
  fw::TFont& Font() const { return *mFont; }
  fw::TSurface* Surface() const { return mSurface; }

  /// Carried for the panel's clipping decision; nothing here depends on it.
  bool Metafile() const { return mMetafile; }
  void SetMetafile(bool value) { mMetafile = value; }

protected:
  fw::TSurface* mSurface = nullptr;  // not owned
  fw::TFont* mFont = nullptr;        // the surface's own objects, not owned
  fw::TPen* mPen = nullptr;
  fw::TBrush* mBrush = nullptr;
  bool mMetafile = false;
};

}  // namespace chart
