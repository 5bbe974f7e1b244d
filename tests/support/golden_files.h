// Golden files: tests/data/<folder>/<slug>.<case>.<ext> beside <slug>.<case>.ONC,
// and every sample under examples/<slug>/ beside tests/data/examples/<slug>.ONC.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "core/diskless_type.h"

struct GoldenCase {
  std::string name;  // <folder>.<slug>.<case>, or examples.<slug>.<file>
  DisklessType type;
  std::filesystem::path source;  // a .sql source is made into a database first
  std::filesystem::path expected;
};

// Test output names the case, not its bytes.
inline void PrintTo(const GoldenCase& golden, std::ostream* out) { *out << golden.name; }

// The fixture folders that hold golden pairs.
inline const std::vector<std::string> kGoldenFolders = {"delimited", "structured", "xml", "sqlite"};

// Every source of the folder with its expected machine list; a file whose name
// starts with no slug fails the calling test.
[[nodiscard]] std::vector<GoldenCase> GoldenCases(const std::string& folder);

// Every golden pair of every folder, and every example.
[[nodiscard]] std::vector<GoldenCase> AllGoldenCases();

// The first line where two texts differ, with its number, both versions
// shown with escapes; empty when they are equal.
[[nodiscard]] std::string FirstDifference(const std::string& actual, const std::string& expected);

// The case's source as a file a reader takes: a .sql source is made into a
// database in the folder first.
[[nodiscard]] std::filesystem::path SourceFileOf(const GoldenCase& golden,
                                                 const std::filesystem::path& folder);

// Converts the case's source through the conversion run and expects success
// and exactly the bytes of the expected file.
void ExpectConvertsTo(const GoldenCase& golden);
