// The profile-file layer: section names and values as the Windows profile functions give them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/structured/profile_file.h"

namespace {

using namespace std::string_literals;

struct Lookup {
  std::u16string section;
  std::u16string key;
  std::u16string value;
};

struct ProfileCase {
  const char* what;
  std::u16string text;
  std::vector<std::u16string> names;
  std::vector<Lookup> lookups;
};

void PrintTo(const ProfileCase& c, std::ostream* os) { *os << c.what; }

class ProfileFileTest : public testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileFileTest, ListsSectionsAndFindsValues) {
  const ProfileFile profile(GetParam().text);
  EXPECT_EQ(profile.SectionNames(), GetParam().names);
  for (const Lookup& lookup : GetParam().lookups) {
    EXPECT_EQ(profile.Value(lookup.section, lookup.key), lookup.value)
        << testing::PrintToString(lookup.section) << " " << testing::PrintToString(lookup.key);
  }
}

void ExpectValues(const ProfileFile& profile, const std::vector<Lookup>& lookups,
                  const std::string& context) {
  for (const Lookup& lookup : lookups) {
    EXPECT_EQ(profile.Value(lookup.section, lookup.key), lookup.value)
        << context << ": " << testing::PrintToString(lookup.section) << " "
        << testing::PrintToString(lookup.key);
  }
}

// The parse keeps no line whole: any split of the text reads the same.
TEST_P(ProfileFileTest, ReadsTheSameFedInPieces) {
  for (const std::size_t pieceSize : {1, 2, 3, 7}) {
    ProfileFile profile{ProfileSelection{}};
    const std::u16string_view text = GetParam().text;
    for (std::size_t at = 0; at < text.size(); at += pieceSize) {
      profile.Feed(text.substr(at, pieceSize));
    }
    profile.Finish();
    EXPECT_EQ(profile.SectionNames(), GetParam().names) << pieceSize;
    ExpectValues(profile, GetParam().lookups, "in pieces of " + std::to_string(pieceSize));
  }
}

const std::u16string k300(300, u'x');
const std::u16string k259(259, u'x');

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileFileTest,
    testing::Values(
        ProfileCase{"blanks_and_line_ends",
                    u"\t[ pc01 ]\x1A\r\n  ip \v=\f 1.1.1.1 \r\nb=2\rc=3\n\nd=4",
                    {u"pc01"},
                    {{u"pc01", u"ip", u"1.1.1.1"}, {u"pc01", u"b", u"2"}, {u"pc01", u"c", u"3"},
                     {u"pc01", u"d", u"4"}}},
        ProfileCase{"unicode_spaces_are_not_blanks",
                    u"[\u3000a]\nk=\u00A0v\u3000\n",
                    {u"\u3000a"},
                    {{u"\u3000a", u"k", u"\u00A0v\u3000"}}},
        ProfileCase{"header_runs_to_the_last_bracket",
                    u"[pc]01]\nk=1\n[pc01] [x]\nk=2\n[pc02] junk\nk=3\n",
                    {u"pc]01", u"pc01] [x", u"pc02"},
                    {{u"pc]01", u"k", u"1"}, {u"pc01] [x", u"k", u"2"}, {u"pc02", u"k", u"3"}}},
        ProfileCase{"bracket_without_close_is_a_key",
                    u"[a]\n[b\nk=1\n",
                    {u"a"},
                    {{u"a", u"k", u"1"}, {u"b", u"k", u""}}},
        ProfileCase{"empty_names_are_not_listed_and_own_their_keys",
                    u"[a]\nk=1\n[]\nj=2\n[ ]\nm=3\n",
                    {u"a"},
                    {{u"a", u"k", u"1"}, {u"a", u"j", u""}, {u"a", u"m", u""}}},
        ProfileCase{"lines_before_the_first_header_are_ignored",
                    u"k=0\n[a]\nj=1\n",
                    {u"a"},
                    {{u"a", u"k", u""}, {u"a", u"j", u"1"}}},
        ProfileCase{"semicolon_and_hash_lines_are_keys",
                    u"[a]\n;d=3\n#e=4\n; f = 5\n",
                    {u"a"},
                    {{u"a", u";d", u"3"}, {u"a", u"#e", u"4"}, {u"a", u"; f", u"5"}}},
        ProfileCase{"line_without_equals_hides_a_later_key",
                    u"[a]\nk\nk=1\nj=\nj=2\nm=1=2\n",
                    {u"a"},
                    {{u"a", u"k", u""}, {u"a", u"j", u""}, {u"a", u"m", u"1=2"}}},
        ProfileCase{"first_key_wins",
                    u"[a]\nk=1\nK=2\n",
                    {u"a"},
                    {{u"a", u"k", u"1"}}},
        ProfileCase{"duplicate_sections_in_different_case",
                    u"[PC01]\nip=1\n[pc01]\nip=2\nname=x\n[Pc01]\n",
                    {u"PC01", u"pc01", u"Pc01"},
                    {{u"pc01", u"ip", u"1"}, {u"PC01", u"IP", u"1"}, {u"pc01", u"name", u""}}},
        ProfileCase{"only_a_to_z_fold",
                    u"[\u00C9a]\nk=1\n[\u00E9A]\nk=2\n[ABC]\nKey=3\n",
                    {u"\u00C9a", u"\u00E9A"s, u"ABC"},
                    {{u"\u00C9A", u"K", u"1"}, {u"\u00E9a", u"k", u"2"}, {u"abc", u"kEY", u"3"}}},
        ProfileCase{"nul_ends_names_and_values",
                    u"[ab\0c]\nk\0x=1\nv=a \0b\n[\0z]\nk=2\n"s,
                    {u"ab"},
                    {{u"ab", u"k", u"1"}, {u"ab", u"v", u"a "}}},
        ProfileCase{"one_pair_of_enclosing_quotes",
                    u"[a]\nq1=\"abc\"\nq2='abc'\nq3=\"abc\nq4=a\"b\"\nq5=\"\nq6=\"\"\nq7='abc\"\n"
                    u"q8=\"'a'\"\nq9= \" a \" \n",
                    {u"a"},
                    {{u"a", u"q1", u"abc"}, {u"a", u"q2", u"abc"}, {u"a", u"q3", u"\"abc"},
                     {u"a", u"q4", u"a\"b\""}, {u"a", u"q5", u"\""}, {u"a", u"q6", u""},
                     {u"a", u"q7", u"'abc\""}, {u"a", u"q8", u"'a'"}, {u"a", u"q9", u" a "}}},
        ProfileCase{"values_cut_to_259",
                    u"[a]\nlong=" + k300 + u"\nexact=" + k259 + u"\nquoted=\"" + k259 +
                        u"\"\npair=" + std::u16string(258, u'x') + u"\U0001F600\n",
                    {u"a"},
                    {{u"a", u"long", k259},
                     {u"a", u"exact", k259},
                     {u"a", u"quoted", k259},
                     {u"a", u"pair", std::u16string(258, u'x')}}},
        ProfileCase{"missing_sections_and_keys_read_empty",
                    u"[a]\nk=1\n",
                    {u"a"},
                    {{u"b", u"k", u""}, {u"a", u"j", u""}, {u"", u"k", u""}}},
        ProfileCase{"no_sections", u"k=1\n\n", {}, {}}),
    [](const testing::TestParamInfo<ProfileCase>& info) { return std::string(info.param.what); });

TEST(ProfileFile, SectionNameListLengthCountsEachNameAndItsNul) {
  EXPECT_EQ(ProfileFile(u"[ab]\n[ c ]\n[]\n[ab]\n").SectionNameListLength(), 3u + 2u + 3u);
  EXPECT_EQ(ProfileFile(u"").SectionNameListLength(), 0u);
}

struct SelectionCase {
  const char* what;
  std::u16string text;
  std::vector<std::u16string> names;
  std::vector<Lookup> lookups;
  bool full = false;
};

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.what; }

// Kept: the keys "ip" and "WksName", and names while the list stays below 12.
class ProfileSelectionTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(ProfileSelectionTest, KeepsOnlyTheNamedKeysAndTheNamesThatFit) {
  ProfileFile profile(ProfileSelection{.keys = std::vector<std::u16string_view>{u"ip", u"WksName"},
                                       .nameListLimit = 12});
  profile.Feed(GetParam().text);
  profile.Finish();
  EXPECT_EQ(profile.NameListFull(), GetParam().full);
  EXPECT_EQ(profile.SectionNames(), GetParam().names);
  ExpectValues(profile, GetParam().lookups, "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Kept, ProfileSelectionTest,
    testing::Values(
        SelectionCase{"named_keys_in_any_case",
                      u"[a]\nIP=1\nwksname=n\nother=2\n",
                      {u"a"},
                      {{u"a", u"ip", u"1"}, {u"a", u"WKSNAME", u"n"}, {u"a", u"other", u""}}},
        SelectionCase{"longer_keys_are_other_keys",
                      u"[a]\nIPX=1\nI=2\nip  =3\n",
                      {u"a"},
                      {{u"a", u"ip", u"3"}}},
        SelectionCase{"key_cut_at_nul_is_named",
                      u"[a]\nip\0junk=1\n"s,
                      {u"a"},
                      {{u"a", u"ip", u"1"}}},
        SelectionCase{"first_named_key_wins_after_others",
                      u"[a]\nx=0\nip\nip=1\n",
                      {u"a"},
                      {{u"a", u"ip", u""}}},
        SelectionCase{"names_below_the_limit",
                      u"[abcde]\n[fghij]\nip=1\n",  // 6 + 6 = 12 would be the limit
                      {u"abcde"},
                      {{u"abcde", u"ip", u""}},
                      true},
        SelectionCase{"names_one_below_the_limit",
                      u"[abcde]\n[fghi]\nip=1\n[]\n",
                      {u"abcde", u"fghi"},
                      {{u"fghi", u"ip", u"1"}}},
        SelectionCase{"nothing_after_the_full_list_is_read",
                      u"[abcdefghijk]\n[a]\nip=1\n",
                      {},
                      {{u"a", u"ip", u""}},
                      true},
        SelectionCase{"a_name_far_past_the_limit",
                      u"[a]\nip=1\n[" + std::u16string(100, u'n') + u"]\n",
                      {u"a"},
                      {{u"a", u"ip", u"1"}},
                      true},
        SelectionCase{"a_long_bracket_line_without_close_is_a_key",
                      u"[a]\n[" + std::u16string(100, u'n') + u"\nip=1\n",
                      {u"a"},
                      {{u"a", u"ip", u"1"}}},
        SelectionCase{"a_long_header_whose_name_is_short",
                      u"[a" + std::u16string(100, u' ') + u"]" + std::u16string(100, u'x') +
                          u"\nip=1\n[b\0"s + std::u16string(100, u'y') + u"]\n",
                      {u"a", u"b"},
                      {{u"a", u"ip", u"1"}}}),
    [](const testing::TestParamInfo<SelectionCase>& info) { return std::string(info.param.what); });

}  // namespace
