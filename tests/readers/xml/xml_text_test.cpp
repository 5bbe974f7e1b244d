// A value the parser hands over is kept, and widened, only as far as the
// machine list keeps it: 259 UTF-16 units, never half a surrogate pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "readers/xml/xml_text.h"
#include "repeated_text.h"

namespace {

TEST(XmlValue, IsCutToTheValueBufferFromTheBytesItKeeps) {
  const struct {
    const char* what;
    std::string utf8;
    std::u16string expected;
  } cases[] = {
      {"empty", "", u""},
      {"short", "pc01", u"pc01"},
      {"ascii_at_the_limit", std::string(259, 'a'), std::u16string(259, u'a')},
      {"ascii_past_the_limit", std::string(100000, 'a'), std::u16string(259, u'a')},
      {"ascii_then_other", std::string(259, 'a') + "中", std::u16string(259, u'a')},
      {"chinese_at_the_cut", std::string(258, 'a') + "中中", std::u16string(258, u'a') + u"中"},
      // 259 three-byte characters take every byte the value keeps.
      {"chinese_past_the_limit", Times(1000, "中"), Times(259, u"中")},
      {"two_byte_characters", Times(1000, "é"), Times(259, u"é")},
      {"pair_across_the_cut", std::string(258, 'a') + "😀", std::u16string(258, u'a')},
      {"pairs_past_the_limit", Times(1000, "😀"), Times(129, u"😀")},
      {"mixed", Times(500, "a中😀"), Times(64, u"a中😀") + u"a中"},
  };
  for (const auto& c : cases) {
    std::u16string value = u"earlier value";
    AssignXmlValue(value, c.utf8);
    EXPECT_EQ(value, c.expected) << c.what;
    // Kept whole characters, no more than the value buffer needs.
    const std::size_t kept = KeptValueLength(c.utf8);
    EXPECT_EQ(KeptValue(c.utf8.c_str()).size(), kept) << c.what;
    EXPECT_LE(kept, kKeptValueBytes + 3) << c.what;
    AssignXmlValue(value, std::string_view(c.utf8).substr(0, kept));
    EXPECT_EQ(value, c.expected) << c.what;
  }
}

// Pieces of one text, kept one after another, give what the whole gives.
TEST(XmlValue, PiecesKeepWholeCharacters) {
  const std::string text = Times(200, "ab中😀");
  for (const std::size_t pieceSize : {1u, 2u, 7u, 64u}) {
    std::string kept;
    for (std::size_t at = 0; at < text.size();) {
      std::size_t end = std::min(text.size(), at + pieceSize);
      // Pieces end at whole characters, as the parser hands them over.
      while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
      const std::string_view piece = std::string_view(text).substr(at, end - at);
      kept.append(piece.substr(0, KeptValueLength(piece, kept.size())));
      at = end;
    }
    EXPECT_EQ(kept, text.substr(0, KeptValueLength(text))) << pieceSize;
  }
}

TEST(XmlValue, TrimsXmlWhiteSpaceOnly) {
  EXPECT_EQ(TrimXmlSpace(" \t\r\n pc 1 \n"), "pc 1");
  EXPECT_EQ(TrimXmlSpaceStart(" \t\r\n pc 1 \n"), "pc 1 \n");
  EXPECT_EQ(TrimXmlSpace("\v\f pc\u3000"), "\v\f pc\u3000");
}

}  // namespace
