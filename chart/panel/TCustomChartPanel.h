#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "chart/panel/ChartPanelTypes.h"
#include "chart/panel/TZoomPanningRecord.h"
#include "framework/controls/TCustomPanel.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace fw {
class TSurface;
class TFont;
}  // namespace fw

namespace chart {

class TChartCanvas3D;
class TView3DOptions;

/// The window control a chart lives in. Owns the chart canvas, the 3D view options, the margins
/// and the two drag records; decides per paint between a copy of the cached frame and a full new
/// frame, computes the first plot rectangle from size and margins, and paints the panel
/// background and border. What is drawn inside the frame is supplied by DrawContent.
class TCustomChartPanel : public fw::TCustomPanel {
public:
  explicit TCustomChartPanel(fw::TComponent* owner = nullptr);
  ~TCustomChartPanel() override;

  // ---- frame pipeline hooks -------------------------------------------------------------------

  /// Draws the chart inside bounds (the frame rectangle); runs inside a paint only.
  virtual void DrawContent(const fw::TRect& bounds) = 0;
  /// Change handler wired into every owned font, pen, brush, picture and text list: repaints.
  virtual void NotifyChange();
  /// Draws one complete frame onto surface, at rect (window coordinates of the surface).
  virtual void DrawToCanvas(fw::TSurface& surface, const fw::TRect& rect);
  /// Outer bevel, border frame and inner bevel, each shrinking rect inward.
  virtual void DrawPanelBorder(const fw::TRect& rect);
  /// Copies font into the canvas font, converting its size at the canvas font's resolution.
  virtual void SelectFont(const fw::TFont& font) const;
  /// The rectangle a paint covers: the client rectangle.
  virtual fw::TRect GetPaintArea() const;

  // ---- invalidation and compare-and-store -----------------------------------------------------

  /// Marks the cached frame dirty and asks the window for a paint; nothing while RepaintEnabled
  /// is false. Never draws.
  void Invalidate() override;
  /// Store value in field and invalidate, only when it differs. Returns whether it changed.
  bool ChangeProperty(int32_t& field, int32_t value);
  bool ChangeProperty(bool& field, bool value);
  bool ChangeProperty(double& field, double value);
  bool ChangeProperty(std::string& field, const std::string& value);

  bool RepaintEnabled() const { return mRepaintEnabled; }
  /// Turns invalidation on or off (off while building several changes into one frame).
  void SetRepaintEnabled(bool value) { mRepaintEnabled = value; }

  // ---- plot rectangle and frame geometry (rebuilt in every frame) -----------------------------

  const fw::TRect& PanelBounds() const { return mPanelBounds; }
  const fw::TRect& PlotRect() const { return mPlotRect; }
  /// Replaces the plot rectangle and normalizes it; a layout step, not a setting (no repaint).
  void SetPlotRect(const fw::TRect& rect);
  int32_t PlotWidth() const { return mPlotWidth; }
  int32_t PlotHeight() const { return mPlotHeight; }
  int32_t PlotCenterX() const { return mPlotCenterX; }
  int32_t PlotCenterY() const { return mPlotCenterY; }
  /// Total depth of the 3D effect in x and y (pixels), 0 in 2D; set by the layout in each frame.
  int32_t DepthWidth() const { return mDepthWidth; }
  int32_t DepthHeight() const { return mDepthHeight; }

  /// Keeps the plot rectangle inside the panel's left/top edge and never empty or inverted:
  /// an inverted side is widened to one pixel, a collapsed one to the control's width/height.
  /// Recomputes PlotWidth, PlotHeight and the centre.
  void NormalizePlotRect();
  /// The first plot rectangle of a frame: bounds less the border width and the margins
  /// (percent of the bounds' width or height, rounded to nearest), before normalization.
  fw::TRect MarginPlotRect(const fw::TRect& bounds) const;

  // ---- settings ----------------------------------------------------------------------------

  /// Depth of the 3D effect, percent; 1..100, default 15. Throws ChartException outside.
  int32_t Chart3DPercent() const { return mChart3DPercent; }
  void SetChart3DPercent(int32_t value);

  enum TMarginSide { msLeft, msTop, msRight, msBottom };
  /// Margins in percent of the panel's width (left, right) or height (top, bottom);
  /// defaults 3, 4, 3, 4. Not validated: NormalizePlotRect repairs extreme values.
  int32_t Margin(TMarginSide side) const { return mMargins[side]; }
  void SetMargin(TMarginSide side, int32_t value);
  int32_t MarginLeft() const { return mMargins[msLeft]; }
  int32_t MarginTop() const { return mMargins[msTop]; }
  int32_t MarginRight() const { return mMargins[msRight]; }
  int32_t MarginBottom() const { return mMargins[msBottom]; }
  void SetMarginLeft(int32_t value) { SetMargin(msLeft, value); }
  void SetMarginTop(int32_t value) { SetMargin(msTop, value); }
  void SetMarginRight(int32_t value) { SetMargin(msRight, value); }
  void SetMarginBottom(int32_t value) { SetMargin(msBottom, value); }

  /// Draw in 3D; default true.
  bool View3D() const { return mView3D; }
  void SetView3D(bool value);
  /// Owned 3D settings; setting copies the values in.
  TView3DOptions& View3DOptions() const { return *mView3DOptions; }
  void SetView3DOptions(const TView3DOptions& value);
  /// Each series gets its own depth slot in 3D; always true.
  bool StackSeriesInDepth() const { return mStackSeriesInDepth; }

  /// Draw in black and white (the canvas's setting); default false.
  bool Monochrome() const;
  void SetMonochrome(bool value);
  /// Frames are built off-screen and copied in one block (the canvas's setting); default true.
  bool BufferedDisplay() const;
  void SetBufferedDisplay(bool value);

  bool PrintProportional() const { return mPrintProportional; }
  void SetPrintProportional(bool value) { mPrintProportional = value; }
  bool PrintingActive() const { return mPrintingActive; }
  void SetPrintingActive(bool value) { mPrintingActive = value; }
  int32_t PrintResolution() const { return mPrintResolution; }
  void SetPrintResolution(int32_t value) { mPrintResolution = value; }
  const fw::TRect& PrintMarginPercents() const { return mPrintMarginPercents; }

  /// Cursor shown when no drag or series hover changes it; re-read from Cursor after loading.
  fw::TCursor RestingCursor() const { return mRestingCursor; }
  void SetRestingCursor(fw::TCursor value) { mRestingCursor = value; }
  bool SuppressMouse() const { return mSuppressMouse; }
  void SetSuppressMouse(bool value) { mSuppressMouse = value; }

  TZoomPanningRecord& PanDrag() { return *mPanDrag; }
  TZoomPanningRecord& ZoomDrag() { return *mZoomDrag; }
  const TZoomPanningRecord& PanDrag() const { return *mPanDrag; }
  const TZoomPanningRecord& ZoomDrag() const { return *mZoomDrag; }

  /// The chart canvas: the only way the chart draws. (The control's own surface, which the
  /// canvas is attached to between frames, stays reachable as WindowSurface().)
  TChartCanvas3D& Canvas() const { return *mCanvas; }
  fw::TSurface& WindowSurface();

  // ---- services for the drawing layers ----------------------------------------------------

  /// False when the canvas prefers depth drawing; otherwise clipping is allowed (printing and
  /// metafiles allow it too with the chart-wide settings).
  bool ClippingAllowed() const;
  /// Width of the widest line of text (lines split at LineBreakChar, a trailing break adds no
  /// line) in the canvas font; lineCount receives the number of lines.
  int32_t MeasureMultiLineText(const std::string& text, int32_t& lineCount) const;
  /// Prepares the canvas brush for a filled shape; a hatch in the background colour is drawn in
  /// black (or white on black) so that it stays visible.
  void ApplyFillBrush(fw::TColor color, fw::TBrushStyle style, fw::TColor backColor);
  /// Draws (or, drawn again, erases) the not-xor zoom rectangle of ZoomDrag.
  void ToggleZoomFrame();

  /// Copies buffered display, printing settings, margins, Monochrome, View3D, View3DOptions,
  /// Chart3DPercent and Color from another panel.
  virtual void Assign(const TCustomChartPanel& source);

  void Loaded() override;
  /// The mouse left the panel: the resting cursor returns and a panning drag ends.
  void MouseLeave() override;

protected:
  /// A copy of the cached frame when nothing changed, else a full frame (nothing while printing).
  void Paint() override;

  void SetDepthSizes(int32_t depthWidth, int32_t depthHeight) {
    mDepthWidth = depthWidth;
    mDepthHeight = depthHeight;
  }

private:
  int32_t mChart3DPercent = 15;
  bool mStackSeriesInDepth = true;
  fw::TRect mPanelBounds;
  int32_t mPlotWidth = 0;
  int32_t mPlotHeight = 0;
  int32_t mPlotCenterX = 0;
  int32_t mPlotCenterY = 0;
  int32_t mDepthHeight = 0;
  int32_t mMargins[4] = {3, 4, 3, 4};
  fw::TCursor mRestingCursor = 0;
  std::unique_ptr<TZoomPanningRecord> mPanDrag;
  bool mPrintingActive = false;
  bool mPrintProportional = true;
  int32_t mPrintResolution = 0;
  bool mView3D = true;
  std::unique_ptr<TView3DOptions> mView3DOptions;
  int32_t mDepthWidth = 0;
  std::unique_ptr<TZoomPanningRecord> mZoomDrag;
  std::unique_ptr<TChartCanvas3D> mCanvas;
  bool mRepaintEnabled = false;
  bool mSuppressMouse = false;
  fw::TRect mPlotRect;
  fw::TRect mPrintMarginPercents{15, 15, 15, 15};
};

}  // namespace chart
