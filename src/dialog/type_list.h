// The dialog's type list: position i is type i of the type table.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/diskless_type.h"

// The names the list shows, in order (UTF-8).
[[nodiscard]] std::array<std::string_view, kDisklessTypeCount> TypeListNames();

// The type at a list position; nothing for no selection (-1) or a position past the list.
[[nodiscard]] std::optional<DisklessType> TypeAtPosition(int position);

// The browse filter ("description|pattern|...||") of the type at a position;
// empty where TypeAtPosition gives nothing.
[[nodiscard]] std::string_view BrowseFilterAt(int position);
