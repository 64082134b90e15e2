#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/canvas/TChartPen.h"
#include "chart/panel/ChartPanelTypes.h"
#include "chart/panel/TChartBrush.h"
#include "chart/panel/TChartFontObject.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace chart {

class TCustomChart;

/// The chart's title (above the plot) or foot (below it): lines of text with an optional
/// background and frame. Drawing it moves the plot rectangle's edge past it.
class TChartTitle : public TChartFontObject {
public:
  explicit TChartTitle(TCustomChart* parentChart);
  ~TChartTitle() override;

  /// The framed box is only as wide as the widest line plus one "W"; default true.
  bool AdjustFrame() const { return mAdjustFrame; }
  void SetAdjustFrame(bool value);
  /// Placement of the lines over the plot width; default taCenter.
  TAlignment Alignment() const { return mAlignment; }
  void SetAlignment(TAlignment value);
  /// Owned background pattern; setting copies.
  TChartBrush& Brush() const { return *mBrush; }
  void SetBrush(const fw::TBrush& value) { mBrush->Assign(value); }
  /// Background colour; clDefault means none.
  fw::TColor Color() const { return mColor; }
  void SetColor(fw::TColor value);
  /// Owned box outline, invisible by default; setting copies.
  TChartHiddenPen& Frame() const { return *mFrame; }
  void SetFrame(const fw::TPen& value) { mFrame->Assign(value); }
  /// The lines of the title; setting copies them and repaints.
  const std::vector<std::string>& Text() const { return mText; }
  void SetText(const std::vector<std::string>& lines);
  bool Visible() const { return mVisible; }  ///< default true
  void SetVisible(bool value);

  /// Area covered in the last frame (for hit testing).
  const fw::TRect& TitleBox() const { return mTitleBox; }
  /// Visible and (x, y) inside TitleBox (left/top inclusive, right/bottom exclusive).
  bool ContainsPoint(int32_t x, int32_t y) const { return mVisible && mTitleBox.Contains(x, y); }

  static constexpr fw::TColor DefaultFontColor = fw::clBlue;
  static constexpr fw::TFontStyles DefaultFontStyle = 0;
  /// Stored unless the name and size are the chart defaults and colour and style the title's.
  bool IsFontStored() const override;

  /// Draws the title (onTop) or the foot at the plot rectangle's top or bottom edge and moves
  /// that edge past it (by nothing for a title without lines or frame).
  void RenderTitle(bool onTop);

  /// From another title: AdjustFrame, Alignment, Brush, Color, Frame, Text, Visible, then the font.
  void Assign(const TChartFontObject& source) override;

private:
  void PrepareBackground();
  int32_t LineX(const fw::TRect& r, int32_t lineWidth, int32_t wW) const;
  void Repaint();

  TCustomChart* mChart;
  bool mAdjustFrame = true;
  TAlignment mAlignment = taCenter;
  std::unique_ptr<TChartBrush> mBrush;
  fw::TColor mColor = fw::clDefault;
  std::unique_ptr<TChartHiddenPen> mFrame;
  std::vector<std::string> mText;
  fw::TRect mTitleBox;
  bool mVisible = true;
};

}  // namespace chart
