// Cutting bytes into tokens: delimiters, NUL, and double-byte characters kept whole.
#include <gtest/gtest.h>

#include "core/code_page.h"
#include "readers/structured/token_scan.h"

namespace {

using namespace std::string_literals;
using Tokens = std::vector<std::string_view>;

TEST(ScanTokens, CutsAtTheDelimiters) {
  const std::pair<std::string, Tokens> cases[] = {
      {R"({"id":"PC01","mac":"00E04C123ABC","ip":"192.168.0.21"})",
       {"id", ":", "PC01", "mac", ":", "00E04C123ABC", "ip", ":", "192.168.0.21"}},
      {"a b\tc{d\"e[f,g\rh\ni]j}k", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"}},
      {" \t{[\r\n]},\"a  ,, b\n", {"a", "b"}},
      {"a:b;c", {"a:b;c"}},
      {"ab\0cd ef"s, {"ab"}},
      {"", {}},
      {"\"\"", {}},
  };
  for (const auto& [bytes, tokens] : cases) {
    EXPECT_EQ(ScanTokens(bytes), tokens) << testing::PrintToString(bytes);
  }
}

TEST(ScanTokens, KeepsDoubleByteCharactersWhole) {
  ASSERT_EQ(AnsiCodePage(), 936u);
  const std::pair<std::string, Tokens> cases[] = {
      {"\"\xE0\x5D\xBC\xFE\",\"mac\"", {"\xE0\x5D\xBC\xFE", "mac"}},  // 郵件: trail byte "]"
      {"[\x82\x7D\x82\x5B\x81\x7B]", {"\x82\x7D\x82\x5B\x81\x7B"}},    // trail bytes "}", "[", "{"
      {"\x81 a", {"\x81 a"}},                  // a lead byte takes whatever follows
      {"a\x81", {"a\x81"}},                    // lead byte at the end
      {"a\x81\0]b"s, {"a\x81"}},               // a lead byte never takes the NUL
      {"\xCD\xF8 \xB0\xC9", {"\xCD\xF8", "\xB0\xC9"}},
  };
  for (const auto& [bytes, tokens] : cases) {
    EXPECT_EQ(ScanTokens(bytes), tokens) << testing::PrintToString(bytes);
  }
}

TEST(ScanTokens, SingleByteCodePagesCutEveryDelimiterByte) {
  ASSERT_TRUE(SetAnsiCodePage(1252));
  EXPECT_EQ(ScanTokens("\xE0]\xBC"), (Tokens{"\xE0", "\xBC"}));
  ASSERT_TRUE(SetAnsiCodePage(kUtf8CodePage));
  EXPECT_EQ(ScanTokens("\xE9\x83\xB5]x"), (Tokens{"\xE9\x83\xB5", "x"}));
  ASSERT_TRUE(SetAnsiCodePage(kDefaultAnsiCodePage));
}

}  // namespace
