#pragma once
#include <memory>
#include <string>
#include <vector>

#include "chart/panel/ChartPanelTypes.h"
#include "chart/panel/TChartFontObject.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace chart {

class TChartBrush;
class TChartHiddenPen;
class TChartPen;

/// A chart title (above the plot) or foot (below it): lines of text in a font, an optional
/// background and frame, aligned over the plot width. Drawing it moves the plot rectangle's
/// top (title) or bottom (foot) edge past it.
class TChartTitle : public TChartFontObject {
public:
  explicit TChartTitle(TCustomChartPanel* parent);
  ~TChartTitle() override;

  /// A framed or filled box is only as wide as the widest line plus one "W"; default true.
  bool AdjustFrame() const { return mAdjustFrame; }
  void SetAdjustFrame(bool value);

  /// Placement over the plot width; default taCenter.
  TAlignment Alignment() const { return mAlignment; }
  void SetAlignment(TAlignment value);

  /// Background pattern; setting copies.
  TChartBrush& Brush() const { return *mBrush; }
  void SetBrush(const TChartBrush& value);

  /// Background colour; clDefault (the default) means none.
  fw::TColor Color() const { return mColor; }
  void SetColor(fw::TColor value);

  /// Box outline, invisible by default; setting copies.
  TChartHiddenPen& Frame() const { return *mFrame; }
  void SetFrame(const TChartPen& value);

  /// The lines of the title; setting copies the lines and repaints.
  const std::vector<std::string>& Text() const { return mText; }
  void SetText(const std::vector<std::string>& lines);

  /// Area covered in the last frame (for hit testing).
  const fw::TRect& TitleBox() const { return mTitleBox; }

  /// Default true.
  bool Visible() const { return mVisible; }
  void SetVisible(bool value);

  /// Visible and (x, y) inside TitleBox (right and bottom exclusive).
  bool ContainsPoint(int32_t x, int32_t y) const;

  /// The font is stored unless name and size are the default ones and colour and style equal
  /// the title's default font colour (blue) and style (none).
  bool IsFontStored() const override;

  /// Draws the title (onTop) or the foot (!onTop) into the parent's canvas and moves the
  /// parent's plot rectangle edge past it. Runs inside a frame only.
  void RenderTitle(bool onTop);

  /// Copies AdjustFrame, Alignment, Brush, Color, Frame, Text and Visible, then the font.
  void Assign(const TChartFontObject& source) override;

private:
  void Changed() const;
  /// Sets up the canvas brush and background for the box; may adopt the brush colour.
  void SelectBackground();

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
