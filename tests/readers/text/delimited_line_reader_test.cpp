// The delimited-line reader for types 15, 17 and 21.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/reader_run.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;
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
                 Entry(u"AA", u"1", u"A") + Entry(u"AA", u"2", u"B")}),
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

}  // namespace
