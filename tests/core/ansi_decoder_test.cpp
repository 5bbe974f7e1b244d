// Decoding ANSI bytes with the ASCII shortcut gives what the code page gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ansi_decoder.h"

namespace {

std::unique_ptr<platform::CodePage> OpenCodePage(unsigned number) {
  std::unique_ptr<platform::CodePage> page = platform::CodePage::Open(number);
  if (!page) throw std::runtime_error("no code page " + std::to_string(number));
  return page;
}

// A code page in which "a" is "b": ASCII must not skip it.
class ShiftedA final : public platform::CodePage {
 public:
  unsigned number() const override { return 1; }
  bool IsLeadByte(unsigned char) const override { return false; }
  std::u16string Decode(std::string_view bytes) const override {
    std::u16string text;
    for (const char byte : bytes) {
      if (byte == '\0') break;
      text += byte == 'a' ? u'b' : static_cast<char16_t>(static_cast<unsigned char>(byte));
    }
    return text;
  }
  std::string Encode(std::u16string_view) const override { return {}; }
};

// Bytes that decode in every way a code page can differ from ASCII.
const std::vector<std::string>& Cases() {
  static const std::vector<std::string> cases = {
      "",
      "PC021",
      std::string("ab\0cd", 5),
      std::string("\0x", 2),
      "pc\xCD\xF8\xB0\xC9",  // 网吧 in 936
      "\xCD\xF8",
      "x\xCD",  // a lead byte without its trail
      std::string("x\xCD\0y", 4),
      "\x81\x41=\x81<b",  // ASCII trail bytes belong to their lead byte
      "\x80\xFFz",        // single bytes, one without a mapping
      "a\xE7\xBD\x91" "b",  // 网 in UTF-8
      "a\xE7\xBD" "b\xE7",  // cut UTF-8 sequences
      "\xF0\x9F\x98\x80!",  // a pair in UTF-16
      std::string(300, 'a'),
      "\x7F\x01\x1F",
    };
  return cases;
}

TEST(AnsiDecoder, GivesWhatTheCodePageGives) {
  const std::unique_ptr<platform::CodePage> chinese = OpenCodePage(936);
  const std::unique_ptr<platform::CodePage> utf8 = OpenCodePage(platform::kUtf8CodePage);
  const ShiftedA shifted;
  for (const platform::CodePage* page : {static_cast<const platform::CodePage*>(chinese.get()),
                                         static_cast<const platform::CodePage*>(utf8.get()),
                                         static_cast<const platform::CodePage*>(&shifted)}) {
    const AnsiDecoder decoder(*page);
    std::u16string text = u"left over from the value before";
    for (const std::string& bytes : Cases()) {
      decoder.Decode(bytes, text);
      EXPECT_EQ(text, page->Decode(bytes)) << page->number() << " " << bytes;
      std::string converted = "before";
      decoder.AppendUtf8(bytes, converted);
      EXPECT_EQ(converted, "before" + platform::Utf16ToUtf8(page->Decode(bytes)))
          << page->number() << " " << bytes;
    }
  }
}

// Where the text may be decoded in pieces, two pieces cut anywhere, the first
// giving up what WholeCharacters leaves, decode to the text of the whole.
TEST(AnsiDecoder, PiecesCutAtWholeCharactersDecodeAsTheWhole) {
  const std::unique_ptr<platform::CodePage> chinese = OpenCodePage(936);
  const std::unique_ptr<platform::CodePage> utf8 = OpenCodePage(platform::kUtf8CodePage);
  EXPECT_TRUE(AnsiDecoder(*chinese).DecodesInPieces());
  EXPECT_FALSE(AnsiDecoder(*utf8).DecodesInPieces());
  const AnsiDecoder decoder(*chinese);
  for (std::string bytes : Cases()) {
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string whole;
    decoder.AppendUtf8(bytes, whole);
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
      const std::size_t first = decoder.WholeCharacters(std::string_view(bytes).substr(0, cut));
      ASSERT_LE(cut - first, 1u) << bytes << " " << cut;
      std::string pieces;
      decoder.AppendUtf8(bytes.substr(0, first), pieces);
      decoder.AppendUtf8(bytes.substr(first), pieces);
      EXPECT_EQ(pieces, whole) << bytes << " " << cut;
    }
  }
}

}  // namespace
