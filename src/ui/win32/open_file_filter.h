// The type table's browse filters as the open-file dialog's filter list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct FileTypeFilter {
  std::wstring description;
  std::wstring patterns;  // as Windows matches them: "*.*", "*.png;*.jpg"
  bool operator==(const FileTypeFilter&) const = default;
};

// One filter per entry of "description|pattern|...||", in order; an entry
// without patterns is left out, since the dialog could not tell it from the end.
[[nodiscard]] std::vector<FileTypeFilter> FileTypeFiltersOf(std::string_view browseFilter);

// OPENFILENAMEW's lpstrFilter: "description\0patterns\0" for each filter, then
// one more "\0" (the string's own terminator adds a third).
[[nodiscard]] std::wstring OpenFileFilterText(const std::vector<FileTypeFilter>& filters);
