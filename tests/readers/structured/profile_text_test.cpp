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

}  // namespace
