// The Access reader on databases with a computer table made by the Jet 4
// writer, on files Access wrote, and on damaged files.
#include "readers/database/access_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <variant>

#include "conversion/conversion_run.h"
#include "conversion/source_types.h"
#include "readers/database/access_test_files.h"
#include "support/jet4_database.h"
#include "support/reader_run.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr auto Text = Jet4ColumnType::Text;

Jet4Table ComputerTable(std::vector<std::vector<Jet4Value>> rows, Jet4ColumnType ipType = Text) {
  return {"computer", {{"name", Text}, {"ip", ipType}, {"mac", Text}}, std::move(rows)};
}

const AccessLayout& Wangwei7Layout() {
  return std::get<AccessLayout>(SourceTypeOf(DisklessType::Wangwei7).settings);
}

ReaderRun Read(const fs::path& source) { return ReadFileAs(DisklessType::Wangwei7, source); }

void ExpectCreateFileFailed(const ReaderRun& result, const std::string& what) {
  EXPECT_FALSE(result.write) << what;
  EXPECT_EQ(result.messages, std::vector{Message::CreateFileFailed}) << what;
  EXPECT_EQ(result.output, u"") << what;
}

TEST(AccessReader, ConvertsEveryRowWithAMac) {
  ScratchDir dir;
  WriteJet4Database(dir / "Data.mdb", {ComputerTable({
                                          {"pc01", "192.168.0.1", "00-e0-4c-12-3a-bc"},
                                          {"Pc02", "192.168.0.2", "00e04c123abd"},
                                          {"null-mac", "192.168.0.3", std::nullopt},
                                          {"empty-mac", "192.168.0.4", ""},
                                          {std::nullopt, std::nullopt, "00-e0-4c-12-3a-be"},
                                          {"网吧-01号", "", "aa-bb"},
                                          {"dup1", "10.0.0.1", "00-11-22-33-44-55"},
                                          {"dup2", "10.0.0.2", "00-11-22-33-44-55"},
                                          {" spaced ", "1.1.1.1 ", " 0a-0b "},
                                      })});
  const ReaderRun result = Read(dir / "Data.mdb");
  EXPECT_TRUE(result.write);
  EXPECT_TRUE(result.messages.empty());
  EXPECT_EQ(result.skipped.Count(SkipReason::LackingValue), 2u);  // the null and the empty MAC
  EXPECT_EQ(result.skipped.Total(), 2u);
  EXPECT_EQ(result.output, Entry(u"00:E0:4C:12:3A:BC", u"192.168.0.1", u"PC01") +
                               Entry(u"00E04C123ABD", u"192.168.0.2", u"PC02") +
                               Entry(u"00:E0:4C:12:3A:BE", u"", u"") +
                               Entry(u"AA:BB", u"", u"网吧-01号") +
                               Entry(u"00:11:22:33:44:55", u"10.0.0.1", u"DUP1") +
                               Entry(u"00:11:22:33:44:55", u"10.0.0.2", u"DUP2") +
                               Entry(u" 0A:0B ", u"1.1.1.1 ", u" SPACED "));
}

TEST(AccessReader, ANumericIpIsWrittenAsItsDecimalText) {
  ScratchDir dir;
  WriteJet4Database(
      dir / "Data.mdb",
      {ComputerTable({{"a", 12345, "01"}, {"b", -1062731775, "02"}, {"c", std::nullopt, "03"}},
                     Jet4ColumnType::Long)});
  const ReaderRun result = Read(dir / "Data.mdb");
  EXPECT_TRUE(result.write);
  EXPECT_EQ(result.output, Entry(u"01", u"12345", u"A") + Entry(u"02", u"-1062731775", u"B") +
                               Entry(u"03", u"", u"C"));
}

TEST(AccessReader, FieldsAreFoundByNameWhateverTheirPlaceAndCase) {
  ScratchDir dir;
  WriteJet4Database(dir / "Data.mdb", {{"Computer",
                                        {{"ID", Jet4ColumnType::Long},
                                         {"MAC", Text},
                                         {"Remark", Text},
                                         {"Name", Text},
                                         {"IP", Text}},
                                        {{1, "0a-0b", "x", "pc", "1.2.3.4"}}},
                                       {"other", {{"mac", Text}}, {{"ff-ff"}}}});
  const ReaderRun result = Read(dir / "Data.mdb");
  EXPECT_TRUE(result.write);
  EXPECT_EQ(result.output, Entry(u"0A:0B", u"1.2.3.4", u"PC"));
}

TEST(AccessReader, RowsOnManyPagesComeInOrder) {
  ScratchDir dir;
  std::vector<std::vector<Jet4Value>> rows;
  std::u16string expected;
  for (int i = 0; i < 500; ++i) {
    const std::string n = std::to_string(i);
    rows.push_back({"机器" + n, "10.0." + n, "mac-" + n});
    const std::u16string w(n.begin(), n.end());
    expected += Entry(u"MAC:" + w, u"10.0." + w, u"机器" + w);
  }
  WriteJet4Database(dir / "Data.mdb", {ComputerTable(rows)});
  ASSERT_GT(fs::file_size(dir / "Data.mdb"), 10 * 4096u);
  const ReaderRun result = Read(dir / "Data.mdb");
  EXPECT_TRUE(result.write);
  EXPECT_EQ(result.output, expected);
}

TEST(AccessReader, AnEmptyTableWritesAnEmptyFile) {
  ScratchDir dir;
  WriteJet4Database(dir / "Data.mdb", {ComputerTable({})});
  RecordingHost host;
  ConvertMachineList(DisklessType::Wangwei7, dir / "Data.mdb", dir / "computer.ONC",
                     ConversionContext::Default(), host);
  EXPECT_EQ(host.messages, std::vector{Message::Success});
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"), "");
}

TEST(AccessReader, SourcesWithoutTheTableOrItsFieldsFail) {
  ScratchDir dir;
  WriteJet4Database(dir / "no-ip.mdb",
                    {{"computer", {{"name", Text}, {"mac", Text}}, {{"pc01", "00-11"}}}});
  WriteJet4Database(dir / "no-table.mdb", {{"computers", {{"name", Text}}, {}}});
  WriteFileBytes(dir / "text.mdb", "[00-11]\nIPAddr=1.1.1.1\n");
  WriteFileBytes(dir / "empty.mdb", "");
  for (const char* name : {"no-ip.mdb", "no-table.mdb", "text.mdb", "empty.mdb"}) {
    ExpectCreateFileFailed(Read(dir / name), name);
  }
}

TEST(AccessReader, RealAccessFilesWithoutAComputerTableFail) {
  ScratchDir dir;
  for (const char* name : {"nwind.mdb", "DateTestDatabase.mdb", "ASampleDatabase.accdb"}) {
    COPY_REAL_ACCESS_FILE_OR_SKIP(dir.path(), name, copy);
    const ReaderRun result = Read(copy);
    ExpectCreateFileFailed(result, name);
    ASSERT_EQ(result.details.size(), 1u);
    EXPECT_NE(result.details[0], "");
  }
}

TEST(AccessReader, WhatIsNoRegularFileFailsWithoutWaiting) {
  ScratchDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo.mdb").c_str(), 0600), 0);
  const auto start = Clock::now();
  for (const fs::path& source : {dir / "missing.mdb", dir.path(), dir / "fifo.mdb"}) {
    ExpectCreateFileFailed(Read(source), source.string());
  }
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

// Damaged copies of a file Access wrote and of one with a computer table
// each end in the message, exit status 1 and no file, within the time limit.
TEST(AccessReaderCli, DamagedFilesEndInTheMessage) {
  ScratchDir dir;
  WriteJet4Database(dir / "Data.mdb", {ComputerTable({{"pc01", "10.0.0.1", "00-11"}})});
  const std::string ours = ReadFileBytes(dir / "Data.mdb");
  fs::remove(dir / "Data.mdb");

  auto scrambled = [](std::string bytes) {
    for (std::size_t i = 4096; i < bytes.size(); i += 7)
      bytes[i] = static_cast<char>(bytes[i] ^ 0x5a);
    return bytes;
  };
  // Jet 4 page 4 is the computer table's definition; byte 0x37 is the row of
  // its page usage map. mdbtools 1.0 crashes on a row that is not there.
  std::string badMapRow = ours;
  badMapRow[4 * 4096 + 0x37] = 0x28;
  std::vector<std::pair<std::string, std::string>> cases = {
      {"ours-truncated.mdb", ours.substr(0, 4 * 4096 + 100)},
      {"ours-scrambled.mdb", scrambled(ours)},
      {"ours-bad-map-row.mdb", badMapRow},
  };
  const fs::path real = RealAccessFile("DateTestDatabase.mdb");
  if (fs::exists(real)) {
    const std::string realBytes = ReadFileBytes(real);
    cases.emplace_back("real-truncated.mdb", realBytes.substr(0, realBytes.size() / 3));
    cases.emplace_back("real-scrambled.mdb", scrambled(realBytes));
  }
  for (const auto& [name, bytes] : cases) {
    WriteFileBytes(dir / name, bytes);
    const auto start = Clock::now();
    const CliResult result = RunZembrixCli({"convert", "--type", "wangwei7", name}, dir.path());
    EXPECT_LT(Clock::now() - start, Wangwei7Layout().timeLimit) << name;
    EXPECT_EQ(result.status, 1) << name;
    EXPECT_EQ(result.err.substr(0, result.err.find('\n') + 1), "创建文件失败!\n") << name;
    EXPECT_FALSE(fs::exists(dir / "computer.ONC")) << name;
  }
}

TEST(AccessReaderCli, ConvertsIntoTheAnsiCodePage) {
  ScratchDir dir;
  WriteJet4Database(dir / "Data.mdb", {ComputerTable({{"网吧pc", "10.0.0.1", "00-e0"}})});
  const CliResult result = RunZembrixCli({"convert", "--type", "wangwei7", "Data.mdb"}, dir.path());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(dir / "computer.ONC"),
            "[00:E0]\t\nIPAddr=10.0.0.1\t\nName=\xCD\xF8\xB0\xC9PC\t\n");
}

TEST(AccessExample, IsWhatItsDescriptionMakes) {
  ScratchDir dir;
  const fs::path example = fs::path(ZEMBRIX_SOURCE_DIR) / "examples" / "wangwei7";
  const std::string command = "sh '" + (example / "make-data-mdb.sh").string() + "' '" +
                              ZEMBRIX_MAKE_JET4_DATABASE + "' '" + (dir / "Data.mdb").string() +
                              "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadFileBytes(dir / "Data.mdb"), ReadFileBytes(example / "Data.mdb"));
}

}  // namespace
