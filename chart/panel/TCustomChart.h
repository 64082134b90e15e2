#pragma once
#include <cstdint>
#include <memory>

#include "chart/panel/TChartLegend.h"
#include "chart/panel/TChartTitle.h"
#include "chart/panel/TChartWall.h"
#include "chart/panel/TCustomAxisPanel.h"

namespace chart {

/// The complete chart: the axis panel with title, foot and the back, left and bottom walls,
/// and the chart's own steps of the frame pipeline (axis layout, series margins, walls, titles).
class TCustomChart : public TCustomAxisPanel {
public:
  explicit TCustomChart(fw::TComponent* owner = nullptr);
  ~TCustomChart() override;

  std::string ClassName() const override { return "TCustomChart"; }

  // ---- frame pipeline steps ---------------------------------------------------------------------

  void LayoutAxes() override;
  void ApplySeriesMargins() override;
  int32_t WallThicknessForAxis(const TCustomChartAxis& axis) const override;
  void PlaceTitlesAndLegend() override;
  void PaintWalls() override;
  bool ColorIsFree(fw::TColor color, bool checkBackground) const override;
  /// The background picture covers the whole panel only when it is not drawn inside the back wall.
  void DrawBackgroundImage(const fw::TRect& rect) override;

  /// Loads a wall's pen and fill into the canvas.
  void SelectWallStyle(const TCustomChartWall& wall);

  // ---- elements -------------------------------------------------------------------------------

  TChartWall& BackWall() const { return *mBackWall; }
  TChartWall& BottomWall() const { return *mBottomWall; }
  TChartWall& LeftWall() const { return *mLeftWall; }
  TChartTitle& Title() const { return *mTitle; }
  TChartTitle& Foot() const { return *mFoot; }
  /// Setting an element copies the values into the owned one.
  void SetBackWall(const TCustomChartWall& value) { mBackWall->Assign(value); }
  void SetBottomWall(const TCustomChartWall& value) { mBottomWall->Assign(value); }
  void SetLeftWall(const TCustomChartWall& value) { mLeftWall->Assign(value); }
  void SetTitle(const TChartTitle& value) { mTitle->Assign(value); }
  void SetFoot(const TChartTitle& value) { mFoot->Assign(value); }
  TChartLegend& Legend() const { return *mLegend; }
  void SetLegend(const TCustomChartLegend& value) { mLegend->Assign(value); }

  // ---- legend support ---------------------------------------------------------------------------

  /// Text of legend item n: the legend's formatting, then OnGetLegendText may replace it.
  std::string LegendTextFor(int32_t n);
  /// The legend's text of point valueIndex of the series (text style and line breaks applied).
  std::string FormattedLegendValue(TChartSeries& series, int32_t valueIndex) override;

  TOnGetLegendPos OnGetLegendPos;    ///< may move each legend item
  TOnGetLegendRect OnGetLegendRect;  ///< may move or resize the legend box
  TOnGetLegendText OnGetLegendText;  ///< may replace each legend item's text

  /// The background picture is drawn inside the back wall instead of over the panel; default false.
  bool BackImageInside() const { return mBackImageInside; }
  void SetBackImageInside(bool value) { ChangeProperty(mBackImageInside, value); }

  /// The back wall's colour. Set at run time on a chart inside a window, it also makes the back
  /// wall's brush solid so that the colour shows.
  fw::TColor BackColor() const { return mBackWall ? mBackWall->Color() : fw::clDefault; }
  void SetBackColor(fw::TColor value);
  /// The back wall's pen (nullptr once the back wall is gone); setting copies into it.
  TChartPen* Frame() const { return mBackWall ? &mBackWall->Pen() : nullptr; }
  void SetFrame(const fw::TPen& value);

  /// Copies BackImageInside, the walls, the legend and the titles, then the axis panel's settings.
  void Assign(const TCustomChartPanel& source) override;

private:
  void PaintBackWall();
  void PaintSideWalls();

  bool mBackImageInside = false;
  std::unique_ptr<TChartWall> mBackWall;
  std::unique_ptr<TChartWall> mBottomWall;
  std::unique_ptr<TChartTitle> mFoot;
  std::unique_ptr<TChartWall> mLeftWall;
  std::unique_ptr<TChartLegend> mLegend;
  std::unique_ptr<TChartTitle> mTitle;
};

/// The chart control of a window.
class TChart : public TCustomChart {
public:
  using TCustomChart::TCustomChart;
  std::string ClassName() const override { return "TChart"; }
};

}  // namespace chart
