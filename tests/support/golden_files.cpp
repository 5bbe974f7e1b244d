// Finding golden file pairs and checking a conversion against one.
#include "support/golden_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "conversion/conversion_run.h"
#include "conversion/source_types.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/sqlite_fixture.h"
#include "support/test_files.h"

namespace fs = std::filesystem;

std::vector<GoldenCase> GoldenCases(const std::string& folder) {
  std::vector<GoldenCase> cases;
  for (const auto& file : fs::directory_iterator(TestDataPath(folder))) {
    if (file.path().extension() == ".ONC") continue;
    const std::string stem = file.path().stem().string();
    const SourceTypeInfo* type = FindSourceType(stem.substr(0, stem.find('.')));
    EXPECT_NE(type, nullptr) << file.path() << " does not start with a slug";
    if (!type) continue;
    fs::path expected = file.path();
    expected.replace_extension(".ONC");
    cases.push_back({folder + "." + stem, type->type, file.path(), expected});
  }
  std::sort(cases.begin(), cases.end(),
            [](const GoldenCase& a, const GoldenCase& b) { return a.name < b.name; });
  EXPECT_FALSE(cases.empty()) << "no golden files in " << folder;
  return cases;
}

std::vector<GoldenCase> AllGoldenCases() {
  std::vector<GoldenCase> cases;
  for (const std::string& folder : kGoldenFolders) {
    for (GoldenCase& golden : GoldenCases(folder)) cases.push_back(std::move(golden));
  }
  for (const SourceTypeInfo& row : SourceTypes()) {
    for (const fs::path& source : ExampleSources(row.slug)) {
      cases.push_back({"examples." + std::string(row.slug) + "." + source.filename().string(),
                       row.type, source, ExampleOutput(row.slug)});
    }
  }
  return cases;
}

namespace {

std::string Escaped(std::string_view line) {
  std::string text;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\t') {
      text += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      text += hex;
    } else {
      text += c;
    }
  }
  return text;
}

std::string_view LineAt(std::string_view text, std::size_t start) {
  if (start >= text.size()) return "(end of file)";
  return text.substr(start, text.find('\n', start) - start);
}

}  // namespace

std::string FirstDifference(const std::string& actual, const std::string& expected) {
  if (actual == expected) return {};
  const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  const std::size_t at = static_cast<std::size_t>(a - actual.begin());
  const std::size_t lineStart = actual.rfind('\n', at == 0 ? 0 : at - 1);
  const std::size_t start = lineStart == std::string::npos || at == 0 ? 0 : lineStart + 1;
  const auto lineNumber = 1 + std::count(actual.begin(), actual.begin() + static_cast<std::ptrdiff_t>(start), '\n');
  (void)e;
  return "first difference in line " + std::to_string(lineNumber) + ":\n  actual:   " +
         Escaped(LineAt(actual, start)) + "\n  expected: " + Escaped(LineAt(expected, start));
}

fs::path SourceFileOf(const GoldenCase& golden, const fs::path& folder) {
  if (golden.source.extension() != ".sql") return golden.source;
  const fs::path database = folder / "source.db";
  MakeSqliteDatabase(database, ReadFileBytes(golden.source));
  return database;
}

void ExpectConvertsTo(const GoldenCase& golden) {
  ScratchDir dir;
  const fs::path source = SourceFileOf(golden, dir.path());
  RecordingHost host;
  ConvertMachineList(golden.type, source, dir / "out.ONC", ConversionContext::Default(), host);
  ASSERT_EQ(host.messages, std::vector{Message::Success}) << golden.source;
  const std::string difference =
      FirstDifference(ReadFileBytes(dir / "out.ONC"), ReadFileBytes(golden.expected));
  EXPECT_TRUE(difference.empty()) << golden.source << "\n" << difference;
}
