// Cutting bytes into tokens: delimiters, NUL, and double-byte characters kept
// whole, whatever pieces the bytes come in.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/code_page.h"
#include "readers/structured/token_scan.h"

namespace {

using namespace std::string_literals;
using Tokens = std::vector<std::string>;

// Each code page opened once: opening one looks at every byte.
const platform::CodePage& Page(unsigned number) {
  static std::vector<std::unique_ptr<platform::CodePage>> opened;
  for (const auto& page : opened) {
    if (page->number() == number) return *page;
  }
  std::unique_ptr<platform::CodePage> page = platform::CodePage::Open(number);
  if (!page) throw std::runtime_error("no code page " + std::to_string(number));
  return *opened.emplace_back(std::move(page));
}

// Every token the scanner gives, in order, for the bytes handed over in
// pieces of pieceSize bytes (0: all at once); GBK unless told.
Tokens TokensOf(std::string_view bytes, unsigned codePage, std::size_t pieceSize) {
  const platform::CodePage& ansi = Page(codePage);
  if (pieceSize == 0) pieceSize = bytes.size() + 1;
  Tokens tokens;
  TokenScanner scanner(ansi);
  std::string token = "room left from before";
  for (std::size_t at = 0; at < bytes.size() && !scanner.ended(); at += pieceSize) {
    // Each piece in its own buffer, gone once its tokens are taken.
    const std::string piece(bytes.substr(at, pieceSize));
    scanner.Feed(piece);
    while (scanner.Next(token)) tokens.push_back(token);
  }
  scanner.Finish();
  while (scanner.Next(token)) tokens.push_back(token);
  return tokens;
}

// The same tokens whatever pieces the bytes come in.
Tokens TokensOf(std::string_view bytes, unsigned codePage = 936) {
  const Tokens whole = TokensOf(bytes, codePage, 0);
  for (std::size_t pieceSize : {1, 2, 3, 5}) {
    EXPECT_EQ(TokensOf(bytes, codePage, pieceSize), whole)
        << testing::PrintToString(bytes) << " in pieces of " << pieceSize;
  }
  return whole;
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
      {"\xE0]\xE0]\xE0", {"\xE0]\xE0]\xE0"}},      // trail bytes "]" all along
      {"x\xE0]]\xE0", {"x\xE0]", "\xE0"}},
      {"\x81\x81\x81 ]", {"\x81\x81\x81 "}},      // the third lead byte takes the blank
  };
  for (const auto& [bytes, tokens] : cases) {
    EXPECT_EQ(TokensOf(bytes), tokens) << testing::PrintToString(bytes);
  }
}

TEST(TokenScanner, SingleByteCodePagesCutEveryDelimiterByte) {
  EXPECT_EQ(TokensOf("\xE0]\xBC", 1252), (Tokens{"\xE0", "\xBC"}));
  EXPECT_EQ(TokensOf("\xE9\x83\xB5]x", platform::kUtf8CodePage), (Tokens{"\xE9\x83\xB5", "x"}));
}

TEST(TokenScanner, NothingAfterANulCounts) {
  const std::pair<std::string, Tokens> cases[] = {
      {"ab\0cd ef"s, {"ab"}},
      {"ab \0cd"s, {"ab"}},
      {"\0ab"s, {}},
      {"ab\xE0\0]cd"s, {"ab\xE0"}},
  };
  for (const auto& [bytes, tokens] : cases) {
    EXPECT_EQ(TokensOf(bytes), tokens) << testing::PrintToString(bytes);
  }
}

// A token as long as many pieces is given whole, once.
TEST(TokenScanner, GivesATokenLongerThanItsPieces) {
  const std::string longToken(100000, 'x');
  EXPECT_EQ(TokensOf("[" + longToken + "]\"ab\"", 936, 4096), (Tokens{longToken, "ab"}));
  EXPECT_EQ(TokensOf(longToken + "\xE0", 936, 999), (Tokens{longToken + "\xE0"}));
}

// The tokens of the whole bytes scanned at once: up to the first NUL, runs of
// bytes that are not delimiters, a GBK lead byte taking the next byte along.
Tokens WholeBytesTokens(std::string_view bytes) {
  const platform::CodePage& gbk = Page(936);
  const std::string_view delimiters = " \t{\"[,\r\n]}";
  bytes = bytes.substr(0, bytes.find('\0'));
  Tokens tokens;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (delimiters.find(bytes[i]) != std::string_view::npos) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < bytes.size() && delimiters.find(bytes[i]) == std::string_view::npos) {
      i += gbk.IsLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
    }
    tokens.emplace_back(bytes.substr(start, i - start));
  }
  return tokens;
}

// Every string of up to five bytes from delimiters, NUL, GBK lead bytes and
// a plain byte gives the tokens of the whole bytes, in any pieces.
TEST(TokenScanner, EveryShortInputGivesTheWholeBytesTokens) {
  const std::string alphabet = "a ]\0\xE0\x81"s;
  std::vector<std::string> inputs{""};
  for (std::size_t from = 0; inputs.back().size() < 5;) {
    const std::size_t to = inputs.size();
    for (; from < to; ++from) {
      for (char byte : alphabet) inputs.push_back(inputs[from] + byte);
    }
  }
  for (const std::string& bytes : inputs) {
    ASSERT_EQ(TokensOf(bytes), WholeBytesTokens(bytes)) << testing::PrintToString(bytes);
  }
}

}  // namespace
