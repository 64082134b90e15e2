#pragma once

// Every fixed text of the chart engine: exception messages, default names and captions.
// Callers use these constants; no message is spelled anywhere else.
namespace chart::ChartConst {

}  // namespace chart::ChartConst
