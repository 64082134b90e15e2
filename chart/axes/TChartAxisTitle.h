#pragma once
#include <cstdint>
#include <string>

#include "chart/panel/TChartFontObject.h"

namespace chart {

class TCustomChartAxis;

/// The title of an axis: a caption drawn along the axis in its own font at an angle.
/// Any change repaints the chart that owns the axis.
class TChartAxisTitle : public TChartFontObject {
public:
  explicit TChartAxisTitle(TCustomChartAxis& axis);

  /// Degrees, counter-clockwise (default: the axis' default title angle). The angle check
  /// rejects values outside 0..359 with its ChartException; the old value stays.
  int32_t Angle() const { return mAngle; }
  void SetAngle(int32_t value);
  const std::string& Caption() const { return mCaption; }
  void SetCaption(const std::string& value);
  TCustomChartAxis& Axis() const { return *mAxis; }

  /// Copies Angle, Caption and the font.
  void CopySettingsFrom(const TChartAxisTitle& source);

private:
  void Changed();

  int32_t mAngle = 0;
  TCustomChartAxis* mAxis;  // not owned: the axis owns its title
  std::string mCaption;
};

}  // namespace chart
