// The type list, read from the type table.
#include "dialog/type_list.h"

#include "conversion/source_types.h"

std::array<std::string_view, kDisklessTypeCount> TypeListNames() {
  std::array<std::string_view, kDisklessTypeCount> names;
  for (const SourceTypeInfo& row : SourceTypes()) names[IndexOf(row.type)] = row.displayName;
  return names;
}

std::optional<DisklessType> TypeAtPosition(int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= kDisklessTypeCount) {
    return std::nullopt;
  }
  return SourceTypes()[static_cast<std::size_t>(position)].type;
}

std::string_view BrowseFilterAt(int position) {
  const std::optional<DisklessType> type = TypeAtPosition(position);
  return type ? SourceTypeOf(*type).browseFilter : std::string_view();
}
