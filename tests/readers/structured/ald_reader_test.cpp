// The ALD reader over 348-byte records.
#include <gtest/gtest.h>

#include <filesystem>
#include <variant>

#include "conversion/source_types.h"
#include "readers/structured/ald_reader.h"
#include "support/reader_run.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

// The record as the type table lays it out for ALD.
const AldLayout& Layout() { return std::get<AldLayout>(SourceTypeOf(DisklessType::Ald).settings); }

std::string Record(std::string_view ip, std::string_view mac, std::string_view name,
                   char filler = '\0') {
  const AldLayout& layout = Layout();
  std::string record(layout.recordSize, filler);
  record.replace(layout.ipOffset, ip.size(), ip);
  record.replace(layout.macOffset, layout.macSize, std::string(layout.macSize, '\0'));
  record.replace(layout.macOffset, mac.size(), mac);
  record.replace(layout.nameOffset, layout.nameSize, std::string(layout.nameSize, '\0'));
  record.replace(layout.nameOffset, name.size(), name);
  return record;
}

struct AldCase {
  const char* what;
  std::string bytes;
  std::u16string expected;
};

void PrintTo(const AldCase& c, std::ostream* os) { *os << c.what; }

class AldReadTest : public testing::TestWithParam<AldCase> {};

TEST_P(AldReadTest, GivesOneEntryPerRecord) {
  const ReaderRun run = ReadBytesAs(DisklessType::Ald, GetParam().bytes, "wsk.dat");
  EXPECT_TRUE(run.write);
  EXPECT_EQ(run.output, GetParam().expected);
  EXPECT_TRUE(run.messages.empty());
}

const std::string kFullRecord = Record("\xC0\xA8\x00\x15"sv, "00e04c123abc", "pc021");

INSTANTIATE_TEST_SUITE_P(
    Records, AldReadTest,
    testing::Values(
        AldCase{"one_record", kFullRecord, Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021")},
        AldCase{"records_in_file_order",
                Record("\x0A\x00\x00\x01"sv, "bb", "b") + Record("\xFF\xFF\xFF\xFF", "aa", "a"),
                Entry(u"BB", u"10.0.0.1", u"B") + Entry(u"AA", u"255.255.255.255", u"A")},
        AldCase{"full_fields_end_at_their_size",
                Record("\x01\x02\x03\x04"sv, "00e04c123abc", "abcdefghijklmnop", 'z'),
                Entry(u"00:E0:4C:12:3A:BC", u"1.2.3.4", u"ABCDEFGHIJKLMNOP")},
        AldCase{"empty_slot", std::string(Layout().recordSize, '\0'), Entry(u"", u"0.0.0.0", u"")},
        AldCase{"gbk_name", Record("\x01\x01\x01\x01"sv, "aa", "\xCD\xF8\xB0\xC9" "01"),
                Entry(u"AA", u"1.1.1.1", u"\u7F51\u5427" u"01")},
        AldCase{"name_cut_inside_a_character",
                Record("\x01\x01\x01\x01"sv, "aa", "abcdefghijklmno\xCD"),
                Entry(u"AA", u"1.1.1.1", u"ABCDEFGHIJKLMNO?")},
        AldCase{"partial_record_of_76_bytes_is_whole",
                kFullRecord + kFullRecord.substr(0, 76),
                Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021") +
                    Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021")},
        AldCase{"shorter_tail_reads_zeros_past_the_end",
                kFullRecord + kFullRecord.substr(0, 50) + "",
                Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.21", u"PC021") +
                    Entry(u"00:E0:4C", u"192.168.0.21", u"")},
        AldCase{"tail_inside_the_address", kFullRecord.substr(0, 22),
                Entry(u"", u"192.168.0.0", u"")},
        AldCase{"one_byte", "x", Entry(u"", u"0.0.0.0", u"")}),
    [](const testing::TestParamInfo<AldCase>& info) { return std::string(info.param.what); });

TEST(AldSource, FailuresShowTheAldMessages) {
  ScratchDir dir;
  WriteFileBytes(dir / "empty.dat", "");
  const std::pair<fs::path, Message> cases[] = {
      {dir / "missing.dat", Message::OpenAldFailed},
      {dir.path(), Message::OpenAldFailed},
      {dir / "empty.dat", Message::AldSizeFailed},
  };
  for (const auto& [source, message] : cases) {
    const ReaderRun run = ReadFileAs(DisklessType::Ald, source);
    EXPECT_FALSE(run.write);
    EXPECT_EQ(run.messages, std::vector{message}) << source;
  }
}

}  // namespace
