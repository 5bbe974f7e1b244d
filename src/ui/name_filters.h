// The type table's browse filter, as the name filters of Qt's file dialog.
#pragma once

#include <QStringList>
#include <string_view>

// "description|pattern|description|pattern||" becomes one "description (patterns)"
// entry per pair, in order. The description stays exactly as written, blanks
// included; the patterns follow Windows' matching: "*.*" is every file, ";"
// separates several patterns. Open the dialog with QFileDialog's
// HideNameFilterDetails so that the user sees the descriptions alone.
[[nodiscard]] QStringList NameFiltersFromBrowseFilter(std::string_view browseFilter);
