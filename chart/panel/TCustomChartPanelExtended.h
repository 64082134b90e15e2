#pragma once
#include <cstdint>
#include <memory>

#include "chart/panel/ChartPanelTypes.h"
#include "chart/panel/TChartGradient.h"
#include "chart/panel/TCustomChartPanel.h"
#include "framework/controls/ControlTypes.h"

namespace fw {
class TPicture;
}

namespace chart {

/// Chart panel with a background gradient or picture and the zoom and panning settings.
class TCustomChartPanelExtended : public TCustomChartPanel {
public:
  explicit TCustomChartPanelExtended(fw::TComponent* owner = nullptr);
  ~TCustomChartPanelExtended() override;

  /// Draws BackImage over rect (at depth 0) when the picture holds a graphic.
  virtual void DrawBackgroundImage(const fw::TRect& rect);
  /// The gradient when visible, else the solid Color.
  virtual void FillPanelBackground(const fw::TRect& rect);
  /// Fill, background picture, border: the first step of every frame.
  virtual void PaintPanelBackground(const fw::TRect& rect);

  /// Draws BackImage into rect at depth z by BackImageMode (stretched, tiled or centred).
  /// Nothing without a graphic, or at a depth other than 0 in a rotated 3D view.
  void DrawBackImageAt(const fw::TRect& rect, int32_t z);

  // ---- settings ----------------------------------------------------------------------------

  int32_t AnimatedZoomSteps() const { return mAnimatedZoomSteps; }  ///< default 8
  void SetAnimatedZoomSteps(int32_t value) { ChangeProperty(mAnimatedZoomSteps, value); }
  bool AnimatedZoom() const { return mAnimatedZoom; }  ///< default false
  void SetAnimatedZoom(bool value) { ChangeProperty(mAnimatedZoom, value); }
  bool AllowZoom() const { return mAllowZoom; }  ///< default true
  void SetAllowZoom(bool value) { ChangeProperty(mAllowZoom, value); }
  TPanningMode AllowPanning() const { return mAllowPanning; }  ///< default pmBoth
  void SetAllowPanning(TPanningMode value);

  /// Owned background picture; its changes repaint. Setting copies the picture.
  fw::TPicture& BackImage() const { return *mBackImage; }
  void SetBackImage(const fw::TPicture& value);
  TChartBackImageMode BackImageMode() const { return mBackImageMode; }  ///< default pbmStretch
  void SetBackImageMode(TChartBackImageMode value);

  /// Owned background gradient; setting copies the values.
  TChartGradient& Gradient() const { return *mGradient; }
  void SetGradient(const TCustomChartGradient& value);

  /// True while the axes show a mouse zoom.
  bool ZoomApplied() const { return mZoomApplied; }
  void SetZoomApplied(bool value) { mZoomApplied = value; }

  fw::TNotifyEvent OnAfterDraw;
  fw::TNotifyEvent OnScroll;
  fw::TNotifyEvent OnUndoZoom;
  fw::TNotifyEvent OnZoom;

  /// Copies BackImage, BackImageMode, Gradient and the zoom and panning settings, then the
  /// base panel's settings.
  void Assign(const TCustomChartPanel& source) override;

private:
  void DrawTiled(const fw::TRect& rect, int32_t width, int32_t height);

  int32_t mAnimatedZoomSteps = 8;
  bool mAnimatedZoom = false;
  bool mAllowZoom = true;
  TPanningMode mAllowPanning = pmBoth;
  std::unique_ptr<fw::TPicture> mBackImage;
  TChartBackImageMode mBackImageMode = pbmStretch;
  std::unique_ptr<TChartGradient> mGradient;
  bool mZoomApplied = false;
};

}  // namespace chart
