// The ALD reader over 348-byte records.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <variant>

#include "conversion/source_types.h"
#include "core/field_format.h"
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

// The file is read 256 records at a time: every record gives its entry, in
// order, the last one cut short read as if padded with zeros.
TEST(AldSource, ReadsEveryRecordOfALargeFile) {
  const auto wide = [](const std::string& text) {
    return std::u16string(text.begin(), text.end());
  };
  for (std::size_t count : {255u, 256u, 257u, 513u, 1000u}) {
    std::string bytes;
    std::u16string expected;
    for (std::size_t i = 0; i < count; ++i) {
      const std::string number = std::to_string(i);
      const char ip[] = {10, 0, static_cast<char>(i >> 8), static_cast<char>(i & 0xFF)};
      bytes += Record(std::string_view(ip, 4), "m" + number, "pc" + number);
      const bool last = i + 1 == count;
      expected += Entry(FormatMacWithColons(u"M" + wide(number)),
                        wide("10.0." + std::to_string(i >> 8) + "." + std::to_string(i & 0xFF)),
                        last ? u"" : u"PC" + wide(number));
    }
    bytes.resize(bytes.size() - Layout().recordSize + Layout().nameOffset);  // the name is cut off
    const ReaderRun run = ReadBytesAs(DisklessType::Ald, bytes, "wsk.dat");
    EXPECT_TRUE(run.write) << count;
    EXPECT_EQ(run.output, expected) << count;
  }
}

TEST(AldSource, SizeAndReadFailuresShowTheirMessages) {
  ScratchDir dir;
  WriteFileBytes(dir / "big.dat", kFullRecord);
  fs::resize_file(dir / "big.dat", 0x100000000ULL);  // sparse: takes no disk space
  std::vector<std::pair<fs::path, Message>> cases = {
      {dir / "big.dat", Message::AldSizeFailed},
      {"/proc/self/mem", Message::AldSizeFailed},  // tells no size
  };
  if (const std::optional<fs::path> shortFile = ShortSysfsFile()) {
    cases.emplace_back(*shortFile, Message::ReadAldFailed);
  }
  for (const auto& [source, message] : cases) {
    const ReaderRun run = ReadFileAs(DisklessType::Ald, source);
    EXPECT_FALSE(run.write) << source;
    EXPECT_EQ(run.messages, std::vector{message}) << source;
  }
}

// Fields of printable ASCII go straight to the entry; they must give what
// decoding and the type's rules give, under every rule.
TEST(AldSource, AsciiFieldsGiveWhatDecodingGives) {
  const std::string_view fields[] = {"00e04c123abc", "00-e0-4c-12", "aB-c", "x", "", "a b~",
                                     "\x01\x7F", "ab\xCD\xF8", "\xCD"};
  const ConversionContext context = ConversionContext::Default();
  ScratchDir dir;
  const SourceMessages messages{Message::OpenAldFailed, Message::AldSizeFailed,
                                Message::ReadAldFailed};
  for (std::string_view mac : fields) {
    for (std::string_view name : fields) {
      WriteFileBytes(dir / "wsk.dat", Record("\x01\x02\x03\x04"sv, mac, name));
      for (MacForm form : {MacForm::AsRead, MacForm::ColonAfterEachPair, MacForm::DashesAsColons}) {
        for (bool upperCase : {false, true}) {
          AldLayout layout = Layout();
          layout.rules = {form, upperCase};
          std::u16string expectedMac = context.ansi().Decode(mac);
          std::u16string expectedName = context.ansi().Decode(name);
          ApplyMachineRules(layout.rules, expectedMac, expectedName);
          const ReaderRun run = RunOf(ReadAldSource({dir / "wsk.dat", context, messages}, layout));
          EXPECT_EQ(run.output, Entry(expectedMac, u"1.2.3.4", expectedName))
              << testing::PrintToString(mac) << " " << testing::PrintToString(name) << " form "
              << static_cast<int>(form) << (upperCase ? " upper" : "");
        }
      }
    }
  }
}

}  // namespace
