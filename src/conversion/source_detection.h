// Which types can read a source, best first: for a user who does not know
// which system wrote the file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "core/conversion_context.h"
#include "core/diskless_type.h"

struct DetectedType {
  DisklessType type;
  std::size_t machines = 0;  // how many machines converting with this type writes
};

// The types that read the source without failing, best first (see the issue).
[[nodiscard]] std::vector<DetectedType> DetectSourceTypes(const std::filesystem::path& source,
                                                          const ConversionContext& context);
