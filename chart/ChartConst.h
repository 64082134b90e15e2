#pragma once

// Every fixed text of the chart engine: exception messages, default names and captions.
// Callers use these constants; no message is spelled anywhere else.
namespace chart::ChartConst {

// Series data
inline constexpr const char* ValueListNameX = "X";
inline constexpr const char* ValueListNameY = "Y";
inline constexpr const char* DefaultValueFormat = "#,##0.###";
inline constexpr const char* DefaultPercentFormat = "##0.## %";
inline constexpr const char* NoParentChartToValidateDataSource = "No ParentChart to validate DataSource";
inline constexpr const char* NoValidDataSource = "No valid DataSource: %s";
inline constexpr const char* CircularSeriesDependences = "Circular Series dependences are not allowed";

// Angle settings (axis labels, axis title); %s is the setting's description.
inline constexpr const char* AngleOutOfRange = "%s Angle must be between 0 and 359 degrees";

// Chart panel: settings, default font, series names.
inline constexpr const char* Chart3DPercentRange = "3D effect percent must be between %d and %d";
inline constexpr const char* MaxPointsPerPageNegative = "MaxPointsPerPage must be >= 0";
inline constexpr const char* ChartDefaultFontName = "Arial";
inline constexpr int ChartDefaultFontSize = 8;
inline constexpr const char* DefaultSeriesTitlePrefix = "Series ";
inline constexpr const char* SeriesIndexOutOfRange = "Series index out of range";

}  // namespace chart::ChartConst
