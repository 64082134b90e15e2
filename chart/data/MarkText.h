#pragma once
#include <string_view>

namespace chart {

/// Separates the lines of a multi-line text (mark texts, labels).
inline constexpr char MarkLineBreak = '\r';

/// Calls `visit` with each line of `text`, lines separated by MarkLineBreak. A break at the very
/// end starts no further line; an empty text has no lines.
template <typename Visit>
void ForEachMarkLine(std::string_view text, Visit&& visit) {
  while (!text.empty()) {
    const auto at = text.find(MarkLineBreak);
    if (at == std::string_view::npos) {
      visit(text);
      return;
    }
    visit(text.substr(0, at));
    text.remove_prefix(at + 1);
  }
}

}  // namespace chart
