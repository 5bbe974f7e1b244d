// Sources that hold one machine per line of delimited text (types 15, 17, 21).
#pragma once

#include <string_view>

#include <cstddef>
#include <limits>

#include "core/read_outcome.h"
#include "core/source_request.h"

inline constexpr std::size_t kAnyFieldCount = std::numeric_limits<std::size_t>::max();

struct DelimitedLineLayout {
  static constexpr std::string_view kFamily = "delimited";

  bool skipFirstLine;
  char16_t delimiter;
  std::size_t minFields;  // a line is used when it has minFields to maxFields fields
  std::size_t maxFields;
  bool macRequired;       // and, if set, a MAC that is not empty
  std::size_t macField;
  std::size_t ipField;
  std::size_t nameField;
};

// Lines of any length are read in constant memory; each value is cut to the
// value buffer (259 units) without splitting a surrogate pair.
[[nodiscard]] ReadOutcome ReadDelimitedLineSource(const SourceRequest& request,
                                                  const DelimitedLineLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request,
                                            const DelimitedLineLayout& layout) {
  return ReadDelimitedLineSource(request, layout);
}
