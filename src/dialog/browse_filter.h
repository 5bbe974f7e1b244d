// The type table's browse filters, split into what a file dialog offers.
#pragma once

#include <string_view>
#include <vector>

struct BrowseFilterEntry {
  std::string_view description;  // exactly as written, blanks included
  std::string_view patterns;     // Windows' patterns: "*.*" is every file, ";" separates
  bool operator==(const BrowseFilterEntry&) const = default;
};

// "description|pattern|description|pattern||" becomes one entry per pair, in
// order. The list ends at the first empty description ("||"), as Windows' file
// dialog ends it; what follows is not read. The views point into browseFilter.
[[nodiscard]] std::vector<BrowseFilterEntry> SplitBrowseFilter(std::string_view browseFilter);
