// The delimited-line reader for types 15, 17 and 21.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "conversion/source_types.h"
#include "support/reader_run.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using T = DisklessType;

// Lines that gave no machine, by reason.
struct SkippedCounts {
  std::size_t lackingValue = 0;
  std::size_t notAMachine = 0;
};

struct ReadCase {
  const char* what;
  DisklessType type;
  std::string bytes;
  std::u16string expected;  // the output text
  SkippedCounts skipped = {};
};

std::string V5Line(const std::string& name, const std::string& mac, const std::string& ip,
                   int fields) {
  std::string line = "1|" + name + "|" + mac + "|" + ip;
  for (int i = 4; i < fields; ++i) line += "|f" + std::to_string(i);
  return line;
}

template <typename Char>
std::basic_string<Char> Repeat(std::basic_string_view<Char> piece, std::size_t count) {
  std::basic_string<Char> text;
  for (std::size_t i = 0; i < count; ++i) text += piece;
  return text;
}
std::string Repeat(const char* piece, std::size_t count) {
  return Repeat(std::string_view(piece), count);
}
std::u16string Repeat(const char16_t* piece, std::size_t count) {
  return Repeat(std::u16string_view(piece), count);
}

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.what; }

class DelimitedReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(DelimitedReadTest, AppendsTheAcceptedLines) {
  const ReaderRun run = ReadBytesAs(GetParam().type, GetParam().bytes, "source.txt");
  EXPECT_TRUE(run.write);
  EXPECT_EQ(run.output, GetParam().expected);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(run.skipped.Count(SkipReason::LackingValue), GetParam().skipped.lackingValue);
  EXPECT_EQ(run.skipped.Count(SkipReason::NotAMachine), GetParam().skipped.notAMachine);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DelimitedReadTest,
    testing::Values(
        ReadCase{"xinyou_example", T::Xinyou, "Name,IP,MAC\r\nPC021,192.168.0.21,00e04c123abc\r\n",
                 Entry(u"00e04c123abc", u"192.168.0.21", u"PC021")},
        ReadCase{"xinyou_heading_only", T::Xinyou, "PC1,1.1.1.1,AA\n", u""},
        ReadCase{"xinyou_empty_file", T::Xinyou, "", u""},
        ReadCase{"xinyou_short_or_empty_mac", T::Xinyou,
                 "h\nPC1,1.1.1.1\nPC2,1.1.1.2,\nPC3,1.1.1.3,CC,extra,more\n",
                 Entry(u"CC", u"1.1.1.3", u"PC3"), {.notAMachine = 2}},
        ReadCase{"xinyou_blanks_kept", T::Xinyou, "h\n PC1, 1.1.1.1, AA\n",
                 Entry(u" AA", u" 1.1.1.1", u" PC1")},
        ReadCase{"xinyou_gbk_name", T::Xinyou, "h\n\xCD\xF8\xB0\xC9,1.1.1.1,AA\n",
                 Entry(u"AA", u"1.1.1.1", u"\u7f51\u5427")},
        ReadCase{"v5_example", T::FanggeziV5, V5Line("PC021", "00-E0-4C-12-3A-BC", "192.168.0.21", 19),
                 Entry(u"00-E0-4C-12-3A-BC", u"192.168.0.21", u"PC021")},
        ReadCase{"v5_field_count", T::FanggeziV5,
                 V5Line("PC18", "AA", "1", 18) + "\n" + V5Line("PC20", "", "2", 20) + "\n",
                 Entry(u"", u"2", u"PC20"), {.notAMachine = 1}},
        ReadCase{"v5_first_line_used_gbk", T::FanggeziV5,
                 V5Line("\xCD\xF8\xB0\xC9", "AA", "1", 19) + "\r\n",
                 Entry(u"AA", u"1", u"\u7f51\u5427")},
        ReadCase{"lvhua_example", T::Lvhua, "PC021 192.168.0.21 00e04c123abc",
                 Entry(u"00e04c123abc", u"192.168.0.21", u"PC021")},
        ReadCase{"lvhua_blank_rules", T::Lvhua,
                 "A  1 AA\nB 2 BB \nC\t3\tCC\nD 4 DD x\nE 5 EE\r\n",
                 Entry(u"BB", u"2", u"B") + Entry(u"EE", u"5", u"E"), {.notAMachine = 3}},
        ReadCase{"lvhua_duplicates_in_order", T::Lvhua, "A 1 AA\nB 2 AA\n",
                 Entry(u"AA", u"1", u"A") + Entry(u"AA", u"2", u"B")},
        // 0xD8 0x7C in GBK: its trail byte is the delimiter "|".
        ReadCase{"v5_trail_byte_equal_to_the_delimiter", T::FanggeziV5,
                 V5Line("PC\xD8\x7C", "AA", "1", 19) + "\n",
                 Entry(u"AA", u"1", u"PC\u8C84")},
        ReadCase{"lvhua_lead_byte_before_cr_lf_stands_alone", T::Lvhua, "A 1 AA\xCD\r\nB 2 BB",
                 Entry(u"AA?", u"1", u"A") + Entry(u"BB", u"2", u"B")},
        ReadCase{"lvhua_lead_byte_takes_a_lone_cr", T::Lvhua, "A 1 \xCD\rB\n",
                 Entry(u"?B", u"1", u"A")},
        ReadCase{"lvhua_cr_at_the_end_of_the_file_is_a_space", T::Lvhua, "A 1 AA\r",
                 Entry(u"AA ", u"1", u"A")},
        ReadCase{"xinyou_nul_ends_the_lines_text", T::Xinyou,
                 "h\nPC1,1.1.1.1,AA\0,more,fields\nPC2\0,1.1.1.2,BB\n\0\n"s,
                 Entry(u"AA", u"1.1.1.1", u"PC1"), {.notAMachine = 1}},
        ReadCase{"xinyou_long_first_line_skipped", T::Xinyou,
                 std::string(200000, ',') + "\r\nPC1,1.1.1.1,AA",
                 Entry(u"AA", u"1.1.1.1", u"PC1")},
        ReadCase{"xinyou_values_cut_to_259_units", T::Xinyou,
                 "h\n" + std::string(300, 'N') + "," + std::string(70000, '1') + "," +
                     std::string(260, 'M') + ",x\n",
                 Entry(std::u16string(259, u'M'), std::u16string(259, u'1'),
                       std::u16string(259, u'N'))},
        ReadCase{"v5_gbk_value_cut_to_259_characters", T::FanggeziV5,
                 V5Line(Repeat("\xCD\xF8", 1000), "AA", "1", 19),
                 Entry(u"AA", u"1", Repeat(u"\u7F51", 259))}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.what); });

TEST(DelimitedLineSource, UnopenableSourceShowsTheTypesMessage) {
  ScratchDir dir;
  const std::pair<DisklessType, Message> cases[] = {
      {T::Xinyou, Message::OpenSourceFailed},
      {T::FanggeziV5, Message::OpenV5Failed},
      {T::Lvhua, Message::OpenSourceFailed},
  };
  for (const auto& [type, message] : cases) {
    for (const fs::path& source : {dir / "missing.txt", dir.path()}) {
      const ReaderRun run = ReadFileAs(type, source);
      EXPECT_FALSE(run.write);
      EXPECT_EQ(run.messages, std::vector{message});
    }
  }
}

// /proc/self/mem is a regular file whose first page no process maps: its
// first read fails (EIO). A list cut short there is no list.
TEST(DelimitedLineSource, AFailedReadShowsTheTypesMessage) {
  if (!fs::exists("/proc/self/mem")) GTEST_SKIP() << "no /proc/self/mem";
  for (DisklessType type : {T::Xinyou, T::FanggeziV5, T::Lvhua}) {
    const ReaderRun run = ReadFileAs(type, "/proc/self/mem");
    EXPECT_FALSE(run.write);
    EXPECT_EQ(run.messages, std::vector{SourceTypeOf(type).messages.readFailed});
  }
}

// The process's peak resident memory in KiB (VmHWM), 0 when it cannot be read.
long PeakResidentKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

// From here on the peak counts from what is resident now (Linux 4.0 and later).
void RestartPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct LongLineCase {
  const char* what;
  DisklessType type;
  std::string head;
  std::string filler;  // repeated to 64 MiB, no LF among it
  std::string tail;
  std::u16string expected;
};

void PrintTo(const LongLineCase& c, std::ostream* os) { *os << c.what; }

class DelimitedLongLine : public testing::TestWithParam<LongLineCase> {};

TEST_P(DelimitedLongLine, IsReadWithoutBeingHeld) {
  constexpr std::size_t kLineSize = std::size_t{64} << 20;
  ScratchDir dir;
  const fs::path source = dir / "long.txt";
  {
    std::ofstream out(source, std::ios::binary);
    out << GetParam().head;
    std::string chunk;
    while (chunk.size() < (std::size_t{1} << 20)) chunk += GetParam().filler;
    for (std::size_t written = 0; written < kLineSize; written += chunk.size()) out << chunk;
    out << GetParam().tail;
    ASSERT_TRUE(out.good());
  }
  RestartPeak();
  const long before = PeakResidentKiB();
  const ReaderRun run = ReadFileAs(GetParam().type, source);
  const long growth = PeakResidentKiB() - before;
  EXPECT_TRUE(run.write);
  EXPECT_EQ(run.output, GetParam().expected);
  EXPECT_LT(growth, 32L << 10) << "KiB more at the peak than before the read";
}

INSTANTIATE_TEST_SUITE_P(
    SixtyFourMiB, DelimitedLongLine,
    testing::Values(
        LongLineCase{"lvhua_long_mac", T::Lvhua, "PC1 1.1.1.1 ", "A", "",
                     Entry(std::u16string(259, u'A'), u"1.1.1.1", u"PC1")},
        LongLineCase{"xinyou_long_heading", T::Xinyou, "", "Name,", "\r\nPC1,1.1.1.1,AA",
                     Entry(u"AA", u"1.1.1.1", u"PC1")},
        LongLineCase{"v5_millions_of_fields", T::FanggeziV5, "1|PC1|AA|1.1.1.1", "|field", "",
                     Entry(u"AA", u"1.1.1.1", u"PC1")},
        LongLineCase{"xinyou_gbk_name_then_nul", T::Xinyou, "h\nPC1,1.1.1.1,AA\0"s,
                     "\xCD\xF8,", "", Entry(u"AA", u"1.1.1.1", u"PC1")}),
    [](const testing::TestParamInfo<LongLineCase>& info) { return std::string(info.param.what); });

}  // namespace
