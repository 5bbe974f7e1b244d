// Looking types up by index, slug and display name.
#include <gtest/gtest.h>

#include "core/source_types.h"

namespace {

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

TEST(SourceTypes, EveryRowHasAReaderAndAFilterWithItsClosingPair) {
  for (const SourceTypeInfo& row : SourceTypes()) {
    EXPECT_NE(row.reader, nullptr) << row.slug;
    EXPECT_TRUE(row.browseFilter.ends_with("|*.*||")) << row.slug;
  }
}

}  // namespace
