// Finds the requested fields among the columns of a query's result.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct AccessFieldMatch {
  std::vector<std::size_t> columns;    // the column of each field, when every one was found
  std::optional<std::string> missing;  // otherwise the first field no column is named
};

// Names match as Access matches them: A to Z in either case, everything else
// exactly. A field that two columns match takes the first of them.
[[nodiscard]] AccessFieldMatch MatchAccessFields(const std::vector<std::string>& columnNames,
                                                 const std::vector<std::string>& fields);
