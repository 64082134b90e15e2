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

// Series functions: settings, stored class names, the gallery page and its titles.
inline constexpr const char* FunctionPeriodNegative = "Function Period must be >= 0";
inline constexpr const char* FunctionPeriodAlignInvalid = "Function PeriodAlign must be paFirst, paCenter or paLast";
inline constexpr const char* UnknownFunctionType = "Unknown series function: %s";
inline constexpr const char* FunctionsGalleryPage = "Functions";
inline constexpr const char* FunctionTitleAdd = "Add";
inline constexpr const char* FunctionTitleSubtract = "Subtract";
inline constexpr const char* FunctionTitleMultiply = "Multiply";
inline constexpr const char* FunctionTitleDivide = "Divide";
inline constexpr const char* FunctionTitleHigh = "High";
inline constexpr const char* FunctionTitleLow = "Low";
inline constexpr const char* FunctionTitleAverage = "Average";

// Angle settings (axis labels, axis title); %s is the setting's description.
inline constexpr const char* AngleOutOfRange = "%s Angle must be between 0 and 359 degrees";

// Chart panel: settings, default font, series names.
inline constexpr const char* Chart3DPercentRange = "3D effect percent must be between %d and %d";
inline constexpr const char* MaxPointsPerPageNegative = "MaxPointsPerPage must be >= 0";
inline constexpr const char* ChartDefaultFontName = "Arial";
inline constexpr int ChartDefaultFontSize = 8;
inline constexpr const char* DefaultSeriesTitlePrefix = "Series ";
inline constexpr const char* SeriesIndexOutOfRange = "Series index out of range";
inline constexpr const char* AxisIndexOutOfRange = "Axis index out of range";

// Axes: setting validation and angle descriptions.
inline constexpr const char* AxisMinimumAboveMaximum = "Axis Minimum Value must be <= Maximum";
inline constexpr const char* AxisMaximumBelowMinimum = "Axis Maximum Value must be >= Minimum";
inline constexpr const char* AxisIncrementNegative = "Axis increment must be >= 0";
inline constexpr const char* AxisLogarithmicBaseTooSmall = "Axis Logarithmic Base should be >= 2";
inline constexpr const char* AxisDateTimeLogarithmic = "DateTime Axis cannot be Logarithmic";
inline constexpr const char* AxisLogarithmicNegativeRange = "Logarithmic Axis Min and Max values should be >= 0";
inline constexpr const char* AxisLabelsSeparationNegative = "Labels Separation % must be greater than 0";
inline constexpr const char* AxisLabelsAngleDescription = "Axis Labels";
inline constexpr const char* AxisTitleAngleDescription = "Axis Title";

// Fast line series and series marks.
inline constexpr const char* FastLineSeriesEditorName = "TFastLineSeriesEditor";
inline constexpr const char* MarksPercentOfTotal = "%s of %s";  ///< percentage, total

// Series gallery: page names, entry titles and registry messages.
inline constexpr const char* GalleryPageStandard = "Standard";
inline constexpr const char* GalleryLine = "Line";
inline constexpr const char* GalleryBar = "Bar";
inline constexpr const char* GalleryHorizBar = "Horiz. Bar";
inline constexpr const char* GalleryArea = "Area";
inline constexpr const char* GalleryPoint = "Point";
inline constexpr const char* GalleryPie = "Pie";
inline constexpr const char* GalleryFastLine = "Fast Line";
inline constexpr const char* GalleryUnknownSeriesClass = "Series class is not in the gallery: %s";
inline constexpr const char* GalleryNotASeriesClass = "Not a creatable series class: %s";
inline constexpr const char* GalleryCountBelowOne = "Gallery count must be >= 1";

// Series types: point marker, lines and areas.
inline constexpr const char* PointerSizeRange = "Pointer size must be between 0 and 1000";
inline constexpr const char* YOriginNotFinite = "Origin must be a finite number";

// Bar and horizontal bar series, pie series.
inline constexpr const char* BarWidthPercentRange = "Bar Width Percent must be between 1 and 100";
inline constexpr const char* BarOffsetPercentRange = "Bar Offset Percent must be between -100 and 100";
inline constexpr const char* BarSeriesEditorName = "TBarSeriesEditor";
inline constexpr const char* PieSeriesEditorName = "TPieSeriesEditor";
inline constexpr const char* PieRotationAngleDescription = "Pie Rotation";
inline constexpr const char* PieExplodeBiggestRange = "Pie Explode Biggest must be between 0 and 100";
inline constexpr const char* PieOtherSliceValueNegative = "Pie Other Slice value must be >= 0";
inline constexpr const char* PieOtherSliceDefaultText = "Other";
inline constexpr const char* PieShadowSizeRange = "Pie Shadow size must be between -1000 and 1000";

// Legend settings.
inline constexpr const char* LegendTopPosRange = "Top Legend Position must be between 0 and 100 %";
inline constexpr const char* LegendColorWidthRange = "Legend Color Width must be between 0 and 100 %";
inline constexpr const char* LegendFirstValueNegative = "First Legend Value must be > 0";

}  // namespace chart::ChartConst
