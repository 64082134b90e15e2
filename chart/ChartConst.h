#pragma once

// Every fixed text of the chart engine: exception messages, default names and captions.
// Callers use these constants; no message is spelled anywhere else.
namespace chart::ChartConst {

// Angle settings (axis labels, axis title); %s is the setting's description.
inline constexpr const char* AngleOutOfRange = "%s Angle must be between 0 and 359 degrees";

}  // namespace chart::ChartConst
