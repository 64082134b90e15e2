#pragma once
#include <cstdint>

namespace chart {

/// Which directions a mouse drag may pan the chart in.
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

/// How the panel's background picture covers its rectangle.
enum TChartBackImageMode { pbmStretch, pbmTile, pbmCenter };

/// Horizontal placement of a title's lines over the plot width.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

/// Chart-wide settings: one value for the whole program, never changed at run time.
namespace ChartSettings {
inline constexpr char LineBreakChar = '\r';         ///< separates the lines of a multi-line text
inline constexpr bool ClipPrinted = true;           ///< clipping is allowed while printing
inline constexpr bool ClipMetafile = true;          ///< clipping is allowed while drawing to a metafile
inline constexpr bool PrintPanelFrame = false;      ///< printing leaves out the panel background and border
inline constexpr bool EraseWindowBackground = false;  ///< the window system's background erase is suppressed
}  // namespace ChartSettings

/// Lower and upper limit of Chart3DPercent.
inline constexpr int32_t MinChart3DPercent = 1;
inline constexpr int32_t MaxChart3DPercent = 100;

}  // namespace chart
