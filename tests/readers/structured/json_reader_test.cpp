// The JSON reader for type 16.
#include <gtest/gtest.h>

#include <filesystem>

#include "readers/structured/json_reader.h"
#include "support/reader_run.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;

struct JsonCase {
  const char* what;
  std::string bytes;
  std::u16string expected;
  std::size_t skipped = 0;  // elements that are no machine object
};

void PrintTo(const JsonCase& c, std::ostream* os) { *os << c.what; }

class JsonReadTest : public testing::TestWithParam<JsonCase> {};

TEST_P(JsonReadTest, AppendsTheElements) {
  const ReaderRun run = ReadBytesAs(DisklessType::Xinyou6, GetParam().bytes, "list.txt");
  EXPECT_TRUE(run.write);
  EXPECT_EQ(run.output, GetParam().expected);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(run.skipped.Count(SkipReason::NotAMachine), GetParam().skipped);
  EXPECT_EQ(run.skipped.Total(), GetParam().skipped);
}

std::string List(const std::string& elements) { return "{\"macList\":[" + elements + "]}"; }

INSTANTIATE_TEST_SUITE_P(
    Documents, JsonReadTest,
    testing::Values(
        JsonCase{"example", List(R"({"mac":"00e04c123abc","ip":"192.168.0.21","pc":"pc021"})"),
                 Entry(u"00E04C123ABC", u"192.168.0.21", u"PC021")},
        JsonCase{"comments_between_tokens",
                 "// list\n{ /* a */ \"macList\" : // b\n [ {\"mac\":/*c*/\"aa\",\"ip\":\"1\","
                 "\"pc\":\"p\" /* d */ } ] } // end",
                 Entry(u"AA", u"1", u"P")},
        JsonCase{"utf8_byte_order_mark_skipped",
                 "\xEF\xBB\xBF" + List(R"({"mac":"aa","ip":"1","pc":"p"})"),
                 Entry(u"AA", u"1", u"P")},
        JsonCase{"empty_array", List(""), u""},
        JsonCase{"list_missing", R"({"other":[{"mac":"aa"}]})", u""},
        JsonCase{"list_not_an_array", R"({"macList":{"mac":"aa"}})", u""},
        JsonCase{"empty_mac", List(R"({"mac":"","ip":"1","pc":"p"})"), Entry(u"", u"1", u"P")},
        JsonCase{"mac_keeps_its_separators", List(R"({"mac":"00-e0-4c-12-3a-bc","ip":"1","pc":"p"})"),
                 Entry(u"00-E0-4C-12-3A-BC", u"1", u"P")},
        JsonCase{"utf8_name_and_escapes",
                 List(R"({"mac":"a\u0062","ip":"1","pc":"\u7f51\u5427pc\u00e9"}, )"
                      "{\"mac\":\"aa\",\"ip\":\"2\",\"pc\":\"\xE7\xBD\x91\xE5\x90\xA7" "b\"}"),
                 Entry(u"AB", u"1", u"\u7F51\u5427PC\u00E9") + Entry(u"AA", u"2", u"\u7F51\u5427" u"B")},
        JsonCase{"mac_and_ip_in_the_ansi_code_page",
                 List("{\"mac\":\"\xCD\xF8\",\"ip\":\"\xB0\xC9\",\"pc\":\"p\"}"),
                 Entry(u"\u7F51", u"\u5427", u"P")},
        JsonCase{"duplicates_in_array_order",
                 List(R"({"mac":"bb","ip":"2","pc":"b"},{"mac":"aa","ip":"1","pc":"a"},)"
                      R"({"mac":"bb","ip":"2","pc":"b"})"),
                 Entry(u"BB", u"2", u"B") + Entry(u"AA", u"1", u"A") + Entry(u"BB", u"2", u"B")},
        JsonCase{"elements_that_are_not_objects_skipped",
                 List(R"(null, "aa", 1, [], {"mac":"aa","ip":"1","pc":"p"})"),
                 Entry(u"AA", u"1", u"P"), 4},
        JsonCase{"missing_or_null_members_read_empty",
                 List(R"({"ip":"1"},{"mac":null,"ip":null,"pc":null},{})"),
                 Entry(u"", u"1", u"") + Entry(u"", u"", u"") + Entry(u"", u"", u"")},
        JsonCase{"numbers_and_booleans_as_written",
                 List(R"({"mac":1e3,"ip":192.168,"pc":true},{"mac":-0,"ip":1.50,"pc":false})"),
                 Entry(u"1E3", u"192.168", u"TRUE") + Entry(u"-0", u"1.50", u"FALSE")},
        JsonCase{"object_or_array_member_skips_the_element",
                 List(R"({"mac":{},"ip":"1","pc":"a"},{"mac":"b","ip":[],"pc":"b"},)"
                      R"({"mac":"c","ip":"3","pc":{"x":1}},{"mac":"d","ip":"4","pc":"d"})"),
                 Entry(u"D", u"4", u"D"), 3},
        JsonCase{"nul_escape_ends_a_value", List(R"({"mac":"a\u0000b","ip":"1","pc":"p\u0000q"})"),
                 Entry(u"A", u"1", u"P")}),
    [](const testing::TestParamInfo<JsonCase>& info) { return std::string(info.param.what); });

TEST(JsonSource, FailuresWriteNothing) {
  ScratchDir dir;
  const std::pair<std::string, Message> files[] = {
      {"", Message::SourceFormatInvalid},
      {"   \n", Message::SourceFormatInvalid},
      {"{\"macList\":[", Message::SourceFormatInvalid},
      {"{\"macList\":[],}", Message::SourceFormatInvalid},
      {"{'macList':[]}", Message::SourceFormatInvalid},
      {"[{\"mac\":\"aa\",\"ip\":\"1\",\"pc\":\"p\"}]", Message::SourceFormatInvalid},
      {"\"macList\"", Message::SourceFormatInvalid},
      {"\xEF\xBB\xBF\xEF\xBB\xBF{}", Message::SourceFormatInvalid},
  };
  for (const auto& [bytes, message] : files) {
    WriteFileBytes(dir / "list.txt", bytes);
    const ReaderRun run = ReadFileAs(DisklessType::Xinyou6, dir / "list.txt");
    EXPECT_FALSE(run.write) << testing::PrintToString(bytes);
    EXPECT_EQ(run.messages, std::vector{message}) << testing::PrintToString(bytes);
    EXPECT_FALSE(run.details.empty() || run.details[0].empty());
  }
  for (const fs::path& source : {dir / "missing.txt", dir.path()}) {
    const ReaderRun run = ReadFileAs(DisklessType::Xinyou6, source);
    EXPECT_FALSE(run.write);
    EXPECT_EQ(run.messages, std::vector{Message::OpenSourceFailed});
  }
}

}  // namespace
