#pragma once
#include <memory>
#include <string>

namespace chart {

class TCustomChart;

/// A new chart built from a stored layout: one `object Chart1: TChart ... end` block (any
/// registered chart class) whose settings are `Property = value` lines and whose series are
/// nested `object Series1: TFastLineSeries ... end` blocks. The series are owned by the chart.
/// The chart is not placed anywhere (show it in a window, in a TChartWidget, or draw it with
/// DrawToCanvas). Events cannot be bound: a layout that names a handler is refused.
///
/// A bad layout throws fw::FormException whose message starts with "Line n: " and says what was
/// wrong (text that does not parse, an unknown class or property, a value of the wrong kind or
/// one the setter refuses, a root block that is not a chart); nothing built so far survives.
std::unique_ptr<TCustomChart> LoadChartFromText(const std::string& text);
/// As LoadChartFromText, from a UTF-8 file; throws fw::FormException (line 0) when the file
/// cannot be read.
std::unique_ptr<TCustomChart> LoadChartFromFile(const std::string& fileName);

/// The stored layout of the chart and the components it owns (its series): the settings that
/// differ from their defaults, in the form LoadChartFromText reads back to an equal chart. The
/// series' points are not part of it. Throws fw::FormException for what a layout cannot hold
/// (a NaN setting, a series of an unregistered class).
std::string SaveChartToText(TCustomChart& chart);
/// As SaveChartToText, into a file (replaced); throws fw::FormException when it cannot be written.
void SaveChartToFile(TCustomChart& chart, const std::string& fileName);

}  // namespace chart
