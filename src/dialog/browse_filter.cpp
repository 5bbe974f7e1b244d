// Splitting a browse filter at its bars.
#include "dialog/browse_filter.h"

namespace {

std::vector<std::string_view> SplitAtBars(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t bar = text.find('|', start);
    parts.push_back(text.substr(start, bar == std::string_view::npos ? bar : bar - start));
    if (bar == std::string_view::npos) return parts;
    start = bar + 1;
  }
}

}  // namespace

std::vector<BrowseFilterEntry> SplitBrowseFilter(std::string_view browseFilter) {
  const std::vector<std::string_view> parts = SplitAtBars(browseFilter);
  std::vector<BrowseFilterEntry> entries;
  for (std::size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
    entries.push_back({parts[i], parts[i + 1]});
  }
  return entries;
}
