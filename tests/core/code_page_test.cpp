// ANSI code page conversions behave as the Windows ones do.
#include <gtest/gtest.h>

#include "core/code_page.h"

namespace {

struct EncodeCase {
  std::u16string text;
  std::string bytes;
};

class EncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, GivesWindowsBytes) {
  EXPECT_EQ(WideToAnsi(GetParam().text), GetParam().bytes);
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

TEST_P(DecodeTest, GivesWindowsText) { EXPECT_EQ(AnsiToWide(GetParam().bytes), GetParam().text); }

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
  EXPECT_EQ(AnsiToWide(WideToAnsi(name)), name);
}

TEST(CodePage, LeadBytesOfTheCodePage) {
  ASSERT_EQ(AnsiCodePage(), 936u);
  for (const unsigned char lead : {0x81, 0xB0, 0xFE}) EXPECT_TRUE(IsAnsiLeadByte(lead)) << +lead;
  for (const unsigned char single : {0x00, 0x41, 0x5D, 0x7F, 0x80, 0xFF}) {
    EXPECT_FALSE(IsAnsiLeadByte(single)) << +single;
  }
  ASSERT_TRUE(SetAnsiCodePage(1252));
  EXPECT_FALSE(IsAnsiLeadByte(0xB0));
  ASSERT_TRUE(SetAnsiCodePage(kUtf8CodePage));
  EXPECT_FALSE(IsAnsiLeadByte(0xE4));
  ASSERT_TRUE(SetAnsiCodePage(kDefaultAnsiCodePage));
}

TEST(CodePage, OtherCodePagesAndUnknownOnes) {
  ASSERT_EQ(AnsiCodePage(), 936u);
  ASSERT_TRUE(SetAnsiCodePage(1252));
  EXPECT_EQ(WideToAnsi(u"\u00E9\u20AC"), "\xE9\x80");
  EXPECT_EQ(AnsiToWide("\xE9"), u"\u00E9");
  EXPECT_FALSE(SetAnsiCodePage(12345));
  EXPECT_EQ(AnsiCodePage(), 1252u);
  ASSERT_TRUE(SetAnsiCodePage(kUtf8CodePage));
  EXPECT_EQ(WideToAnsi(u"\u4E2D"), "\xE4\xB8\xAD");
  EXPECT_EQ(AnsiToWide("\xE4\xB8\xAD"), u"\u4E2D");
  ASSERT_TRUE(SetAnsiCodePage(kDefaultAnsiCodePage));
}

}  // namespace
