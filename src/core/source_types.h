// The table of the 22 source types: names, browse filter and reader of each.
#pragma once

#include <array>
#include <string_view>

#include "core/diskless_type.h"
#include "core/source_reader.h"

struct SourceTypeInfo {
  DisklessType type;
  std::string_view slug;          // our short ASCII name, for the command line
  std::string_view displayName;   // as the dialog's type list shows it
  std::string_view browseFilter;  // "description|pattern|...||"
  SourceReader reader;
};

[[nodiscard]] const std::array<SourceTypeInfo, kDisklessTypeCount>& SourceTypes();

[[nodiscard]] const SourceTypeInfo& SourceTypeOf(DisklessType type);

// By index ("0" to "21"), slug or display name; nullptr when nothing matches.
[[nodiscard]] const SourceTypeInfo* FindSourceType(std::string_view key);
