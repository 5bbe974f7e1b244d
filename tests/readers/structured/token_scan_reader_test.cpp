// The token-scan reader for type 20.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "readers/structured/token_scan_reader.h"
#include "support/reader_run.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string Client(const std::string& name, const std::string& mac, const std::string& ip) {
  return R"({"id":")" + name + R"(","mac":")" + mac + R"(","ip":")" + ip + "\"}";
}

struct ScanCase {
  const char* what;
  std::string bytes;
  std::u16string expected;
};

void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.what; }

class TokenScanReadTest : public testing::TestWithParam<ScanCase> {};

TEST_P(TokenScanReadTest, TakesTheTokensAroundEachMac) {
  const ReaderRun run = ReadBytesAs(DisklessType::Shunwupan, GetParam().bytes, "list.clt");
  EXPECT_TRUE(run.write);
  EXPECT_EQ(run.output, GetParam().expected);
  EXPECT_TRUE(run.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, TokenScanReadTest,
    testing::Values(
        ScanCase{"example", Client("PC01", "00E04C123ABC", "192.168.0.21"),
                 Entry(u"00E04C123ABC", u"192.168.0.21", u"PC01")},
        ScanCase{"values_as_they_stand", "[" + Client("pc01", "00-e0-4c", "ip?") + ",\r\n" +
                                             R"({"id":"pc02","MAC":"aa","ip":"2"},)" +
                                             R"({"id":"pc03","Mac":"bb","ip":"3"}])",
                 Entry(u"00-e0-4c", u"ip?", u"pc01") + Entry(u"aa", u"2", u"pc02") +
                     Entry(u"bb", u"3", u"pc03")},
        ScanCase{"no_mac_token", R"({"id":"PC01","macs":"aa","ip":"1"})", u""},
        ScanCase{"name_cut_by_a_blank_keeps_its_last_piece", Client("PC 01", "aa", "1"),
                 Entry(u"aa", u"1", u"01")},
        ScanCase{"empty_name_takes_the_colon", Client("", "aa", "1"), Entry(u"aa", u"1", u":")},
        ScanCase{"machine_named_mac_is_a_key_too", Client("mac", "aa", "1"),
                 Entry(u":", u":", u":") + Entry(u"aa", u"1", u"mac")},
        ScanCase{"gbk_names_with_bracket_trail_bytes",
                 Client("\xE0\x5D\xBC\xFE" "01", "aa", "1") + Client("\x82\x7D\xBF\xE2", "bb", "2"),
                 Entry(u"aa", u"1", u"\u90F5\u4EF6" u"01") + Entry(u"bb", u"2", u"\u5009\u5E93")},
        ScanCase{"nul_ends_the_scan", Client("PC01", "aa", "1") + "\0"s + Client("PC02", "bb", "2"),
                 Entry(u"aa", u"1", u"PC01")}),
    [](const testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.what); });

TEST(TokenScanSource, FailuresWriteNothing) {
  ScratchDir dir;
  const std::pair<std::string, Message> files[] = {
      {"", Message::ShunwupanSizeFailed},
      {R"({"mac":"aa","ip":"1","id":"x"})", Message::ReadShunwupanContentFailed},
      {Client("PC01", "aa", "1") + R"({"id":"PC02","mac":"bb","ip"})",
       Message::ReadShunwupanContentFailed},
      {Client("PC01", "aa", "1") + R"({"id":"mac"})", Message::ReadShunwupanContentFailed},
  };
  for (const auto& [bytes, message] : files) {
    WriteFileBytes(dir / "list.clt", bytes);
    const ReaderRun run = ReadFileAs(DisklessType::Shunwupan, dir / "list.clt");
    EXPECT_FALSE(run.write);
    EXPECT_EQ(run.messages, std::vector{message}) << bytes;
  }
  for (const fs::path& source : {dir / "missing.clt", dir.path()}) {
    const ReaderRun run = ReadFileAs(DisklessType::Shunwupan, source);
    EXPECT_FALSE(run.write);
    EXPECT_EQ(run.messages, std::vector{Message::OpenShunwupanFailed});
  }
}

// The file is read 64 KiB at a time: tokens, and double-byte characters
// whose trail byte is "]", lie across those pieces.
TEST(TokenScanSource, TokensAcrossThePiecesOfTheFile) {
  constexpr std::size_t kPiece = 65536;
  const std::string firstClient = Client("PC01", "aa", "1");
  // The offsets from a client's start of its name and of its MAC.
  const std::size_t nameAt = firstClient.find("PC01");
  const std::size_t macAt = firstClient.find("aa");
  struct Case {
    const char* what;
    std::size_t at;  // where in the file the second client's bytes start
    std::string name;
    std::u16string expectedName;
  };
  const Case cases[] = {
      {"lead_byte_last_of_a_piece", kPiece - 1 - nameAt, "\xE0\x5D\xBC\xFE", u"\u90F5\u4EF6"},
      {"name_across", kPiece - 2 - nameAt, "PC02", u"PC02"},
      {"mac_across", kPiece - 1 - macAt, "PC02", u"PC02"},
      {"key_across", kPiece - 1 - firstClient.find("mac"), "PC02", u"PC02"},
      {"delimiter_first_of_a_piece", kPiece - nameAt - 4, "PC02", u"PC02"},
      {"in_the_third_piece", 2 * kPiece - 1 - nameAt, "\xE0\x5D", u"\u90F5"},
  };
  for (const Case& c : cases) {
    const std::string bytes =
        firstClient + std::string(c.at - firstClient.size(), ' ') + Client(c.name, "bb", "2");
    const ReaderRun run = ReadBytesAs(DisklessType::Shunwupan, bytes, "list.clt");
    EXPECT_TRUE(run.write) << c.what;
    EXPECT_EQ(run.output, Entry(u"aa", u"1", u"PC01") + Entry(u"bb", u"2", c.expectedName))
        << c.what;
  }
}

TEST(TokenScanSource, AShortReadShowsTheReadMessage) {
  const std::optional<fs::path> source = ShortSysfsFile();
  if (!source) GTEST_SKIP() << "no sysfs file that reads short";
  const ReaderRun run = ReadFileAs(DisklessType::Shunwupan, *source);
  EXPECT_FALSE(run.write);
  EXPECT_EQ(run.messages, std::vector{Message::ReadShunwupanFailed});
}

TEST(TokenScanSource, AFileOf4GiBOrMoreShowsTheSizeMessage) {
  ScratchDir dir;
  WriteFileBytes(dir / "big.clt", Client("PC01", "aa", "1"));
  fs::resize_file(dir / "big.clt", 0x100000000ULL);  // sparse: takes no disk space
  const ReaderRun run = ReadFileAs(DisklessType::Shunwupan, dir / "big.clt");
  EXPECT_FALSE(run.write);
  EXPECT_EQ(run.messages, std::vector{Message::ShunwupanSizeFailed});
}

}  // namespace
