// Splitting the browse filters into what a file dialog offers.
#include <gtest/gtest.h>

#include "conversion/source_types.h"
#include "dialog/browse_filter.h"

namespace {

using Entries = std::vector<BrowseFilterEntry>;

TEST(SplitBrowseFilter, OnePairPerEntryUpToTheFirstEmptyDescription) {
  const struct {
    const char* browseFilter;
    Entries expected;
  } cases[] = {
      {"文件(*.txt)|*.txt|文件(*.json)|*.json| All Files (*.*)|*.*||",
       {{"文件(*.txt)", "*.txt"}, {"文件(*.json)", "*.json"}, {" All Files (*.*)", "*.*"}}},
      {"Pictures|*.png;*.jpg||", {{"Pictures", "*.png;*.jpg"}}},
      {"Nothing after the end|*.a||ignored|*.b", {{"Nothing after the end", "*.a"}}},
      {"No closing bars|*.a", {{"No closing bars", "*.a"}}},
      {"Empty patterns||", {{"Empty patterns", ""}}},
      {"A description alone", {}},
      {"|*.a|", {}},
      {"", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitBrowseFilter(c.browseFilter), c.expected) << c.browseFilter;
  }
}

TEST(SplitBrowseFilter, EveryTypeOffersItsFilesThenEveryFile) {
  for (const SourceTypeInfo& row : SourceTypes()) {
    const Entries entries = SplitBrowseFilter(row.browseFilter);
    ASSERT_GE(entries.size(), 2u) << row.slug;
    EXPECT_EQ(entries.back().patterns, "*.*") << row.slug;
    for (const BrowseFilterEntry& entry : entries) {
      EXPECT_FALSE(entry.patterns.empty()) << row.slug;
      EXPECT_EQ(entry.description.find('|'), std::string_view::npos) << row.slug;
    }
  }
}

}  // namespace
