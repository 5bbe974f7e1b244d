// The type list: its names, and what a list position stands for.
#include <gtest/gtest.h>

#include <climits>

#include "conversion/source_types.h"
#include "dialog/type_list.h"

namespace {

TEST(TypeListNames, AreTheTableNamesInTableOrder) {
  const auto names = TypeListNames();
  for (const SourceTypeInfo& row : SourceTypes()) {
    EXPECT_EQ(names[IndexOf(row.type)], row.displayName) << row.slug;
  }
  EXPECT_EQ(names.front(), "ALD");
  EXPECT_EQ(names.back(), "绿化大师");
}

TEST(TypeAtPosition, EveryListPositionIsItsTypeAndNothingElseIsAType) {
  for (const SourceTypeInfo& row : SourceTypes()) {
    const int position = static_cast<int>(IndexOf(row.type));
    EXPECT_EQ(TypeAtPosition(position), row.type) << row.slug;
    EXPECT_EQ(BrowseFilterAt(position), row.browseFilter) << row.slug;
  }
  for (const int outside : {-1, static_cast<int>(kDisklessTypeCount), INT_MIN, INT_MAX}) {
    EXPECT_EQ(TypeAtPosition(outside), std::nullopt) << outside;
    EXPECT_EQ(BrowseFilterAt(outside), "") << outside;
  }
}

}  // namespace
