// Browse filter entries in UTF-16, and the NUL-separated form of the dialog.
#include "ui/win32/open_file_filter.h"

#include "dialog/browse_filter.h"
#include "ui/win32/utf16.h"

std::vector<FileTypeFilter> FileTypeFiltersOf(std::string_view browseFilter) {
  std::vector<FileTypeFilter> filters;
  for (const BrowseFilterEntry& entry : SplitBrowseFilter(browseFilter)) {
    if (entry.patterns.empty()) continue;
    filters.push_back({Utf16FromUtf8(entry.description), Utf16FromUtf8(entry.patterns)});
  }
  return filters;
}

std::wstring OpenFileFilterText(const std::vector<FileTypeFilter>& filters) {
  std::wstring text;
  for (const FileTypeFilter& filter : filters) {
    text += filter.description;
    text += L'\0';
    text += filter.patterns;
    text += L'\0';
  }
  text += L'\0';
  return text;
}
