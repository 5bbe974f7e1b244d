// The JSON reader for type 16.
#include <gtest/gtest.h>

#include <filesystem>

#include "readers/structured/json_reader.h"
#include "support/reader_run.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

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

constexpr char kMachine[] = R"({"mac":"aa","ip":"1","pc":"p"})";

// A list whose document nests `count` values: the root object, arrays, a number.
std::string NestedValues(std::size_t count) {
  return List(kMachine).insert(1, "\"x\":" + std::string(count - 2, '[') + "1" +
                                      std::string(count - 2, ']') + ",");
}

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
                 Entry(u"A", u"1", u"P")},
        JsonCase{"members_in_any_order", List(R"({"pc":"p","ip":"1","mac":"aa"})"),
                 Entry(u"AA", u"1", u"P")},
        JsonCase{"other_members_and_what_they_hold_ignored",
                 List(R"({"id":7,"mac":"aa","x":{"mac":"zz","pc":[{"ip":"9"}]},)"
                      R"("ip":"1","pc":"p"})"),
                 Entry(u"AA", u"1", u"P")},
        JsonCase{"last_of_duplicate_members_counts",
                 List(R"({"mac":"aa","mac":"bb","ip":"1","pc":"p"},{"mac":{},"mac":"cc","ip":"2",)"
                      R"("pc":"q"},{"mac":"dd","mac":[],"ip":"3","pc":"r"})"),
                 Entry(u"BB", u"1", u"P") + Entry(u"CC", u"2", u"Q"), 1},
        JsonCase{"later_list_replaces_an_earlier_one",
                 R"({"macList":[{"mac":"aa","ip":"1","pc":"p"},5],"other":[],)"
                 R"("macList":[{"mac":"bb","ip":"2","pc":"q"}]})",
                 Entry(u"BB", u"2", u"Q")},
        JsonCase{"later_list_that_is_no_array_leaves_none",
                 R"({"macList":[{"mac":"aa","ip":"1","pc":"p"}],"macList":null})", u""},
        JsonCase{"lists_below_the_root_ignored",
                 R"({"x":{"macList":[{"mac":"zz","ip":"9","pc":"z"}]},)"
                 R"("macList":[{"mac":"aa","ip":"1","pc":"p","macList":[{"mac":"yy"}]}]})",
                 Entry(u"AA", u"1", u"P")},
        JsonCase{"text_after_the_root_ignored",
                 List(kMachine) + " and [ more \"text /* not closed" + "\0 nul"s,
                 Entry(u"AA", u"1", u"P")},
        JsonCase{"values_1000_deep_read", NestedValues(1000), Entry(u"AA", u"1", u"P")},
        // The old parser's leniency, kept.
        JsonCase{"numbers_as_the_old_parser_took_them",
                 List(R"({"mac":007,"ip":1.,"pc":+5},)"
                      R"({"mac":-,"ip":1.e5,"pc":18446744073709551616})"),
                 Entry(u"007", u"1.", u"+5") + Entry(u"-", u"1.e5", u"18446744073709551616")},
        JsonCase{"control_bytes_inside_strings_taken",
                 List("{\"mac\":\"a\tb\",\"ip\":\"1\r\",\"pc\":\"x\x01y\"}"),
                 Entry(u"A\tB", u"1 ", u"X\x01Y")},
        JsonCase{"nul_byte_inside_a_string_ends_the_value",
                 List("{\"mac\":\"a\0b\",\"ip\":\"1\",\"pc\":\"p\"}"s), Entry(u"A", u"1", u"P")},
        JsonCase{"high_surrogate_completed_by_any_escape",
                 List(R"({"mac":"aa","ip":"1","pc":"\uD83D\uDE00\uD800\u0041"})"),
                 Entry(u"AA", u"1", u"\U0001F600\U00010041")},
        JsonCase{"line_comment_ends_at_a_lone_cr",
                 "{ // old line end\r\"macList\":[" + std::string(kMachine) + "]}",
                 Entry(u"AA", u"1", u"P")},
        JsonCase{"comment_then_any_token_serves_as_a_comma",
                 List(R"({"mac":"aa" /**/ "junk" "ip":"1" /**/ @ "pc":"p" /**/ {"x":1})"),
                 Entry(u"AA", u"1", u"P")},
        JsonCase{"trailing_comma_after_a_member_named_empty",
                 R"({"":0,"macList":[{"mac":"aa","ip":"1","pc":"p"}],"":1,})",
                 Entry(u"AA", u"1", u"P")}),
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
      // Not well-formed after the list: the machines read so far go too.
      {R"({"macList":[{"mac":"aa","ip":"1","pc":"p"}],"x":[1,]})", Message::SourceFormatInvalid},
      {R"({"macList":[{"mac":"aa","ip":"1","pc":"p"}],"x":tru})", Message::SourceFormatInvalid},
      {R"({"macList":[{"mac":"aa","ip":"1","pc":"p"}],"macList":[],"x":[1 2]})",
       Message::SourceFormatInvalid},
      {"{\"macList\":[]\0}"s, Message::SourceFormatInvalid},
      // Refused as the old parser refused them.
      {R"({"macList":[ /* none yet */ ]})", Message::SourceFormatInvalid},
      {R"({"macList" /* the list */ :[]})", Message::SourceFormatInvalid},
      {R"({"macList":[],"x":1e})", Message::SourceFormatInvalid},
      {R"({"macList":[],"x":1e400})", Message::SourceFormatInvalid},
      {R"({"macList":[],"x":1.5.5})", Message::SourceFormatInvalid},
      {R"({"macList":[],"x":-Infinity})", Message::SourceFormatInvalid},
      {R"({"macList":[],"x":"\uD800x"})", Message::SourceFormatInvalid},
      {R"({"macList":[],"x":"\q"})", Message::SourceFormatInvalid},
      {R"({"macList":[] /* not closed)", Message::SourceFormatInvalid},
      {NestedValues(1001), Message::SourceFormatInvalid},
      {NestedValues(100000), Message::SourceFormatInvalid},
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

// The detail names where the text stops being JSON, counted in bytes of the file.
TEST(JsonSource, FailureDetails) {
  const std::pair<std::string, std::string> cases[] = {
      {"{\"macList\":[,]}", "offset 12: Invalid value."},
      {"\xEF\xBB\xBF{\"macList\" 1}", "offset 14: Missing a colon after a name of object member."},
      {"{\"macList\":[] \"x\":1}", "offset 14: Missing a comma or '}' after an object member."},
      {"{\"x\":1e}", "offset 5: Invalid number."},
      {"{\"x\":[ /* */ ]}", "offset 13: Missing a value after the comment that opens the array."},
      {"{\"x\":" + std::string(1000, '[') + std::string(1000, ']') + "}",
       "offset 1004: Values nested more than 1000 deep."},
      {"[1]", "the document is not a JSON object"},
      {"\"macList\" and more", "the document is not a JSON object"},
  };
  for (const auto& [bytes, detail] : cases) {
    const ReaderRun run = ReadBytesAs(DisklessType::Xinyou6, bytes, "list.txt");
    EXPECT_EQ(run.messages, std::vector{Message::SourceFormatInvalid}) << bytes;
    EXPECT_EQ(run.details, std::vector{detail}) << bytes;
  }
}

// The file is read through a buffer: every kind of token, and what a string
// becomes for RapidJSON, lands on the buffer's 64 KiB edges at some padding.
TEST(JsonSource, TokensAcrossBufferEdges) {
  const std::string tail = "\",\"mac\":\"\\u0061\tb\", /* note */ \"ip\": 1.5e+3, // x\n"
                           " \"y\": true, \"pc\": \"\\uD83D\\uDE00x\", \"z\":[null, 007]}]}";
  const std::string head = "{\"macList\":[{\"x\":\"";
  const std::size_t edge = std::size_t{1} << 16;
  for (std::size_t end = edge - 8; end <= edge + tail.size() + 8; ++end) {
    const std::string document = head + std::string(end - head.size() - tail.size(), 'a') + tail;
    const ReaderRun run = ReadBytesAs(DisklessType::Xinyou6, document, "list.txt");
    ASSERT_TRUE(run.write) << end << ": " << testing::PrintToString(run.details);
    ASSERT_EQ(run.output, Entry(u"A\tB", u"1.5e+3", u"\U0001F600X")) << end;
  }
}

TEST(JsonSource, ManyMachinesInOrder) {
  std::string elements;
  std::u16string expected;
  for (int i = 0; i < 20000; ++i) {
    const std::string n = std::to_string(i);
    if (i) elements += ",\n";
    elements += "{\"mac\":\"m" + n + "\",\"ip\":\"10.0.0." + n + "\",\"pc\":\"pc" + n + "\"}";
    const std::u16string wide(n.begin(), n.end());
    expected += Entry(u"M" + wide, u"10.0.0." + wide, u"PC" + wide);
  }
  const ReaderRun run = ReadBytesAs(DisklessType::Xinyou6, List(elements), "list.txt");
  EXPECT_TRUE(run.write);
  EXPECT_TRUE(run.output == expected);
}

}  // namespace
