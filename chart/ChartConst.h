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

}  // namespace chart::ChartConst
