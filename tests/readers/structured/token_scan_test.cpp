// Cutting bytes into tokens: delimiters, NUL, and double-byte characters kept whole.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/code_page.h"
#include "readers/structured/token_scan.h"

namespace {

using namespace std::string_literals;
using Tokens = std::vector<std::string_view>;

// Every token the scanner gives, in the order Next gives them; GBK unless told.
Tokens TokensOf(std::string_view bytes, unsigned codePage = 936) {
  const std::unique_ptr<platform::CodePage> ansi = platform::CodePage::Open(codePage);
  if (!ansi) {
    ADD_FAILURE() << "no code page " << codePage;
    return {};
  }
  Tokens tokens;
  TokenScanner scanner(bytes, *ansi);
  for (std::string_view token; scanner.Next(token);) tokens.push_back(token);
  return tokens;
}

TEST(TokenScanner, CutsAtTheDelimiters) {
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
    EXPECT_EQ(TokensOf(bytes), tokens) << testing::PrintToString(bytes);
  }
}

TEST(TokenScanner, KeepsDoubleByteCharactersWhole) {
  const std::pair<std::string, Tokens> cases[] = {
      {"\"\xE0\x5D\xBC\xFE\",\"mac\"", {"\xE0\x5D\xBC\xFE", "mac"}},  // 郵件: trail byte "]"
      {"[\x82\x7D\x82\x5B\x81\x7B]", {"\x82\x7D\x82\x5B\x81\x7B"}},    // trail bytes "}", "[", "{"
      {"\x81 a", {"\x81 a"}},                  // a lead byte takes whatever follows
      {"a\x81", {"a\x81"}},                    // lead byte at the end
      {"a\x81\0]b"s, {"a\x81"}},               // a lead byte never takes the NUL
      {"\xCD\xF8 \xB0\xC9", {"\xCD\xF8", "\xB0\xC9"}},
  };
  for (const auto& [bytes, tokens] : cases) {
    EXPECT_EQ(TokensOf(bytes), tokens) << testing::PrintToString(bytes);
  }
}

TEST(TokenScanner, SingleByteCodePagesCutEveryDelimiterByte) {
  EXPECT_EQ(TokensOf("\xE0]\xBC", 1252), (Tokens{"\xE0", "\xBC"}));
  EXPECT_EQ(TokensOf("\xE9\x83\xB5]x", platform::kUtf8CodePage), (Tokens{"\xE9\x83\xB5", "x"}));
}

}  // namespace
