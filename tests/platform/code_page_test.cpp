// ANSI code page conversions behave as the Windows ones do.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "platform/code_page.h"

namespace {

using platform::CodePage;

std::unique_ptr<CodePage> Open(unsigned number) {
  std::unique_ptr<CodePage> codePage = CodePage::Open(number);
  if (!codePage) throw std::runtime_error("no code page " + std::to_string(number));
  return codePage;
}

const CodePage& Chinese() {
  static const std::unique_ptr<CodePage> codePage = Open(936);
  return *codePage;
}

struct EncodeCase {
  std::u16string text;
  std::string bytes;
};

class EncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, GivesWindowsBytes) {
  EXPECT_EQ(Chinese().Encode(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    CodePage936, EncodeTest,
    testing::Values(EncodeCase{u"PC021", "PC021"},
                    EncodeCase{u"\u4E2D", "\xD6\xD0"},             // 中
                    EncodeCase{u"\u20AC", "\x80"},                 // euro sign
                    EncodeCase{u"\u00C0", "\xA8\xA4"},             // best fit: À as à
                    EncodeCase{u"\u00B7", "\xA1\xA4"},             // best fit: middle dot
                    EncodeCase{u"\u00E9", "\xA8\xA6"},
                    EncodeCase{u"\u200B", "?"},                    // default-ignorable, not dropped
                    EncodeCase{u"\uFEFF", "?"},
                    EncodeCase{u"\U0001F600", "??"},               // one "?" per code unit
                    EncodeCase{u"a\xD800z", "a?z"},                // lone surrogate
                    EncodeCase{u"\uFFE9\uFFEA\uFFEB\uFFEC\uFFEE", "?????"},
                    EncodeCase{std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
                    EncodeCase{u"", ""}));

struct DecodeCase {
  std::string bytes;
  std::u16string text;
};

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, GivesWindowsText) {
  EXPECT_EQ(Chinese().Decode(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    CodePage936, DecodeTest,
    testing::Values(DecodeCase{"PC021", u"PC021"},
                    DecodeCase{"\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},  // 中文
                    DecodeCase{"\x80", u"\u20AC"},
                    DecodeCase{"\xFF", u"\uF8F5"},
                    DecodeCase{"\x81\x0A" "x", u"?x"},        // an unmapped pair eats the LF
                    DecodeCase{"\x81", u"?"},                  // lead byte at the end
                    DecodeCase{std::string("\x81\0x", 3), u"?"},  // lead byte before NUL, then cut
                    DecodeCase{std::string("ab\0cd", 5), u"ab"},
                    DecodeCase{"\x81\x40", u"\u4E02"},          // GBK beyond GB2312
                    DecodeCase{"", u""}));

TEST(CodePage, ChineseNamesRoundTrip) {
  const std::u16string name = u"网吧一号机\u4E02";
  EXPECT_EQ(Chinese().Decode(Chinese().Encode(name)), name);
}

TEST(CodePage, LeadBytesOfTheCodePage) {
  for (const unsigned char lead : {0x81, 0xB0, 0xFE}) EXPECT_TRUE(Chinese().IsLeadByte(lead)) << +lead;
  for (const unsigned char single : {0x00, 0x41, 0x5D, 0x7F, 0x80, 0xFF}) {
    EXPECT_FALSE(Chinese().IsLeadByte(single)) << +single;
  }
  EXPECT_FALSE(Open(1252)->IsLeadByte(0xB0));
  EXPECT_FALSE(Open(platform::kUtf8CodePage)->IsLeadByte(0xE4));
}

TEST(CodePage, OtherCodePagesAndUnknownOnes) {
  const std::unique_ptr<CodePage> western = Open(1252);
  EXPECT_EQ(western->number(), 1252u);
  EXPECT_EQ(western->Encode(u"\u00E9\u20AC"), "\xE9\x80");
  EXPECT_EQ(western->Decode("\xE9"), u"\u00E9");
  EXPECT_EQ(CodePage::Open(12345), nullptr);
  const std::unique_ptr<CodePage> utf8 = Open(platform::kUtf8CodePage);
  EXPECT_EQ(utf8->Encode(u"\u4E2D"), "\xE4\xB8\xAD");
  EXPECT_EQ(utf8->Decode("\xE4\xB8\xAD"), u"\u4E2D");
  EXPECT_EQ(utf8->Decode(std::string("a\0b", 3)), u"a");
}

// A sequence cut short by the next byte or by the end of the text becomes one
// U+FFFD; whatever follows it is decoded on its own.
TEST(Utf8, ACutSequenceBecomesOneReplacementWhereverItStands) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"\xE7" "a", u"\uFFFD" "a"},
      {"\xE7\xBD" "a", u"\uFFFD" "a"},
      {"\xF0" "a", u"\uFFFD" "a"},
      {"\xF0\x9F" "ab", u"\uFFFD" "ab"},
      {"\xF0\x9F\x98" "a", u"\uFFFD" "a"},
      {"a\xE7", u"a\uFFFD"},
      {"a\xF0\x9F\x98", u"a\uFFFD"},
      {"\xE7\xBD\x91\xE7", u"\u7F51\uFFFD"},
      {"\xE7" "a\xE7", u"\uFFFD" "a\uFFFD"},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(platform::Utf8ToUtf16(bytes), text) << testing::PrintToString(bytes);
    EXPECT_EQ(Open(platform::kUtf8CodePage)->Decode(bytes), text)
        << testing::PrintToString(bytes);
  }
}

// Each conversion opens its own code page: two at once do not disturb each other.
TEST(CodePage, TwoCodePagesSideBySide) {
  const std::unique_ptr<CodePage> western = Open(1252);
  EXPECT_EQ(Chinese().Decode("\xD6\xD0"), u"\u4E2D");
  EXPECT_EQ(western->Decode("\xD6\xD0"), u"\u00D6\u00D0");
  EXPECT_EQ(Chinese().Decode("\xD6\xD0"), u"\u4E2D");
}

}  // namespace
