// Golden files: tests/data/<folder>/<slug>.<case>.<ext> beside <slug>.<case>.ONC.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/diskless_type.h"

struct GoldenCase {
  std::string name;  // <slug>.<case>
  DisklessType type;
  std::filesystem::path source;
  std::filesystem::path expected;
};

// Every source of the folder with its expected machine list; a file whose name
// starts with no slug fails the calling test.
[[nodiscard]] std::vector<GoldenCase> GoldenCases(const std::string& folder);

// Converts source as type through the conversion run and expects success and
// exactly the bytes of the expected file.
void ExpectConvertsTo(DisklessType type, const std::filesystem::path& source,
                      const std::filesystem::path& expected);
