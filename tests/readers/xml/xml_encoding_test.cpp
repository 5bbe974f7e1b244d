// How XML sources are decoded: byte-order mark, else the declared encoding,
// else UTF-8; the ANSI code page for the types that read their file whole;
// and where a NUL ends a document.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <optional>

#include "conversion/conversion_run.h"
#include "conversion/source_types.h"
#include "core/conversion_context.h"
#include "core/utf8.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"
#include "xml_read_case.h"

namespace {

namespace fs = std::filesystem;
using T = DisklessType;
using namespace std::string_literals;

// A 快吧 list of one machine whose name is the given bytes.
std::string KuaibaNamed(const std::string& declaration, const std::string& nameBytes) {
  return declaration + "<KB><wks><pc cName=\"" + nameBytes +
         "\" MAC=\"aa\" clientIP=\"1\"/></wks></KB>";
}

std::string Declared(const std::string& encoding) {
  return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>";
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

struct DeclaredCase {
  const char* encoding;
  std::string nameBytes;
  std::u16string name;
};

void PrintTo(const DeclaredCase& c, std::ostream* os) { *os << c.encoding; }

class DeclaredEncodingTest : public testing::TestWithParam<DeclaredCase> {};

// Read alike in every run, whatever its ANSI code page.
TEST_P(DeclaredEncodingTest, NamesAreDecodedInTheDeclaredEncoding) {
  for (unsigned codePage : {936u, 1252u, 65001u}) {
    SCOPED_TRACE(codePage);
    ExpectReads(XmlReadCase{"", T::Kuaiba,
                            KuaibaNamed(Declared(GetParam().encoding), GetParam().nameBytes),
                            Entry(u"AA", u"1", GetParam().name)},
                codePage);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, DeclaredEncodingTest,
    testing::Values(
        // 喆 is beyond GB2312: these documents are read as Windows reads code page 936.
        DeclaredCase{"gb2312", "\x86\xB4\xCD\xF8", u"\u5586\u7F51"},
        DeclaredCase{"Gb2312", "\x86\xB4", u"\u5586"}, DeclaredCase{"GBK", "\x86\xB4", u"\u5586"},
        DeclaredCase{"cp936", "\x86\xB4", u"\u5586"}, DeclaredCase{"x-gbk", "\x80", u"\u20AC"},
        // GB18030 is read by its two-byte characters.
        DeclaredCase{"GB18030", "\xCD\xF8", u"\u7F51"},
        DeclaredCase{"big5", "\xA4\xA4\xA4\xE5", u"\u4E2D\u6587"},
        DeclaredCase{"cp950", "\xA4\xA4", u"\u4E2D"},
        DeclaredCase{"shift_jis", "\x93\xFA\x96\x7B", u"\u65E5\u672C"},
        DeclaredCase{"Shift-JIS", "\x93\xFA", u"\u65E5"}, DeclaredCase{"sjis", "\x93\xFA", u"\u65E5"},
        DeclaredCase{"windows-31j", "\x93\xFA", u"\u65E5"},
        DeclaredCase{"euc-kr", "\xC7\xD1", u"\uD55C"}, DeclaredCase{"cp949", "\xC7\xD1", u"\uD55C"},
        DeclaredCase{"windows-1252", "caf\xE9\x80", u"CAF\u00E9\u20AC"},
        DeclaredCase{"WINDOWS-1252", "\xE9", u"\u00E9"}, DeclaredCase{"cp1252", "\xE9", u"\u00E9"},
        DeclaredCase{"windows-1251", "\xCF\xF0", u"\u041F\u0440"},
        DeclaredCase{"windows-1253", "\xD9", u"\u03A9"},
        DeclaredCase{"windows-874", "\xA1", u"\u0E01"}, DeclaredCase{"tis-620", "\xA1", u"\u0E01"},
        DeclaredCase{"koi8-r", "\xF0\xF2", u"\u041F\u0420"},
        DeclaredCase{"iso-8859-2", "\xB1\xE6", u"\u0105\u0107"},
        DeclaredCase{"ISO-8859-5", "\xB6", u"\u0416"},
        DeclaredCase{"ISO-8859-15", "\xA4", u"\u20AC"},
        DeclaredCase{"ISO-8859-1", "\xE9\x80", u"\u00E9\u0080"},
        DeclaredCase{"latin1", "\xE9", u"\u00E9"}, DeclaredCase{"ibm437", "\x82", u"\u00E9"},
        DeclaredCase{"macintosh", "\x8E", u"\u00E9"},
        DeclaredCase{"utf-8", "\xE7\xBD\x91", u"\u7F51"}, DeclaredCase{"UTF8", "\xC3\xA9", u"\u00E9"},
        DeclaredCase{"us-ascii", "abc", u"ABC"}, DeclaredCase{"ascii", "abc", u"ABC"}),
    [](const testing::TestParamInfo<DeclaredCase>& info) {
      std::string name = info.param.encoding;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST(XmlEncoding, CodePage936LeadBytesTakeTheNextByteWhateverItIs) {
  // The quote after a lead byte belongs to its character, as Windows reads it.
  ExpectReads(XmlReadCase{"", T::Kuaiba, KuaibaNamed(Declared("gbk"), "a\x81\""),
                          Entry(u"AA", u"1", u"A?")});
  ExpectReads(XmlReadCase{"", T::Kuaiba, KuaibaNamed(Declared("gbk"), "\x81\x7F"),
                          Entry(u"AA", u"1", u"?")});
  const ReaderRun broken = ReadBytesAs(T::Kuaiba, KuaibaNamed(Declared("gbk"), "a\x81"));
  EXPECT_EQ(broken.messages, std::vector{Message::SourceFormatInvalid});
}

TEST(XmlEncoding, EncodingsWeDoNotReadAreNeverASuccess) {
  const std::string cases[] = {
      KuaibaNamed(Declared("no-such-encoding"), "a"),
      KuaibaNamed(Declared("UTF-16"), "a"),  // says two bytes a character, has one
      KuaibaNamed(Declared("cp037"), "a"),   // EBCDIC keeps no ASCII
      KuaibaNamed(Declared("utf-8"), "\xFF\xFE"),
      KuaibaNamed("", "\xB7\xC0"),  // undeclared: must be UTF-8
      KuaibaNamed(Declared("us-ascii"), "\xE9"),
#if !defined(_WIN32)
      // A byte the code page does not map. Windows' own table for code page
      // 932 maps it to U+F8F0, a private-use character (see below).
      KuaibaNamed(Declared("shift_jis"), "\xA0"),
#endif
      KuaibaNamed(Declared("gbk"), "a\x81\0"s),    // a lead byte before NUL
  };
  for (const std::string& bytes : cases) {
    const ReaderRun run = ReadBytesAs(T::Kuaiba, bytes);
    EXPECT_FALSE(run.write) << bytes;
    EXPECT_EQ(run.messages, std::vector{Message::SourceFormatInvalid}) << bytes;
  }
}

#if defined(_WIN32)
// Windows maps every single byte of code page 932, 0xA0 to U+F8F0.
TEST(XmlEncoding, WindowsReadsByte0xA0OfCodePage932AsPrivateUse) {
  ExpectReads(XmlReadCase{"", T::Kuaiba, KuaibaNamed(Declared("shift_jis"), "\xA0"),
                          Entry(u"AA", u"1", u"\uF8F0")});
}
#endif

// The byte-order mark wins over whatever the document declares.
TEST(XmlEncoding, AByteOrderMarkDecidesTheEncoding) {
  const std::u16string declaredUtf8 =
      u"<?xml version=\"1.0\" encoding=\"utf-8\"?><KB><wks><pc cName=\"\u7F51\" MAC=\"aa\" "
      u"clientIP=\"1\"/></wks></KB>";
  const std::u16string declaredGbk =
      u"<?xml version=\"1.0\" encoding=\"gbk\"?><KB><wks><pc cName=\"\u7F51\" MAC=\"aa\" "
      u"clientIP=\"1\"/></wks></KB>";
  const std::u16string undeclared =
      u"<KB><wks><pc cName=\"\u7F51\" MAC=\"aa\" clientIP=\"1\"/></wks></KB>";
  const std::string cases[] = {
      "\xFF\xFE" + Utf16(declaredUtf8, false),
      "\xFF\xFE" + Utf16(declaredGbk, false),
      "\xFE\xFF" + Utf16(declaredGbk, true),
      "\xEF\xBB\xBF" + KuaibaNamed(Declared("gb2312"), "\xE7\xBD\x91"),
      // Without a mark, a document that starts with "<" in two bytes is UTF-16.
      Utf16(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + undeclared, false),
      Utf16(u"<?xml version=\"1.0\"?>" + undeclared, true),
      Utf16(undeclared, false),
  };
  for (const std::string& bytes : cases) {
    ExpectReads(XmlReadCase{"", T::Kuaiba, bytes, Entry(u"AA", u"1", u"\u7F51")});
  }
}

// Some of these files are padded with NULs after the document.
TEST(XmlEncoding, ANulAfterTheRootElementEndsTheDocument) {
  const std::string document = KuaibaNamed("", "a");
  const std::string ends[] = {
      document + "\0junk<<<"s,
      document + "\r\n  \0\0\xFF junk"s,
      document + std::string(70000, '\0') + "junk",
      std::string(70000, ' ') + document + "\0"s + std::string(70000, 'x'),
      KuaibaNamed(Declared("gbk"), "a") + "\0junk"s,
      KuaibaNamed(Declared("windows-1252"), "a") + "\0junk"s,
      "\xFF\xFE" + Utf16(u"<KB><wks><pc cName=\"a\" MAC=\"aa\" clientIP=\"1\"/></wks></KB>", false) +
          "\0\0junk"s,
      "\xFE\xFF" + Utf16(u"<KB><wks><pc cName=\"a\" MAC=\"aa\" clientIP=\"1\"/></wks></KB>", true) +
          "\0\0\0\0junk"s,
  };
  for (const std::string& bytes : ends) {
    ExpectReads(XmlReadCase{"", T::Kuaiba, bytes, Entry(u"AA", u"1", u"A")});
  }
  // The file is read 64 KiB at a time: the root may end just before, at or
  // after the end of a buffer, in UTF-8 and in UTF-16.
  constexpr std::size_t kBuffer = 65536;
  const std::u16string tail = u"<wks><pc cName=\"a\" MAC=\"aa\" clientIP=\"1\"/></wks></KB>";
  for (std::size_t end = kBuffer - 6; end <= kBuffer + 6; ++end) {
    SCOPED_TRACE(end);
    const std::u16string utf16 =
        u"\uFEFF<KB>" + std::u16string(end / 2 - 5 - tail.size(), u' ') + tail;
    ExpectReads(XmlReadCase{"", T::Kuaiba, Utf16(utf16, false) + "\0\0junk"s,
                            Entry(u"AA", u"1", u"A")});
    const std::string utf8 = "<KB>" + std::string(end - 4 - tail.size(), ' ') +
                             Utf16ToUtf8Whole(tail);
    ExpectReads(XmlReadCase{"", T::Kuaiba, utf8 + "\0junk"s, Entry(u"AA", u"1", u"A")});
  }
  // Anywhere else a NUL is no character of XML.
  const std::string broken[] = {
      "\0"s + document,
      "<?xml version=\"1.0\"?>\0"s + document,
      "<KB>\0<wks/></KB>"s,
      KuaibaNamed("", "a\0"s),
      document + "<!-- \0 -->"s,
      document + "<?pi \0?>"s,
      document + "x\0"s,
      "\xFF\xFE" + Utf16(u"<KB><wks/></KB>", false) + "\0junk"s,  // not a whole UTF-16 NUL
  };
  for (const std::string& bytes : broken) {
    const ReaderRun run = ReadBytesAs(T::Kuaiba, bytes);
    EXPECT_EQ(run.messages, std::vector{Message::SourceFormatInvalid}) << bytes;
  }
}

// Types 5 and 11 read the file in the run's ANSI code page up to its first
// NUL, whatever it declares.
TEST(XmlEncoding, WholeFileTypesIgnoreTheDeclaredEncoding) {
  for (const char* declared : {"gb2312", "UTF-16", "ISO-8859-1", "utf-8", "no-such-encoding"}) {
    SCOPED_TRACE(declared);
    ExpectReads(XmlReadCase{"", T::Pxd,
                            Declared(declared) + "<PXD><Wks><W ComName=\"\xCD\xF8\xB0\xC9\" "
                                                 "MAC=\"aa\" WksIP=\"1\"/></Wks></PXD>",
                            Entry(u"AA", u"1", u"\u7F51\u5427")});
    ExpectReads(XmlReadCase{"", T::Wangwei9,
                            Declared(declared) + "<ClientInfor><ClientConfig><Name>\xCD\xF8\xB0\xC9"
                                                 "</Name><Mac>aa</Mac><IP>1</IP></ClientConfig>"
                                                 "</ClientInfor>\0<<junk"s,
                            Entry(u"AA", u"0.0.0.1", u"\u7F51\u5427")});
  }
  ExpectReads(XmlReadCase{"", T::Wangwei9,
                          "<ClientInfor><ClientConfig><Name>caf\xE9</Name><Mac>aa</Mac><IP>1</IP>"
                          "</ClientConfig></ClientInfor>",
                          Entry(u"AA", u"0.0.0.1", u"CAF\u00E9")},
              1252);
  // A NUL before the document's end cuts it short.
  const ReaderRun cut = ReadBytesAs(
      T::Wangwei9, "<ClientInfor><ClientConfig><Name>a</Name>\0</ClientConfig></ClientInfor>"s);
  EXPECT_EQ(cut.messages, std::vector{Message::SourceFormatInvalid});
}

// Types 5 and 11 read the file in pieces of 64 KiB: a double-byte character
// (one with an ASCII-range trail byte too), the "</PXD>" and the NUL that end
// the text read across the edge between two pieces as within one.
TEST(XmlEncoding, WholeFileTypesReadAcrossThePiecesEdges) {
  constexpr std::size_t kPiece = std::size_t{1} << 16;
  // `head` and a comment, then `at` starting `offset` bytes before the edge.
  const auto padded = [](const std::string& head, std::size_t offset, const std::string& at) {
    const std::size_t padding = kPiece - offset - head.size() - std::string("<!---->").size();
    return head + "<!--" + std::string(padding, ' ') + "-->" + at;
  };
  const std::string wks = "<W ComName=\"pc\" MAC=\"aa\" WksIP=\"1\"/>";
  for (std::size_t offset = 1; offset <= 6; ++offset) {
    SCOPED_TRACE(offset);
    ExpectReads(XmlReadCase{"", T::Pxd,
                            padded("<PXD><Wks>", offset,
                                   "\xBB\xFA\x81\x40\xBB\xFA<W ComName=\"\xBB\xFA\x81\x40\xBB\xFA\" "
                                   "MAC=\"aa\" WksIP=\"1\"/></Wks></PXD>") ,
                            Entry(u"AA", u"1", u"\u673A\u4E02\u673A")});
    ExpectReads(XmlReadCase{"", T::Pxd, padded("<PXD><Wks>" + wks + "</Wks>", offset, "</PXD><<"),
                            Entry(u"AA", u"1", u"PC")});
    ExpectReads(XmlReadCase{"", T::Wangwei9,
                            padded("<ClientInfor><ClientConfig><Name>pc</Name><Mac>aa</Mac><IP>1</IP>"
                                   "</ClientConfig>",
                                   offset, "</ClientInfor>\0<<"s),
                            Entry(u"AA", u"0.0.0.1", u"PC")});
  }
  // A file that tells a size it does not hold is a failed read, as it was
  // read whole.
  if (const std::optional<fs::path> shortFile = ShortSysfsFile()) {
    for (T type : {T::Pxd, T::Wangwei9}) {
      const ReaderRun run = ReadFileAs(type, *shortFile);
      EXPECT_EQ(run.messages, std::vector{SourceTypeOf(type).messages.readFailed});
    }
  }
}

}  // namespace
