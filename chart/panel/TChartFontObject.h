#pragma once
#include <memory>

#include "framework/graphics/TFont.h"

namespace chart {

class TCustomChartPanel;

/// Gives font the chart's default text font: "Arial", 8 points, black, no style, default
/// character set.
void ChartDefaultFont(fw::TFont& font);
/// Whether font differs from the chart default only in properties that are not stored
/// (name, size, colour, style and character set all equal the default's).
bool IsChartDefaultFont(const fw::TFont& font);

/// Base of every chart text element that owns a font (titles, axis titles, legend).
/// The font starts as the chart default font; any change of it repaints the parent panel.
class TChartFontObject {
public:
  explicit TChartFontObject(TCustomChartPanel* parent);
  virtual ~TChartFontObject();
  TChartFontObject(const TChartFontObject&) = delete;
  TChartFontObject& operator=(const TChartFontObject&) = delete;

  TCustomChartPanel* ParentChart() const { return mParent; }
  fw::TFont& Font() const { return *mFont; }
  /// Copies the font's values in (the owned font keeps its change notification).
  void SetFont(const fw::TFont& value) { mFont->Assign(value); }
  /// The font is written with the stored layout only when it differs from the default.
  virtual bool IsFontStored() const { return !IsChartDefaultFont(*mFont); }

  /// Copies the font of another element.
  virtual void Assign(const TChartFontObject& source) { mFont->Assign(*source.mFont); }
  /// Asks the parent panel to repaint (nothing without a parent).
  void Repaint() const;

private:
  TCustomChartPanel* mParent = nullptr;
  std::unique_ptr<fw::TFont> mFont;
};

}  // namespace chart
