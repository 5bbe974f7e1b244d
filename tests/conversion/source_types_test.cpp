// The type table: lookups, and the files elsewhere that must agree with it.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "conversion/source_types.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

std::string_view FamilyOf(const SourceTypeInfo& row) {
  return std::visit([](const auto& layout) { return layout.kFamily; }, row.settings);
}

std::string SourceFile(const std::string& relative) {
  return ReadFileBytes(fs::path(ZEMBRIX_SOURCE_DIR) / relative);
}

TEST(FindSourceType, AcceptsIndexSlugAndDisplayName) {
  const std::pair<std::string, DisklessType> cases[] = {
      {"0", DisklessType::Ald},          {"21", DisklessType::Lvhua},
      {"xinyou", DisklessType::Xinyou},  {"fanggezi-v5", DisklessType::FanggeziV5},
      {"信佑或迅闪", DisklessType::Xinyou}, {"SANBOOT(方格子)", DisklessType::Sanboot},
  };
  for (const auto& [key, type] : cases) {
    const SourceTypeInfo* row = FindSourceType(key);
    ASSERT_NE(row, nullptr) << key;
    EXPECT_EQ(row->type, type) << key;
  }
}

TEST(FindSourceType, RejectsWhatNamesNoType) {
  for (const char* key : {"22", "-1", "", "ALD ", "Xinyou", "1x", "99999999999999999999"}) {
    EXPECT_EQ(FindSourceType(key), nullptr) << key;
  }
}

TEST(SourceTypes, EveryFilterEndsWithItsClosingPair) {
  for (const SourceTypeInfo& row : SourceTypes()) {
    EXPECT_TRUE(row.browseFilter.ends_with("|*.*||")) << row.slug;
  }
}

// fuzz/targets.txt names reader families; the fuzzers take their types from
// the table. Every family in the table needs its target, and no target may
// name a family that reads no type.
TEST(SourceTypes, EveryReaderFamilyHasAFuzzTarget) {
  std::set<std::string> targets;
  std::istringstream lines(SourceFile("fuzz/targets.txt"));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] < 'a' || line[0] > 'z') continue;
    targets.insert(line.substr(0, line.find_first_of(" \t")));
  }
  std::set<std::string> families{"convert"};
  for (const SourceTypeInfo& row : SourceTypes()) families.emplace(FamilyOf(row));
  EXPECT_EQ(targets, families);
}

// The benchmark writes one source per type: its list of writers follows the table.
TEST(SourceTypes, TheBenchmarkHasOneSourceWriterPerType) {
  const std::string writers = SourceFile("bench/source_writers.py");
  const std::string forms = writers.substr(writers.find("SOURCE_FORMS = ["));
  const std::regex row(R"re(\n\s*\("([a-z0-9-]+)",)re");
  std::vector<std::string> slugs;
  for (std::sregex_iterator it(forms.begin(), forms.end(), row), end; it != end; ++it) {
    slugs.push_back((*it)[1]);
  }
  std::vector<std::string> expected;
  for (const SourceTypeInfo& row : SourceTypes()) expected.emplace_back(row.slug);
  EXPECT_EQ(slugs, expected);
}

}  // namespace
