// UTF-8 conversions, both directions and into the fixed buffer.
#include <gtest/gtest.h>

#include "core/utf8.h"

namespace {

TEST(Utf8, ChineseIsThreeBytesPerCharacterAndRoundTrips) {
  const std::u16string name = u"\u7f51\u5427";
  const std::string bytes = WideToUtf8(name);
  EXPECT_EQ(bytes, "\xE7\xBD\x91\xE5\x90\xA7");
  EXPECT_EQ(Utf8ToWide(bytes), name);
}

TEST(Utf8, StopsAtNulAndReplacesInvalidSequences) {
  EXPECT_EQ(WideToUtf8(std::u16string(u"ab\0cd", 5)), "ab");
  EXPECT_EQ(Utf8ToWide(std::string("ab\0cd", 5)), u"ab");
  EXPECT_EQ(Utf8ToWide("a\xFF" "b"), u"a\uFFFD" "b");
  EXPECT_EQ(WideToUtf8(u"a\xDC00"), "a\xEF\xBF\xBD");
  EXPECT_EQ(WideToUtf8(u""), "");
}

TEST(Utf8, IntoBufferCutsLongValues) {
  ValueBuffer buffer{};
  Utf8ToWide("PC021", buffer);
  EXPECT_EQ(ValueBufferText(buffer), u"PC021");
  Utf8ToWide(std::string(400, 'a').c_str(), buffer);
  EXPECT_EQ(ValueBufferText(buffer), std::u16string(259, u'a'));
  Utf8ToWide(nullptr, buffer);
  EXPECT_EQ(ValueBufferText(buffer), u"");
}

TEST(Utf8, IntoAValueGivesWhatTheBufferHolds) {
  const std::string a258(258, 'a');
  const std::string a259(259, 'a');
  const std::string cases[] = {
      "",
      "PC021",
      "pc\xE7\xBD\x91",
      "a\xFF" "b",
      std::string(400, 'a'),
      a258 + "\xE7\xBD\x91",      // the last unit that fits is Chinese
      a259 + "\xE7\xBD\x91",      // ASCII fills the buffer; the rest is cut
      a258 + "\xF0\x9F\x98\x80",  // a pair that does not fit whole
      a259 + "\xFF",
  };
  ValueBuffer buffer{};
  std::u16string value = u"left over from the value before";
  for (const std::string& bytes : cases) {
    Utf8ToWide(bytes.c_str(), buffer);
    Utf8ToValue(bytes.c_str(), value);
    EXPECT_EQ(value, ValueBufferText(buffer)) << bytes;
  }
  Utf8ToValue(nullptr, value);
  EXPECT_EQ(value, u"");
}

}  // namespace
