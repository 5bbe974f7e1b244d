// Profile files are decoded by their byte-order mark, else in the ANSI code page.
#include <gtest/gtest.h>

#include <memory>

#include "platform/code_page.h"
#include "readers/structured/profile_text.h"

namespace {

using namespace std::string_literals;

TEST(DecodeProfileText, ByteOrderMarkOrAnsiCodePage) {
  const std::unique_ptr<platform::CodePage> gbk = platform::CodePage::Open(936);
  ASSERT_TRUE(gbk);
  const std::pair<std::string, std::u16string> cases[] = {
      {"\xFF\xFE[\0\x51\x7F]\0"s, u"[\u7F51]"},                 // UTF-16LE
      {"\xFE\xFF\0[\x7F\x51\0]"s, u"[\u7F51]"},                 // UTF-16BE
      {"\xFF\xFE" "a\0b"s, u"a"},                               // odd last byte dropped
      {"\xFF\xFE\0\0a\0"s, u"\0a"s},
      {"\xEF\xBB\xBF[\xE7\xBD\x91]"s, u"[\u7F51]"},             // UTF-8
      {"\xEF\xBB\xBF" "a\0\xE7\xBD\x91"s, u"a\0\u7F51"s},
      {"[\xCD\xF8\xB0\xC9]", u"[\u7F51\u5427]"},                // GBK, no mark
      {"a\0b\0\0"s, u"a\0b\0\0"s},
      {"\xEF\xBB", u"\u9518"},                                  // a cut mark is ANSI text
      {"", u""},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(DecodeProfileText(bytes, *gbk), text) << testing::PrintToString(bytes);
  }
}

std::u16string DecodedInPieces(std::string_view bytes, const platform::CodePage& ansi,
                               std::size_t pieceBytes) {
  std::u16string text;
  DecodeProfileTextInPieces(
      bytes, ansi,
      [&](std::u16string_view piece) {
        text += piece;
        return true;
      },
      pieceBytes);
  return text;
}

// Each case is cut at every size from 1 byte up: no cut may fall inside a
// character, nor split a broken sequence in a way the whole would not.
TEST(DecodeProfileText, PiecesDecodeAsTheWhole) {
  const std::unique_ptr<platform::CodePage> gbk = platform::CodePage::Open(936);
  const std::unique_ptr<platform::CodePage> utf8 = platform::CodePage::Open(platform::kUtf8CodePage);
  ASSERT_TRUE(gbk && utf8);
  const std::pair<const platform::CodePage*, std::string> cases[] = {
      {gbk.get(), "[\xCD\xF8\xB0\xC9]\r\nk=\xCD\xF8"s},
      {gbk.get(), "a\x81\nb\x81\rc\x81]"s},             // a lead byte takes a line end with it
      {gbk.get(), "\x81\x81\x81\x81\x81\x81\x81"s},      // which byte leads depends on the start
      {gbk.get(), "\x81\0\x81"s},                          // a lead byte before NUL or the end alone
      {utf8.get(), "\xE7\xBD\x91\xF0\x9F\x98\x80\xC3\xA9"s},
      {utf8.get(), "\xE7\xBD\n\xF0\x9F\x98\xC3\xA9\xE7"s},  // sequences cut short
      {utf8.get(), "\xF0\x9F\x98\x80\x80\x80\x80\x80\xBF\xC0\xFF"s},  // stray continuations
      {gbk.get(), "\xEF\xBB\xBF\xE7\xBD\xF0\x9F\x98\x80\x80\x80\x80\x80\0\xBD"s},
      {gbk.get(), "\xFF\xFE[\0\x51\x7F]\0\n\0z"s},
      {gbk.get(), "\xFE\xFF\0[\x7F\x51\0]\0"s},
  };
  for (const auto& [ansi, bytes] : cases) {
    const std::u16string whole = DecodeProfileText(bytes, *ansi);
    for (std::size_t pieceBytes = 1; pieceBytes <= bytes.size(); ++pieceBytes) {
      EXPECT_EQ(DecodedInPieces(bytes, *ansi, pieceBytes), whole)
          << testing::PrintToString(bytes) << " in pieces of " << pieceBytes;
    }
  }
}

// Runs far longer than a piece, against the code page's own decoding of the run.
TEST(DecodeProfileText, LongRunsDecodeAsTheCodePageDecodesThem) {
  const std::unique_ptr<platform::CodePage> gbk = platform::CodePage::Open(936);
  const std::unique_ptr<platform::CodePage> utf8 = platform::CodePage::Open(platform::kUtf8CodePage);
  ASSERT_TRUE(gbk && utf8);
  std::string gbkRun = "\x81";  // the lead bytes after it pair up one byte later
  std::string utf8Run;
  for (int i = 0; i < 100'000; ++i) {
    gbkRun += i % 7 == 0 ? "\n" : "\xCD\xF8";
    utf8Run += i % 1000 == 0 ? "\xE7\xBD" : i % 3 == 0 ? "\xF0\x9F\x98\x80" : "\xE7\xBD\x91";
  }
  EXPECT_EQ(DecodeProfileText(gbkRun, *gbk), gbk->Decode(gbkRun));
  EXPECT_EQ(DecodeProfileText(utf8Run, *utf8), utf8->Decode(utf8Run));
  EXPECT_EQ(DecodeProfileText("\xEF\xBB\xBF" + utf8Run, *gbk), utf8->Decode(utf8Run));
}

TEST(DecodeProfileText, StopsWhenThePiecesAreRefused) {
  const std::unique_ptr<platform::CodePage> gbk = platform::CodePage::Open(936);
  ASSERT_TRUE(gbk);
  for (const std::string& bytes : {std::string(100, 'a'), "\xFF\xFE" + std::string(200, 'a'),
                                   "\xEF\xBB\xBF" + std::string(100, 'a')}) {
    int pieces = 0;
    DecodeProfileTextInPieces(
        bytes, *gbk,
        [&](std::u16string_view) {
          ++pieces;
          return false;
        },
        10);
    EXPECT_EQ(pieces, 1) << testing::PrintToString(bytes);
  }
}

}  // namespace
