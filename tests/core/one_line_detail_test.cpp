// Detail text shown under a message: one line, our escapes, at most 300 characters.
#include <gtest/gtest.h>

#include "core/one_line_detail.h"

namespace {

TEST(OneLineDetail, EscapesWhatCouldBreakOrForgeALine) {
  const std::pair<std::string, std::string> cases[] = {
      {"SQLITE_ERROR[1]: no such table", "SQLITE_ERROR[1]: no such table"},
      {"a\n生成成功!\nb", "a\\n生成成功!\\nb"},
      {"\x1b[2J\x1b[Hclear", "\\x1b[2J\\x1b[Hclear"},
      {"tab\there\r\n", "tab\\there\\r\\n"},
      {std::string("nul\0x", 5), "nul\\x00x"},
      {"del\x7f", "del\\x7f"},
      {"bad \xC0\xAF utf-8 \xE4\xB8", "bad \\xc0\\xaf utf-8 \\xe4\\xb8"},
      {"", ""},
  };
  for (const auto& [detail, line] : cases) EXPECT_EQ(OneLineDetail(detail), line) << detail;
}

TEST(OneLineDetail, CutsAfter300CharactersNotBytes) {
  EXPECT_EQ(OneLineDetail(std::string(300, 'a')), std::string(300, 'a'));
  EXPECT_EQ(OneLineDetail(std::string(301, 'a')), std::string(300, 'a') + "…");
  std::string chinese;
  for (int i = 0; i < 400; ++i) chinese += "网";
  std::string expected;
  for (int i = 0; i < 300; ++i) expected += "网";
  EXPECT_EQ(OneLineDetail(chinese), expected + "…");
  // An escape counts as one character of the source.
  EXPECT_EQ(OneLineDetail(std::string(301, '\n')).size(), 300 * 2 + std::string("…").size());
}

}  // namespace
