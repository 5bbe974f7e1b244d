// Splitting at one delimiter.
#include <gtest/gtest.h>

#include "readers/text/split_string.h"

namespace {

TEST(SplitString, FollowsTheDelimiterRules) {
  const std::pair<std::u16string, std::vector<std::u16string>> cases[] = {
      {u"a,b,c", {u"a", u"b", u"c"}},
      {u"a,,c", {u"a", u"", u"c"}},
      {u",a", {u"", u"a"}},
      {u"a,b,", {u"a", u"b"}},
      {u"a,b,,", {u"a", u"b", u""}},
      {u",", {u""}},
      {u"abc", {u"abc"}},
      {u"", {}},
      {u" a , b", {u" a ", u" b"}},
  };
  std::vector<std::u16string> fields{u"left", u"over"};
  for (const auto& [text, expected] : cases) {
    SplitString(text, fields, u',');
    EXPECT_EQ(fields, expected);
  }
}

}  // namespace
