// Fields found on a line's bytes are the fields of its decoded text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/value_buffer.h"
#include "platform/code_page.h"
#include "readers/text/delimited_fields.h"

namespace {

using namespace std::string_literals;
using platform::CodePage;

const CodePage& Page(unsigned number) {
  static std::vector<std::unique_ptr<CodePage>> opened;
  for (const auto& page : opened) {
    if (page->number() == number) return *page;
  }
  std::unique_ptr<CodePage> page = CodePage::Open(number);
  if (!page) throw std::runtime_error("no code page " + std::to_string(number));
  return *opened.emplace_back(std::move(page));
}

// What the line gives when decoded whole and split: every delimiter ends a
// field, and what follows the last one is a field only if not empty.
std::vector<std::u16string> WholeLineFields(const CodePage& page, std::string_view line,
                                            char16_t delimiter) {
  const std::u16string text = page.Decode(line);
  std::vector<std::u16string> fields;
  std::size_t start = 0;
  for (std::size_t found = text.find(delimiter); found != std::u16string::npos;
       found = text.find(delimiter, start)) {
    fields.push_back(text.substr(start, found - start));
    start = found + 1;
  }
  if (start < text.size()) fields.push_back(text.substr(start));
  return fields;
}

// The count and the kept fields' values DelimitedFields gives for the line,
// handed over in pieces of pieceSize bytes (0: whole).
struct Gathered {
  std::size_t count = 0;
  std::vector<std::u16string> values;
  std::vector<bool> empty;
};

constexpr std::array<std::size_t, 3> kFirstThree{0, 1, 2};
constexpr std::array<std::size_t, 3> kNextThree{4, 3, 5};

Gathered Gather(DelimitedFields& fields, std::string_view line, std::size_t pieceSize,
                const std::array<std::size_t, 3>& kept) {
  // Left from an earlier line: Clear must forget it.
  fields.Append("left,over|from before");
  fields.Clear();
  if (pieceSize == 0) pieceSize = line.size() + 1;
  for (std::size_t at = 0; at < line.size(); at += pieceSize) {
    fields.Append(line.substr(at, pieceSize));
  }
  Gathered gathered;
  gathered.count = fields.Count();
  for (std::size_t field : kept) {
    gathered.values.push_back(fields.Value(field));
    gathered.empty.push_back(fields.Empty(field));
  }
  return gathered;
}

Gathered Gather(const CodePage& page, std::string_view line, char16_t delimiter,
                std::size_t pieceSize, const std::array<std::size_t, 3>& kept = kFirstThree) {
  DelimitedFields fields(page, delimiter, kept);
  return Gather(fields, line, pieceSize, kept);
}

// The whole line's fields, in the terms of Gather.
Gathered Expected(const CodePage& page, std::string_view line, char16_t delimiter,
                  const std::array<std::size_t, 3>& kept = kFirstThree) {
  const std::vector<std::u16string> fields = WholeLineFields(page, line, delimiter);
  Gathered expected;
  expected.count = fields.size();
  for (std::size_t field : kept) {
    const std::u16string value = field < fields.size() ? fields[field] : u"";
    expected.values.emplace_back(CutToValueBuffer(value));
    expected.empty.push_back(value.empty());
  }
  return expected;
}

// One splitter per set of kept fields, made once: making one decodes every byte.
struct Splitters {
  Splitters(unsigned codePage, char16_t delimiter)
      : codePage(codePage),
        delimiter(delimiter),
        firstThree(Page(codePage), delimiter, kFirstThree),
        nextThree(Page(codePage), delimiter, kNextThree) {}
  unsigned codePage;
  char16_t delimiter;
  DelimitedFields firstThree;
  DelimitedFields nextThree;
};

void ExpectAsWholeLine(Splitters& splitters, std::string_view line,
                       std::initializer_list<std::size_t> pieceSizes = {0, 1, 2, 3}) {
  const CodePage& page = Page(splitters.codePage);
  const std::pair<DelimitedFields*, std::array<std::size_t, 3>> sets[] = {
      {&splitters.firstThree, kFirstThree}, {&splitters.nextThree, kNextThree}};
  for (const auto& [fields, kept] : sets) {
    const Gathered expected = Expected(page, line, splitters.delimiter, kept);
    for (std::size_t pieceSize : pieceSizes) {
      const Gathered got = Gather(*fields, line, pieceSize, kept);
      const auto where = [&, kept = kept] {
        return testing::PrintToString(line) + " in " + std::to_string(splitters.codePage) +
               ", pieces of " + std::to_string(pieceSize) + ", kept from " +
               std::to_string(kept[0]);
      };
      ASSERT_EQ(got.count, expected.count) << where();
      ASSERT_EQ(got.values, expected.values) << where();
      ASSERT_EQ(got.empty, expected.empty) << where();
    }
  }
}

TEST(DelimitedFields, FollowsTheDelimiterRules) {
  const std::pair<std::string, std::vector<std::u16string>> cases[] = {
      {"a,b,c", {u"a", u"b", u"c"}},
      {"a,,c", {u"a", u"", u"c"}},
      {",a", {u"", u"a"}},
      {"a,b,", {u"a", u"b"}},
      {"a,b,,", {u"a", u"b", u""}},
      {",", {u""}},
      {"abc", {u"abc"}},
      {"", {}},
      {" a , b", {u" a ", u" b"}},
  };
  for (const auto& [line, expected] : cases) {
    const Gathered got = Gather(Page(936), line, u',', 0);
    EXPECT_EQ(got.count, expected.size()) << line;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(got.values[i], expected[i]) << line;
    }
  }
}

struct SameCase {
  const char* what;
  unsigned codePage;
  char16_t delimiter;
  std::string line;
};

void PrintTo(const SameCase& c, std::ostream* os) { *os << c.what; }

class DelimitedFieldsSameAsWholeLine : public testing::TestWithParam<SameCase> {};

TEST_P(DelimitedFieldsSameAsWholeLine, GivesWhatDecodingTheWholeLineAndSplittingGives) {
  Splitters splitters(GetParam().codePage, GetParam().delimiter);
  ExpectAsWholeLine(splitters, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DelimitedFieldsSameAsWholeLine,
    testing::Values(
        // 丨 is 0xD8 0x7C in GBK: its trail byte is "|".
        SameCase{"gbk_trail_byte_is_the_delimiter", 936, u'|', "1|\xD8\x7C|AA|1.1.1.1"},
        SameCase{"gbk_trail_byte_ends_the_line", 936, u'|', "a|\xD8\x7C"},
        SameCase{"big5_trail_byte_is_the_delimiter", 950, u'|', "\xA4\x7C|b|c"},
        SameCase{"shift_jis_trail_byte_is_the_delimiter", 932, u'|', "\x83\x7C|b|c"},
        SameCase{"lead_byte_before_the_delimiter_takes_it", 936, u',', "a\x81,b,c"},
        SameCase{"lead_byte_before_a_space", 936, u' ', "PC\xCD 1.1.1.1 AA"},
        SameCase{"lead_byte_at_the_end", 936, u',', "a,b,c\xCD"},
        SameCase{"lead_byte_alone", 936, u',', "\xCD"},
        SameCase{"nul_ends_the_text", 936, u',', "a,b\0,c,d"s},
        SameCase{"nul_in_the_first_field", 936, u',', "a\0b,c,d"s},
        SameCase{"nul_first", 936, u',', "\0a,b,c"s},
        SameCase{"nul_right_after_a_delimiter", 936, u',', "a,b,\0c"s},
        SameCase{"lead_byte_before_nul", 936, u',', "a,\xCD\0,c"s},
        SameCase{"lead_byte_takes_a_cr", 936, u',', "a,\xCD\r,c"},
        SameCase{"cr_inside_a_line", 936, u',', "a\r,b,\rc\r"},
        SameCase{"single_byte_code_page", 1252, u'|', "\xE0|\xBC|\x81"},
        SameCase{"utf8_characters", 65001, u',', "\xE7\xBD\x91,\xE5\x90\xA7,\xF0\x9F\x98\x80"},
        SameCase{"utf8_cut_sequence_before_the_delimiter", 65001, u',', "\xE7\xBD,\xE5,b"},
        SameCase{"utf8_stray_continuation_bytes", 65001, u'|', "\x80\xBF|\xBD|c"},
        SameCase{"utf8_invalid_lead_bytes", 65001, u' ', "\xC0\xAF \xFF\xFE \xF5\x80"},
        SameCase{"utf8_surrogate_and_overlong", 65001, u',', "\xED\xA0\x80,\xE0\x80\xAC,c"},
        SameCase{"utf8_nul_inside_a_sequence", 65001, u',', "a,\xE7\0\xBD,c"s},
        SameCase{"utf8_sequence_at_the_end", 65001, u',', "a,b,\xF0\x9F\x98"}),
    [](const testing::TestParamInfo<SameCase>& info) { return std::string(info.param.what); });

// Every line of up to four bytes made of the bytes that matter: the three
// delimiters, NUL, and per code page its kinds of lead and trail bytes.
TEST(DelimitedFields, EveryShortLineIsSplitAsItsWholeText) {
  const std::pair<unsigned, std::string> alphabets[] = {
      {936, "a,| \0\x81\x80\xFF"s},          // lead, single, unmapped byte
      {65001, "a,| \0\xE7\xBD\xF0\xC3"s},  // leads of 3, 4 and 2 bytes, continuation
  };
  for (const auto& [codePage, alphabet] : alphabets) {
    std::vector<std::string> lines{""};
    for (std::size_t from = 0; lines.back().size() < 4;) {
      const std::size_t to = lines.size();
      for (; from < to; ++from) {
        for (char byte : alphabet) lines.push_back(lines[from] + byte);
      }
    }
    for (char16_t delimiter : {u',', u'|', u' '}) {
      Splitters splitters(codePage, delimiter);
      for (const std::string& line : lines) {
        ExpectAsWholeLine(splitters, line, {0, 1});
        if (testing::Test::HasFatalFailure()) return;
      }
    }
  }
}

// A kept field holds at most 259 units, as every other reader's values do.
struct CutCase {
  const char* what;
  unsigned codePage;
  std::string field;
  std::u16string expected;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << c.what; }

std::string Repeat(std::string_view piece, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}

std::u16string Repeat(std::u16string_view piece, std::size_t count) {
  std::u16string text;
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}

class DelimitedFieldsCut : public testing::TestWithParam<CutCase> {};

TEST_P(DelimitedFieldsCut, KeepsWhatTheValueBufferHolds) {
  const std::string line = "name," + GetParam().field + ",end";
  const Gathered got = Gather(Page(GetParam().codePage), line, u',', 0);
  EXPECT_EQ(got.count, 3u);
  EXPECT_EQ(got.values[1], GetParam().expected);
  EXPECT_EQ(got.values[2], u"end");
  EXPECT_EQ(got.values, Expected(Page(GetParam().codePage), line, u',').values);
  // In pieces that end inside characters, too.
  EXPECT_EQ(Gather(Page(GetParam().codePage), line, u',', 7).values[1], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Long, DelimitedFieldsCut,
    testing::Values(
        CutCase{"ascii_259_is_kept_whole", 936, std::string(259, 'x'), std::u16string(259, u'x')},
        CutCase{"ascii_260_is_cut", 936, std::string(260, 'x'), std::u16string(259, u'x')},
        CutCase{"ascii_very_long", 936, std::string(100000, 'x'), std::u16string(259, u'x')},
        CutCase{"gbk_characters", 936, Repeat("\xCD\xF8", 1000), Repeat(u"\u7F51", 259)},
        CutCase{"gbk_after_one_ascii_byte", 936, "a" + Repeat("\xCD\xF8", 600),
                u"a" + Repeat(u"\u7F51", 258)},
        CutCase{"utf8_three_byte_characters", 65001, Repeat("\xE7\xBD\x91", 1000),
                Repeat(u"\u7F51", 259)},
        CutCase{"utf8_pair_across_the_cut", 65001, std::string(258, 'x') + "\xF0\x9F\x98\x80",
                std::u16string(258, u'x')},
        CutCase{"utf8_pair_before_the_cut", 65001, std::string(257, 'x') + "\xF0\x9F\x98\x80",
                std::u16string(257, u'x') + u"\U0001F600"},
        CutCase{"utf8_pairs_only", 65001, Repeat("\xF0\x9F\x98\x80", 1000),
                Repeat(u"\U0001F600", 129)},
        CutCase{"utf8_invalid_bytes", 65001, Repeat("\xE7\xBD", 1000), Repeat(u"\uFFFD", 259)}),
    [](const testing::TestParamInfo<CutCase>& info) { return std::string(info.param.what); });

}  // namespace
