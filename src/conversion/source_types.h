// The table of the 22 source types: everything that differs from type to type.
#pragma once

#include <array>
#include <string_view>

#include "conversion/reader_settings.h"
#include "core/diskless_type.h"
#include "core/source_request.h"

struct SourceTypeInfo {
  DisklessType type;
  std::string_view slug;          // our short ASCII name, for the command line
  std::string_view displayName;   // as the dialog's type list shows it
  std::string_view browseFilter;  // "description|pattern|...||"
  SourceMessages messages;        // what the type shows when its source cannot be read
  ReaderSettings settings;        // which reader, and how it reads this type
};

[[nodiscard]] const std::array<SourceTypeInfo, kDisklessTypeCount>& SourceTypes();

[[nodiscard]] const SourceTypeInfo& SourceTypeOf(DisklessType type);

// By index ("0" to "21"), slug or display name; nullptr when nothing matches.
[[nodiscard]] const SourceTypeInfo* FindSourceType(std::string_view key);
